// Pixels of Wine's virtual desktop as the X server shows them, read with xwd from outside Wine.
#pragma once

#include <vector>

#include "platform/win32.h"

// A captured rectangle: rows top to bottom, 8-bit RGB.
struct Capture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
  COLORREF at(int x, int y) const {
    const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return RGB(p[0], p[1], p[2]);
  }
};

// Captures `area`, in Win32 screen coordinates (the X root's in desktop mode).
// A BitBlt from the screen inside Wine comes out blank for another process's
// window, so this runs xwd and ImageMagick as Unix programs: Wine starts a
// Unix executable from CreateProcess, though it cannot wait for it, so the
// result is written under a temporary name and renamed when complete.
bool CaptureScreen(const RECT& area, Capture* capture);

// The client area of `window` in screen coordinates.
RECT ClientOnScreen(HWND window);
