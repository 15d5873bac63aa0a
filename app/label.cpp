// The labels: child windows of the tool's own class, and the feedback message they answer.
#include "app/events.h"
#include "app/main_window.h"
#include "app/paint.h"
#include "app/window_definition.h"
#include "platform/platform.h"

#include <windowsx.h>

namespace {

// Sent by another program to a label; raises the label's feedback event.
constexpr UINT kFeedbackMessage = 0x8075;

LRESULT OnFeedback(HWND window, WPARAM wParam, LPARAM lParam) {
  const int element = ElementOfControlId(GetDlgCtrlID(window));
  if (element < 0 || IsEventHoldUp()) return 0;
  const FeedbackHandler handler = kMainWindowDefinition[element].onFeedback;
  int32_t result = 0;
  if (!handler || !handler(static_cast<int32_t>(wParam), static_cast<int32_t>(lParam), &result)) return 0;
  return result;
}

void OnPaint(HWND window) { PaintLabel(window); }

}  // namespace

LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    HANDLE_MSG(window, WM_PAINT, OnPaint);
    case kFeedbackMessage:
      return OnFeedback(window, wParam, lParam);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
