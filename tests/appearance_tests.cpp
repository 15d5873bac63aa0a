// The tool's look under Wine: its embedded picture and decoder, the pixels of its painted window, and its icons.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/picture.h"
#include "tests/support/screen.h"
#include "tests/support/tool_run.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// The shipped tool is built one folder above the tests.
std::string ToolPath() { return OwnFolder() + "\\..\\KestrovRepair.exe"; }

// The tool's executable loaded as data, for its resources.
class ToolResources {
 public:
  explicit ToolResources(const std::string& exe = ToolPath())
      : module_(LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~ToolResources() {
    if (module_) FreeLibrary(module_);
  }
  ToolResources(const ToolResources&) = delete;
  ToolResources& operator=(const ToolResources&) = delete;
  HMODULE get() const { return module_; }

  std::string picture() const {
    const void* bytes = nullptr;
    size_t size = 0;
    if (!module_ || !EmbeddedPictureBytes(module_, &bytes, &size)) return std::string();
    return std::string(static_cast<const char*>(bytes), size);
  }

 private:
  HMODULE module_;
};

// ---- The embedded picture and the decoder ------------------------------------

TEST(Picture, EmbeddedPictureIsABaselineJfifJpegThatDecodesTo280By210Rgb) {
  ToolResources tool;
  const std::string bytes = tool.picture();
  ASSERT_GT(bytes.size(), 1000u);
  EXPECT_EQ(std::string("\xFF\xD8\xFF\xE0", 4), bytes.substr(0, 4));
  EXPECT_EQ(std::string("JFIF\0\x01\x01", 7), bytes.substr(6, 7)) << "JFIF 1.01";
  EXPECT_NE(std::string::npos, bytes.find("\xFF\xC0")) << "baseline frame";
  EXPECT_EQ(std::string::npos, bytes.find("\xFF\xC2")) << "no progressive frame";

  Picture picture;
  ASSERT_TRUE(DecodePicture(bytes.data(), bytes.size(), &picture));
  EXPECT_EQ(280, picture.width);
  EXPECT_EQ(210, picture.height);
  EXPECT_EQ(3, picture.components);
  EXPECT_EQ(280u * 210u * 3u, picture.rgb.size());
  // The card on a white ground: the top-left corner is white, the middle is not.
  const unsigned char* corner = &picture.rgb[0];
  EXPECT_GT(corner[0] + corner[1] + corner[2], 3 * 245);
  const unsigned char* middle = &picture.rgb[(105 * 280 + 140) * 3];
  EXPECT_LT(middle[0] + middle[1] + middle[2], 3 * 240);
}

std::string Damaged(std::string bytes, size_t at, const std::string& with) {
  return bytes.replace(at, with.size(), with);
}

TEST(Picture, DamagedStreamsFailCleanlyAndHoldNothing) {
  ToolResources tool;
  const std::string good = tool.picture();
  ASSERT_GT(good.size(), 4000u);
  const size_t sof = good.find("\xFF\xC0");
  ASSERT_NE(std::string::npos, sof);
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", std::string()},
      {"not a JPEG", std::string(500, 'x')},
      {"only the start marker", good.substr(0, 2)},
      {"cut in the headers", good.substr(0, sof + 4)},
      {"cut in the scan", good.substr(0, good.size() / 2)},
      {"without its end marker", good.substr(0, good.size() - 2)},
      {"no component in the frame", Damaged(good, sof + 9, std::string(1, '\0'))},
      {"zero width", Damaged(good, sof + 7, std::string(2, '\0'))},
      {"scan data overwritten with markers", Damaged(good, good.size() / 2, std::string(64, '\xFF'))},
  };
  for (const Case& c : cases) {
    Picture picture;
    picture.width = 1;  // a failure must also clear what was there
    picture.rgb.Allocate(10);
    EXPECT_FALSE(DecodePicture(c.bytes.data(), c.bytes.size(), &picture)) << c.what;
    EXPECT_EQ(0, picture.width) << c.what;
    EXPECT_EQ(0, picture.height) << c.what;
    EXPECT_TRUE(picture.rgb.empty()) << c.what;
    EXPECT_EQ(nullptr, picture.rgb.data()) << c.what << ": pixels still held";
  }
  // The decoder is left usable after every failure.
  Picture picture;
  EXPECT_TRUE(DecodePicture(good.data(), good.size(), &picture));
}

// ---- Resources ------------------------------------------------------------------

BOOL CALLBACK TakeFirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
  *reinterpret_cast<std::string*>(found) =
      IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<UINT_PTR>(name)) : name;
  return FALSE;
}
BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found) {
  reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
  return TRUE;
}
BOOL CALLBACK CollectSize(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR found) {
  reinterpret_cast<std::vector<DWORD>*>(found)->push_back(SizeofResource(module, FindResourceA(module, name, type)));
  return TRUE;
}

TEST(Resources, FirstIconGroupIsDefaultIconLanguageNeutralWithOne128PixelImage) {
  ToolResources tool;
  ASSERT_NE(nullptr, tool.get());
  std::string first;
  EnumResourceNamesA(tool.get(), RT_GROUP_ICON, TakeFirstName, reinterpret_cast<LONG_PTR>(&first));
  EXPECT_EQ("DEFAULT_ICON", first);
  std::vector<WORD> languages;
  EnumResourceLanguagesA(tool.get(), RT_GROUP_ICON, "DEFAULT_ICON", CollectLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  EXPECT_EQ(std::vector<WORD>{MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)}, languages);
  std::vector<DWORD> images;
  EnumResourceNamesA(tool.get(), RT_ICON, CollectSize, reinterpret_cast<LONG_PTR>(&images));
  EXPECT_EQ(std::vector<DWORD>{67624}, images) << "one 128x128 32-bit image with its AND mask";
}

// ---- The painted window -----------------------------------------------------

RECT ScreenRectOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return rect;
}

bool Inside(const RECT& rect, int x, int y) {
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// The captured client area of the tool, after its painting has settled: two captures in a row agree.
Capture CaptureClient(HWND window) {
  Capture last, now;
  for (int attempt = 0; attempt < 10; ++attempt) {
    UpdateWindow(window);
    Sleep(150);
    if (!CaptureScreen(ClientOnScreen(window), &now)) continue;
    if (now.width == last.width && now.height == last.height && now.rgb == last.rgb) break;
    last = now;
  }
  return now;
}

// `control`'s rectangle relative to `client`, a client area on the screen.
RECT ControlRectIn(HWND control, const RECT& client) {
  RECT rect = ScreenRectOf(control);
  OffsetRect(&rect, -client.left, -client.top);
  return rect;
}

// The rectangles of the tool's five controls, read once: asking another process per pixel is slow under Wine.
struct Controls {
  Controls() = default;
  Controls(const ToolRun& tool, const RECT& client) {
    int i = 0;
    for (int id : {kRepairButton, kPromptLabel, kHelpButton, kFooterLabel, kSupportButton})
      rects[i++] = ControlRectIn(tool.control(id), client);
  }
  bool covers(int x, int y) const {
    for (const RECT& rect : rects)
      if (Inside(rect, x, y)) return true;
    return false;
  }
  RECT rects[5] = {};
};

struct WindowSize {
  const char* what;
  int width, height;  // outer size; 0: as the tool shows itself
};

class PaintedWindow : public ::testing::TestWithParam<WindowSize> {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, tool.window());
    const WindowSize size = GetParam();
    if (size.width) {
      // Larger than the tool ever makes itself, so that several rows and columns of tiles and the whole footer show.
      SetWindowPos(tool.window(), nullptr, 8, 8, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    client = ClientOnScreen(tool.window());
    controls = Controls(tool, client);
    capture = CaptureClient(tool.window());
    ASSERT_EQ(client.right - client.left, capture.width);
    ASSERT_EQ(client.bottom - client.top, capture.height);
  }

  RECT ControlRect(int id) const { return ControlRectIn(tool.control(id), client); }
  bool UnderAControl(int x, int y) const { return controls.covers(x, y); }

  ToolRun tool{ToolPath()};
  RECT client = {};
  Controls controls;
  Capture capture;
};

TEST_P(PaintedWindow, BackgroundIsThePictureTiledFromTheTopLeftCornerPixelForPixel) {
  ToolResources resources;
  const std::string bytes = resources.picture();
  Picture picture;
  ASSERT_TRUE(DecodePicture(bytes.data(), bytes.size(), &picture));
  int compared = 0, repeatedColumns = 0, repeatedRows = 0, wrong = 0;
  for (int y = 0; y < capture.height; ++y) {
    for (int x = 0; x < capture.width; ++x) {
      if (UnderAControl(x, y)) continue;
      const unsigned char* p = &picture.rgb[((y % picture.height) * picture.width + x % picture.width) * 3];
      const COLORREF expected = RGB(p[0], p[1], p[2]);
      ++compared;
      if (x >= picture.width) ++repeatedColumns;
      if (y >= picture.height) ++repeatedRows;
      if (capture.at(x, y) != expected && wrong++ < 5)
        ADD_FAILURE() << "at (" << x << ", " << y << "): " << std::hex << capture.at(x, y) << " instead of "
                      << expected;
    }
  }
  EXPECT_EQ(0, wrong) << "of " << compared << " pixels";
  EXPECT_GT(repeatedColumns, 0) << "the client area is wider than one tile";
  if (GetParam().width) {
    EXPECT_GT(repeatedRows, 0);
  }
}

TEST_P(PaintedWindow, PromptLabelIsBlackTextOnWhiteLeftAlignedAndVerticallyCentred) {
  const RECT label = ControlRect(kPromptLabel);
  int inkLeft = label.right, inkTop = label.bottom, inkRight = label.left, inkBottom = label.top, black = 0;
  for (int y = label.top; y < label.bottom; ++y) {
    for (int x = label.left; x < label.right; ++x) {
      const COLORREF c = capture.at(x, y);
      ASSERT_TRUE(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c))
          << "a colour at (" << x << ", " << y << "): " << std::hex << c;
      if (c == kWhite) continue;
      if (GetRValue(c) < 64) ++black;
      inkLeft = std::min(inkLeft, x), inkRight = std::max(inkRight, x);
      inkTop = std::min(inkTop, y), inkBottom = std::max(inkBottom, y);
    }
  }
  ASSERT_GT(black, 20) << "black text";
  EXPECT_LE(inkLeft - label.left, 2) << "left-aligned";
  EXPECT_LT(inkRight, label.right - 1) << "one line that fits";
  const int inkMiddle = (inkTop + inkBottom + 1) / 2, labelMiddle = (label.top + label.bottom) / 2;
  EXPECT_LE(std::abs(inkMiddle - labelMiddle), 2) << "ink rows " << inkTop << ".." << inkBottom;
  EXPECT_LT(inkBottom - inkTop, 20) << "a single line";
}

TEST_P(PaintedWindow, FooterIsWhiteWhereItShows) {
  const RECT footer = ControlRect(kFooterLabel);
  int shown = 0;
  for (int y = std::max(0L, footer.top); y < std::min<long>(capture.height, footer.bottom); ++y)
    for (int x = std::max(0L, footer.left); x < std::min<long>(capture.width, footer.right); ++x, ++shown)
      ASSERT_EQ(kWhite, capture.at(x, y)) << "at (" << x << ", " << y << ")";
  if (GetParam().width) {
    EXPECT_EQ((footer.right - footer.left) * (footer.bottom - footer.top), shown);
  }
}

// The bounding box of the dark text pixels in `area`; empty when there are none.
RECT InkBox(const Capture& capture, const RECT& area) {
  RECT ink = {area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (GetGValue(capture.at(x, y)) < 64) {
        ink.left = std::min<LONG>(ink.left, x), ink.right = std::max<LONG>(ink.right, x + 1);
        ink.top = std::min<LONG>(ink.top, y), ink.bottom = std::max<LONG>(ink.bottom, y + 1);
      }
  return ink;
}

TEST_P(PaintedWindow, ButtonTextsAreCentredAndOnlySupportButtonsWrapsOntoTwoLines) {
  const struct {
    int id;
    bool twoLines;
  } buttons[] = {{kRepairButton, false}, {kHelpButton, false}, {kSupportButton, true}};
  for (const auto& button : buttons) {
    const RECT rect = ControlRect(button.id);
    RECT inner = rect;
    InflateRect(&inner, -3, -3);  // inside the classic 3D edge, which is dark too
    const RECT ink = InkBox(capture, inner);
    ASSERT_LT(ink.top, ink.bottom) << "no text on button " << button.id;
    const int height = ink.bottom - ink.top;
    if (button.twoLines) {
      EXPECT_GT(height, 18) << "button " << button.id;
    } else {
      EXPECT_LT(height, 16) << "button " << button.id;
    }
    // A full-width "！" inks only the left of its cell, so the ink is a few pixels off the middle;
    // text at either edge would be tens of pixels off.
    EXPECT_LE(std::abs((ink.left + ink.right) - (rect.left + rect.right)), 14) << "button " << button.id;
    EXPECT_LE(std::abs((ink.top + ink.bottom) - (rect.top + rect.bottom)), 4) << "button " << button.id;
  }
}

const WindowSize kWindowSizes[] = {{"AsShown", 0, 0}, {"Enlarged", 700, 500}};
INSTANTIATE_TEST_SUITE_P(Sizes, PaintedWindow, ::testing::ValuesIn(kWindowSizes),
                         [](const ::testing::TestParamInfo<WindowSize>& info) { return std::string(info.param.what); });

TEST(WindowIcons, BigAndSmallIconsAreSetAt32And16Pixels) {
  // Wine answers WM_GETICON sent from another process with 0, so this builds
  // the main window here, from the tool's resources linked into the test.
  HINSTANCE instance = GetModuleHandleA(nullptr);
  ASSERT_TRUE(RegisterWindowClasses(instance));
  HWND window = nullptr;
  ASSERT_TRUE(LoadStartWindow(instance, &window));
  const struct {
    WPARAM which;
    int size;
  } icons[] = {{ICON_BIG, 32}, {ICON_SMALL, 16}};
  for (const auto& icon : icons) {
    HICON handle = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, icon.which, 0));
    ASSERT_NE(nullptr, handle) << icon.size;
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(handle, &info)) << icon.size;
    BITMAP colour = {};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(icon.size, colour.bmWidth);
    EXPECT_EQ(icon.size, colour.bmHeight);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  DestroyWindow(window);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }  // the destroyed window's WM_QUIT
}

// ---- A picture that cannot be decoded -------------------------------------------------

TEST(CorruptPicture, ClientAreaIsButtonFaceAndTheButtonsStillWork) {
  ToolRun tool(HelperPath("KestrovRepairCorruptPicture.exe"));
  ASSERT_NE(nullptr, tool.window());
  const RECT client = ClientOnScreen(tool.window());
  const Capture capture = CaptureClient(tool.window());
  ASSERT_EQ(client.right - client.left, capture.width);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const Controls controls(tool, client);
  int wrong = 0, compared = 0;
  for (int y = 0; y < capture.height; ++y) {
    for (int x = 0; x < capture.width; ++x) {
      if (controls.covers(x, y)) continue;
      ++compared;
      if (capture.at(x, y) != face) ++wrong;
    }
  }
  EXPECT_GT(compared, 1000);
  EXPECT_EQ(0, wrong) << "pixels not in the button-face colour " << std::hex << face;

  // The labels still paint, and a button still clicks: help shows its box.
  const RECT prompt = ScreenRectOf(tool.control(kPromptLabel));
  EXPECT_EQ(kWhite, capture.at(prompt.left - client.left, prompt.top - client.top));
  PostMessageA(tool.control(kHelpButton), BM_CLICK, 0, 0);
  HWND box = WaitForBox(tool.processId());
  ASSERT_NE(nullptr, box);
  PressBoxButton(box, IDOK);
  EXPECT_TRUE(WaitWindowGone(box));
  PostMessageA(tool.window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, tool.waitExit());
}

}  // namespace
