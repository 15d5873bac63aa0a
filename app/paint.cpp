// Painting of the main window.
#include "app/paint.h"

void PaintWindowBackground(HWND window, PaintState*) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
  EndPaint(window, &paint);
}

void ReleasePaintState(PaintState*) {}
