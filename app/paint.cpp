// Painting of the main window (the tiled picture) and of the labels (black text on white).
#include "app/paint.h"

#include "app/picture.h"

namespace {

constexpr UINT kLabelTextFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;  // 0x124

// Decodes the embedded picture into a DIB section selected into a memory DC
// compatible with `dc`. Leaves `state` empty when anything fails.
void LoadPicture(HWND window, HDC dc, PaintState* state) {
  const void* bytes;
  size_t size;
  Picture picture;
  HMODULE module = reinterpret_cast<HMODULE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
  if (!EmbeddedPictureBytes(module, &bytes, &size) || !DecodePicture(bytes, size, &picture)) return;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // top-down, like the decoder's rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  GdiObject bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDc source(CreateCompatibleDC(dc));
  if (!bitmap.get() || !bits || !source.get()) return;

  // DIB rows are BGR and padded to four bytes.
  const size_t stride = (static_cast<size_t>(picture.width) * 3 + 3) & ~static_cast<size_t>(3);
  for (int y = 0; y < picture.height; ++y) {
    const unsigned char* from = &picture.rgb[static_cast<size_t>(y) * picture.width * 3];
    unsigned char* to = static_cast<unsigned char*>(bits) + stride * y;
    for (int x = 0; x < picture.width; ++x, from += 3, to += 3) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  GdiFlush();
  if (!SelectObject(source.get(), bitmap.get())) return;
  state->width = picture.width;
  state->height = picture.height;
  state->bitmap.reset(bitmap.release());
  state->source.reset(source.release());
}

}  // namespace

void PaintWindowBackground(HWND window, PaintState* state) {
  PaintDc paint(window);
  HDC dc = paint.get();
  RECT clip;
  if (GetClipBox(dc, &clip) == ERROR || IsRectEmpty(&clip)) return;
  if (!state->source.get()) LoadPicture(window, dc, state);
  if (!state->source.get()) {
    FillRect(dc, &clip, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  RECT client;
  GetClientRect(window, &client);
  for (int y = 0; y < client.bottom; y += state->height) {
    for (int x = 0; x < client.right; x += state->width) {
      const RECT tile = {x, y, x + state->width, y + state->height};
      RECT meet;
      if (IntersectRect(&meet, &tile, &clip))
        BitBlt(dc, x, y, state->width, state->height, state->source.get(), 0, 0, SRCCOPY);
    }
  }
}

void ReleasePaintState(PaintState* state) {
  state->source.reset();  // the DC first, so the bitmap is no longer selected when it goes
  state->bitmap.reset();
  state->width = state->height = 0;
}

void PaintLabel(HWND label) {
  PaintDc paint(label);
  HDC dc = paint.get();
  RECT clip, client, fill;
  if (GetClipBox(dc, &clip) == ERROR || IsRectEmpty(&clip)) return;
  GetClientRect(label, &client);
  if (IntersectRect(&fill, &client, &clip)) FillRect(dc, &fill, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

  const int length = GetWindowTextLengthA(label);
  if (length <= 0) return;
  Buffer text;
  if (!text.Allocate(static_cast<size_t>(length) + 1)) return;
  char* chars = reinterpret_cast<char*>(text.data());
  const int read = GetWindowTextA(label, chars, length + 1);
  if (read <= 0) return;
  Selection font(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  DrawTextA(dc, chars, read, &client, kLabelTextFormat);
}
