// The main window built inside this test program, for what only its own process can read:
// the fonts of its controls (GDI handles do not cross processes) and the colours it paints.
// The settings file is written beside this program first, as the tool's is beside its exe.
#include <gtest/gtest.h>

#include "support/desktop.h"
#include "support/files.h"
#include "text/codepage.h"
#include "ui/application.h"
#include "ui/Unit1.h"

namespace qm {
namespace {

class WindowInProcess : public ::testing::Test {
protected:
    void SetUp() override {
        static const bool app = (Application::create(GetModuleHandleA(nullptr)), true);
        (void)app;
        const std::u16string ini = Application::settingsPath();
        ini_ = test::toAcp(std::wstring(ini.begin(), ini.end()));
        test::writeFile(ini_, "[Pos]\r\nTop=40\r\nLeft=40\r\nWidth=340\r\nHeight=300\r\n[app]\r\nprobe=x %P\r\n");
        mw_ = TQuillmoorMW::create();
        ASSERT_NE(mw_, nullptr);
        ASSERT_FALSE(mw_->endRequested());
    }
    void TearDown() override {
        if (mw_) {
            DestroyWindow(mw_->handle());
            mw_.reset();
        }
        test::pumpMessages();  // the quit message the window posts as it goes
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
    const struct {
        HWND w;
        int x, y;
    } spots[] = {
        {main, 3, 3},                 // above the group box
        {main, 4, 268},               // below the label
        {mw_->GroupBox1, 100, 147},   // between the list and the buttons
        {mw_->GroupBox1, 250, 210},   // right of the check boxes
        {mw_->GroupBox1, 200, 190},   // right of CheckBox1
    };
    for (const auto& s : spots) {
        HDC dc = GetDC(s.w);
        EXPECT_EQ(GetPixel(dc, s.x, s.y), face) << s.x << "," << s.y;
        ReleaseDC(s.w, dc);
    }
}

}  // namespace
}  // namespace qm
