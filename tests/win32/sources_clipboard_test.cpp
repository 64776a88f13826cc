// The clipboard reader against the real clipboard: a text of any size comes back whole and
// the clipboard is not left open; the text given is read, not what the system made of it.
// (The tool's own tests see the rest; between processes under Wine no text this long can be
// read back.)
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "runlist/clipboard.h"
#include "support/desktop.h"

namespace {

class ClipboardText : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }
    HWND owner_ = nullptr;
};

TEST_F(ClipboardText, AMebibyteComesBackWholeAndTheClipboardIsClosedAfter) {
    std::string text(1 << 20, 'x');
    for (std::size_t i = 0; i < text.size(); i += 97) text[i] = static_cast<char>('a' + (i / 97) % 26);
    text += "\r\n";
    qm::test::putOnClipboard(CF_TEXT, std::string(text.c_str(), text.size() + 1));
    const std::optional<std::u16string> got = qm::clipboardText(owner_);
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->size(), text.size());
    EXPECT_TRUE(*got == std::u16string(text.begin(), text.end()));
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
}

// Puts these formats on the clipboard in this order.
void putFormats(const std::vector<std::pair<UINT, std::string>>& formats) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    for (const auto& [format, bytes] : formats) {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
        GlobalUnlock(h);
        EXPECT_NE(SetClipboardData(format, h), nullptr);
    }
    CloseClipboard();
}

const std::string kEnglish("\x09\x04\0\0", 4);  // CF_LOCALE 0x409: the other format in code page 1252

TEST_F(ClipboardText, TheFormatGivenIsReadNotTheOneTheSystemMakesInTheLocalesCodePage) {
    // Unicode text, held by code page 932 or not: exactly, not as code page 1252's "?".
    const std::u16string wide = u"C:\\\u8868\\\u30DD \u2603\U0001F600.txt";
    putFormats({{CF_UNICODETEXT, std::string(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * 2)},
                {CF_LOCALE, kEnglish}});
    EXPECT_EQ(qm::clipboardText(owner_), wide);
    // 8-bit text alone: its bytes in code page 932, not a round trip through the Unicode
    // text made in 1252.
    putFormats({{CF_TEXT, std::string("C:\\\x95\x5C\\\x83\x7C", 9)}, {CF_LOCALE, kEnglish}});
    EXPECT_EQ(qm::clipboardText(owner_), u"C:\\\u8868\\\u30DD");
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
}

}  // namespace
