// GUI helper for the RunProgram tests.
//   gui_child busy MS MARKER   stays busy for MS without a message loop, then writes MARKER
//   gui_child startup OUT      writes the dwFlags and wShowWindow it was started with to OUT
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc >= 4 && std::strcmp(__argv[1], "busy") == 0) {
    Sleep(std::atoi(__argv[2]));
    if (FILE* out = std::fopen(__argv[3], "wb")) std::fclose(out);
    return 0;
  }
  if (__argc >= 3 && std::strcmp(__argv[1], "startup") == 0) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    if (FILE* out = std::fopen(__argv[2], "wb")) {
      std::fprintf(out, "flags=%lu show=%u", static_cast<unsigned long>(startup.dwFlags),
                   static_cast<unsigned>(startup.wShowWindow));
      std::fclose(out);
    }
    return 0;
  }
  return 2;
}
