// The main window: its class, its building, its keys and focus.
#pragma once

#include "platform/win32.h"

// Registers the window classes of the tool; false when one cannot be registered.
bool RegisterWindowClasses(HINSTANCE instance);

// Builds the main window hidden, raises its creation-complete event, then shows
// it. False when the window or a control cannot be created. `window` is the main
// window, which a handler may already have closed.
bool LoadStartWindow(HINSTANCE instance, HWND* window);

// Offered every queued message before it is translated and dispatched: Tab and
// Shift+Tab cycle the focus, Esc closes. True when the message was consumed.
bool PreTranslateWindowKey(const MSG* message);

// The window classes' names, also seen by the label window.
constexpr char kMainWindowClass[] = "KestrovRepairWindow";
constexpr char kLabelClass[] = "KestrovRepairLabel";

LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
