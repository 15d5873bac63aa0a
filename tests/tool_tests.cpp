// The real KestrovRepair.exe under Wine, looked at only from outside: its window, keys, boxes, files and the programs
// it starts.
#include "tests/support/tool_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;
const Names kRegistrationOrder = {"msstdfmt", "MSCOMCTL", "COMDLG32"};

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveSystemCopies();
    SetEnvironmentVariableA("KESTROV_REGISTRATION_LOG", registrationLog.c_str());
    SetEnvironmentVariableA("KESTROV_SIMULATOR_LOG", simulatorLog.c_str());
  }
  void TearDown() override { RemoveSystemCopies(); }

  // Clicks the button as the mouse would, without waiting for the handler.
  static void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

  // Waits for the launch notice, checks it and what has happened by then, and closes it.
  void ConfirmNotice(const ToolRun& tool, size_t registrationsBefore = 3) {
    HWND notice = WaitForBox(tool.processId(), "信息：");
    ASSERT_NE(nullptr, notice);
    const BoxView view = ReadBox(notice);
    EXPECT_EQ("将尝试打开模拟器，", view.text);
    EXPECT_FALSE(view.hasIcon);
    EXPECT_EQ(std::vector<int>{IDOK}, view.buttonIds);
    EXPECT_FALSE(IsWindowEnabled(tool.window())) << "the notice is task-modal";
    EXPECT_EQ(simulatorStartsBefore, SimulatorStarts(simulatorLog).size())
        << "simulator started before the notice closed";
    WaitForRegistrations(registrationsBefore);
    PressBoxButton(notice, IDOK);
    WaitWindowGone(notice);
  }

  void WaitForRegistrations(size_t count) {
    for (int i = 0; i < 200 && Registrations(registrationLog).size() < count; ++i) Sleep(50);
  }

  std::vector<SimulatorStart> WaitForSimulator(size_t count) {
    for (int i = 0; i < 200 && SimulatorStarts(simulatorLog).size() < count; ++i) Sleep(50);
    return SimulatorStarts(simulatorLog);
  }

  void ExpectSystemCopiesEqual(const std::string& folder) {
    for (const Component& component : kComponents) {
      std::string source, copy;
      ASSERT_TRUE(ReadFileBytes(SourceOf(folder, component), &source)) << component.fileName;
      ASSERT_TRUE(ReadFileBytes(SystemCopyOf(component), &copy)) << component.fileName;
      EXPECT_EQ(source, copy) << component.fileName;
    }
  }

  ScratchFolder scratch{"tool"};
  const std::string registrationLog = scratch / "registrations.log";
  const std::string simulatorLog = scratch / "simulator.log";
  const std::string folder = scratch / "模拟器";
  const std::string exe = folder + "\\KestrovRepair.exe";
  size_t simulatorStartsBefore = 0;
};

TEST_F(ToolTest, MainWindowIsAFixedDialogFrameCentredOnTheScreen) {
  LayOutSimulatorFolder(folder);
  ToolRun tool(exe);
  HWND window = tool.window();
  ASSERT_NE(nullptr, window);
  EXPECT_EQ(kCaption, WindowText(window));
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_EQ(WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_VISIBLE, style & ~(WS_CLIPSIBLINGS));
  EXPECT_EQ(0, GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE);
  EXPECT_EQ(nullptr, GetWindow(window, GW_OWNER));
  EXPECT_TRUE(IsWindowEnabled(window));
  EXPECT_FALSE(IsIconic(window) || IsZoomed(window));
  RECT outer;
  GetWindowRect(window, &outer);
  EXPECT_EQ(293, outer.right - outer.left);
  EXPECT_EQ(237, outer.bottom - outer.top);
  EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 293) / 2, outer.left);
  EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 237) / 2, outer.top);
  EXPECT_EQ(1024, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(768, GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(ToolTest, ControlsAreCreatedAsDefinedAndStackedInDefinitionOrder) {
  LayOutSimulatorFolder(folder);
  ToolRun tool(exe);
  ASSERT_NE(nullptr, tool.window());
  constexpr LONG kChild = WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE;
  constexpr LONG kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
  const struct {
    int id;
    const char* className;
    RECT place;  // in the main window's client area
    const char* text;
    LONG style;
  } controls[] = {
      // Top of the stack first.
      {kSupportButton, "Button", {256, 176, 288, 208}, "在线支持", kButton},
      {kFooterLabel, "KestrovRepairLabel", {56, 208, 352, 224}, "", kChild},
      {kHelpButton, "Button", {224, 184, 256, 208}, "帮助", kButton},
      {kPromptLabel, "KestrovRepairLabel", {72, 8, 232, 40}, "你确定引爆GTX690么？", kChild},
      {kRepairButton, "Button", {64, 176, 216, 208}, "我确定引爆！", kButton},
  };
  HWND stacked = GetWindow(tool.window(), GW_CHILD);
  for (const auto& c : controls) {
    HWND control = tool.control(c.id);
    ASSERT_NE(nullptr, control) << c.id;
    EXPECT_EQ(control, stacked) << c.id << " is not next in the stack";
    stacked = GetWindow(stacked, GW_HWNDNEXT);
    EXPECT_STRCASEEQ(c.className, ClassName(control).c_str()) << c.id;
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, tool.window(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(c.place.left, place.left) << c.id;
    EXPECT_EQ(c.place.top, place.top) << c.id;
    EXPECT_EQ(c.place.right, place.right) << c.id;
    EXPECT_EQ(c.place.bottom, place.bottom) << c.id;
    EXPECT_EQ(c.text, WindowText(control)) << c.id;
    EXPECT_EQ(c.style, GetWindowLongA(control, GWL_STYLE)) << c.id;
    EXPECT_EQ(0, GetWindowLongA(control, GWL_EXSTYLE)) << c.id;
  }
  EXPECT_EQ(nullptr, stacked) << "no other control";
}

TEST_F(ToolTest, TabAndShiftTabCycleTheFocusOverTheButtons) {
  LayOutSimulatorFolder(folder);
  ToolRun tool(exe);
  ASSERT_NE(nullptr, tool.window());
  tool.bringToFront();
  EXPECT_EQ(tool.control(kRepairButton), tool.focus()) << "focus at start";
  const struct {
    const char* keys;
    bool shift;
    int focus;
  } steps[] = {
      {"Tab", false, kHelpButton},         {"Tab", false, kSupportButton},   {"Tab", false, kRepairButton},
      {"Shift+Tab", true, kSupportButton}, {"Shift+Tab", true, kHelpButton}, {"Shift+Tab", true, kRepairButton},
      {"Shift+Tab", true, kSupportButton}, {"Tab", false, kRepairButton},
  };
  for (const auto& step : steps) {
    PressKey(VK_TAB, step.shift);
    EXPECT_EQ(tool.control(step.focus), tool.focus()) << step.keys << " should reach " << step.focus;
  }
  // Enter and the arrows leave the focus where it is, and nothing is clicked.
  PressKey(VK_RETURN);
  PressKey(VK_RIGHT);
  EXPECT_EQ(tool.control(kRepairButton), tool.focus());
  EXPECT_EQ(nullptr, WaitForBox(tool.processId(), nullptr, 500));
}

TEST_F(ToolTest, FocusReturnsToTheButtonThatHadItAfterAnotherWindowWasActive) {
  LayOutSimulatorFolder(folder);
  ToolRun tool(exe);
  ASSERT_NE(nullptr, tool.window());
  tool.bringToFront();
  PressKey(VK_TAB);
  ASSERT_EQ(tool.control(kHelpButton), tool.focus());
  HWND other = CreateWindowExA(0, "STATIC", "another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                               nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  for (int i = 0; i < 100 && GetForegroundWindow() != other; ++i) Sleep(20);
  ASSERT_EQ(other, GetForegroundWindow());
  tool.bringToFront();
  EXPECT_EQ(tool.control(kHelpButton), tool.focus());
  DestroyWindow(other);
}

TEST_F(ToolTest, EscAndTheCloseBoxEndTheToolWithExitCodeZero) {
  LayOutSimulatorFolder(folder);
  const struct {
    const char* how;
    bool withSpareKeys;  // Esc with Shift or Ctrl first, which must not close
    void (*close)(const ToolRun&);
  } cases[] = {
      {"Esc", true, [](const ToolRun&) { PressKey(VK_ESCAPE); }},
      {"Esc on another button", false,
       [](const ToolRun&) {
         PressKey(VK_TAB);
         PressKey(VK_ESCAPE);
       }},
      {"close box", false, [](const ToolRun& tool) { PostMessageA(tool.window(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const auto& c : cases) {
    ToolRun tool(exe);
    ASSERT_NE(nullptr, tool.window()) << c.how;
    tool.bringToFront();
    if (c.withSpareKeys) {
      PressKey(VK_ESCAPE, true);
      PressKey(VK_ESCAPE, false, true);
      EXPECT_EQ(STILL_ACTIVE, tool.waitExit(300)) << "Esc with a modifier closed the tool";
      tool.bringToFront();
    }
    c.close(tool);
    EXPECT_EQ(0u, tool.waitExit()) << c.how;
  }
}

TEST_F(ToolTest, FeedbackMessageToThePromptLabelReturnsZero) {
  LayOutSimulatorFolder(folder);
  ToolRun tool(exe);
  ASSERT_NE(nullptr, tool.window());
  const WPARAM values[][2] = {{0, 0}, {1, 2}, {0xFFFFFFFF, 0x7FFFFFFF}};
  for (const auto& v : values) {
    DWORD_PTR result = 99;
    ASSERT_TRUE(SendMessageTimeoutA(tool.control(kPromptLabel), 0x8075, v[0], static_cast<LPARAM>(v[1]),
                                    SMTO_ABORTIFHUNG, 5000, &result));
    EXPECT_EQ(0u, result);
  }
  EXPECT_EQ(nullptr, WaitForBox(tool.processId(), nullptr, 300));
  EXPECT_EQ("你确定引爆GTX690么？", WindowText(tool.control(kPromptLabel)));
}

TEST_F(ToolTest, OneClickCopiesRegistersNotifiesAndThenLaunches) {
  LayOutSimulatorFolder(folder);
  ToolRun tool(exe);
  ASSERT_NE(nullptr, tool.window());
  Click(tool.control(kRepairButton));
  ConfirmNotice(tool);
  ExpectSystemCopiesEqual(folder);
  EXPECT_EQ(kRegistrationOrder, Registrations(registrationLog));
  const auto starts = WaitForSimulator(1);
  ASSERT_EQ(1u, starts.size());
  EXPECT_EQ(folder + "\\" + kSimulatorName, starts[0].exe);
  EXPECT_EQ(folder, starts[0].currentDirectory);
  EXPECT_EQ("\"" + folder + "\\" + kSimulatorName + "\"", starts[0].commandLine);
  // The window stays open and usable.
  EXPECT_TRUE(IsWindowEnabled(tool.window()));
  EXPECT_EQ(STILL_ACTIVE, tool.waitExit(200));

  // A second click runs the whole sequence again.
  simulatorStartsBefore = 1;
  Click(tool.control(kRepairButton));
  ConfirmNotice(tool, 6);
  Names twice = kRegistrationOrder;
  twice.insert(twice.end(), kRegistrationOrder.begin(), kRegistrationOrder.end());
  EXPECT_EQ(twice, Registrations(registrationLog));
  EXPECT_EQ(2u, WaitForSimulator(2).size());
}

TEST_F(ToolTest, SpaceBarOnTheFocusedButtonClicksIt) {
  LayOutSimulatorFolder(folder);
  ToolRun tool(exe);
  ASSERT_NE(nullptr, tool.window());
  tool.bringToFront();
  PressKey(VK_SPACE);
  ConfirmNotice(tool);
  EXPECT_EQ(1u, WaitForSimulator(1).size());
}

TEST_F(ToolTest, WithoutTheComponentFolderOnlyTheCopiesFail) {
  // Copies of an earlier run are in the system folder; they are registered again as they are.
  LayOutSimulatorFolder(folder, false);
  std::string earlier;
  ASSERT_TRUE(ReadFileBytes(HelperPath("standin_component.dll"), &earlier));
  earlier += "earlier run";
  for (const Component& component : kComponents) ASSERT_TRUE(WriteFileBytes(SystemCopyOf(component), earlier));
  ToolRun tool(exe);
  ASSERT_NE(nullptr, tool.window());
  Click(tool.control(kRepairButton));
  ConfirmNotice(tool);
  for (const Component& component : kComponents) {
    std::string copy;
    ASSERT_TRUE(ReadFileBytes(SystemCopyOf(component), &copy));
    EXPECT_EQ(earlier, copy) << component.fileName;
  }
  EXPECT_EQ(kRegistrationOrder, Registrations(registrationLog));
  EXPECT_EQ(1u, WaitForSimulator(1).size());
}

TEST_F(ToolTest, DestinationHeldOpenIsLeftAsItWasAndStillRegistered) {
  LayOutSimulatorFolder(folder);
  const Component& held = kComponents[1];
  ASSERT_TRUE(CopyFileA(HelperPath("standin_component.dll").c_str(), SystemCopyOf(held).c_str(), FALSE));
  // The source differs from what the system folder holds.
  std::string source;
  ASSERT_TRUE(ReadFileBytes(SourceOf(folder, held), &source));
  ASSERT_TRUE(WriteFileBytes(SourceOf(folder, held), source + "newer"));
  HANDLE open =
      CreateFileA(SystemCopyOf(held).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, open);
  ToolRun tool(exe);
  ASSERT_NE(nullptr, tool.window());
  Click(tool.control(kRepairButton));
  ConfirmNotice(tool);
  CloseHandle(open);
  std::string copy;
  ASSERT_TRUE(ReadFileBytes(SystemCopyOf(held), &copy));
  EXPECT_EQ(source, copy) << "the held destination changed";
  for (const Component& other : {kComponents[0], kComponents[2]}) {
    std::string expected, actual;
    ReadFileBytes(SourceOf(folder, other), &expected);
    ReadFileBytes(SystemCopyOf(other), &actual);
    EXPECT_EQ(expected, actual) << other.fileName;
  }
  EXPECT_EQ(kRegistrationOrder, Registrations(registrationLog));
  EXPECT_EQ(1u, WaitForSimulator(1).size());
}

TEST_F(ToolTest, FolderWithBlanksLaunchesTheSimulatorNotAPlantedPrefix) {
  const std::string blanks = scratch / "My Tools";
  LayOutSimulatorFolder(blanks);
  // What an unquoted "...\My Tools\Kestrov汉化版.exe" would start.
  ASSERT_TRUE(CopyFileA(HelperPath("standin_simulator.exe").c_str(), (scratch / "My.exe").c_str(), FALSE));
  ToolRun tool(blanks + "\\KestrovRepair.exe");
  ASSERT_NE(nullptr, tool.window());
  Click(tool.control(kRepairButton));
  ConfirmNotice(tool);
  ExpectSystemCopiesEqual(blanks);
  const auto starts = WaitForSimulator(1);
  ASSERT_EQ(1u, starts.size());
  EXPECT_EQ(blanks + "\\" + kSimulatorName, starts[0].exe);
  EXPECT_EQ(blanks, starts[0].currentDirectory);
}

TEST_F(ToolTest, ToolInADriveRootJoinsPathsWithOneBackslash) {
  // K: is mapped by the test harness to a folder of its own.
  const std::string root = "K:";
  LayOutSimulatorFolder(root);
  ToolRun tool(root + "\\KestrovRepair.exe");
  ASSERT_NE(nullptr, tool.window());
  Click(tool.control(kRepairButton));
  ConfirmNotice(tool);
  ExpectSystemCopiesEqual(root);
  EXPECT_EQ(kRegistrationOrder, Registrations(registrationLog));
  const auto starts = WaitForSimulator(1);
  ASSERT_EQ(1u, starts.size());
  EXPECT_EQ("\"K:\\Kestrov汉化版.exe\"", starts[0].commandLine);
  EXPECT_EQ("K:\\", starts[0].currentDirectory);
  tool.bringToFront();
  PressKey(VK_ESCAPE);
  EXPECT_EQ(0u, tool.waitExit());
  RemoveTree(root + "\\" + kComponentFolder);
  DeleteFileA("K:\\KestrovRepair.exe");
  DeleteFileA((root + "\\" + kSimulatorName).c_str());
}

}  // namespace
