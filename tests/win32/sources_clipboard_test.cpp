// The clipboard reader against the real clipboard: a text of any size comes back whole and
// the clipboard is not left open. (The tool's own tests see the rest; between processes
// under Wine no text this long can be read back.)
#include <gtest/gtest.h>
#include <windows.h>

#include "runlist/path_sources.h"
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
    const std::optional<std::string> got = qm::clipboardText(owner_);
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->size(), text.size());
    EXPECT_TRUE(*got == text);
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
}

}  // namespace
