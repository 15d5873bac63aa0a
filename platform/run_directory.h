// Derivation of the run directory from the executable's path, apart so it can be checked on any path.
#pragma once

// Returns the length of the run directory inside `path`: the bytes before its
// last backslash, read as double-byte text in the ANSI code page; 0 when the
// path has no backslash.
int RunDirectoryLength(const char* path);

// The folder to make current for a run directory: the run directory itself,
// except that a drive alone ("D:") becomes that drive's root ("D:\"), since
// "D:" would name whatever folder the process last had on that drive.
// Writes into `out`, which holds at least length + 2 bytes.
void CurrentDirectoryFor(const char* runDirectory, char* out);
