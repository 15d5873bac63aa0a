// Platform operations, checked against the real Win32 of Wine in code page 936.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "platform/platform.h"
#include "platform/run_directory.h"
#include "tests/support/desktop.h"
#include "tests/support/iat_hook.h"

namespace {

std::string Owned(char* text) {
  std::string copy = text ? text : "<none>";
  FreeText(text);
  return copy;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// Reads the report of `probe run-directory` run from `exe`.
struct RunReport {
  std::string runDirectory, currentDirectory;
};
RunReport RunProbeFrom(const std::string& exe, const std::string& out, const char* environment = nullptr) {
  Child child = StartChild(Quoted(exe) + " run-directory " + Quoted(out), nullptr, environment);
  EXPECT_EQ(0u, WaitChild(child));
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(out, &bytes));
  RunReport report;
  const size_t run = bytes.find("run="), cwd = bytes.find("\ncwd=");
  if (run != std::string::npos && cwd != std::string::npos) {
    report.runDirectory = bytes.substr(run + 4, cwd - run - 4);
    report.currentDirectory = bytes.substr(cwd + 5, bytes.size() - cwd - 6);
  }
  return report;
}

}  // namespace

TEST(CodePage, IsChineseSimplified) { EXPECT_EQ(936u, GetACP()); }

// ---- Run directory ----------------------------------------------------------

struct RunDirectoryCase {
  const char* name;
  const char* path;
  const char* runDirectory;
};

TEST(RunDirectory, IsThePathBeforeTheLastTrueBackslash) {
  const RunDirectoryCase cases[] = {
      {"ordinary folder", "D:\\Games\\Kestrov\\KestrovRepair.exe", "D:\\Games\\Kestrov"},
      {"drive root", "D:\\KestrovRepair.exe", "D:"},
      {"network share root", "\\\\server\\share\\KestrovRepair.exe", "\\\\server\\share"},
      {"no backslash", "KestrovRepair.exe", ""},
      // 乗 is 0x81 0x5C in code page 936: its trail byte is no backslash.
      {"0x5C trail byte in the folder", "D:\\模拟乗\\KestrovRepair.exe", "D:\\模拟乗"},
      {"0x5C trail byte in the file name", "D:\\模拟\\乗.exe", "D:\\模拟"},
      {"0x5C trail byte only", "乗.exe", ""},
  };
  for (const RunDirectoryCase& c : cases) {
    EXPECT_EQ(std::string(c.runDirectory), std::string(c.path, RunDirectoryLength(c.path))) << c.name;
  }
}

TEST(RunDirectory, CurrentDirectoryOfADriveAloneIsItsRoot) {
  const RunDirectoryCase cases[] = {
      {"drive alone", "D:", "D:\\"},
      {"folder", "D:\\Games", "D:\\Games"},
      {"share", "\\\\server\\share", "\\\\server\\share"},
      {"empty", "", ""},
  };
  for (const RunDirectoryCase& c : cases) {
    char out[64];
    CurrentDirectoryFor(c.path, out);
    EXPECT_STREQ(c.runDirectory, out) << c.name;
  }
}

TEST(RunDirectory, EveryCallGivesAnIndependentCopy) {
  StartPlatform();
  char* first = GetRunDirectory();
  char* second = GetRunDirectory();
  ASSERT_NE(nullptr, first);
  ASSERT_NE(first, second);
  EXPECT_EQ(OwnFolder(), first);
  FreeText(first);
  EXPECT_EQ(OwnFolder(), Owned(second));
  EndPlatform();
}

// The tool fixes its run directory in its own process; each case copies the
// probe somewhere and asks it.
struct PlacedProbeCase {
  const char* name;
  std::string folder;  // where the probe is copied to
  std::string runDirectory, currentDirectory;
};

TEST(RunDirectory, FixedAtStartAndMadeCurrent) {
  ScratchFolder scratch("rundir");
  const PlacedProbeCase cases[] = {
      {"ordinary folder", scratch / "工具", scratch / "工具", scratch / "工具"},
      {"folder with a 0x5C trail byte", scratch / "模拟乗", scratch / "模拟乗", scratch / "模拟乗"},
      {"folder with blanks", scratch / "My Tools", scratch / "My Tools", scratch / "My Tools"},
      // The drive alone is the run directory, its root the current directory.
      {"drive root", "K:", "K:", "K:\\"},
  };
  for (const PlacedProbeCase& c : cases) {
    ASSERT_TRUE(MakeFolders(c.folder)) << c.name;
    const std::string exe = c.folder + "\\probe.exe";
    ASSERT_TRUE(CopyFileA(HelperPath("probe.exe").c_str(), exe.c_str(), FALSE)) << c.name;
    const RunReport report = RunProbeFrom(exe, scratch / "report.txt");
    EXPECT_EQ(c.runDirectory, report.runDirectory) << c.name;
    EXPECT_EQ(c.currentDirectory, report.currentDirectory) << c.name;
    DeleteFileA(exe.c_str());
    DeleteFileA((scratch / "report.txt").c_str());
  }
}

TEST(RunDirectory, DriveRootIgnoresTheDrivesRememberedFolder) {
  // "=K:" is where Windows keeps the process's current folder on drive K:.
  // SetCurrentDirectoryA("K:") would go there instead of to the root.
  ScratchFolder scratch("driveroot");
  ASSERT_TRUE(MakeFolders("K:\\elsewhere"));
  ASSERT_TRUE(CopyFileA(HelperPath("probe.exe").c_str(), "K:\\probe.exe", FALSE));
  std::string environment;
  for (const char* block = GetEnvironmentStringsA(); *block; block += std::strlen(block) + 1)
    if (std::strncmp(block, "=K:", 3) != 0) environment.append(block).push_back('\0');
  environment.append("=K:=K:\\elsewhere").push_back('\0');
  environment.push_back('\0');
  const RunReport report = RunProbeFrom("K:\\probe.exe", scratch / "report.txt", environment.data());
  EXPECT_EQ("K:", report.runDirectory);
  EXPECT_EQ("K:\\", report.currentDirectory);
  DeleteFileA("K:\\probe.exe");
  RemoveDirectoryA("K:\\elsewhere");
}

// ---- Texts ------------------------------------------------------------------

TEST(JoinText, ConcatenatesBytesAndNeverGivesNoText) {
  struct Case {
    const char* name;
    std::initializer_list<const char*> texts;
    const char* joined;
  };
  const Case cases[] = {
      {"run directory and a relative path",
       {"D:", "\\手动安装\\COMDLG32\\COMDLG32.OCX"},
       "D:\\手动安装\\COMDLG32\\COMDLG32.OCX"},
      {"no separator, nothing trimmed", {"a ", " b\\", "\\c"}, "a  b\\\\c"},
      {"missing then non-empty", {nullptr, "text"}, "text"},
      {"non-empty then missing", {"text", nullptr}, "text"},
      {"two empty", {"", ""}, ""},
      {"missing only", {nullptr}, ""},
      {"one text", {"乗"}, "乗"},
  };
  for (const Case& c : cases) {
    char* joined = JoinText(c.texts);
    ASSERT_NE(nullptr, joined) << c.name;
    EXPECT_STREQ(c.joined, joined) << c.name;
    FreeText(joined);
  }
}

TEST(JoinText, ResultIsIndependentOfItsInputs) {
  char input[] = "abc";
  char* joined = JoinText({input});
  input[0] = 'x';
  EXPECT_STREQ("abc", joined);
  FreeText(joined);
  FreeText(nullptr);  // releasing no text does nothing
}

// ---- Copies -----------------------------------------------------------------

TEST(CopyFileReplacing, ReplacesOrLeavesTheDestinationAsItWas) {
  ScratchFolder scratch("copy");
  const std::string source = scratch / "source.ocx", empty = scratch / "empty.ocx";
  ASSERT_TRUE(WriteFileBytes(source, std::string("new\0bytes", 9)));
  ASSERT_TRUE(WriteFileBytes(empty, ""));
  struct Case {
    const char* name;
    std::string source, destination;
    bool holdDestinationOpen;
    bool copied;
  };
  const Case cases[] = {
      {"writable destination", source, scratch / "dest1.ocx", false, true},
      {"new destination", source, scratch / "fresh.ocx", false, true},
      {"empty source file", empty, scratch / "dest2.ocx", false, true},
      {"destination held open without write sharing", source, scratch / "dest3.ocx", true, false},
      {"empty source path", "", scratch / "dest4.ocx", false, false},
      {"missing source", scratch / "missing.ocx", scratch / "dest5.ocx", false, false},
      {"missing destination folder", source, scratch / "no-such-folder\\dest.ocx", false, false},
  };
  for (const Case& c : cases) {
    const bool existed =
        c.destination.find("dest") != std::string::npos && c.destination.find("no-such") == std::string::npos;
    if (existed) {
      ASSERT_TRUE(WriteFileBytes(c.destination, "old content"));
    }
    HANDLE held = INVALID_HANDLE_VALUE;
    if (c.holdDestinationOpen)
      held = CreateFileA(c.destination.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(c.copied, CopyFileReplacing(c.source.c_str(), c.destination.c_str())) << c.name;
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    std::string expected, actual;
    if (c.copied) {
      ASSERT_TRUE(ReadFileBytes(c.source, &expected)) << c.name;
    } else {
      expected = existed ? "old content" : "";
    }
    const bool exists = ReadFileBytes(c.destination, &actual);
    EXPECT_EQ(c.copied || existed, exists) << c.name;
    EXPECT_EQ(expected, actual) << c.name;
  }
  EXPECT_FALSE(CopyFileReplacing(nullptr, (scratch / "dest6.ocx").c_str()));
}

// ---- Started programs -------------------------------------------------------

TEST(RunProgram, ReturnsFalseAtOnceWhenNothingCanBeStarted) {
  ScratchFolder scratch("run-missing");
  const std::string missing = Quoted(scratch / "no-such-program.exe");
  const char* lines[] = {"", nullptr, missing.c_str()};
  for (const char* line : lines) {
    const DWORD start = GetTickCount();
    EXPECT_FALSE(RunProgram(line)) << (line ? line : "<none>");
    EXPECT_LT(GetTickCount() - start, 900u) << (line ? line : "<none>");
  }
}

TEST(RunProgram, WaitsForInputIdleAtMostOneSecond) {
  ScratchFolder scratch("run-idle");
  struct Case {
    const char* name;
    std::string helper;
    bool waitsTheSecond;
  };
  const Case cases[] = {
      // A console program has no input to wait for: the wait fails at once.
      {"console program", Quoted(HelperPath("probe.exe")) + " sleep 6000", false},
      {"GUI program that stays busy", Quoted(HelperPath("gui_child.exe")) + " busy 6000", true},
  };
  for (const Case& c : cases) {
    const std::string marker = scratch / (std::string(c.waitsTheSecond ? "gui" : "console") + ".done");
    const DWORD start = GetTickCount();
    EXPECT_TRUE(RunProgram((c.helper + " " + Quoted(marker)).c_str())) << c.name;
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_FALSE(FileExists(marker)) << c.name << ": returned only after the program ended";
    if (c.waitsTheSecond) {
      EXPECT_GE(elapsed, 950u) << c.name;
      EXPECT_LT(elapsed, 5000u) << c.name;
    } else {
      EXPECT_LT(elapsed, 950u) << c.name;
    }
    EXPECT_TRUE(WaitForFile(marker, 15000)) << c.name << ": the program runs on after the return";
  }
}

TEST(RunProgram, WithWaitReturnsAfterTheProgramEnded) {
  ScratchFolder scratch("run-wait");
  const std::string marker = scratch / "ended";
  EXPECT_TRUE(RunProgram((Quoted(HelperPath("gui_child.exe")) + " busy 1500 " + Quoted(marker)).c_str(), true));
  EXPECT_TRUE(FileExists(marker));
}

TEST(RunProgram, WindowStyleCodeReachesShowWindow) {
  ScratchFolder scratch("run-style");
  const struct {
    int code;
    unsigned showWindow;
  } cases[] = {
      {0, SW_HIDE},          {1, SW_HIDE},           {2, SW_SHOWNORMAL}, {3, SW_SHOWMINIMIZED},
      {4, SW_SHOWMAXIMIZED}, {5, SW_SHOWNOACTIVATE}, {6, SW_MINIMIZE},   {7, SW_MINIMIZE},
  };
  for (const auto& c : cases) {
    const std::string out = scratch / ("style" + std::to_string(c.code) + ".txt");
    ASSERT_TRUE(RunProgram((Quoted(HelperPath("gui_child.exe")) + " startup " + Quoted(out)).c_str(), true, c.code));
    std::string report;
    ASSERT_TRUE(ReadFileBytes(out, &report));
    EXPECT_EQ("flags=" + std::to_string(STARTF_USESHOWWINDOW) + " show=" + std::to_string(c.showWindow), report)
        << "code " << c.code;
  }
  // The omitted style is code 2.
  const std::string out = scratch / "default.txt";
  ASSERT_TRUE(RunProgram((Quoted(HelperPath("gui_child.exe")) + " startup " + Quoted(out)).c_str(), true));
  std::string report;
  ASSERT_TRUE(ReadFileBytes(out, &report));
  EXPECT_EQ("flags=1 show=1", report);
}

TEST(RunProgram, StartsInTheCurrentDirectoryWithoutInheritingHandles) {
  // A command line with no folder is found by the system's own search.
  ScratchFolder scratch("run-cwd");
  char previous[MAX_PATH];
  GetCurrentDirectoryA(sizeof previous, previous);
  ASSERT_TRUE(CopyFileA(HelperPath("probe.exe").c_str(), (scratch / "probe.exe").c_str(), FALSE));
  ASSERT_TRUE(SetCurrentDirectoryA(scratch.path().c_str()));
  EXPECT_TRUE(RunProgram("probe.exe sleep 0 here.done", true));
  SetCurrentDirectoryA(previous);
  EXPECT_TRUE(FileExists(scratch / "here.done"));
}

// ---- Message boxes ----------------------------------------------------------

namespace {

int(WINAPI* g_realMessageBoxA)(HWND, LPCSTR, LPCSTR, UINT);
UINT g_lastStyle;
int WINAPI RecordingMessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
  g_lastStyle = style;
  return g_realMessageBoxA(owner, text, caption, style);
}

struct BoxOutcome {
  BoxView view;
  bool ownerWindowEnabled = true;
  int result = -1;
};

// Shows a box through `show` on this thread, beside a window of this thread,
// and reads and closes it from another thread with `closeWith`.
template <typename Show>
BoxOutcome ShowAndClose(Show show, int closeWith) {
  HWND window = CreateWindowExA(0, "STATIC", "beside the box", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
  BoxOutcome outcome;
  std::thread reader([&] {
    HWND box = WaitForBox(GetCurrentProcessId());
    if (!box) return;
    outcome.view = ReadBox(box);
    outcome.ownerWindowEnabled = IsWindowEnabled(window);
    PressBoxButton(box, closeWith);
  });
  outcome.result = show();
  reader.join();
  DestroyWindow(window);
  return outcome;
}

}  // namespace

TEST(ShowMessage, ShowsTheBoxTaskModalUnlessSystemModal) {
  g_realMessageBoxA = reinterpret_cast<decltype(g_realMessageBoxA)>(
      HookImport("user32.dll", "MessageBoxA", reinterpret_cast<void*>(RecordingMessageBoxA)));
  ASSERT_NE(nullptr, g_realMessageBoxA);
  struct Case {
    const char* name;
    const char* message;
    unsigned style;
    const char* caption;  // "<omitted>" for the two-argument form
    UINT styleGiven;
    const char* captionShown;
    bool hasIcon;
    bool windowDisabled;
  };
  const Case cases[] = {
      {"plain notice, caption omitted", "将尝试打开模拟器，", 0, "<omitted>", 0x2000, "信息：", false, true},
      {"warning with caption", "当前程序未取得管理员权限", 0x30, "信息提示", 0x2030, "信息提示", true, true},
      {"missing message and caption", nullptr, 0, nullptr, 0x2000, "", false, true},
      {"system-modal", "system", MB_SYSTEMMODAL, "<omitted>", MB_SYSTEMMODAL, "信息：", false, false},
      {"task-modal given", "task", MB_TASKMODAL, "<omitted>", MB_TASKMODAL, "信息：", false, true},
  };
  for (const Case& c : cases) {
    const bool omitted = c.caption && std::strcmp(c.caption, "<omitted>") == 0;
    const BoxOutcome outcome = ShowAndClose(
        [&] { return omitted ? ShowMessage(c.message, c.style) : ShowMessage(c.message, c.style, c.caption); }, IDOK);
    EXPECT_EQ(c.styleGiven, g_lastStyle) << c.name;
    EXPECT_EQ(c.captionShown, outcome.view.caption) << c.name;
    EXPECT_EQ(c.message ? c.message : "", outcome.view.text) << c.name;
    EXPECT_EQ(c.hasIcon, outcome.view.hasIcon) << c.name;
    EXPECT_EQ(std::vector<int>{IDOK}, outcome.view.buttonIds) << c.name;
    EXPECT_EQ(c.windowDisabled, !outcome.ownerWindowEnabled) << c.name;
    EXPECT_EQ(0, outcome.result) << c.name;
  }
  HookImport("user32.dll", "MessageBoxA", reinterpret_cast<void*>(g_realMessageBoxA));
}

TEST(ShowMessage, GivesTheResultCodeOfTheButtonThatClosedIt) {
  const struct {
    unsigned style;
    int button;
    int code;
  } cases[] = {
      {MB_OK, IDOK, 0},
      {MB_OKCANCEL, IDCANCEL, 1},
      {MB_ABORTRETRYIGNORE, IDABORT, 2},
      {MB_ABORTRETRYIGNORE, IDRETRY, 3},
      {MB_ABORTRETRYIGNORE, IDIGNORE, 4},
      {MB_YESNO, IDYES, 5},
      {MB_YESNO, IDNO, 6},
  };
  for (const auto& c : cases) {
    const BoxOutcome outcome = ShowAndClose([&] { return ShowMessage("which button?", c.style); }, c.button);
    EXPECT_EQ(c.code, outcome.result) << "style " << c.style << " button " << c.button;
  }
}

// ---- The fatal report -------------------------------------------------------

TEST(RaiseFatalError, ShowsTheReportAndEndsWithMinusOne) {
  const struct {
    const char* message;
    const char* report;
  } cases[] = {
      {"", "运行时出错!\r\n\r\n"},
      {"载入启动窗口失败", "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n"},
  };
  for (const auto& c : cases) {
    Child child = StartChild(Quoted(HelperPath("probe.exe")) + " fatal " + Quoted(c.message));
    ASSERT_NE(nullptr, child.process);
    HWND box = WaitForBox(child.id);
    ASSERT_NE(nullptr, box) << c.message;
    const BoxView view = ReadBox(box);
    EXPECT_EQ("错误", view.caption);
    EXPECT_EQ(c.report, view.text);
    EXPECT_TRUE(view.hasIcon);
    EXPECT_EQ(std::vector<int>{IDOK}, view.buttonIds);
    // Still running while the report is open.
    EXPECT_EQ(STILL_ACTIVE, WaitChild(child, 300));
    PressBoxButton(box, IDOK);
    EXPECT_EQ(0xFFFFFFFFu, WaitChild(child)) << c.message;
    KillChild(child);
  }
}

// ---- The administrator question ---------------------------------------------

namespace {

HMODULE(WINAPI* g_realLoadLibraryA)(LPCSTR);
FARPROC(WINAPI* g_realGetProcAddress)(HMODULE, LPCSTR);
BOOL(WINAPI* g_realFreeLibrary)(HMODULE);
int g_shell32Loads, g_lookups, g_frees;
HMODULE g_shell32;

HMODULE WINAPI CountingLoadLibraryA(LPCSTR name) {
  HMODULE library = g_realLoadLibraryA(name);
  if (std::strcmp(name, "shell32.DLL") == 0) ++g_shell32Loads, g_shell32 = library;
  return library;
}
FARPROC WINAPI CountingGetProcAddress(HMODULE library, LPCSTR name) {
  if (HIWORD(name) && std::strcmp(name, "IsUserAnAdmin") == 0 && library == g_shell32) ++g_lookups;
  return g_realGetProcAddress(library, name);
}
BOOL WINAPI CountingFreeLibrary(HMODULE library) {
  if (library && library == g_shell32) ++g_frees;
  return g_realFreeLibrary(library);
}

template <typename F>
void Hook(F*& real, const char* function, F* replacement) {
  real = reinterpret_cast<F*>(HookImport("kernel32.dll", function, reinterpret_cast<void*>(replacement)));
  ASSERT_NE(nullptr, real) << function;
}

}  // namespace

TEST(QueryUserIsAdmin, AnswersOneUnderWineAndBindsOnce) {
  Hook(g_realLoadLibraryA, "LoadLibraryA", CountingLoadLibraryA);
  Hook(g_realGetProcAddress, "GetProcAddress", CountingGetProcAddress);
  Hook(g_realFreeLibrary, "FreeLibrary", CountingFreeLibrary);
  EXPECT_EQ(1, QueryUserIsAdmin());
  EXPECT_EQ(1, QueryUserIsAdmin());
  EXPECT_EQ(1, g_shell32Loads);
  EXPECT_EQ(1, g_lookups);
  EXPECT_EQ(0, g_frees);
  EndPlatform();  // releases the library that supplied the function, once
  EXPECT_EQ(1, g_frees);
}
