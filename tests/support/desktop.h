// What the tests use to look at programs from outside: windows, message boxes, processes and files.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

// ---- Windows and message boxes -------------------------------------------

std::string WindowText(HWND window);
std::string ClassName(HWND window);

// The first top-level window of `processId` (0: of any process) whose class
// and caption match (null: any), waited for up to `timeoutMs`; null if none came.
HWND WaitForTopWindow(DWORD processId, const char* className, const char* caption, int timeoutMs = 10000);

// A message box (class #32770), waited for like WaitForTopWindow.
HWND WaitForBox(DWORD processId, const char* caption = nullptr, int timeoutMs = 10000);

struct BoxView {
  std::string caption;
  std::string text;
  bool hasIcon = false;
  std::vector<int> buttonIds;  // visible push buttons, by control id
};
BoxView ReadBox(HWND box);

// Presses one of the box's buttons the way a click would.
void PressBoxButton(HWND box, int id);

// True while `window` exists; waits up to `timeoutMs` for it to go.
bool WaitWindowGone(HWND window, int timeoutMs = 10000);

// ---- Processes -------------------------------------------------------------

struct Child {
  HANDLE process = nullptr;
  DWORD id = 0;
};
// Starts `commandLine` in `directory` (null: the test's own); `environment`
// is a double-zero-terminated block or null for the test's own.
Child StartChild(const std::string& commandLine, const char* directory = nullptr, const char* environment = nullptr);
// The exit code after the child ended, or STILL_ACTIVE when it did not end in time.
DWORD WaitChild(Child& child, int timeoutMs = 15000);
void KillChild(Child& child);

// The test's own environment with each "NAME=value" of `settings` added or put
// in place of the variable of that name, as a double-zero-terminated block for StartChild.
std::string EnvironmentWith(const std::vector<std::string>& settings);

// The folder and full path of the running test program.
std::string OwnFolder();
std::string HelperPath(const char* name);  // a helper built beside the test program

// ---- Files -----------------------------------------------------------------

// A fresh, empty folder for one test, removed with everything in it at the end.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

 private:
  std::string path_;
};

void RemoveTree(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool ReadFileBytes(const std::string& path, std::string* bytes);
bool FileExists(const std::string& path);
bool MakeFolders(const std::string& path);  // every missing folder along the path

// Waits up to `timeoutMs` for `path` to exist.
bool WaitForFile(const std::string& path, int timeoutMs = 10000);
