// The yardstick of the start-up benchmark: a bare Win32 program that only creates and shows one window of the tool's
// size.
#include "platform/win32.h"

static LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA type = {};
  type.lpfnWndProc = BareProc;
  type.hInstance = instance;
  type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  type.lpszClassName = "BareWindow";
  RegisterClassA(&type);
  HWND window = CreateWindowExA(0, "BareWindow", "bare", WS_CAPTION | WS_SYSMENU, 365, 265, 293, 237, nullptr, nullptr,
                                instance, nullptr);
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
