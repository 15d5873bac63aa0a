// Screen captures through xwd, for the tests that look at what the tool painted.
#include "tests/support/screen.h"

#include <cstdio>
#include <string>

#include "tests/support/desktop.h"

bool CaptureScreen(const RECT& area, Capture* capture) {
  static int serial = 0;
  char name[96];
  std::snprintf(name, sizeof name, "/tmp/kestrov-capture-%lu-%d.rgb", GetCurrentProcessId(), ++serial);
  char command[512];
  std::snprintf(
      command, sizeof command,
      "/bin/sh -c \"xwd -root -silent | /usr/bin/convert xwd:- -crop %ldx%ld+%ld+%ld +repage -depth 8 rgb:%s.part "
      "&& mv %s.part %s\"",
      area.right - area.left, area.bottom - area.top, area.left, area.top, name, name, name);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started;
  if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) return false;
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  const std::string path = std::string("Z:") + name;  // Wine maps Z: to the Unix root
  std::string bytes;
  const bool done = WaitForFile(path, 15000) && ReadFileBytes(path, &bytes);
  DeleteFileA(path.c_str());
  // Raw RGB rows, without a header: the size is the one asked for.
  const LONG width = area.right - area.left, height = area.bottom - area.top;
  if (!done || bytes.size() != static_cast<size_t>(width) * height * 3) return false;
  capture->width = width;
  capture->height = height;
  capture->rgb.assign(bytes.begin(), bytes.end());
  return true;
}

RECT ClientOnScreen(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  OffsetRect(&client, origin.x, origin.y);
  return client;
}
