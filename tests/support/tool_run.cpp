// The real tool in a simulator folder of stand-ins, driven from outside.
#include "tests/support/tool_run.h"

#include <algorithm>
#include <utility>

const Component kComponents[3] = {
    {"COMDLG32", "COMDLG32.OCX"},
    {"MSCOMCTL", "MSCOMCTL.OCX"},
    {"msstdfmt", "msstdfmt.dll"},
};

std::string SystemCopyOf(const Component& component) {
  return std::string("C:\\Windows\\System32\\") + component.fileName;
}

std::string SourceOf(const std::string& folder, const Component& component) {
  return folder + "\\" + kComponentFolder + "\\" + component.baseName + "\\" + component.fileName;
}

void LayOutSimulatorFolder(const std::string& folder, bool components) {
  MakeFolders(folder);
  CopyFileA((OwnFolder() + "\\..\\KestrovRepair.exe").c_str(), (folder + "\\KestrovRepair.exe").c_str(), FALSE);
  CopyFileA(HelperPath("standin_simulator.exe").c_str(), (folder + "\\" + kSimulatorName).c_str(), FALSE);
  if (!components) return;
  for (const Component& component : kComponents) {
    MakeFolders(folder + "\\" + kComponentFolder + "\\" + component.baseName);
    CopyFileA(HelperPath("standin_component.dll").c_str(), SourceOf(folder, component).c_str(), FALSE);
  }
}

void PlaceStandInShell(const std::string& folder, bool withIsUserAnAdmin) {
  const char* standIn = withIsUserAnAdmin ? "standin_shell32.dll" : "standin_shell32_without_admin.dll";
  CopyFileA(HelperPath(standIn).c_str(), (folder + "\\shell32.dll").c_str(), FALSE);
}

void RemoveSystemCopies() {
  for (const Component& component : kComponents) DeleteFileA(SystemCopyOf(component).c_str());
}

std::vector<std::string> Registrations(const std::string& log) {
  std::string bytes;
  std::vector<std::pair<std::string, std::string>> lines;  // creation time, base name
  if (!ReadFileBytes(log, &bytes)) return {};
  size_t at = 0;
  for (size_t end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2) {
    const std::string line = bytes.substr(at, end - at);
    const size_t blank = line.find(' ');
    std::string path = line.substr(blank + 1);
    const size_t slash = path.rfind('\\'), dot = path.rfind('.');
    lines.emplace_back(line.substr(0, blank), path.substr(slash + 1, dot - slash - 1));
  }
  std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> names;
  for (const auto& line : lines) names.push_back(line.second);
  return names;
}

std::vector<SimulatorStart> SimulatorStarts(const std::string& log) {
  std::string bytes;
  std::vector<SimulatorStart> starts;
  if (!ReadFileBytes(log, &bytes)) return starts;
  size_t at = 0;
  for (size_t end; (end = bytes.find('\n', at)) != std::string::npos; at = end + 1) {
    const std::string line = bytes.substr(at, end - at);
    if (line.compare(0, 4, "exe=") == 0) starts.push_back({line.substr(4), "", ""});
    if (starts.empty()) continue;
    if (line.compare(0, 4, "cwd=") == 0) starts.back().currentDirectory = line.substr(4);
    if (line.compare(0, 4, "cmd=") == 0) starts.back().commandLine = line.substr(4);
  }
  return starts;
}

ToolRun::ToolRun(const std::string& exe, const char* environment, bool waitForWindow) {
  // Started from the driver's own folder: the tool makes its folder current by itself.
  child_ = StartChild("\"" + exe + "\"", nullptr, environment);
  if (!waitForWindow || !child_.process) return;
  window_ = WaitForTopWindow(child_.id, nullptr, kCaption);
  // Found as soon as it exists; the tool shows it once it is built.
  const DWORD start = GetTickCount();
  while (window_ && !IsWindowVisible(window_) && GetTickCount() - start < 10000) Sleep(20);
  WaitForInputIdle(child_.process, 5000);
}

ToolRun::~ToolRun() {
  // Whatever the tool or its registrations left on screen goes with the run.
  if (child_.process && WaitChild(child_, 0) == STILL_ACTIVE) KillChild(child_);
}

HWND ToolRun::focus() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info);
  return info.hwndFocus;
}

void ToolRun::bringToFront() const {
  SetForegroundWindow(window_);
  const DWORD start = GetTickCount();
  while (GetForegroundWindow() != window_ && GetTickCount() - start < 3000) Sleep(20);
}

void PressKey(WORD key, bool shift, bool ctrl, bool alt) {
  INPUT inputs[8] = {};
  int count = 0;
  auto add = [&](WORD vk, bool up) {
    inputs[count].type = INPUT_KEYBOARD;
    inputs[count].ki.wVk = vk;
    inputs[count].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ++count;
  };
  if (ctrl) add(VK_CONTROL, false);
  if (shift) add(VK_SHIFT, false);
  if (alt) add(VK_MENU, false);
  add(key, false);
  add(key, true);
  if (alt) add(VK_MENU, true);
  if (shift) add(VK_SHIFT, true);
  if (ctrl) add(VK_CONTROL, true);
  SendInput(count, inputs, sizeof inputs[0]);
  Sleep(150);  // let the tool's thread take the keys before anyone looks
}
