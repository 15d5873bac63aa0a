// The main window: class, building, stacking, focus memory, keys and command routing.
#include "app/main_window.h"

#include "actions/actions.h"
#include "app/events.h"
#include "app/gdi.h"
#include "app/paint.h"
#include "app/window_definition.h"
#include "platform/platform.h"
#include "resources/resource_ids.h"

#include <cstdlib>
#include <new>

#include <windowsx.h>

namespace {

constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kButtonStyle = BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;

// The window's two icons, both from the application icon group, at the sizes the shell shows them.
struct IconSize {
  WPARAM which;
  int size;
};
constexpr IconSize kIconSizes[] = {{ICON_BIG, 32}, {ICON_SMALL, 16}};
constexpr int kIconCount = sizeof kIconSizes / sizeof kIconSizes[0];

struct MainWindowState {
  HWND controls[kElementCount];  // by element index; [0] unused
  HWND remembered;               // the control that had the focus at the last deactivation
  PaintState paint;
  OwnedIcon icons[kIconCount];  // as kIconSizes
};

MainWindowState* StateOf(HWND window) {
  return reinterpret_cast<MainWindowState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

const ElementDefinition& Definition(int element) { return kMainWindowDefinition[element]; }

// The focus cycle: enabled, visible tab stops, by tab position, ties in creation order.
int FocusCycle(const MainWindowState* state, HWND cycle[kControlCount]) {
  int count = 0;
  for (int element = kElementCount - 1; element >= 1; --element) {
    HWND control = state->controls[element];
    if (!(Definition(element).flags & kTabStop) || !IsWindow(control) || !IsWindowVisible(control) ||
        !IsWindowEnabled(control))
      continue;
    int at = count++;
    for (; at > 0; --at) {
      const int before = ElementOfControlId(GetDlgCtrlID(cycle[at - 1]));
      if (Definition(before).tabPosition <= Definition(element).tabPosition) break;
      cycle[at] = cycle[at - 1];
    }
    cycle[at] = control;
  }
  return count;
}

void MoveFocus(HWND window, bool forward) {
  HWND cycle[kControlCount];
  const int count = FocusCycle(StateOf(window), cycle);
  if (!count) return;
  HWND focus = GetFocus();
  int at = -1;
  for (int i = 0; i < count; ++i)
    if (cycle[i] == focus) at = i;
  const int next = at < 0 ? (forward ? 0 : count - 1) : (at + (forward ? 1 : count - 1)) % count;
  SetFocus(cycle[next]);
}

// Handles what is already queued, with or without the event hold.
void ProcessWaitingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

BOOL OnNcCreate(HWND window, LPCREATESTRUCT create) {
  // calloc and placement new rather than new: the tool links nothing of the C++ library.
  void* memory = std::calloc(1, sizeof(MainWindowState));
  if (!memory) return FALSE;
  auto* state = new (memory) MainWindowState();
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  return FORWARD_WM_NCCREATE(window, create, DefWindowProcA);
}

void OnNcDestroy(HWND window) {
  MainWindowState* state = StateOf(window);
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  if (state) {
    ReleasePaintState(&state->paint);
    state->~MainWindowState();  // the icons go with the state
    std::free(state);
  }
}

void OnDestroy(HWND) { PostQuitMessage(0); }

void OnPaint(HWND window) { PaintWindowBackground(window, &StateOf(window)->paint); }

void OnCommand(HWND window, int id, HWND control, UINT code) {
  // The main window hands a click back to the control that sent it, which raises its click event.
  const int element = ElementOfControlId(id);
  if (code != BN_CLICKED || element < 0 || StateOf(window)->controls[element] != control) return;
  RaiseEvent(Definition(element).onClick);
}

void OnSetFocus(HWND window, HWND) {
  MainWindowState* state = StateOf(window);
  HWND remembered = state->remembered;
  state->remembered = nullptr;
  if (remembered && IsChild(window, remembered)) {
    SetFocus(remembered);
    return;
  }
  HWND cycle[kControlCount];
  if (FocusCycle(state, cycle)) SetFocus(cycle[0]);
}

void OnActivate(HWND window, UINT state, HWND other, BOOL minimized) {
  if (state == WA_INACTIVE) {
    HWND focus = GetFocus();
    StateOf(window)->remembered = IsChild(window, focus) ? focus : nullptr;
  }
  FORWARD_WM_ACTIVATE(window, state, other, minimized, DefWindowProcA);
}

// Log-off asks whether the tool may end: the close has no handler to refuse it.
BOOL OnQueryEndSession(HWND) { return TRUE; }

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    HANDLE_MSG(window, WM_NCCREATE, OnNcCreate);
    HANDLE_MSG(window, WM_NCDESTROY, OnNcDestroy);
    HANDLE_MSG(window, WM_DESTROY, OnDestroy);
    HANDLE_MSG(window, WM_PAINT, OnPaint);
    HANDLE_MSG(window, WM_COMMAND, OnCommand);
    HANDLE_MSG(window, WM_SETFOCUS, OnSetFocus);
    HANDLE_MSG(window, WM_ACTIVATE, OnActivate);
    HANDLE_MSG(window, WM_QUERYENDSESSION, OnQueryEndSession);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateControl(HWND window, HINSTANCE instance, int element) {
  const ElementDefinition& control = Definition(element);
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (control.flags & kTabStop) style |= WS_TABSTOP;
  if (control.flags & kDisabled) style |= WS_DISABLED;
  const bool button = control.kind == ElementKind::PushButton;
  if (button) style |= kButtonStyle;
  HWND created = CreateWindowExA(
      0, button ? "BUTTON" : kLabelClass, control.text, style, control.left, control.top, control.width, control.height,
      window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlIdOf(element))), instance, nullptr);
  if (created) SetWindowFont(created, GetStockObject(DEFAULT_GUI_FONT), FALSE);
  return created;
}

}  // namespace

bool RegisterWindowClasses(HINSTANCE instance) {
  WNDCLASSA main = {};
  main.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  main.lpfnWndProc = MainWindowProc;
  main.hInstance = instance;
  main.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  main.lpszClassName = kMainWindowClass;
  WNDCLASSA label = main;
  label.lpfnWndProc = LabelProc;
  label.lpszClassName = kLabelClass;
  return RegisterClassA(&main) && RegisterClassA(&label);
}

bool LoadStartWindow(HINSTANCE instance, HWND* result) {
  ProcessWaitingMessages();
  RaiseEventHold();
  const ElementDefinition& frame = Definition(0);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - frame.width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - frame.height) / 2;
  HWND window = CreateWindowExA(0, kMainWindowClass, frame.text, kMainWindowStyle, x, y, frame.width, frame.height,
                                nullptr, nullptr, instance, nullptr);
  *result = window;
  if (!window) return false;
  RECT outer;
  GetWindowRect(window, &outer);
  if (outer.right - outer.left != frame.width || outer.bottom - outer.top != frame.height)
    MoveWindow(window, x, y, frame.width, frame.height, FALSE);
  SetWindowFont(window, GetStockObject(DEFAULT_GUI_FONT), FALSE);

  MainWindowState* state = StateOf(window);
  // A missing icon is sent as null: the frame then shows the system's default.
  for (int i = 0; i < kIconCount; ++i) {
    state->icons[i].reset(static_cast<HICON>(
        LoadImageA(instance, APP_ICON_NAME, IMAGE_ICON, kIconSizes[i].size, kIconSizes[i].size, LR_DEFAULTCOLOR)));
    SendMessageA(window, WM_SETICON, kIconSizes[i].which, reinterpret_cast<LPARAM>(state->icons[i].get()));
  }
  for (int element = kElementCount - 1; element >= 1; --element) {
    state->controls[element] = CreateControl(window, instance, element);
    if (!state->controls[element]) return false;
  }
  HWND above = HWND_TOP;
  for (int element = 1; element < kElementCount; ++element) {
    SetWindowPos(state->controls[element], above, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    above = state->controls[element];
  }
  for (int element = 1; element < kElementCount; ++element)
    ShowWindow(state->controls[element], Definition(element).flags & kVisible ? SW_SHOWNA : SW_HIDE);
  ProcessWaitingMessages();
  LowerEventHold();

  RaiseEvent(OnWindowCreated);
  if (IsWindow(window) && (frame.flags & kVisible)) ShowWindow(window, SW_SHOW);
  return true;
}

bool PreTranslateWindowKey(const MSG* message) {
  if (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN) return false;
  HWND window = GetAncestor(message->hwnd, GA_ROOT);
  char name[sizeof kMainWindowClass + 1];
  if (!window || !GetClassNameA(window, name, sizeof name) || lstrcmpA(name, kMainWindowClass) != 0) return false;
  if (!IsWindowEnabled(message->hwnd)) return false;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0, alt = GetKeyState(VK_MENU) < 0;
  switch (message->wParam) {
    case VK_TAB:
      if (ctrl || alt) return false;
      if (message->hwnd != window) MoveFocus(window, !shift);
      return true;
    case VK_ESCAPE:
      if (ctrl || shift || alt) return false;
      SendMessageA(window, WM_CLOSE, 0, 0);
      return true;
  }
  return false;
}
