// A real KestrovRepair.exe in a throw-away simulator folder, seen from outside.
#pragma once

#include "tests/support/desktop.h"

#include <string>
#include <vector>

// The control ids of the main window.
enum ControlId {
  kRepairButton = 100,
  kPromptLabel = 110,
  kHelpButton = 120,
  kFooterLabel = 130,
  kSupportButton = 140,
};

constexpr char kCaption[] = "win7/10 Kestrov修复器";
constexpr char kComponentFolder[] = "手动安装";
constexpr char kSimulatorName[] = "Kestrov汉化版.exe";

// The three components as the tool finds them and where it puts them.
struct Component {
  const char* baseName;
  const char* fileName;
};
extern const Component kComponents[3];
std::string SystemCopyOf(const Component& component);  // C:\Windows\System32\<file>
std::string SourceOf(const std::string& folder, const Component& component);

// Lays out `folder` as a simulator folder: the tool, the stand-in simulator,
// and, when `components` is set, 手动安装\<base>\<file> with the stand-in DLL.
void LayOutSimulatorFolder(const std::string& folder, bool components = true);

// Puts a stand-in shell32 beside the tool in `folder`, as shell32.dll; the tool loads it instead of the
// system's only when started with WINEDLLOVERRIDES=shell32=n,b in its environment. Without
// `withIsUserAnAdmin`, the variant that lacks that export.
void PlaceStandInShell(const std::string& folder, bool withIsUserAnAdmin = true);

// Removes the three components from the system folder.
void RemoveSystemCopies();

// The registrations logged by the stand-in components, as the base names of
// the files registered, in the order their regsvr32 processes were started.
std::vector<std::string> Registrations(const std::string& log);

// Lines of the stand-in simulator's log: exe=, cwd=, cmd=.
struct SimulatorStart {
  std::string exe, currentDirectory, commandLine;
};
std::vector<SimulatorStart> SimulatorStarts(const std::string& log);

class ToolRun {
 public:
  // Starts `exe` (KestrovRepair.exe in its simulator folder) and waits for its main window.
  explicit ToolRun(const std::string& exe, const char* environment = nullptr, bool waitForWindow = true);
  ~ToolRun();
  ToolRun(const ToolRun&) = delete;
  ToolRun& operator=(const ToolRun&) = delete;

  HWND window() const { return window_; }
  HWND control(int id) const { return GetDlgItem(window_, id); }
  DWORD processId() const { return child_.id; }
  HWND focus() const;  // the control with the keyboard focus in the tool
  void bringToFront() const;
  // Waits for the tool to end; its exit code, or STILL_ACTIVE.
  DWORD waitExit(int timeoutMs = 10000) { return WaitChild(child_, timeoutMs); }

 private:
  Child child_;
  HWND window_ = nullptr;
};

// Presses and releases a key through SendInput, with the modifiers held.
void PressKey(WORD key, bool shift = false, bool ctrl = false, bool alt = false);
