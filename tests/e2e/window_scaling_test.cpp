// The window on screens whose font metrics differ from the design's: the tool measures "0" in
// its window font and scales every position and size, the design sizes of the resize rules and
// Label1's own font by (measured height / 12). Two such screens, each for one start of the tool:
// the window font mapped to IPA P Gothic (its "0" is 13 pixels at height -12), and 120 pixels
// per inch with the design's font (the window font becomes -15). Wine reads both settings when
// a process starts, so the registry is changed for the tool's start and put back at once.
// Then a density change another program sends, and screens of 120, 144 and 192 pixels per inch
// with either font: the stored position and size, the minimum size and the layout's wholeness.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "harness.h"
#include "ui/layout.h"
#include "ui/resource.h"
#include "window_places.h"

namespace qm::e2e {
namespace {

constexpr char kReplacements[] = "Software\\Wine\\Fonts\\Replacements";
constexpr char kDesktop[] = "Control Panel\\Desktop";
// What the test prefix holds (tools/wine-prefix): the design's font, 96 pixels per inch.
constexpr char kDesignFace[] = "UmePlus P Gothic";

// One registry value of HKCU set for a while; the old value (or its absence) comes back.
class RegistryOverride {
public:
    RegistryOverride(const char* key, const char* name, DWORD type, const void* data, DWORD size)
        : key_(key), name_(name) {
        HKEY k = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &k, nullptr) !=
            ERROR_SUCCESS) {
            ADD_FAILURE() << "cannot open " << key;
            return;
        }
        DWORD oldType = 0, oldSize = 0;
        if (RegQueryValueExA(k, name, nullptr, &oldType, nullptr, &oldSize) == ERROR_SUCCESS) {
            std::string old(oldSize, '\0');
            RegQueryValueExA(k, name, nullptr, &oldType, reinterpret_cast<BYTE*>(&old[0]), &oldSize);
            old_ = old;
            oldType_ = oldType;
        }
        EXPECT_EQ(RegSetValueExA(k, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(k);
    }
    ~RegistryOverride() {
        HKEY k = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key_, 0, KEY_WRITE, &k) != ERROR_SUCCESS) return;
        if (old_) {
            RegSetValueExA(k, name_, 0, oldType_, reinterpret_cast<const BYTE*>(old_->data()),
                           static_cast<DWORD>(old_->size()));
        } else {
            RegDeleteValueA(k, name_);
        }
        RegCloseKey(k);
    }
    RegistryOverride(const RegistryOverride&) = delete;
    RegistryOverride& operator=(const RegistryOverride&) = delete;

private:
    const char* key_;
    const char* name_;
    std::optional<std::string> old_;
    DWORD oldType_ = 0;
};

// Should an earlier run have died between the change and its undoing, the prefix gets its
// design settings back before any test of this program starts a window.
class DesignScreen : public ::testing::Environment {
public:
    void SetUp() override {
        HKEY k = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kReplacements, 0, KEY_READ | KEY_WRITE, &k) == ERROR_SUCCESS) {
            RegSetValueExA(k, kWindowFace, 0, REG_SZ, reinterpret_cast<const BYTE*>(kDesignFace), sizeof kDesignFace);
            RegCloseKey(k);
        }
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktop, 0, KEY_WRITE, &k) == ERROR_SUCCESS) {
            RegDeleteValueA(k, "LogPixels");
            RegCloseKey(k);
        }
    }
};
::testing::Environment* const designScreen = ::testing::AddGlobalTestEnvironment(new DesignScreen);

// The height of "0" in the window font, measured by the face's own name (this process keeps
// the font mapping it started with).
int zeroHeight(const char* face, int windowFontHeight) {
    std::string realised;
    const SIZE size = test::textExtent(face, windowFontHeight, "0", &realised);
    EXPECT_EQ(realised, face) << "the font is not installed";
    return size.cy;
}

class ScaledWindow : public ToolTest {
protected:
    // Starts the tool and waits for its window; the registry overrides end before it returns.
    void open() { startTool(IniText().at(20, 20).size(500, 450).bytes()); }
    // Gives the window the client size asked for, its frame measured on the window itself.
    void resizeClient(int w, int h) {
        RECT outer{}, client{};
        GetWindowRect(main_, &outer);
        GetClientRect(main_, &client);
        const int frameW = (outer.right - outer.left) - client.right;
        const int frameH = (outer.bottom - outer.top) - client.bottom;
        SetWindowPos(main_, nullptr, 0, 0, w + frameW, h + frameH, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        waitUntil(
            [&] {
                GetClientRect(main_, &client);
                return client.right == w && client.bottom == h;
            },
            3000);
    }
    // The window at its font's scale: at the design client size scaled by zero/12 and at one
    // 100 wider and taller, every control where `atDesign` and `larger` put it, every caption
    // whole in the window font (`face` at `windowFontHeight`) and Label1's own (-13 scaled),
    // and the run list's rows as high as "0".
    void expectScaledLayout(const char* face, int zero, int windowFontHeight, int clientWidth, int clientHeight,
                            const std::vector<Place>& atDesign, const std::vector<Place>& larger) {
        std::string realised;
        test::textExtent(face, windowFontHeight, "0", &realised);
        ASSERT_EQ(realised, face);
        const test::TextMeasure measure = test::measureInFace(face, windowFontHeight, MulDiv(-13, zero, 12));
        for (int grow : {0, 100}) {
            SCOPED_TRACE(grow);
            resizeClient(clientWidth + grow, clientHeight + grow);
            expectPlaces(main_, clientWidth + grow, clientHeight + grow, grow ? larger : atDesign);
            test::expectCaptionsFitAndNothingOverlaps(main_, zero, measure);
        }
        EXPECT_EQ(SendMessageW(c(kIdListBox1), LB_GETITEMHEIGHT, 0, 0), zero);
    }
};

// IPA P Gothic's "0" is 13 pixels: every design figure times 13/12, to the nearest pixel, the
// client 360 x 296 and the group box 341 x 243. 100 wider and taller, the group box 441 x 343
// spreads the buttons about their centres (MulDiv(55, 441, 341) - 39 for Button1). Its
// captions are narrower than the design font's and all fit (「ファイル追加」 64 and 2 x 2 in
// 79, 「実行したらリストをクリアする」 143 and 17 in 174); Label1 is sized to 「アプリ選択」
// at -14, 64 x 15, and ends more than 2 before the drop-down.
TEST_F(ScaledWindow, FontWhoseZeroIs13PixelsScalesEverythingBy13Over12) {
    const int zero = zeroHeight("IPAPGothic", -12);
    ASSERT_EQ(zero, 13);
    {
        const char face[] = "IPAPGothic";
        RegistryOverride mapping(kReplacements, kWindowFace, REG_SZ, face, sizeof face);
        open();
    }
    ASSERT_NE(main_, nullptr);
    expectScaledLayout("IPAPGothic", zero, -12, 360, 296,
                       {{kIdLabel1, "Label1", 17, 263, 64, 15},
                        {kIdGroupBox1, "GroupBox1", 9, 10, 341, 243},
                        {kIdButton1, "Button1", 16, 164, 79, 27},
                        {kIdButton2, "Button2", 133, 164, 79, 27},
                        {kIdButton3, "Button3", 245, 164, 79, 27},
                        {kIdListBox1, "ListBox1", 9, 18, 324, 138},
                        {kIdCheckBox1, "CheckBox1", 26, 195, 174, 22},
                        {kIdCheckBox2, "CheckBox2", 26, 217, 131, 22},
                        {kIdButton6, "Button6", 293, 258, 51, 27},
                        {kIdComboBox1, "ComboBox1", 87, 260, 204, 0}},
                       {{kIdLabel1, "Label1", 17, 363, 64, 15},
                        {kIdGroupBox1, "GroupBox1", 9, 10, 441, 343},
                        {kIdButton1, "Button1", 32, 264, 79, 27},
                        {kIdButton2, "Button2", 183, 264, 79, 27},
                        {kIdButton3, "Button3", 328, 264, 79, 27},
                        {kIdListBox1, "ListBox1", 9, 18, 424, 238},
                        {kIdCheckBox1, "CheckBox1", 26, 295, 274, 22},
                        {kIdCheckBox2, "CheckBox2", 26, 317, 131, 22},
                        {kIdButton6, "Button6", 393, 358, 51, 27},
                        {kIdComboBox1, "ComboBox1", 87, 360, 304, 0}});
}

// At 120 pixels per inch the window font is -15 and its "0" 15 pixels: every design figure
// times 15/12, the client 415 x 341 and the group box 394 x 280; 100 wider and taller, the
// group box 494 x 380. A button takes 3 (2 scaled) on each side of its text: 「ファイル追加」
// and 「フォルダ追加」 are 90 wide, so Button1 and Button2 need 96 of their 91, 2 more on the
// left and 3 on the right. A check box takes 20 (16 scaled) before its text: 「実行したらリスト
// をクリアする」 (210) needs 230 of 201, 「実行したら終了する」 (135) 155 of 151. Label1 is sized
// to 「アプリ選択」 at -16, 80 x 16, and the drop-down starts 3 after it, at 20 + 80 + 3,
// keeping its right edge.
TEST_F(ScaledWindow, At120PixelsPerInchTheWindowFontGrowsAndEverythingScalesWithIt) {
    const int zero = zeroHeight(kDesignFace, MulDiv(-12, 120, 96));  // -15
    ASSERT_EQ(zero, 15);
    {
        const DWORD ppi = 120;
        RegistryOverride dpi(kDesktop, "LogPixels", REG_DWORD, &ppi, sizeof ppi);
        open();
    }
    ASSERT_NE(main_, nullptr);
    expectScaledLayout(kDesignFace, zero, -15, 415, 341,
                       {{kIdLabel1, "Label1", 20, 304, 80, 16},
                        {kIdGroupBox1, "GroupBox1", 10, 11, 394, 280},
                        {kIdButton1, "Button1", 19 - 2, 189, 91 + 5, 31},
                        {kIdButton2, "Button2", 154 - 2, 189, 91 + 5, 31},
                        {kIdButton3, "Button3", 283, 189, 91, 31},
                        {kIdListBox1, "ListBox1", 10, 21, 374, 159},
                        {kIdCheckBox1, "CheckBox1", 30, 225, 201 + 29, 25},
                        {kIdCheckBox2, "CheckBox2", 30, 250, 151 + 4, 25},
                        {kIdButton6, "Button6", 338, 298, 59, 31},
                        {kIdComboBox1, "ComboBox1", 103, 300, 235 - 3, 0}},
                       {{kIdLabel1, "Label1", 20, 404, 80, 16},
                        {kIdGroupBox1, "GroupBox1", 10, 11, 494, 380},
                        {kIdButton1, "Button1", 35 - 2, 289, 91 + 5, 31},
                        {kIdButton2, "Button2", 205 - 2, 289, 91 + 5, 31},
                        {kIdButton3, "Button3", 366, 289, 91, 31},
                        {kIdListBox1, "ListBox1", 10, 21, 474, 259},
                        {kIdCheckBox1, "CheckBox1", 30, 325, 301, 25},
                        {kIdCheckBox2, "CheckBox2", 30, 350, 151 + 4, 25},
                        {kIdButton6, "Button6", 438, 398, 59, 31},
                        {kIdComboBox1, "ComboBox1", 103, 400, 335 - 3, 0}});
}

// The system sends WM_DPICHANGED with the density the window then has. Another program that
// sends one naming another density (the window is at 96, the only one this screen has) makes
// the window neither grow nor take another minimum size, and the close stores what was read.
TEST(OtherProgramsDensity, ADensityTheWindowDoesNotHaveChangesNothing) {
    Tool tool(IniText().at(20, 30).size(500, 450).bytes());
    const HWND main = tool.startAndWait();
    ASSERT_NE(main, nullptr);
    RECT before{}, after{};
    GetWindowRect(main, &before);
    // Without a rectangle that the window can read, it would keep its top-left and scale.
    for (int dpi : {960, 144, 192}) SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0);
    GetWindowRect(main, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    MINMAXINFO mmi{};
    SendMessageA(main, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.x, 300);
    ASSERT_TRUE(tool.close(main));
    const std::string ini = readFile(tool.iniPath());
    EXPECT_EQ(iniValue(ini, "Pos", "Height"), "450");
    EXPECT_EQ(iniValue(ini, "Pos", "Width"), "500");
}

// A screen of 120, 144 or 192 pixels per inch, with the design's font or with IPA P Gothic: the
// stored position and size (96-dpi units) are converted by the density and back, the minimum size
// scales with it, and at the stored size and at the minimum every control stays whole inside
// its parent, the three buttons clear of each other and of the list.
struct Screen {
    DWORD dpi;
    const char* face;
};

void PrintTo(const Screen& s, std::ostream* os) {
    *os << s.dpi << " dpi, " << s.face;
}

class DenseScreen : public ::testing::TestWithParam<Screen> {};

// Every control has a size and lies inside its parent's client area, every caption fits its
// control and no two controls overlap.
void expectWhole(HWND main, const Screen& screen) {
    for (const ControlEntry& e : kControls) {
        const char* id = e.name;
        HWND w = control(main, e.ctl);
        ASSERT_NE(w, nullptr) << id;
        const RECT r = rectInParent(w);
        RECT parent{};
        GetClientRect(GetParent(w), &parent);
        EXPECT_GT(r.right - r.left, 0) << id;
        EXPECT_GT(r.bottom - r.top, 0) << id;
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= parent.right && r.bottom <= parent.bottom)
            << id << " at " << r.left << "," << r.top << "-" << r.right << "," << r.bottom << " in " << parent.right
            << "x" << parent.bottom;
    }
    const int windowFont = MulDiv(-12, static_cast<int>(screen.dpi), 96);
    const int zero = zeroHeight(screen.face, windowFont);
    test::expectCaptionsFitAndNothingOverlaps(main, zero,
                                              test::measureInFace(screen.face, windowFont, MulDiv(-13, zero, 12)));
}

TEST_P(DenseScreen, StoredPositionAndSizeAreConvertedAndTheLayoutStaysWhole) {
    const Screen screen = GetParam();
    Tool tool(IniText().bytes());
    auto open = [&] {
        RegistryOverride dpi(kDesktop, "LogPixels", REG_DWORD, &screen.dpi, sizeof screen.dpi);
        RegistryOverride mapping(kReplacements, kWindowFace, REG_SZ, screen.face,
                                 static_cast<DWORD>(lstrlenA(screen.face) + 1));
        return tool.startAndWait();
    };
    auto px = [&](int v) { return MulDiv(v, static_cast<int>(screen.dpi), 96); };
    HWND main = open();
    ASSERT_NE(main, nullptr);
    RECT r{};
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, px(100));  // 150 at 144 dpi
    EXPECT_EQ(r.top, px(100));
    EXPECT_EQ(r.right - r.left, px(340));  // 510
    EXPECT_EQ(r.bottom - r.top, px(300));  // 450
    expectWhole(main, screen);
    // Not moved: closing writes the numbers that were read.
    ASSERT_TRUE(tool.close(main));
    const std::string ini = readFile(tool.iniPath());
    EXPECT_EQ(iniValue(ini, "Pos", "Top"), "100");
    EXPECT_EQ(iniValue(ini, "Pos", "Left"), "100");
    EXPECT_EQ(iniValue(ini, "Pos", "Height"), "300");
    EXPECT_EQ(iniValue(ini, "Pos", "Width"), "340");

    main = open();
    ASSERT_NE(main, nullptr);
    MINMAXINFO mmi{};
    SendMessageA(main, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.x, px(300));
    EXPECT_EQ(mmi.ptMinTrackSize.y, px(200));
    SetWindowPos(main, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(main, &r);
    EXPECT_EQ(r.right - r.left, px(300));
    EXPECT_EQ(r.bottom - r.top, px(200));
    expectWhole(main, screen);
}

// The settings shipped with the tool (examples/Quillmoor.ini, copied beside this program: 884,
// 111, 340 x 300 in 96-dpi units) at 100, 125, 150 and 200 % on the 1280 x 1024 test screen:
// the window opens wholly on the work area, its frame read from this process, which is
// per-monitor aware as the tool is. At 96 dpi it stands where it was stored; at 120 dpi its
// corner is converted (1105, 139) and at 144 and 192 dpi, beyond the monitor's units, taken
// as pixels; each then reached past the right edge and now ends there.
TEST(ShippedSettings, OpenWholeOnTheScreenAtEveryScale) {
    const std::string shipped = readFile(programDir() + "\\shipped-Quillmoor.ini");
    ASSERT_EQ(iniValue(shipped, "Pos", "Left"), "884");
    ASSERT_EQ(iniValue(shipped, "Pos", "Top"), "111");
    const std::pair<DWORD, RECT> cases[] = {{96, {884, 111, 1224, 411}},
                                            {120, {855, 139, 1280, 514}},
                                            {144, {770, 111, 1280, 561}},
                                            {192, {600, 111, 1280, 711}}};
    for (const auto& [dpi, frame] : cases) {
        SCOPED_TRACE(dpi);
        Tool tool(shipped);
        HWND main = nullptr;
        {
            RegistryOverride density(kDesktop, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
            main = tool.startAndWait();
        }
        ASSERT_NE(main, nullptr);
        RECT r{}, whole{};
        GetWindowRect(main, &r);
        EXPECT_TRUE(EqualRect(&r, &frame)) << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &mi));
        EXPECT_TRUE(IntersectRect(&whole, &r, &mi.rcWork) && EqualRect(&whole, &r));
        ASSERT_TRUE(tool.close(main));
    }
}

INSTANTIATE_TEST_SUITE_P(DesignAndIpaFonts, DenseScreen,
                         ::testing::Values(Screen{120, kDesignFace}, Screen{144, kDesignFace}, Screen{192, kDesignFace},
                                           Screen{120, "IPAPGothic"}, Screen{144, "IPAPGothic"},
                                           Screen{192, "IPAPGothic"}),
                         [](const ::testing::TestParamInfo<Screen>& info) {
                             return std::to_string(info.param.dpi) +
                                    (info.param.face == kDesignFace ? "DpiUmePlus" : "DpiIpa");
                         });

}  // namespace
}  // namespace qm::e2e
