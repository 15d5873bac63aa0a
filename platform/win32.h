// The one way the tool includes the Windows headers: strict handles, lean headers, ANSI functions.
#pragma once

#ifndef STRICT
#define STRICT
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifdef UNICODE
#error "the tool calls the ANSI functions throughout"
#endif
#include <windows.h>
