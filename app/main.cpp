// Program entry: start-up, the message loop and the end.
#include "app/events.h"
#include "app/main_window.h"
#include "platform/platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  StartPlatform();
  // The definition is compiled in, so reading it cannot fail.
  OnProgramStart();
  void (*programEnd)() = OnProgramEnd;

  HWND window = nullptr;
  if (!RegisterWindowClasses(instance) || !LoadStartWindow(instance, &window)) RaiseFatalError("载入启动窗口失败");

  int exitCode = 0;
  if (IsWindow(window)) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (PreTranslateWindowKey(&message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    exitCode = static_cast<int>(message.wParam);
  }

  RaiseEventHold();  // for good: no event after the end has begun
  programEnd();
  EndPlatform();
  return exitCode;
}
