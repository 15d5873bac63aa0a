// File copies and started programs.
#include "platform/platform.h"
#include "platform/win32.h"

bool CopyFileReplacing(const char* source, const char* destination) {
  return CopyFileA(source ? source : "", destination ? destination : "", FALSE) != 0;
}

namespace {

// wShowWindow for window style codes 1 to 6.
constexpr WORD kShowWindowForStyle[] = {
    SW_HIDE, SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED, SW_SHOWNOACTIVATE, SW_MINIMIZE,
};
constexpr int kStyleCount = sizeof kShowWindowForStyle / sizeof kShowWindowForStyle[0];

}  // namespace

#ifndef _WIN64
static_assert(sizeof(STARTUPINFOA) == 68, "STARTUPINFOA of the 32-bit tool");
#endif

bool RunProgram(const char* commandLine, bool wait, int windowStyle) {
  const int code = windowStyle < 1 ? 1 : windowStyle > kStyleCount ? kStyleCount : windowStyle;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = kShowWindowForStyle[code - 1];
  PROCESS_INFORMATION process = {};
  // CreateProcessA wants a writable command line; the copy carries the same bytes.
  char* writable = JoinText({commandLine});
  const BOOL created =
      CreateProcessA(nullptr, writable, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  FreeText(writable);
  if (!created) return false;
  if (wait)
    WaitForSingleObject(process.hProcess, INFINITE);
  else
    WaitForInputIdle(process.hProcess, 1000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}
