// The main window built inside this test program, for what only its own process can read:
// the fonts of its controls (GDI handles do not cross processes), the colours it paints, and
// its answer to a change of screen density. The settings file is written beside this program
// first, as the tool's is beside its exe.
//
// Wine 8 has one density for every monitor and never sends WM_DPICHANGED, so nothing here can
// move the window to a monitor of another scale. The tests give the window and the monitor the
// new density (assumeDensity), send the message as the system does when that happens, with
// that density and a suggested frame, and check what the window does with it: the same
// function lays the controls out as at start, from fonts made for the new density, so each
// density a test sends stands for a monitor of that scale.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/desktop.h"
#include "support/files.h"
#include "text/codepage.h"
#include "ui/Unit1.h"
#include "ui/application.h"
#include "ui/layout.h"
#include "ui/screen.h"

namespace qm {
namespace {

class WindowInProcess : public ::testing::Test {
protected:
    void SetUp() override {
        static const bool app = (Application::create(GetModuleHandleA(nullptr)), true);
        (void)app;
        const std::u16string ini = Application::settingsPath();
        ini_ = test::toAcp(std::wstring(ini.begin(), ini.end()));
        test::writeFile(ini_, test::IniText().at(40, 40).bytes());
        StartSettingsReader settings(ini, systemCodePage());
        mw_ = TQuillmoorMW::create(settings);
        ASSERT_NE(mw_, nullptr);
        ASSERT_EQ(mw_->phase(), TQuillmoorMW::Phase::idle);
    }
    void TearDown() override {
        mw_.reset();  // the window goes with its object
        assumeDensity(0);
        test::pumpMessages();
        DeleteFileA(ini_.c_str());
    }

    static LOGFONTA logFontOf(HWND w) {
        LOGFONTA lf{};
        HFONT font = test::fontOf(w);
        EXPECT_NE(font, nullptr);
        if (font) GetObjectA(font, sizeof lf, &lf);
        return lf;
    }
    // The height of "0" in the control's font as the screen draws it.
    static int zeroHeight(HWND w) { return test::textExtent(test::fontOf(w), "0").cy; }

    std::unique_ptr<TQuillmoorMW> mw_;
    std::string ini_;
};

TEST_F(WindowInProcess, EveryControlHasTheWindowFontAndLabel1ItsOwn) {
    const struct {
        HWND w;
        const char* name;
    } controls[] = {{mw_->Button6, "Button6"},     {mw_->GroupBox1, "GroupBox1"}, {mw_->Button1, "Button1"},
                    {mw_->Button2, "Button2"},     {mw_->Button3, "Button3"},     {mw_->ListBox1, "ListBox1"},
                    {mw_->CheckBox1, "CheckBox1"}, {mw_->CheckBox2, "CheckBox2"}, {mw_->ComboBox1, "ComboBox1"},
                    {mw_->Label1, "Label1"}};
    for (const auto& c : controls) {
        SCOPED_TRACE(c.name);
        const LOGFONTA lf = logFontOf(c.w);
        EXPECT_STREQ(lf.lfFaceName, "\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");  // ＭＳ Ｐゴシック
        EXPECT_EQ(lf.lfHeight, c.w == mw_->Label1 ? -13 : -12);
        EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_EQ(lf.lfWeight, FW_NORMAL);
        EXPECT_FALSE(lf.lfItalic || lf.lfUnderline || lf.lfStrikeOut);
    }
    // This prefix's font has the design's metrics: "0" is 12 pixels high, so nothing scales.
    EXPECT_EQ(zeroHeight(mw_->Button6), 12);
    EXPECT_EQ(zeroHeight(mw_->Label1), 13);
}

TEST_F(WindowInProcess, PaintsTheButtonFaceAroundAndInsideTheGroupBox) {
    HWND main = mw_->handle();
    ShowWindow(main, SW_SHOWNOACTIVATE);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // Rows are taken from where the controls stand: the bottom-anchored ones sit higher in a
    // client area that a taller frame (Wine 10's, Windows') leaves shorter.
    const auto inParent = [](HWND w) {
        RECT r{};
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const auto between = [](LONG a, LONG b) { return static_cast<int>((a + b) / 2); };
    RECT client{};
    GetClientRect(main, &client);
    const RECT label = inParent(mw_->Label1), list = inParent(mw_->ListBox1), button = inParent(mw_->Button1),
               check1 = inParent(mw_->CheckBox1), check2 = inParent(mw_->CheckBox2);
    ASSERT_LT(label.bottom + 1, client.bottom);
    ASSERT_LT(list.bottom + 1, button.top);
    const struct {
        HWND w;
        int x, y;
    } spots[] = {
        {main, 3, 3},                                               // above the group box
        {main, 4, between(label.bottom, client.bottom)},            // below the label
        {mw_->GroupBox1, 100, between(list.bottom, button.top)},    // between the list and the buttons
        {mw_->GroupBox1, 250, between(check2.top, check2.bottom)},  // right of the check boxes
        {mw_->GroupBox1, 200, between(check1.top, check1.bottom)},  // right of CheckBox1
    };
    for (const auto& s : spots) {
        HDC dc = GetDC(s.w);
        EXPECT_EQ(GetPixel(dc, s.x, s.y), face) << s.x << "," << s.y;
        ReleaseDC(s.w, dc);
    }
}

// Pixels of the text colour inside a control's client area, as it stands on the screen now.
int textPixels(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    HDC dc = GetDC(w);
    int count = 0;
    for (int y = 0; y < r.bottom; ++y) {
        for (int x = 0; x < r.right; ++x) count += GetPixel(dc, x, y) == text ? 1 : 0;
    }
    ReleaseDC(w, dc);
    return count;
}

// Grown by another program's SetWindowPos to 700 x 500 (as by dragging its frame), the window
// moves its bottom row down and the group box's buttons and check boxes with it; each control
// that moved shows its caption where it lands once the window has painted what it was asked
// to (nothing else repaints it here). The label 「アプリ選択」, moved and not resized, stayed
// blank.
TEST_F(WindowInProcess, AControlThatMovesIsDrawnAgainWhereItLands) {
    HWND main = mw_->handle();
    ShowWindow(main, SW_SHOWNOACTIVATE);
    UpdateWindow(main);
    test::pumpMessages();
    const HWND moving[] = {mw_->Label1, mw_->Button6, mw_->Button1, mw_->Button3, mw_->CheckBox1, mw_->CheckBox2};
    for (HWND w : moving) EXPECT_GT(textPixels(w), 0) << GetDlgCtrlID(w);  // drawn before
    RECT before{};
    GetWindowRect(mw_->Label1, &before);
    SetWindowPos(main, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    test::pumpMessages();
    RECT after{};
    GetWindowRect(mw_->Label1, &after);
    ASSERT_EQ(after.top - before.top, 200);
    for (HWND w : moving) EXPECT_GT(textPixels(w), 0) << GetDlgCtrlID(w);
}

Bounds boundsOf(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Sends WM_DPICHANGED for `dpi` as the system does once the window has that density, with a
// suggested frame: the present one moved by (7, 5) and its size scaled from `from`. The frame
// suggested.
Bounds changeDensity(HWND main, int from, int dpi) {
    assumeDensity(dpi);
    RECT now{};
    GetWindowRect(main, &now);
    const RECT suggested{now.left + 7, now.top + 5, now.left + 7 + MulDiv(now.right - now.left, dpi, from),
                         now.top + 5 + MulDiv(now.bottom - now.top, dpi, from)};
    SendMessageA(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    return boundsOf(suggested);
}

Bounds frameOf(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return boundsOf(r);
}

// The window at `dpi`: its fonts made for it, every control where the layout for its client
// size puts it, every caption whole, no two controls overlapping, rows as high as "0".
void expectLaidOutFor(const TQuillmoorMW& mw, int dpi) {
    SCOPED_TRACE(dpi);
    HWND main = mw.handle();
    LOGFONTA lf{};
    GetObjectA(test::fontOf(mw.Button6), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, MulDiv(-12, dpi, 96));
    const int zero = test::textExtent(test::fontOf(mw.Button6), "0").cy;
    GetObjectA(test::fontOf(mw.Label1), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, MulDiv(-13, zero, 12));
    RECT client{};
    GetClientRect(main, &client);
    const Layout layout =
        layoutFor(test::expectedDesign(main, zero, test::measureInOwnFont()), client.right, client.bottom);
    for (const ControlEntry& e : kControls) {
        HWND w = GetDlgItem(e.inGroup ? mw.GroupBox1 : main, idOf(e.ctl));
        RECT r{};
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
        const Bounds& want = at(layout, e.ctl);
        EXPECT_EQ(r.left, want.left) << e.name;
        EXPECT_EQ(r.top, want.top) << e.name;
        EXPECT_EQ(r.right - r.left, want.width) << e.name;
        if (e.ctl != Ctl::ComboBox1) {
            EXPECT_EQ(r.bottom - r.top, want.height) << e.name;  // the drop-down: its opened height
        }
    }
    test::expectCaptionsFitAndNothingOverlaps(main, zero, test::measureInOwnFont());
    EXPECT_EQ(SendMessageW(mw.ListBox1, LB_GETITEMHEIGHT, 0, 0), zero);
    EXPECT_EQ(SendMessageW(mw.ComboBox1, CB_GETITEMHEIGHT, 0, 0), zero);
}

TEST_F(WindowInProcess, TakesEachSuggestedFrameAndLaysItselfOutForEachDensity) {
    HWND main = mw_->handle();
    expectLaidOutFor(*mw_, 96);
    int from = 96;
    for (int dpi : {144, 192, 120, 96}) {
        const Bounds suggested = changeDensity(main, from, dpi);
        EXPECT_EQ(frameOf(main), suggested) << dpi;
        expectLaidOutFor(*mw_, dpi);
        from = dpi;
    }
    // The smallest frame follows the density: 300 x 200 at 96, 450 x 300 at 144.
    changeDensity(main, 96, 144);
    MINMAXINFO mmi{};
    SendMessageA(main, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.x, 450);
    EXPECT_EQ(mmi.ptMinTrackSize.y, 300);
}

// The fonts of each density replace the ones before, which are deleted: after a hundred
// changes the process holds as many GDI objects as after the first. (Wine answers
// GetGuiResources with 0; there the deleted fonts and the two fonts in use tell.)
TEST_F(WindowInProcess, DensityChangesLeaveNoGdiObjectBehind) {
    HWND main = mw_->handle();
    changeDensity(main, 96, 144);
    const DWORD afterFirst = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const int dpis[] = {192, 120, 96, 144};
    int from = 144;
    for (int i = 0; i < 100; ++i) {
        const HFONT font = test::fontOf(mw_->Button6), label = test::fontOf(mw_->Label1);
        const int to = dpis[i % 4];
        changeDensity(main, from, to);
        from = to;
        // The fonts the controls had are gone.
        ASSERT_EQ(GetObjectType(font), 0u) << i;
        ASSERT_EQ(GetObjectType(label), 0u) << i;
    }
    ASSERT_EQ(from, 144);
    for (HWND w : {mw_->GroupBox1, mw_->Button1, mw_->Button2, mw_->Button3, mw_->ListBox1, mw_->CheckBox1,
                   mw_->CheckBox2, mw_->ComboBox1}) {
        EXPECT_EQ(test::fontOf(w), test::fontOf(mw_->Button6));
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), afterFirst);
    expectLaidOutFor(*mw_, 144);
}

// Any program can send or post WM_DPICHANGED, and its rectangle pointer may point anywhere: the
// window reads no rectangle that is not there, takes none without a size or off every monitor,
// and then keeps its top-left and scales its size itself. A density other than the window's own
// was not sent by the system and changes nothing.
TEST_F(WindowInProcess, ADensityChangeWithoutAUsableRectangleKeepsTheTopLeftAndScales) {
    HWND main = mw_->handle();
    const Bounds before = frameOf(main);
    assumeDensity(144);
    SendMessageA(main, WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
    EXPECT_EQ(frameOf(main),
              (Bounds{before.left, before.top, MulDiv(before.width, 144, 96), MulDiv(before.height, 144, 96)}));
    expectLaidOutFor(*mw_, 144);

    const RECT noSize{500, 500, 500, 900}, offEveryMonitor{-30000, -30000, -29000, -29000};
    const LPARAM bogus[] = {1,
                            0x10,
                            0xFFF0,
                            static_cast<LPARAM>(static_cast<std::uintptr_t>(-1) & ~std::uintptr_t{3}),
                            reinterpret_cast<LPARAM>(&noSize),
                            reinterpret_cast<LPARAM>(&offEveryMonitor)};
    int from = 144;
    for (const LPARAM p : bogus) {
        const int dpi = from == 144 ? 96 : 144;
        const Bounds was = frameOf(main);
        assumeDensity(dpi);
        SendMessageA(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), p);
        EXPECT_EQ(frameOf(main),
                  (Bounds{was.left, was.top, MulDiv(was.width, dpi, from), MulDiv(was.height, dpi, from)}))
            << std::hex << p;
        from = dpi;
    }
    expectLaidOutFor(*mw_, from);
    // Posted, the pointer is as bogus.
    assumeDensity(120);
    PostMessageA(main, WM_DPICHANGED, MAKEWPARAM(120, 120), 0x20);
    test::pumpMessages();
    expectLaidOutFor(*mw_, 120);
    // The window is at 120: no density, one no screen has, another one, or two at once.
    const Bounds was = frameOf(main);
    RECT suggested{0, 0, 900, 900};
    for (const WPARAM w : {MAKEWPARAM(0, 0), MAKEWPARAM(12, 12), MAKEWPARAM(5000, 5000), MAKEWPARAM(960, 960),
                           MAKEWPARAM(144, 144), MAKEWPARAM(96, 96), MAKEWPARAM(120, 144), MAKEWPARAM(144, 120)}) {
        SendMessageA(main, WM_DPICHANGED, w, reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(frameOf(main), was) << std::hex << w;
    }
    expectLaidOutFor(*mw_, 120);
}

// Closed at 144 dpi, the window stores its frame in 96-dpi units: the same figures as a
// window of the same apparent size at 96.
TEST_F(WindowInProcess, ClosedAfterADensityChangeItStoresNinetySixDpiUnits) {
    HWND main = mw_->handle();
    assumeDensity(144);
    RECT suggested{150, 120, 150 + 510, 120 + 450};
    SendMessageA(main, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    ASSERT_EQ(frameOf(main), boundsOf(suggested));
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(main));
    const std::string ini = test::readFile(ini_);
    EXPECT_NE(ini.find("Top=80"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Left=100"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Width=340"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Height=300"), std::string::npos) << ini;
}

}  // namespace
}  // namespace qm
