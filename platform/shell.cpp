// Message boxes and the opening of web pages.
#include "platform/platform.h"
#include "platform/win32.h"

// After windows.h, which the lean build keeps from including it.
#include <shellapi.h>

namespace {

// Message result code for each MessageBoxA result from IDOK (1) to IDNO (7).
constexpr int kResultCodeFor[] = {0, 1, 2, 3, 4, 5, 6};
constexpr int kResultCount = sizeof kResultCodeFor / sizeof kResultCodeFor[0];

}  // namespace

int ShowMessage(const char* message, unsigned style) { return ShowMessage(message, style, "信息："); }

int ShowMessage(const char* message, unsigned style, const char* caption) {
  if (!(style & MB_SYSTEMMODAL)) style |= MB_TASKMODAL;
  const int pressed = MessageBoxA(nullptr, message ? message : "", caption ? caption : "", style);
  return pressed >= IDOK && pressed < IDOK + kResultCount ? kResultCodeFor[pressed - IDOK] : 0;
}

void OpenWebPage(const char* address) {
  HWND browser = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
  ShellExecuteA(browser, "open", address ? address : "", nullptr, nullptr, SW_SHOWNORMAL);
}
