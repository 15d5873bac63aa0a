// Stand-in for a COM component: its registration only appends a line to a log, so the tests see what regsvr32
// registered. The line names the file it was loaded from and the creation time of the registering process.
#include "platform/win32.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

static HMODULE g_module;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() {
  const char* log = std::getenv("KESTROV_REGISTRATION_LOG");
  if (!log) return E_FAIL;
  char path[MAX_PATH] = {};
  GetModuleFileNameA(g_module, path, sizeof path);
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const unsigned long long when =
      (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
  // Several registrations may run at once: take the log for the one write.
  for (int attempt = 0; attempt < 200; ++attempt) {
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      Sleep(10);
      continue;
    }
    char line[MAX_PATH + 64];
    const int length = std::snprintf(line, sizeof line, "%020llu %s\r\n", when, path);
    DWORD written;
    WriteFile(file, line, length, &written, nullptr);
    CloseHandle(file);
    return S_OK;
  }
  return E_FAIL;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer() { return S_OK; }
