// Program entry of the tool.
#include "platform/platform.h"
#include "platform/win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  StartPlatform();
  EndPlatform();
  return 0;
}
