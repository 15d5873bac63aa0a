// Stand-in for the simulator: records where it was started from, in which folder and with which command line.
#include "platform/win32.h"

#include <cstdio>
#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const char* log = std::getenv("KESTROV_SIMULATOR_LOG");
  if (!log) return 1;
  char exe[MAX_PATH] = {}, folder[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  GetCurrentDirectoryA(sizeof folder, folder);
  if (FILE* out = std::fopen(log, "ab")) {
    std::fprintf(out, "exe=%s\ncwd=%s\ncmd=%s\n", exe, folder, GetCommandLineA());
    std::fclose(out);
  }
  return 0;
}
