// Benchmark: a full repaint of the main window against one plain BitBlt of its client area; prints the ratio.
#include <cstdio>

#include "app/gdi.h"
#include "app/main_window.h"
#include "platform/platform.h"

namespace {

constexpr int kRounds = 2000;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main() {
  // The main window is built here as the tool builds it, from the tool's resources linked into this program.
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HWND window = nullptr;
  if (!RegisterWindowClasses(instance) || !LoadStartWindow(instance, &window) || !window) {
    std::fprintf(stderr, "the main window could not be built\n");
    return 1;
  }
  UpdateWindow(window);  // the first paint decodes the picture; not timed
  RECT client;
  GetClientRect(window, &client);

  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  for (int i = 0; i < kRounds; ++i) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
  }
  GdiFlush();
  QueryPerformanceCounter(&end);
  const double repaint = Seconds(start, end) / kRounds;

  // The same with the five controls repainted too, for comparison.
  QueryPerformanceCounter(&start);
  for (int i = 0; i < kRounds; ++i)
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
  QueryPerformanceCounter(&end);
  const double withControls = Seconds(start, end) / kRounds;

  // The floor: one copy of a client-sized memory bitmap onto the window.
  WindowDc dc(window);
  MemoryDc memory(CreateCompatibleDC(dc.get()));
  GdiObject bitmap(CreateCompatibleBitmap(dc.get(), client.right, client.bottom));
  Selection selected(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < kRounds; ++i) BitBlt(dc.get(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
  GdiFlush();
  QueryPerformanceCounter(&end);
  const double blit = Seconds(start, end) / kRounds;

  std::printf("client area %ldx%ld, %d rounds each\n", client.right, client.bottom, kRounds);
  std::printf("full repaint of the main window (invalidate + update): %.1f us\n", repaint * 1e6);
  std::printf("  the same with its five controls repainted too:      %.1f us\n", withControls * 1e6);
  std::printf("one BitBlt of the client area from a memory DC:       %.1f us\n", blit * 1e6);
  std::printf("repaint / BitBlt ratio: %.1f (with the controls: %.1f)\n", repaint / blit, withControls / blit);
  selected.reset();
  DestroyWindow(window);
  return 0;
}
