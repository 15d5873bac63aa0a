// Painting of the main window and of the labels.
#pragma once

#include "app/gdi.h"
#include "platform/win32.h"

// What the main window keeps for its painting until it is destroyed: the
// decoded picture as a device-independent bitmap, selected into a memory DC
// from which every paint copies. Empty until the first successful decode.
struct PaintState {
  GdiObject bitmap;
  MemoryDc source;
  int width = 0;
  int height = 0;
};

void PaintWindowBackground(HWND window, PaintState* state);
void ReleasePaintState(PaintState* state);

void PaintLabel(HWND label);
