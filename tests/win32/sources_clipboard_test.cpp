// The clipboard reader against the real clipboard: the whole text of any size, nothing
// without text, the clipboard never left open, and the error when another holds it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <thread>

#include "runlist/path_sources.h"
#include "text/error.h"
#include "text/texts.h"

namespace {

void putText(UINT format, const std::string& bytes) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (!bytes.empty()) {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
        GlobalUnlock(h);
        SetClipboardData(format, h);
    }
    CloseClipboard();
}

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
    putText(CF_TEXT, std::string(text.c_str(), text.size() + 1));
    const std::optional<std::string> got = qm::clipboardText(owner_);
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->size(), text.size());
    EXPECT_TRUE(*got == text);
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
}

TEST_F(ClipboardText, WithoutTextThereIsNothingAndTheClipboardIsNeverOpened) {
    putText(CF_TEXT, "");  // emptied: no format at all
    EXPECT_FALSE(qm::clipboardText(owner_).has_value());
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
}

TEST_F(ClipboardText, HeldByAnotherThreadRaisesTheClipboardError) {
    putText(CF_TEXT, std::string("C:\\x", 5));
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        OpenClipboard(nullptr);
        SetEvent(opened);
        WaitForSingleObject(release, 10000);
        CloseClipboard();
    });
    WaitForSingleObject(opened, 10000);
    try {
        qm::clipboardText(owner_);
        ADD_FAILURE() << "no error while the clipboard is held";
    } catch (const qm::AppError& e) {
        EXPECT_EQ(e.text(), qm::texts::kErrClipboard);
    }
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);
    EXPECT_EQ(qm::clipboardText(owner_), std::optional<std::string>("C:\\x"));
}

}  // namespace
