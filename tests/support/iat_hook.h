// Redirects one imported function of the test program itself, to record what its own code passes to Win32.
#pragma once

#include "platform/win32.h"

// Replaces the import of `function` from `library` in the running
// executable's import table and returns the original address, or null when
// the executable does not import it. The replacement should call the original.
void* HookImport(const char* library, const char* function, void* replacement);
