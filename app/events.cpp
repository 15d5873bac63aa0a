// Event delivery under the event hold.
#include "app/events.h"

#include "platform/platform.h"

void RaiseEvent(void (*handler)()) {
  if (handler && !IsEventHoldUp()) handler();
}

void OnProgramStart() {}
void OnProgramEnd() {}
bool OnPromptLabelFeedback(int32_t, int32_t, int32_t*) { return false; }
