// Stand-in shell32.dll for the tests: IsUserAnAdmin answers what the driver asks, ShellExecuteA only records its call.
//
// Loaded into the tool's process only when the driver puts it beside the tool as shell32.dll and starts the tool
// with WINEDLLOVERRIDES=shell32=n,b. It must then export everything the tool imports from shell32, or the tool does
// not load at all. Built twice: once with IsUserAnAdmin, and once without it (KESTROV_WITHOUT_IS_USER_AN_ADMIN), for
// the tool's failed binding.
//
// Environment read:
//   KESTROV_IS_ADMIN_ANSWER  the decimal value IsUserAnAdmin returns; 1 when unset
//   KESTROV_SHELL_LOG        file to which each call appends one line; no record when unset
#include "platform/win32.h"

#include <cstdio>
#include <cstdlib>

namespace {

const char* Shown(const char* text) { return text ? text : "<null>"; }

void Record(const char* line, int length) {
  const char* log = std::getenv("KESTROV_SHELL_LOG");
  if (!log || length <= 0) return;
  HANDLE file =
      CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written;
  WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

#ifndef KESTROV_WITHOUT_IS_USER_AN_ADMIN
extern "C" __declspec(dllexport) BOOL WINAPI IsUserAnAdmin() {
  const char* asked = std::getenv("KESTROV_IS_ADMIN_ANSWER");
  const BOOL answer = asked ? static_cast<BOOL>(std::strtol(asked, nullptr, 10)) : 1;
  char line[64];
  Record(line, std::snprintf(line, sizeof line, "IsUserAnAdmin -> %d\r\n", static_cast<int>(answer)));
  return answer;
}
#endif

// Declared here rather than taken from shellapi.h, whose declaration is an import.
extern "C" __declspec(dllexport) HINSTANCE WINAPI
    ShellExecuteA(HWND window, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
  char line[4 * MAX_PATH];
  Record(line, std::snprintf(line, sizeof line,
                             "ShellExecuteA window=%p verb=%s file=%s parameters=%s directory=%s "
                             "show=%d\r\n",
                             static_cast<void*>(window), Shown(verb), Shown(file), Shown(parameters), Shown(directory),
                             show));
  // Above 32: what the real shell answers when it has started the handler.
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
}
