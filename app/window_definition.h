// The main window's definition: the window and its five controls, as data.
#pragma once

#include <cstdint>

enum class ElementKind { Window, PushButton, Label };

enum ElementFlag : unsigned {
  kVisible = 1u << 0,
  kDisabled = 1u << 1,
  kTabStop = 1u << 2,
};

// The handler of a label's feedback event; returns whether it gives back a result.
using FeedbackHandler = bool (*)(int32_t first, int32_t second, int32_t* result);

struct ElementDefinition {
  ElementKind kind;
  const char* name;        // the element's role
  const char* storedName;  // the name the definition stores; none for the window
  int left, top, width, height;
  const char* text;
  unsigned flags;
  int tabPosition;
  void (*onClick)();           // push buttons
  FeedbackHandler onFeedback;  // labels
};

// The window first, then its controls, in the definition order.
extern const ElementDefinition kMainWindowDefinition[];
constexpr int kElementCount = 6;
constexpr int kControlCount = kElementCount - 1;

// Controls are created in the reverse of the definition order and numbered
// 100, 110, ... in the order of creation.
constexpr int kFirstControlId = 100;
constexpr int kControlIdStep = 10;
constexpr int ControlIdOf(int element) { return kFirstControlId + kControlIdStep * (kElementCount - 1 - element); }
constexpr int ElementOfControlId(int id) {
  return (id - kFirstControlId) % kControlIdStep == 0 && id >= kFirstControlId &&
                 id < kFirstControlId + kControlIdStep * kControlCount
             ? kElementCount - 1 - (id - kFirstControlId) / kControlIdStep
             : -1;
}
