// Painting of the main window and of the labels.
#pragma once

#include "platform/win32.h"

// What the main window keeps for its painting until it is destroyed.
struct PaintState {};

void PaintWindowBackground(HWND window, PaintState* state);
void ReleasePaintState(PaintState* state);
