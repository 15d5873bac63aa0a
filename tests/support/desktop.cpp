// Outside views of windows, boxes, processes and files for the tests.
#include "tests/support/desktop.h"

#include <cstring>

#include "platform/run_directory.h"

std::string WindowText(HWND window) {
  char text[4096] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassName(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

namespace {

struct TopSearch {
  DWORD processId;
  const char* className;
  const char* caption;
  HWND found;
};

BOOL CALLBACK MatchTop(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TopSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (search->processId && owner != search->processId) return TRUE;
  if (search->className && ClassName(window) != search->className) return TRUE;
  if (search->caption && WindowText(window) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND WaitForTopWindow(DWORD processId, const char* className, const char* caption, int timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    TopSearch search = {processId, className, caption, nullptr};
    EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return nullptr;
    Sleep(20);
  }
}

HWND WaitForBox(DWORD processId, const char* caption, int timeoutMs) {
  HWND box = WaitForTopWindow(processId, "#32770", caption, timeoutMs);
  // A box is found as soon as it exists; let it finish building its controls.
  if (box) {
    const DWORD start = GetTickCount();
    while (!IsWindowVisible(box) && GetTickCount() - start < 5000) Sleep(20);
  }
  return box;
}

namespace {

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM param) {
  auto* view = reinterpret_cast<BoxView*>(param);
  const std::string cls = ClassName(child);
  const LONG style = GetWindowLongA(child, GWL_STYLE);
  const int id = GetDlgCtrlID(child);
  if (lstrcmpiA(cls.c_str(), "Static") == 0) {
    // The icon static has another id under Wine than under Windows; its style tells it.
    if ((style & SS_TYPEMASK) == SS_ICON) {
      if (IsWindowVisible(child) && SendMessageA(child, STM_GETICON, 0, 0)) view->hasIcon = true;
    } else if (id == 0xFFFF) {
      view->text = WindowText(child);
    }
  } else if (lstrcmpiA(cls.c_str(), "Button") == 0 && IsWindowVisible(child)) {
    view->buttonIds.push_back(id);
  }
  return TRUE;
}

}  // namespace

BoxView ReadBox(HWND box) {
  BoxView view;
  view.caption = WindowText(box);
  EnumChildWindows(box, ReadBoxChild, reinterpret_cast<LPARAM>(&view));
  return view;
}

void PressBoxButton(HWND box, int id) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

bool WaitWindowGone(HWND window, int timeoutMs) {
  const DWORD start = GetTickCount();
  while (IsWindow(window)) {
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

Child StartChild(const std::string& commandLine, const char* directory, const char* environment) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::string writable = commandLine;
  Child child;
  if (CreateProcessA(nullptr, &writable[0], nullptr, nullptr, FALSE, 0, const_cast<char*>(environment), directory,
                     &startup, &info)) {
    CloseHandle(info.hThread);
    child.process = info.hProcess;
    child.id = info.dwProcessId;
  }
  return child;
}

DWORD WaitChild(Child& child, int timeoutMs) {
  if (!child.process) return STILL_ACTIVE;
  if (WaitForSingleObject(child.process, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = 0;
  GetExitCodeProcess(child.process, &code);
  CloseHandle(child.process);
  child.process = nullptr;
  return code;
}

std::string EnvironmentWith(const std::vector<std::string>& settings) {
  auto nameOf = [](const std::string& entry) {
    // Wine keeps per-drive entries such as "=C:=C:\\"; their name starts after the first character.
    const size_t equals = entry.find('=', 1);
    std::string name = entry.substr(0, equals);
    // Names are matched without regard to case, as Windows does; the ones used here are ASCII.
    for (char& c : name)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return name;
  };
  std::string block;
  char* own = GetEnvironmentStringsA();
  for (const char* entry = own; *entry; entry += std::strlen(entry) + 1) {
    bool replaced = false;
    for (const std::string& setting : settings) replaced = replaced || nameOf(setting) == nameOf(entry);
    if (!replaced) block.append(entry).push_back('\0');
  }
  FreeEnvironmentStringsA(own);
  for (const std::string& setting : settings) block.append(setting).push_back('\0');
  block.push_back('\0');
  return block;
}

void KillChild(Child& child) {
  if (!child.process) return;
  TerminateProcess(child.process, 1);
  WaitForSingleObject(child.process, 5000);
  CloseHandle(child.process);
  child.process = nullptr;
}

std::string OwnFolder() {
  char path[MAX_PATH * 4] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, RunDirectoryLength(path));
}

std::string HelperPath(const char* name) { return OwnFolder() + "\\" + name; }

ScratchFolder::ScratchFolder(const std::string& name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  path_ = std::string(temp) + "kestrov-" + name + "-" + std::to_string(GetCurrentProcessId());
  RemoveTree(path_);
  MakeFolders(path_);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        DeleteFileA(child.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool ReadFileBytes(const std::string& path, std::string* bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->clear();
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got) bytes->append(chunk, got);
  CloseHandle(file);
  return true;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool MakeFolders(const std::string& path) {
  // Double-byte aware: a trail byte 0x5C inside a folder name is no separator.
  for (size_t at = 0; at < path.size(); ++at) {
    if (IsDBCSLeadByte(static_cast<BYTE>(path[at]))) {
      ++at;
    } else if (path[at] == '\\' && at > 2) {
      CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    }
  }
  CreateDirectoryA(path.c_str(), nullptr);
  return GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY;
}

bool WaitForFile(const std::string& path, int timeoutMs) {
  const DWORD start = GetTickCount();
  while (!FileExists(path)) {
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    Sleep(20);
  }
  return true;
}
