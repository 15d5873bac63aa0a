// Derivation of the run directory from the executable's path.
#include "platform/run_directory.h"

#include <cstring>

#include "platform/win32.h"

int RunDirectoryLength(const char* path) {
  int lastBackslash = 0;
  for (const char* p = path; *p; ++p) {
    // The trail byte of a double-byte character may be 0x5C; it is not a backslash.
    if (IsDBCSLeadByte(static_cast<BYTE>(*p))) {
      if (!p[1]) break;
      ++p;
    } else if (*p == '\\') {
      lastBackslash = static_cast<int>(p - path);
    }
  }
  return lastBackslash;
}

void CurrentDirectoryFor(const char* runDirectory, char* out) {
  const size_t length = std::strlen(runDirectory);
  std::memcpy(out, runDirectory, length + 1);
  if (length == 2 && runDirectory[1] == ':') {
    out[2] = '\\';
    out[3] = '\0';
  }
}
