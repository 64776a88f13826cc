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
    EXPECT_EQ(shortCutText(0x4056), u"Ctrl+V");
    EXPECT_EQ(shortCutText(0x002E), u"Del");
    EXPECT_EQ(shortCutText(0x4044), u"Ctrl+D");
    EXPECT_EQ(shortCutText(0x4041), u"Ctrl+A");
    EXPECT_EQ(shortCutText(0x4052), u"Ctrl+R");
    EXPECT_EQ(shortCutText(0xE041), u"Shift+Ctrl+Alt+A");
    EXPECT_EQ(shortCutText(0x202E), u"Shift+Del");
    EXPECT_EQ(shortCutText(0x8037), u"Alt+7");
    EXPECT_EQ(shortCutText(0x0030), u"0");
    EXPECT_EQ(shortCutText(0x005A), u"Z");
    EXPECT_EQ(shortCutText(0x0074), u"F5");
    EXPECT_EQ(shortCutText(0x0079), u"F10");
    EXPECT_EQ(shortCutText(0x4087), u"Ctrl+F24");
    EXPECT_EQ(shortCutText(0x000D), u"Enter");
    EXPECT_EQ(shortCutText(0x2009), u"Shift+Tab");
    // No key, or a key without a name, shows nothing at all (not a bare "Ctrl+").
    EXPECT_EQ(shortCutText(0), u"");
    EXPECT_EQ(shortCutText(0x4000), u"");
    EXPECT_EQ(shortCutText(0x40BA), u"");
    EXPECT_EQ(shortCutText(0x0061), u"");  // a lower-case letter is no virtual key
}

// The menu's captions: 貼り付け(&V), クリア, オールクリア, 全て選択, 選択反転.
const std::u16string kPaste = u"\u8CBC\u308A\u4ED8\u3051(&V)", kDelete = u"\u30AF\u30EA\u30A2",
                     kClearAll = u"\u30AA\u30FC\u30EB\u30AF\u30EA\u30A2", kSelectAll = u"\u5168\u3066\u9078\u629E",
                     kInvert = u"\u9078\u629E\u53CD\u8EE2";

TEST(AccessKey, FoundByWholeCharactersWithDoubledAmpersandLiteral) {
    EXPECT_EQ(accessKeyOf(kPaste), u"V");
    EXPECT_EQ(accessKeyOf(kDelete), u"");
    EXPECT_EQ(accessKeyOf(u"&File"), u"F");
    EXPECT_EQ(accessKeyOf(u"sa&ve"), u"v");
    EXPECT_EQ(accessKeyOf(u"A&&B"), u"");    // a literal "&"
    EXPECT_EQ(accessKeyOf(u"A&&&B"), u"B");  // a literal "&", then the key
    EXPECT_EQ(accessKeyOf(u"A&&B&C"), u"C");
    EXPECT_EQ(accessKeyOf(u"end&"), u"");
    EXPECT_EQ(accessKeyOf(u""), u"");
    // 表 (95 5C) and ポ (83 7C) in code page 932 hide nothing in UTF-16 either.
    EXPECT_EQ(accessKeyOf(u"\u8868&X"), u"X");
    EXPECT_EQ(accessKeyOf(u"\u30DD(&Q)"), u"Q");
    // A Japanese character, or a surrogate pair, can be the key, whole.
    EXPECT_EQ(accessKeyOf(u"&\u8868\u793A"), u"\u8868");
    EXPECT_EQ(accessKeyOf(u"x&\U0001F600y"), u"\U0001F600");
    // A high surrogate alone is a character of its own.
    EXPECT_EQ(accessKeyOf(std::u16string{u'&', 0xD83D, u'y'}), std::u16string(1, 0xD83D));
}

TEST(AccessKey, AppendedOrPutBeforeATrailingEllipsis) {
    EXPECT_EQ(withAccessKey(kDelete, u'W'), kDelete + u"(&W)");
    EXPECT_EQ(withAccessKey(u"\u958B\u304F...", u'O'), u"\u958B\u304F(&O)...");
    EXPECT_EQ(withAccessKey(u"...", u'1'), u"(&1)...");
    EXPECT_EQ(withAccessKey(u"..", u'1'), u"..(&1)");
    EXPECT_EQ(withAccessKey(u"", u'Z'), u"(&Z)");
    EXPECT_EQ(withAccessKey(u"a....", u'Z'), u"a.(&Z)...");
    // A full-width "．" is no ".".
    EXPECT_EQ(withAccessKey(u"a.\uFF0E.", u'Z'), u"a.\uFF0E.(&Z)");
}

// The same keys as on a code page 932 system, whatever the system's code page: the result
// is what counts.
TEST(AccessKey, ContextMenuGetsWXYZFromTheLastItemUpAndKeepsThem) {
    const std::vector<std::u16string> menu = {kPaste, kDelete, kClearAll, kSelectAll, kInvert};
    const std::vector<std::u16string> first = assignAccessKeys(menu, cp932);
    const std::vector<std::u16string> expected = {kPaste, kDelete + u"(&W)", kClearAll + u"(&X)", kSelectAll + u"(&Y)",
                                                  kInvert + u"(&Z)"};
    EXPECT_EQ(first, expected);
    EXPECT_EQ(assignAccessKeys(first, cp932), expected);  // the next opening changes nothing
    // The program's own captions are these.
    EXPECT_EQ(menu, (std::vector<std::u16string>{texts::kMenuPaste, texts::kMenuDelete, texts::kMenuClearAll,
                                                 texts::kMenuSelectAll, texts::kMenuInvert}));
}

TEST(AccessKey, OwnedCharactersAreSkippedIgnoringCase) {
    // "z" and "x" are taken (in lower case); "&&Y" is no key, so Y is free.
    const std::vector<std::u16string> got = assignAccessKeys({u"a", u"b&&Y", u"&z", u"c", u"e&x", u"d"}, cp932);
    const std::vector<std::u16string> expected = {u"a(&U)", u"b&&Y(&V)", u"&z", u"c(&W)", u"e&x", u"d(&Y)"};
    EXPECT_EQ(got, expected);
}

TEST(AccessKey, EmptyCaptionsGetNoneAndTheCharactersCanRunOut) {
    std::vector<std::u16string> many(38, u"item");
    many[37] = u"";
    const std::vector<std::u16string> got = assignAccessKeys(many, cp932);
    EXPECT_EQ(got[37], u"");
    EXPECT_EQ(got[36], u"item(&Z)");
    EXPECT_EQ(got[11], u"item(&A)");
    EXPECT_EQ(got[10], u"item(&0)");
    EXPECT_EQ(got[1], u"item(&1)");
    EXPECT_EQ(got[0], u"item");  // 36 characters for 37 items
}

}  // namespace
}  // namespace qm
