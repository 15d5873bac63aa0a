// The fatal error report and the event hold it raises for good.
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/win32.h"

namespace {
int g_eventHold = 0;
}

void RaiseEventHold() { ++g_eventHold; }
void LowerEventHold() { --g_eventHold; }
bool IsEventHoldUp() { return g_eventHold != 0; }

void RaiseFatalError(const char* message) {
  RaiseEventHold();
  static const char kHeader[] = "运行时出错!\r\n\r\n";
  static const char kLead[] = "错误信息：";
  static const char kTail[] = "\r\n";
  const size_t messageLength = message ? std::strlen(message) : 0;
  // Built by hand, not with JoinText: running out of memory is one of the
  // reasons to be here, and the report must not raise itself again.
  char* report = static_cast<char*>(std::malloc(sizeof kHeader + sizeof kLead + sizeof kTail + messageLength));
  if (report) {
    char* end = report;
    std::memcpy(end, kHeader, sizeof kHeader - 1), end += sizeof kHeader - 1;
    if (messageLength) {
      std::memcpy(end, kLead, sizeof kLead - 1), end += sizeof kLead - 1;
      std::memcpy(end, message, messageLength), end += messageLength;
      std::memcpy(end, kTail, sizeof kTail - 1), end += sizeof kTail - 1;
    }
    *end = '\0';
  }
  // Not task-modal: a main window on screen stays enabled, its events dropped by the hold.
  MessageBoxA(nullptr, report ? report : kHeader, "错误", MB_OK | MB_ICONERROR);
  ExitProcess(static_cast<UINT>(-1));
}
