// Start and end of the platform, the run directory and the binding of IsUserAnAdmin.
#include "platform/platform.h"
#include "platform/run_directory.h"
#include "platform/texts.h"
#include "platform/win32.h"

// After windows.h, which the lean build keeps from including it.
#include <ole2.h>

#include <cstring>

namespace {

char* g_runDirectory = nullptr;  // never ends in a backslash; null when empty

using IsUserAnAdminFunction = BOOL(WINAPI*)();
struct Binding {
  HMODULE library;
  IsUserAnAdminFunction function;
};
Binding g_isUserAnAdmin = {};

constexpr char kAdminLibrary[] = "shell32.DLL";
constexpr char kAdminFunction[] = "IsUserAnAdmin";

// The executable's full path, read into a buffer that grows until the path
// fits: a truncated path would give a wrong run directory.
char* ReadModulePath() {
  for (DWORD size = MAX_PATH;; size *= 2) {
    char* path = AllocateText(size);
    const DWORD length = GetModuleFileNameA(nullptr, path, size);
    if (length < size) {
      path[length] = '\0';
      return path;
    }
    FreeText(path);
  }
}

}  // namespace

void StartPlatform() {
  OleInitialize(nullptr);
  char* path = ReadModulePath();
  const int length = RunDirectoryLength(path);
  if (length > 0) {
    path[length] = '\0';
    g_runDirectory = JoinText({path});
  }
  FreeText(path);
  const char* runDirectory = g_runDirectory ? g_runDirectory : "";
  char* current = AllocateText(std::strlen(runDirectory) + 2);
  CurrentDirectoryFor(runDirectory, current);
  SetCurrentDirectoryA(current);
  FreeText(current);
}

void EndPlatform() {
  if (g_isUserAnAdmin.library) {
    FreeLibrary(g_isUserAnAdmin.library);
    g_isUserAnAdmin = {};
  }
  OleUninitialize();
}

char* GetRunDirectory() { return g_runDirectory ? JoinText({g_runDirectory}) : nullptr; }

int QueryUserIsAdmin() {
  if (!g_isUserAnAdmin.function) {
    HMODULE library = LoadLibraryA(kAdminLibrary);
    FARPROC function = library ? GetProcAddress(library, kAdminFunction) : nullptr;
    if (!function) {
      if (library) FreeLibrary(library);
      char message[128];
      wsprintfA(message, "无法找到指定DLL库文件“%s”中的输出命令“%s”", kAdminLibrary, kAdminFunction);
      RaiseFatalError(message);
    }
    g_isUserAnAdmin = {library, reinterpret_cast<IsUserAnAdminFunction>(reinterpret_cast<void*>(function))};
  }
  return g_isUserAnAdmin.function() == TRUE ? 1 : 0;
}
