// "貼り付け(&V)": the clipboard's text as one entry, filled by this process as another
// program would, and held open by it to see the error box.
#include <cstring>

#include "sources_support.h"
#include "ui/resource.h"
#include "wide_names.h"

namespace qm::e2e {
namespace {

std::string withNul(const std::string& text) {
    return std::string(text.c_str(), text.size() + 1);
}

class Clipboard : public SourcesTest {
protected:
    // Pastes and returns once the handler has run (sent, not posted).
    void paste() {
        DWORD_PTR result = 0;
        ASSERT_NE(SendMessageTimeoutW(main_, WM_COMMAND, MAKEWPARAM(kIdPaste1, 0), 0, SMTO_NORMAL, 20000, &result), 0);
    }
};

TEST_F(Clipboard, TheWholeTextIsOneEntryLineBreaksAndAll) {
    handOff("existing");
    ASSERT_TRUE(waitForCount(1));
    const std::string text = toAcp(L"C:\\データ表\\a.txt\r\n  two  \r\n");
    putOnClipboard(CF_TEXT, withNul(text));
    paste();
    paste();  // twice: two equal entries
    EXPECT_EQ(items(), (std::vector<std::string>{"existing", text, text}));
    EXPECT_TRUE(listSelection(list_).empty());
}

TEST_F(Clipboard, TakesTextOfEveryKindUpToItsNulAndNothingElse) {
    // A picture alone: nothing.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HDC screen = GetDC(nullptr);
    SetClipboardData(CF_BITMAP, CreateCompatibleBitmap(screen, 8, 8));
    ReleaseDC(nullptr, screen);
    CloseClipboard();
    paste();
    EXPECT_TRUE(items().empty());

    // Unicode text alone: the system offers it as code page 932 text.
    const std::wstring wide = L"C:\\\x30c7\x30fc\x30bf\x8868\\b";  // C:\データ表\b
    putOnClipboard(CF_UNICODETEXT, std::string(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * 2));
    paste();
    // An empty text is an empty entry; text after a NUL is not read; a text without any
    // NUL ends with its block.
    putOnClipboard(CF_TEXT, std::string(1, '\0'));
    paste();
    putOnClipboard(CF_TEXT, std::string("before\0after", 13));
    paste();
    putOnClipboard(CF_TEXT, "no terminator");
    paste();
    const std::vector<std::string> got = items();
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0], toAcp(L"C:\\データ表\\b"));
    EXPECT_EQ(got[1], "");
    EXPECT_EQ(got[2], "before");
    // The block's bytes and no more: Windows hands the block over as it is, Wine puts a NUL
    // into its last byte.
    EXPECT_TRUE(got[3] == "no terminator" || got[3] == "no terminato") << got[3];
}

TEST_F(Clipboard, HeldOpenByAnotherProgramShowsTheErrorBoxAndTheToolGoesOn) {
    putOnClipboard(CF_TEXT, withNul("C:\\later"));
    ASSERT_TRUE(OpenClipboard(nullptr));  // held by this process
    command(kIdPaste1);
    HWND box = ownedDialog(app_);
    CloseClipboard();
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_EQ(windowText(box), "Quillmoor");
    EXPECT_EQ(controlText(GetDlgItem(box, 0xFFFF)), std::string(kCannotOpenClipboard) + ".");
    EXPECT_FALSE(IsWindowEnabled(main_));
    press(box, IDOK);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); }));
    EXPECT_TRUE(items().empty());

    // The clipboard was closed and unlocked by the handler's end: the next paste works.
    EXPECT_TRUE(enabledAgain());
    paste();
    EXPECT_EQ(items(), std::vector<std::string>{"C:\\later"});
}

TEST_F(Clipboard, AMebibyteOfTextIsOneEntryAndTheToolGoesOn) {
    // Its bytes are checked in the Windows tests: messages between processes under Wine
    // carry no such text back, so its length is read here.
    std::string text(1 << 20, 'x');
    for (std::size_t i = 0; i < text.size(); i += 64) text[i] = static_cast<char>('a' + (i / 64) % 26);
    putOnClipboard(CF_TEXT, withNul(text));
    handOff("existing");
    ASSERT_TRUE(waitForCount(1));
    paste();
    ASSERT_TRUE(waitForCount(2));
    EXPECT_EQ(SendMessageW(list_, LB_GETTEXTLEN, 1, 0), static_cast<LRESULT>(text.size()));
    putOnClipboard(CF_TEXT, withNul("after"));
    paste();
    ASSERT_TRUE(waitForCount(3));
    wchar_t last[16] = L"";
    EXPECT_EQ(SendMessageW(list_, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(last)), 5);
    EXPECT_EQ(std::wstring(last), L"after");
}

TEST_F(Clipboard, AUnicodeTextTheCodePageLacksIsOneEntryExactlyInTheListAndForTheLaunchedProgram) {
    const WideNames names;
    for (const std::wstring& path : names.paths()) {
        putOnClipboard(CF_UNICODETEXT,
                       std::string(reinterpret_cast<const char*>(path.c_str()), (path.size() + 1) * sizeof(wchar_t)));
        paste();
    }
    ASSERT_TRUE(waitForCount(names.paths().size()));
    expectListedAndLaunched(*tool_, main_, names.paths());
}

}  // namespace
}  // namespace qm::e2e
