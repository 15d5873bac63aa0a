// Delivery of events to their handlers, and the shell's own handlers.
#pragma once

#include <cstdint>

// Calls `handler` unless the event hold is up or there is no handler.
void RaiseEvent(void (*handler)());

// The program's lifecycle hooks and the label's feedback handler; all do nothing in this tool.
void OnProgramStart();
void OnProgramEnd();
bool OnPromptLabelFeedback(int32_t first, int32_t second, int32_t* result);
