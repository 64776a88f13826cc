// The running window receiving hand-offs: from later starts of the tool, and from other
// programs that send WM_COPYDATA with whatever they like.
#include <gtest/gtest.h>

#include "harness.h"
#include "ui/resource.h"
#include "wide_names.h"

namespace qm::e2e {
namespace {

const std::string kIni = IniText().withoutPos().bytes();

HWND runList(HWND main) {
    return control(main, kIdListBox1);
}

TEST(HandoffReceiver, PathsFromLaterStartsArriveAsTheyWereMeant) {
    Tool tool(kIni);
    const HWND main = tool.startAndWait();
    ASSERT_NE(main, nullptr);
    // A quoted path with spaces arrives whole, without its quotes; "|" inside an argument cuts
    // it; ポ (trail byte "|") does not.
    EXPECT_EQ(tool.start("\"C:\\my dir\\a b.txt\" x|y C:\\\x83\x7C\x95\x5C").wait(), 0);
    EXPECT_EQ(listItems(runList(main)),
              (std::vector<std::string>{"C:\\my dir\\a b.txt", "x", "y", "C:\\\x83\x7C\x95\x5C"}));

    // A 1,000-byte argument text arrives whole.
    SendMessageW(runList(main), LB_RESETCONTENT, 0, 0);
    const std::string a(300, 'a'), b(300, 'b'), c(300, 'c'), d(97, 'd');
    EXPECT_EQ(tool.start(a + " " + b + " \"" + c + "\" " + d).wait(), 0);
    EXPECT_EQ(listItems(runList(main)), (std::vector<std::string>{a, b, c, d}));
    EXPECT_TRUE(tool.close(main));
}

TEST(HandoffReceiver, HostileCopyDataIsReadWithinItsSizeAndTheToolGoesOn) {
    Tool tool(kIni);
    const HWND main = tool.startAndWait("first");
    ASSERT_NE(main, nullptr);
    const std::vector<std::string> first{"first"};

    // cbData 0 (data pointer or not) and a NULL pointer: the empty text, nothing appended.
    const char some[] = "ignored";
    sendCopyData(main, some, 0);
    EXPECT_TRUE(answers(main));
    sendCopyData(main, nullptr, 0);
    EXPECT_TRUE(answers(main));
    EXPECT_EQ(listItems(runList(main)), first);

    // 300 bytes with no NUL, more bytes behind them: exactly the 300 bytes arrive.
    std::string noNul(300, 'n');
    noNul[150] = '|';
    const std::string buffer = noNul + std::string(300, 'Z') + '\0';
    sendCopyData(main, buffer.data(), 300);
    EXPECT_TRUE(answers(main));
    EXPECT_EQ(listItems(runList(main)),
              (std::vector<std::string>{"first", std::string(150, 'n'), std::string(149, 'n')}));
    SendMessageW(runList(main), LB_RESETCONTENT, 0, 0);

    // The largest block a later start sends in the code page form, 65,535 bytes with no NUL:
    // 128 pieces of 511 bytes between bars, taken whole. (Wine hands another process at most
    // 767 characters of a list-box entry, so the pieces stay short enough to be read back.)
    std::string whole;
    std::vector<std::string> pieces;
    for (int i = 0; i < 128; ++i) {
        std::string piece = std::to_string(i);
        piece.resize(511, static_cast<char>('A' + i % 26));
        if (i > 0) whole += '|';
        whole += piece;
        pieces.push_back(piece);
    }
    ASSERT_EQ(whole.size(), 65535u);
    EXPECT_TRUE(sendCopyData(main, whole.data(), static_cast<DWORD>(whole.size())));
    const std::vector<std::string> items = listItems(runList(main));
    EXPECT_TRUE(items == pieces) << items.size() << " entries; the last " << (items.empty() ? 0 : items.back().size())
                                 << " bytes";
    SendMessageW(runList(main), LB_RESETCONTENT, 0, 0);

    // Any WM_COPYDATA is a hand-off: "/t" from another program makes the window topmost.
    sendCopyData(main, "/t", 3);
    EXPECT_TRUE(answers(main));
    EXPECT_TRUE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(listItems(runList(main)).empty());
    EXPECT_TRUE(tool.close(main));
}

// A block larger than any later start of the tool sends (65,535 bytes in the code page form,
// 65,536 in UTF-16) is declined as it comes, nothing added, and its sender has its answer.
TEST(HandoffReceiver, ABlockLargerThanALaterStartSendsIsDeclined) {
    Tool tool(kIni);
    const HWND main = tool.startAndWait("first");
    ASSERT_NE(main, nullptr);
    const std::string over = std::string("over|x\0", 7) + std::string(65536 - 7, 'o');
    const std::wstring units(32769, L'\u8868');
    EXPECT_TRUE(sendCopyData(main, over.data(), static_cast<DWORD>(over.size())));
    EXPECT_TRUE(sendCopyData(main, units.data(), 65538, 0x514D5531));
    EXPECT_EQ(listItems(runList(main)), std::vector<std::string>{"first"});
    // 32,768 units, no NUL among them, are the most in UTF-16.
    EXPECT_TRUE(sendCopyData(main, units.data(), 65536, 0x514D5531));
    EXPECT_TRUE(listItemsWide(runList(main)) == (std::vector<std::wstring>{L"first", units.substr(1)}));
    EXPECT_TRUE(tool.close(main));
}

// The UTF-16 form, which another program may send too: tagged "QMU1" in dwData and of an
// even size. Anything else is the code page form, tag or not.
TEST(HandoffReceiver, Utf16BlocksArriveExactlyAndAnOddOneIsReadInTheCodePage) {
    Tool tool(kIni);
    const HWND main = tool.startAndWait();
    ASSERT_NE(main, nullptr);
    const auto sendWide = [&](const std::wstring& text, DWORD bytes) {
        sendCopyData(main, text.c_str(), bytes, 0x514D5531);
        EXPECT_TRUE(answers(main));
    };
    const std::wstring names = L"caf\u00E9 \u2603|\U0001F600\u7B80||x";
    sendWide(names, static_cast<DWORD>((names.size() + 1) * 2));
    // No NUL unit within cbData: the units up to its end; a surrogate alone is kept.
    const std::wstring lone = std::wstring(L"\xD800z") + L"IGNORED";
    sendWide(lone, 4);
    // An odd size is no UTF-16 block: its bytes up to the first NUL, "A" of "AB", in the code page.
    sendWide(L"AB", 5);
    EXPECT_EQ(listItemsWide(runList(main)),
              (std::vector<std::wstring>{L"caf\u00E9 \u2603", L"\U0001F600\u7B80", L"", L"x", L"\xD800z", L"A"}));
    EXPECT_TRUE(tool.close(main));
}

}  // namespace
}  // namespace qm::e2e
