// Console helper for the platform tests: runs one platform operation in a process of its own.
//   probe run-directory OUT   StartPlatform, then writes the run directory and the current directory to OUT
//   probe fatal [MESSAGE]     RaiseFatalError with MESSAGE (empty when omitted)
//   probe sleep MS MARKER     sleeps, then writes MARKER: a console program for RunProgram
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/win32.h"

static void WriteText(const char* path, const char* text) {
  if (FILE* out = std::fopen(path, "wb")) {
    std::fputs(text, out);
    std::fclose(out);
  }
}

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "run-directory") == 0) {
    StartPlatform();
    char* runDirectory = GetRunDirectory();
    char current[MAX_PATH * 4] = {};
    GetCurrentDirectoryA(sizeof current, current);
    char* report = JoinText({"run=", runDirectory, "\ncwd=", current, "\n"});
    WriteText(argv[2], report);
    FreeText(report);
    FreeText(runDirectory);
    EndPlatform();
    return 0;
  }
  if (argc >= 2 && std::strcmp(argv[1], "fatal") == 0) RaiseFatalError(argc >= 3 ? argv[2] : "");
  if (argc >= 4 && std::strcmp(argv[1], "sleep") == 0) {
    Sleep(std::atoi(argv[2]));
    WriteText(argv[3], "done");
    return 0;
  }
  return 2;
}
