// The tool's whole contact with the operating system outside its window code.
#pragma once

#include <initializer_list>

// A text is a zero-terminated ANSI string in code page 936. A null text counts
// as the empty text wherever an operation takes one. Texts returned by
// GetRunDirectory and JoinText are new and are released with FreeText.

void StartPlatform();
void EndPlatform();
[[noreturn]] void RaiseFatalError(const char* message);

char* GetRunDirectory();
char* JoinText(std::initializer_list<const char*> texts);
void FreeText(char* text);

bool CopyFileReplacing(const char* source, const char* destination);

// Window style codes for RunProgram: 1 hidden, 2 normal (the default),
// 3 minimised, 4 maximised, 5 normal without activation, 6 minimised without
// activation; codes below 1 count as 1, codes above 6 as 6.
constexpr int kDefaultWindowStyle = 2;
bool RunProgram(const char* commandLine, bool wait = false, int windowStyle = kDefaultWindowStyle);

// Message result codes: 0 OK (and any failure), 1 Cancel, 2 Abort, 3 Retry,
// 4 Ignore, 5 Yes, 6 No.
int ShowMessage(const char* message, unsigned style = 0);
int ShowMessage(const char* message, unsigned style, const char* caption);

void OpenWebPage(const char* address);
int QueryUserIsAdmin();

// The event hold: while it is up, no event of the main window reaches a
// handler. RaiseFatalError raises it for good.
void RaiseEventHold();
void LowerEventHold();
bool IsEventHoldUp();
