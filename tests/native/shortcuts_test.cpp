#include <gtest/gtest.h>

#include "text/texts.h"
#include "ui/shortcuts.h"

namespace qm {
namespace {

const Cp932Model cp932;

TEST(ShortCut, ValueIsTheKeyWithOneBitPerModifier) {
    EXPECT_EQ(shortCutOf('V', false, true, false), 0x4056);
    EXPECT_EQ(shortCutOf(0x2E, false, false, false), 0x002E);
    EXPECT_EQ(shortCutOf('A', true, true, true), 0xE041);
    EXPECT_EQ(shortCutOf('D', true, false, false), 0x2044);
    EXPECT_EQ(shortCutOf('R', false, false, true), 0x8052);
    // Ctrl+Shift+V is not Ctrl+V; the key code 0 is nothing, whatever is held.
    EXPECT_NE(shortCutOf('V', true, true, false), shortCutOf('V', false, true, false));
    EXPECT_EQ(shortCutOf(0, true, true, true), 0);
    EXPECT_EQ(shortCutOf(0x100, false, true, false), 0);  // only bits 0-7 are the key
}

TEST(ShortCut, TextNamesModifiersInOrderThenTheKey) {
    EXPECT_EQ(shortCutText(0x4056), "Ctrl+V");
    EXPECT_EQ(shortCutText(0x002E), "Del");
    EXPECT_EQ(shortCutText(0x4044), "Ctrl+D");
    EXPECT_EQ(shortCutText(0x4041), "Ctrl+A");
    EXPECT_EQ(shortCutText(0x4052), "Ctrl+R");
    EXPECT_EQ(shortCutText(0xE041), "Shift+Ctrl+Alt+A");
    EXPECT_EQ(shortCutText(0x202E), "Shift+Del");
    EXPECT_EQ(shortCutText(0x8037), "Alt+7");
    EXPECT_EQ(shortCutText(0x0030), "0");
    EXPECT_EQ(shortCutText(0x005A), "Z");
    EXPECT_EQ(shortCutText(0x0074), "F5");
    EXPECT_EQ(shortCutText(0x4087), "Ctrl+F24");
    EXPECT_EQ(shortCutText(0x000D), "Enter");
    EXPECT_EQ(shortCutText(0x2009), "Shift+Tab");
    // No key, or a key without a name, shows nothing at all (not a bare "Ctrl+").
    EXPECT_EQ(shortCutText(0), "");
    EXPECT_EQ(shortCutText(0x4000), "");
    EXPECT_EQ(shortCutText(0x40BA), "");
    EXPECT_EQ(shortCutText(0x0061), "");  // a lower-case letter is no virtual key
}

TEST(AccessKey, FoundByWholeCharactersWithDoubledAmpersandLiteral) {
    EXPECT_EQ(accessKeyOf(texts::kMenuPaste, cp932), "V");
    EXPECT_EQ(accessKeyOf(texts::kMenuDelete, cp932), "");
    EXPECT_EQ(accessKeyOf("&File", cp932), "F");
    EXPECT_EQ(accessKeyOf("sa&ve", cp932), "v");
    EXPECT_EQ(accessKeyOf("A&&B", cp932), "");    // a literal "&"
    EXPECT_EQ(accessKeyOf("A&&&B", cp932), "B");  // a literal "&", then the key
    EXPECT_EQ(accessKeyOf("A&&B&C", cp932), "C");
    EXPECT_EQ(accessKeyOf("end&", cp932), "");
    EXPECT_EQ(accessKeyOf("", cp932), "");
    // "表" ends in 0x5C and "ポ" in 0x7C; neither hides the key after it.
    EXPECT_EQ(accessKeyOf("表&X", cp932), "X");
    EXPECT_EQ(accessKeyOf("ポ(&Q)", cp932), "Q");
    // A byte "&" that is the second half of a double-byte character marks nothing.
    EXPECT_EQ(accessKeyOf("\x81&A", cp932), "");
    EXPECT_EQ(accessKeyOf("\x81&&B", cp932), "B");
    // A double-byte character can be the key, whole.
    EXPECT_EQ(accessKeyOf("&表示", cp932), "表");
}

TEST(AccessKey, AppendedOrPutBeforeATrailingEllipsis) {
    EXPECT_EQ(withAccessKey("クリア", 'W', cp932), "クリア(&W)");
    EXPECT_EQ(withAccessKey("開く...", 'O', cp932), "開く(&O)...");
    EXPECT_EQ(withAccessKey("...", '1', cp932), "(&1)...");
    EXPECT_EQ(withAccessKey("..", '1', cp932), "..(&1)");
    EXPECT_EQ(withAccessKey("", 'Z', cp932), "(&Z)");
    // Only three whole "." characters count: "\x81." is one double-byte character.
    EXPECT_EQ(withAccessKey("a\x81...", 'Z', cp932), "a\x81...(&Z)");
    EXPECT_EQ(withAccessKey("a\x81....", 'Z', cp932), "a\x81.(&Z)...");
}

TEST(AccessKey, ContextMenuGetsWXYZFromTheLastItemUpAndKeepsThem) {
    const std::vector<std::string> menu = {texts::kMenuPaste, texts::kMenuDelete, texts::kMenuClearAll,
                                           texts::kMenuSelectAll, texts::kMenuInvert};
    const std::vector<std::string> first = assignAccessKeys(menu, cp932);
    const std::vector<std::string> expected = {"貼り付け(&V)", "クリア(&W)", "オールクリア(&X)", "全て選択(&Y)",
                                               "選択反転(&Z)"};
    EXPECT_EQ(first, expected);
    EXPECT_EQ(assignAccessKeys(first, cp932), expected);  // the next opening changes nothing
}

TEST(AccessKey, OwnedCharactersAreSkippedIgnoringCase) {
    // "z" and "x" are taken (in lower case); "&&Y" is no key, so Y is free.
    const std::vector<std::string> got = assignAccessKeys({"a", "b&&Y", "&z", "c", "e&x", "d"}, cp932);
    const std::vector<std::string> expected = {"a(&U)", "b&&Y(&V)", "&z", "c(&W)", "e&x", "d(&Y)"};
    EXPECT_EQ(got, expected);
}

TEST(AccessKey, EmptyCaptionsGetNoneAndTheCharactersCanRunOut) {
    std::vector<std::string> many(38, "item");
    many[37] = "";
    const std::vector<std::string> got = assignAccessKeys(many, cp932);
    EXPECT_EQ(got[37], "");
    EXPECT_EQ(got[36], "item(&Z)");
    EXPECT_EQ(got[11], "item(&A)");
    EXPECT_EQ(got[10], "item(&0)");
    EXPECT_EQ(got[1], "item(&1)");
    EXPECT_EQ(got[0], "item");  // 36 characters for 37 items
}

}  // namespace
}  // namespace qm
