// The real KestrovRepair.exe under Wine with a stand-in shell32 beside it: the administrator warning before the
// window, and the report when IsUserAnAdmin cannot be bound.
//
// Wine answers "administrator" to everyone, so each test puts the stand-in in the tool's folder as shell32.dll; its
// IsUserAnAdmin answers KESTROV_IS_ADMIN_ANSWER, and every call to it, and to ShellExecuteA, is appended to
// KESTROV_SHELL_LOG. WINEDLLOVERRIDES=shell32=n,b makes the tool take it. Wine 8 reads the load order from the Unix
// environment a process was started with, and a Wine program started by another inherits its parent's, whatever
// the block given to CreateProcess says; so ctest sets it on this driver, and the block repeats it for a Wine that
// reads it from there. With the override, a process takes shell32.dll from its own folder first; only the tool's
// folder holds one, so nothing else gets the stand-in.
#include "tests/support/tool_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr char kWarningText[] = "当前程序未取得管理员权限，请尝试右键-以管理员身份运行。";
constexpr char kWarningCaption[] = "信息提示";
constexpr char kSupportCall[] =
    "ShellExecuteA window=0000000000000000 verb=open file=https://feiyuan-sim.example/kestrov parameters=<null> "
    "directory=<null> show=1";

std::vector<std::string> LogLines(const std::string& log) {
  std::string bytes;
  std::vector<std::string> lines;
  if (!ReadFileBytes(log, &bytes)) return lines;
  size_t at = 0;
  for (size_t end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(bytes.substr(at, end - at));
  return lines;
}

class AdminTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char overrides[256] = {};
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    ASSERT_STREQ("shell32=n,b", overrides) << "run under ctest, or with WINEDLLOVERRIDES=shell32=n,b in the "
                                              "environment that starts this driver";
    RemoveSystemCopies();
    SetEnvironmentVariableA("KESTROV_REGISTRATION_LOG", (scratch / "registrations.log").c_str());
    SetEnvironmentVariableA("KESTROV_SIMULATOR_LOG", (scratch / "simulator.log").c_str());
  }
  void TearDown() override { RemoveSystemCopies(); }

  // The tool's environment: the stand-in shell32 in place of Wine's, answering `answer`.
  std::string Environment(const char* answer) const {
    return EnvironmentWith({"WINEDLLOVERRIDES=shell32=n,b", std::string("KESTROV_IS_ADMIN_ANSWER=") + answer,
                            "KESTROV_SHELL_LOG=" + shellLog});
  }

  std::vector<std::string> AdminQueries() const {
    std::vector<std::string> queries;
    for (const std::string& line : LogLines(shellLog))
      if (line.compare(0, 13, "IsUserAnAdmin") == 0) queries.push_back(line);
    return queries;
  }

  // Waits for `window` of `tool` to be shown, checks it comes up as without a warning (centred, the focus on the
  // repair button), then clicks each of the three buttons and checks what it does.
  void ExpectWindowShownAndButtonsWork(ToolRun& tool, HWND window) {
    const DWORD start = GetTickCount();
    while (!IsWindowVisible(window) && GetTickCount() - start < 10000) Sleep(20);
    ASSERT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(IsWindowEnabled(window));
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2, outer.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2, outer.top);
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    for (int i = 0; i < 50 && thread.hwndFocus != GetDlgItem(window, kRepairButton); ++i, Sleep(20))
      GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    EXPECT_EQ(GetDlgItem(window, kRepairButton), thread.hwndFocus) << "focus once the window is shown";

    PostMessageA(GetDlgItem(window, kRepairButton), BM_CLICK, 0, 0);
    HWND notice = WaitForBox(tool.processId(), "信息：");
    ASSERT_NE(nullptr, notice) << "repair";
    EXPECT_EQ("将尝试打开模拟器，", ReadBox(notice).text);
    PressBoxButton(notice, IDOK);
    ASSERT_TRUE(WaitWindowGone(notice));

    PostMessageA(GetDlgItem(window, kHelpButton), BM_CLICK, 0, 0);
    HWND help = WaitForBox(tool.processId(), "信息：");
    ASSERT_NE(nullptr, help) << "help";
    EXPECT_NE(std::string::npos, ReadBox(help).text.find("以管理员身份运行"));
    PressBoxButton(help, IDOK);
    ASSERT_TRUE(WaitWindowGone(help));

    PostMessageA(GetDlgItem(window, kSupportButton), BM_CLICK, 0, 0);
    std::vector<std::string> lines;
    for (int i = 0; i < 100; ++i, Sleep(50)) {
      lines = LogLines(shellLog);
      if (!lines.empty() && lines.back().compare(0, 13, "ShellExecuteA") == 0) break;
    }
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(kSupportCall, lines.back()) << "support";
    EXPECT_EQ(STILL_ACTIVE, tool.waitExit(0));
  }

  ScratchFolder scratch{"admin"};
  const std::string shellLog = scratch / "shell.log";
  const std::string folder = scratch / "模拟器";
  const std::string exe = folder + "\\KestrovRepair.exe";
};

TEST_F(AdminTest, AnAdministratorGetsNoWarningAndTheWindowDirectly) {
  LayOutSimulatorFolder(folder);
  PlaceStandInShell(folder);
  const std::string environment = Environment("1");
  ToolRun tool(exe, environment.c_str());
  ASSERT_NE(nullptr, tool.window());
  EXPECT_TRUE(IsWindowVisible(tool.window()));
  // Asked once, of the stand-in: the check did run, and did not go to Wine's own shell32.
  EXPECT_EQ(std::vector<std::string>{"IsUserAnAdmin -> 1"}, AdminQueries());
  EXPECT_EQ(nullptr, WaitForBox(tool.processId(), nullptr, 500));
  ExpectWindowShownAndButtonsWork(tool, tool.window());
}

TEST_F(AdminTest, AnyAnswerButOneWarnsOnceBeforeTheWindowIsShown) {
  LayOutSimulatorFolder(folder);
  PlaceStandInShell(folder);
  // 2 is not TRUE: only exactly 1 counts as an administrator.
  for (const char* answer : {"0", "2", "-1"}) {
    SCOPED_TRACE(std::string("IsUserAnAdmin answers ") + answer);
    DeleteFileA(shellLog.c_str());
    const std::string environment = Environment(answer);
    ToolRun tool(exe, environment.c_str(), false);
    HWND warning = WaitForBox(tool.processId(), kWarningCaption);
    ASSERT_NE(nullptr, warning);
    const BoxView view = ReadBox(warning);
    EXPECT_EQ(kWarningText, view.text);
    EXPECT_TRUE(view.hasIcon);
    EXPECT_EQ(std::vector<int>{IDOK}, view.buttonIds);
    EXPECT_EQ(nullptr, GetWindow(warning, GW_OWNER));
    // The main window is built but not yet shown, and the task-modal box holds it.
    HWND window = WaitForTopWindow(tool.processId(), nullptr, kCaption, 2000);
    ASSERT_NE(nullptr, window);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(IsWindowEnabled(window));
    Sleep(300);
    EXPECT_FALSE(IsWindowVisible(window)) << "shown while the warning is open";

    PressBoxButton(warning, IDOK);
    ASSERT_TRUE(WaitWindowGone(warning));
    EXPECT_EQ(nullptr, WaitForBox(tool.processId(), kWarningCaption, 300)) << "warned twice";
    EXPECT_EQ(1u, AdminQueries().size());
    ExpectWindowShownAndButtonsWork(tool, window);
  }
}

TEST_F(AdminTest, WithoutIsUserAnAdminTheToolReportsAndExitsWithMinusOne) {
  LayOutSimulatorFolder(folder);
  PlaceStandInShell(folder, false);
  const std::string environment = Environment("1");
  ToolRun tool(exe, environment.c_str(), false);
  HWND report = WaitForBox(tool.processId(), "错误");
  ASSERT_NE(nullptr, report);
  const BoxView view = ReadBox(report);
  EXPECT_EQ("运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“shell32.DLL”中的输出命令“IsUserAnAdmin”\r\n",
            view.text);
  EXPECT_TRUE(view.hasIcon);
  EXPECT_EQ(std::vector<int>{IDOK}, view.buttonIds);
  HWND window = WaitForTopWindow(tool.processId(), nullptr, kCaption, 2000);
  EXPECT_TRUE(window == nullptr || !IsWindowVisible(window)) << "the window was shown before the binding failed";
  EXPECT_EQ(STILL_ACTIVE, tool.waitExit(300)) << "ended before the report was closed";
  PressBoxButton(report, IDOK);
  EXPECT_EQ(0xFFFFFFFFu, tool.waitExit());
}

}  // namespace
