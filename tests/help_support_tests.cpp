// The help and support buttons of the real tool under Wine: the help box as the user reads it, the address as the
// browser gets it.
#include "tests/support/tool_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// The help text, byte for byte as it must stand in code page 936.
const std::string kHelpText =
    std::string(
        "运行时请选择右键-以管理员身份运行。   本软件使用Quillet编写，杀毒软件绝对是不杀不舒服斯基。"
        "主要功能是缺少的3个文件放入系统文件夹中C:\\Windows\\System32\\并注册，如果失败，"
        "请按弹出的提示手动安装缺少的文件。") +
    "由飞鸢模拟论坛、云岭仿真爱好者协会、星河汉化论坛及飞鸢交流1群（583920174）、飞鸢交流2群（620481937）联合" +
    "发布。如有问题欢迎加群及回帖！PS：管理员权限是用了注册文件的";

const char kSupportAddress[] = "https://feiyuan-sim.example/kestrov";

// The harness's stand-in browser writes beside the Wine prefix.
std::string BrowserLog() {
  std::string prefix = std::getenv("WINEPREFIX") ? std::getenv("WINEPREFIX") : "";
  for (char& c : prefix)
    if (c == '/') c = '\\';
  return "Z:" + prefix + "\\..\\browser.log";
}

// True while the tool answers messages within half a second.
bool Responsive(const ToolRun& tool) {
  DWORD_PTR result;
  return SendMessageTimeoutA(tool.window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500, &result) != 0;
}

class HelpSupportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LayOutSimulatorFolder(folder, false);
    DeleteFileA(BrowserLog().c_str());
  }
  ScratchFolder scratch{"help"};
  const std::string folder = scratch / "模拟器";
};

TEST_F(HelpSupportTest, HelpShowsTheSameTextOnEveryClick) {
  ToolRun tool(folder + "\\KestrovRepair.exe");
  ASSERT_NE(nullptr, tool.window());
  for (int click = 1; click <= 2; ++click) {
    PostMessageA(tool.control(kHelpButton), BM_CLICK, 0, 0);
    HWND box = WaitForBox(tool.processId());
    ASSERT_NE(nullptr, box) << "click " << click;
    const BoxView view = ReadBox(box);
    EXPECT_EQ("信息：", view.caption);
    EXPECT_EQ(kHelpText, view.text) << "click " << click;
    EXPECT_FALSE(view.hasIcon);
    EXPECT_EQ(std::vector<int>{IDOK}, view.buttonIds);
    EXPECT_FALSE(IsWindowEnabled(tool.window())) << "the help box is task-modal";
    PressBoxButton(box, IDOK);
    ASSERT_TRUE(WaitWindowGone(box));
    EXPECT_TRUE(IsWindowEnabled(tool.window()));
  }
}

TEST_F(HelpSupportTest, SupportHandsTheAddressToTheBrowserWithoutWaiting) {
  ToolRun tool(folder + "\\KestrovRepair.exe");
  ASSERT_NE(nullptr, tool.window());
  for (int click = 1; click <= 2; ++click) {
    PostMessageA(tool.control(kSupportButton), BM_CLICK, 0, 0);
    Sleep(300);
    // The stand-in browser takes two seconds; the tool answers meanwhile.
    EXPECT_TRUE(Responsive(tool)) << "click " << click;
    ASSERT_TRUE(WaitForFile(BrowserLog(), 15000)) << "click " << click;
    for (int i = 0; i < 50; ++i) {
      std::string log;
      ReadFileBytes(BrowserLog(), &log);
      if (log.size() >= (sizeof kSupportAddress) * click) break;
      Sleep(100);
    }
    std::string log;
    ASSERT_TRUE(ReadFileBytes(BrowserLog(), &log));
    std::string expected;
    for (int i = 0; i < click; ++i) expected += std::string(kSupportAddress) + "\n";
    EXPECT_EQ(expected, log) << "click " << click;
  }
  EXPECT_EQ(nullptr, WaitForBox(tool.processId(), nullptr, 300)) << "the tool showed a box of its own";
}

TEST_F(HelpSupportTest, SupportShowsNothingWhenNoBrowserCanBeStarted) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS,
            RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key));
  char browsers[1024] = {};
  DWORD size = sizeof browsers;
  ASSERT_EQ(ERROR_SUCCESS,
            RegQueryValueExA(key, "Browsers", nullptr, nullptr, reinterpret_cast<BYTE*>(browsers), &size));
  const char none[] = "/nonexistent/browser";
  RegSetValueExA(key, "Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(none), sizeof none);
  {
    ToolRun tool(folder + "\\KestrovRepair.exe");
    EXPECT_NE(nullptr, tool.window());
    if (tool.window()) {
      PostMessageA(tool.control(kSupportButton), BM_CLICK, 0, 0);
      EXPECT_EQ(nullptr, WaitForBox(tool.processId(), nullptr, 2000)) << "the tool showed a box of its own";
      EXPECT_TRUE(Responsive(tool));
      EXPECT_TRUE(IsWindowEnabled(tool.window()));
    }
  }
  RegSetValueExA(key, "Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(browsers), size);
  RegCloseKey(key);
  EXPECT_FALSE(FileExists(BrowserLog()));
}

}  // namespace
