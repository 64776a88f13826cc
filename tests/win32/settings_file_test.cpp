// The settings object against real INI files through the real profile functions under Wine.
// Each test works in a folder of its own whose name holds 表 (trail byte 0x5C).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "settings/file_bytes.h"
#include "settings/sections.h"
#include "settings/settings.h"
#include "settings/start_settings.h"
#include "settings/stored_window.h"
#include "settings/values.h"
#include "support/files.h"
#include "support/process.h"
#include "text/error.h"
#include "text/textrules.h"

namespace qm {
namespace {

using test::fileExists;
using test::readFile;
using test::toAcp;
using test::writeFile;

std::u16string u16(const std::string& acp) {
    const std::wstring w = test::fromAcp(acp);
    return std::u16string(w.begin(), w.end());
}
std::string acp(std::u16string_view text) {
    return test::toAcp(std::wstring(text.begin(), text.end()));
}
std::vector<std::string> acp(const std::vector<std::u16string>& texts) {
    std::vector<std::string> out;
    for (const std::u16string& t : texts) out.push_back(acp(t));
    return out;
}

// The settings object with code page text in and out, as these tests spell their files.
struct Ini {
    explicit Ini(const std::string& path) : s(u16(path)) {}
    bool exists() const { return s.exists(); }
    std::string readText(const std::string& section, const std::string& key) const {
        return acp(s.readText(u16(section), u16(key)));
    }
    int readInt(const std::string& section, const std::string& key, int defaultValue) const {
        const std::u16string a = u16(section), b = u16(key);
        return s.readInt({a.c_str(), b.c_str(), defaultValue});
    }
    bool readBool(const std::string& section, const std::string& key, bool defaultValue) const {
        const std::u16string a = u16(section), b = u16(key);
        return s.readBool({a.c_str(), b.c_str(), defaultValue ? 1 : 0});
    }
    void writeInt(const std::string& section, const std::string& key, int value) {
        const std::u16string a = u16(section), b = u16(key);
        s.writeInt({a.c_str(), b.c_str(), 0}, value);
    }
    void writeBool(const std::string& section, const std::string& key, bool value) {
        const std::u16string a = u16(section), b = u16(key);
        s.writeBool({a.c_str(), b.c_str(), 0}, value);
    }
    std::vector<std::string> sectionNames() const { return acp(s.sectionNames()); }
    void sectionEntries(const std::string& section, std::vector<std::string>& out) const {
        std::vector<std::u16string> wide{u"stale"};
        s.sectionEntries(u16(section), wide);
        out = acp(wide);
    }

    Settings s;
};

// After the settings file's path in the error: " に書き込めません".
const std::string kCannotWrite = " \x82\xC9\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1";

class SettingsFileTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return dir_.file(name); }

    test::TempDir dir_{toAcp(L"settings-表")};
};

TEST_F(SettingsFileTest, ReadsValuesByTheirEncodingsAndLeavesTheFileAlone) {
    const std::string ini = path("Quillmoor.ini");
    const std::string bytes =
        "; comment\r\n"
        "[Pos]\r\nTop=-20\r\nLeft=2147483648\r\nHeight=400px\r\nWidth=0x190\r\n"
        "[check]\r\nclear=2\r\nquit=yes\r\n"
        "[more]\r\nw1=$190\r\nw2=x190\r\nh2=abc\r\nzero=0\r\nmin=-2147483648\r\nneg=$FFFFFFFF\r\n" +
        toAcp(L"spaced = 12 \r\ntab=\t5\r\nempty=\r\n表=ポ\\\r\n") + "[Zeta]\r\n[alpha]\r\n";
    writeFile(ini, bytes);
    {
        Ini s(ini);
        EXPECT_TRUE(s.exists());
        EXPECT_EQ(s.readInt("Pos", "Top", 0), -20);
        EXPECT_EQ(s.readInt("Pos", "Left", 0), 0);
        EXPECT_EQ(s.readInt("Pos", "Height", 300), 300);
        EXPECT_EQ(s.readInt("Pos", "Width", 0), 400);
        EXPECT_EQ(s.readInt("more", "w1", 0), 400);
        EXPECT_EQ(s.readInt("more", "w2", 0), 400);
        EXPECT_EQ(s.readInt("more", "h2", 300), 300);
        EXPECT_EQ(s.readInt("more", "min", 0), INT_MIN);
        EXPECT_EQ(s.readInt("more", "neg", 0), -1);
        // Sections and keys are matched without regard to case; the platform trims blanks
        // around values.
        EXPECT_EQ(s.readInt("POS", "top", 0), -20);
        EXPECT_EQ(s.readInt("more", "spaced", 0), 12);
        EXPECT_EQ(s.readInt("more", "empty", 9), 9);
        EXPECT_EQ(s.readInt("more", "missing", 9), 9);
        EXPECT_EQ(s.readInt("nosuch", "Top", 9), 9);
        EXPECT_TRUE(s.readBool("check", "clear", false));
        EXPECT_FALSE(s.readBool("check", "quit", false));
        EXPECT_TRUE(s.readBool("check", "quit", true));
        EXPECT_FALSE(s.readBool("more", "zero", true));
        EXPECT_FALSE(s.readBool("check", "missing", false));
        EXPECT_TRUE(s.readBool("check", "missing", true));
        EXPECT_EQ(s.readText("more", toAcp(L"表")), toAcp(L"ポ\\"));
        EXPECT_EQ(s.readText("more", "missing"), "");
        EXPECT_EQ(s.sectionNames(), (std::vector<std::string>{"Pos", "check", "more", "Zeta", "alpha"}));
        std::vector<std::string> entries{"stale"};
        s.sectionEntries("check", entries);
        EXPECT_EQ(entries, (std::vector<std::string>{"clear=2", "quit=yes"}));
        s.sectionEntries("nosuch", entries);
        EXPECT_TRUE(entries.empty());
        // No section "app": no table.
        EXPECT_FALSE(loadAppTable(s.s, systemCodePage()).has_value());
    }
    // Reading and releasing wrote nothing.
    EXPECT_EQ(readFile(ini), bytes);
}

TEST_F(SettingsFileTest, BuildsTheAppTableFromTheSectionIgnoringCase) {
    const CodePage& cp = systemCodePage();
    const std::string upper = path("upper.ini");
    writeFile(upper, toAcp(L"[Pos]\r\nTop=1\r\n[APP]\r\nメモ帳=notepad.exe %P\r\nempty=\r\ncmd=a=b \"%P\"\r\n"
                           L"dup=first\r\nDUP=second\r\n=nameless\r\n表示=C:\\表\\x.exe %P\r\n[check]\r\n"));
    {
        Ini s(upper);
        const std::optional<AppTable> table = loadAppTable(s.s, cp);
        ASSERT_TRUE(table.has_value());
        // One entry per key in file order; a key written twice gives two entries, each with
        // the value the platform returns for that key. The platform lists a line without a
        // key name as an empty name; it gives no entry and the keys after it are kept.
        ASSERT_EQ(table->entries.size(), 6u);
        EXPECT_EQ(acp(table->entries[0]), toAcp(L"メモ帳=notepad.exe %P"));
        EXPECT_EQ(acp(table->entries[1]), "empty=");
        EXPECT_EQ(acp(table->entries[2]), "cmd=a=b \"%P\"");
        EXPECT_EQ(appName(table->entries[3]), u"dup");
        EXPECT_EQ(appName(table->entries[4]), u"DUP");
        EXPECT_EQ(appTemplate(table->entries[3]), appTemplate(table->entries[4]));
        EXPECT_EQ(acp(table->entries[5]), toAcp(L"表示=C:\\表\\x.exe %P"));
        EXPECT_EQ(findTemplate(&*table, u"CMD", cp), u"a=b \"%P\"");
    }
    const std::string empty = path("empty.ini");
    writeFile(empty, "[Pos]\r\nTop=1\r\n[app]\r\n[check]\r\nclear=1\r\n");
    {
        Ini s(empty);
        const std::optional<AppTable> table = loadAppTable(s.s, cp);
        ASSERT_TRUE(table.has_value());
        EXPECT_TRUE(table->entries.empty());
    }
}

TEST_F(SettingsFileTest, LongValuesAndLongListsAreReadWhole) {
    const std::string ini = path("long.ini");
    const std::string longValue(3000, 'v');
    std::string dbcsValue;
    while (dbcsValue.size() < 5000) dbcsValue += toAcp(L"表ポ");
    std::string bytes = "[app]\r\nlong=" + longValue + "\r\nwide=" + dbcsValue + "\r\nshort=s\r\n";
    // 3000 sections of 9 to 11 bytes, half of them double-byte: far beyond the first
    // 16384-unit list buffer.
    std::vector<std::string> names{"app"};
    for (int i = 0; i < 3000; ++i) {
        char name[16];
        wsprintfA(name, (i % 2 ? std::string("section%04d") : toAcp(L"表ポ%04d")).c_str(), i);
        names.push_back(name);
        bytes += "[" + names.back() + "]\r\nk=1\r\n";
    }
    writeFile(ini, bytes);
    Ini s(ini);
    const std::optional<AppTable> table = loadAppTable(s.s, systemCodePage());
    ASSERT_TRUE(table.has_value());
    ASSERT_EQ(table->entries.size(), 3u);
    EXPECT_EQ(acp(table->entries[0]), "long=" + longValue);
    EXPECT_EQ(s.readText("app", "long"), longValue);
    EXPECT_EQ(acp(table->entries[1]), "wide=" + dbcsValue);
    EXPECT_EQ(acp(table->entries[2]), "short=s");
    // 2047 and 2048 characters: the lengths where the first buffer is just full.
    for (std::size_t n : {2046u, 2047u, 2048u, 16382u, 16383u, 16384u}) {
        const std::string edge = path("edge" + std::to_string(n) + ".ini");
        writeFile(edge, "[app]\r\nk=" + std::string(n, 'e') + "\r\n");
        EXPECT_EQ(Ini(edge).readText("app", "k").size(), n);
    }
    EXPECT_EQ(s.sectionNames(), names);
}

TEST_F(SettingsFileTest, WritesStorePlainDecimalAndOneOrZero) {
    const std::string ini = path("w.ini");
    writeFile(ini, "[app]\r\nx=y %P\r\n[Pos]\r\nTop=0x10\r\nKeep=me\r\n");
    {
        Ini s(ini);
        s.writeInt("Pos", "Top", -5);
        s.writeInt("Pos", "Width", INT_MIN);
        s.writeBool("check", "clear", false);
        s.writeBool("check", "quit", true);
        // Each write goes to the file at once, not at the release.
        const std::string now = readFile(ini);
        EXPECT_NE(now.find("Top=-5"), std::string::npos) << now;
        EXPECT_NE(now.find("quit=1"), std::string::npos) << now;
    }
    Ini s(ini);
    EXPECT_EQ(s.readText("Pos", "Top"), "-5");
    EXPECT_EQ(s.readText("Pos", "Width"), "-2147483648");
    EXPECT_EQ(s.readText("check", "clear"), "0");
    EXPECT_EQ(s.readText("check", "quit"), "1");
    EXPECT_EQ(s.readInt("Pos", "Width", 0), INT_MIN);
    // Other sections and keys are kept.
    EXPECT_EQ(s.readText("Pos", "Keep"), "me");
    EXPECT_EQ(s.readText("app", "x"), "y %P");
    EXPECT_EQ(s.sectionNames(), (std::vector<std::string>{"app", "Pos", "check"}));
}

TEST_F(SettingsFileTest, MissingFileAndDirectoryDoNotExistAndAreNotCreated) {
    const std::string missing = path("missing.ini");
    {
        Ini s(missing);
        EXPECT_FALSE(s.exists());
        EXPECT_EQ(s.readInt("Pos", "Height", 300), 300);
        EXPECT_TRUE(s.sectionNames().empty());
        EXPECT_FALSE(loadAppTable(s.s, systemCodePage()).has_value());
    }
    // Neither the reads nor the release create the file.
    EXPECT_FALSE(fileExists(missing));

    const std::string folder = path("Folder.ini");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    {
        Ini s(folder);
        EXPECT_FALSE(s.exists());
        EXPECT_EQ(s.readInt("Pos", "Width", 400), 400);
    }
    // A file of that name next to it does exist, however its name is cased.
    writeFile(path("Real.ini"), "");
    EXPECT_TRUE(Ini(path("REAL.INI")).exists());
}

// The start's reads, made on a thread of their own, give what the window's thread would read;
// a second take reads the file again, as it is then.
TEST_F(SettingsFileTest, StartReadsOnTheirOwnThreadGiveTheFilesValues) {
    const std::string ini = path("start.ini");
    writeFile(ini, toAcp(L"[Pos]\r\nTop=-20\r\nLeft=$10\r\nWidth=0x1F4\r\n[check]\r\nquit=2\r\n[APP]\r\n表=x %P\r\n"));
    StartSettingsReader reader(u16(ini), systemCodePage());
    StartSettings s = reader.take();
    EXPECT_TRUE(s.exists);
    EXPECT_EQ(std::vector<int>({s.window.top, s.window.left, s.window.height, s.window.width}),
              std::vector<int>({-20, 16, 300, 500}));
    EXPECT_FALSE(s.window.clear);
    EXPECT_TRUE(s.window.quit);
    ASSERT_TRUE(s.appTable.has_value());
    ASSERT_EQ(s.appTable->entries.size(), 1u);
    EXPECT_EQ(acp(s.appTable->entries[0]), toAcp(L"表=x %P"));

    ASSERT_TRUE(DeleteFileA(ini.c_str()));
    s = reader.take();
    EXPECT_FALSE(s.exists);
    EXPECT_FALSE(s.appTable.has_value());
    EXPECT_FALSE(fileExists(ini));
}

// The window's values as the close writes them, key by key in its order, and as the next
// start reads them back; a file without them reads as the keys' defaults.
TEST_F(SettingsFileTest, TheStoredWindowIsWrittenInItsOrderAndReadBackAsWritten) {
    const std::string ini = path("window.ini");
    writeFile(ini, "[Pos]\r\n[check]\r\n[app]\r\nx=y %P\r\n");
    {
        Settings s(u16(ini));
        const StoredWindow none = readStoredWindow(s);
        EXPECT_EQ(std::vector<int>({none.top, none.left, none.height, none.width}), std::vector<int>({0, 0, 300, 400}));
        EXPECT_FALSE(none.clear);
        EXPECT_FALSE(none.quit);
        writeStoredWindow(s, {-5, INT_MIN, 250, INT_MAX, true, false});
        s.commit();
    }
    EXPECT_EQ(readFile(ini),
              "[Pos]\r\nTop=-5\r\nLeft=-2147483648\r\nHeight=250\r\nWidth=2147483647\r\n"
              "[check]\r\nclear=1\r\nquit=0\r\n[app]\r\nx=y %P\r\n");
    const Settings s(u16(ini));
    const StoredWindow back = readStoredWindow(s);
    EXPECT_EQ(std::vector<int>({back.top, back.left, back.height, back.width}),
              std::vector<int>({-5, INT_MIN, 250, INT_MAX}));
    EXPECT_TRUE(back.clear);
    EXPECT_FALSE(back.quit);
}

TEST_F(SettingsFileTest, RefusedWriteNamesTheFullPathAndEndsTheBatch) {
    const std::string ini = path("held.ini");
    const std::string original = "[Pos]\r\nTop=1\r\n";
    writeFile(ini, original);
    test::Handle hold;
    std::string error;
    {
        Ini s(ini);
        s.writeInt("Pos", "Top", 7);  // still writable
        hold.reset(CreateFileA(ini.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(hold.valid());
        try {
            s.writeInt("Pos", "Left", 11);
            s.writeInt("Pos", "Height", 12);
            s.writeBool("check", "clear", true);
        } catch (const AppError& e) {
            error = test::toAcp(std::wstring(e.text().begin(), e.text().end()));
        }
    }
    hold.reset();
    EXPECT_EQ(error, ini + kCannotWrite);
    // Once the file is free again, a later release does not bring the refused values back.
    { Ini later(ini); }
    const std::string now = readFile(ini);
    EXPECT_NE(now.find("Top=7"), std::string::npos) << now;
    EXPECT_EQ(now.find("Left"), std::string::npos) << now;
    EXPECT_EQ(now.find("Height"), std::string::npos) << now;
    EXPECT_EQ(now.find("check"), std::string::npos) << now;
    // And the file is writable again.
    Ini s(ini);
    s.writeInt("Pos", "Left", 3);
    EXPECT_EQ(s.readInt("Pos", "Left", 0), 3);
}

// ---------------------------------------------------------------- writing the file back

// A UTF-8 file: データ in a section of the user's own, then Top.
std::string utf8Ini(int top) {
    return "[memo]\r\n\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF=1\r\n[Pos]\r\nTop=" + std::to_string(top) + "\r\n";
}

// Writes Top as the close does; the error's text, empty when there was none.
std::string writeTop(const std::string& path, int top) {
    try {
        Settings s(u16(path));
        s.writeInt(kIniTop, top);
        s.commit();
    } catch (const AppError& e) {
        return acp(e.text());
    }
    return std::string();
}

// The names in a folder (but "." and ".."), sorted.
std::vector<std::string> namesIn(const std::string& dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &data);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &data))
        if (data.cFileName[0] != '.') names.push_back(data.cFileName);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

// A UTF-8 file is written into itself, so it stays the file it was (its ACL, owner and streams
// with it): another name of it (a hard link) and the target of a symbolic link to it read the
// new text. Read-only: Windows refuses the write, Wine as root makes it; either way the file
// holds one whole text and stays read-only. Nothing is left beside the files.
TEST_F(SettingsFileTest, AUtf8FileIsWrittenIntoItselfAndStaysTheFileItWas) {
    const std::string ini = path("a.ini"), other = path("other name.ini");
    writeFile(ini, utf8Ini(1));
    ASSERT_TRUE(CreateHardLinkA(other.c_str(), ini.c_str(), nullptr));
    EXPECT_EQ(writeTop(ini, 7), "");
    EXPECT_EQ(readFile(other), utf8Ini(7));
    // Longer, then shorter again: the file ends where its new text ends.
    EXPECT_EQ(writeTop(ini, 1000), "");
    EXPECT_EQ(readFile(ini), utf8Ini(1000));
    EXPECT_EQ(writeTop(ini, 5), "");
    EXPECT_EQ(readFile(other), utf8Ini(5));

    const std::string target = path("target.ini"), link = path("link.ini");
    writeFile(target, utf8Ini(1));
    ASSERT_TRUE(test::symbolicLink(link, target));
    EXPECT_EQ(writeTop(link, 7), "");
    EXPECT_EQ(readFile(target), utf8Ini(7));
    writeFile(target, utf8Ini(9));  // still a link
    EXPECT_EQ(readFile(link), utf8Ini(9));

    const std::string locked = path("read-only.ini");
    writeFile(locked, utf8Ini(1));
    ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string error = writeTop(locked, 7);
    EXPECT_EQ(readFile(locked), error.empty() ? utf8Ini(7) : utf8Ini(1)) << error;
    EXPECT_NE(GetFileAttributesA(locked.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);

    EXPECT_EQ(namesIn(dir_.path()),
              (std::vector<std::string>{"a.ini", "link.ini", "other name.ini", "read-only.ini", "target.ini"}));
}

// A write refused or failed at any step: the error, the file as it was and nothing new beside
// it. Held by another program, the file cannot be opened for writing; a folder in the place
// of the new text's file, or of the name it is renamed to, fails the step that makes it.
TEST_F(SettingsFileTest, AFailedUtf8WriteLeavesTheFileAsItWasAndNothingBesideIt) {
    const std::string ini = path("held.ini");
    writeFile(ini, utf8Ini(1));
    {
        Settings s(u16(ini));
        s.writeInt(kIniTop, 7);
        const test::Handle hold(CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(hold.valid());
        EXPECT_THROW(s.commit(), AppError);
    }
    EXPECT_EQ(readFile(ini), utf8Ini(1));
    EXPECT_EQ(namesIn(dir_.path()), (std::vector<std::string>{"held.ini"}));
    for (const std::string blocker : {"held.ini.qm-part", "held.ini.qm-new"}) {
        ASSERT_TRUE(CreateDirectoryA(path(blocker).c_str(), nullptr));
        EXPECT_EQ(writeTop(ini, 7), ini + kCannotWrite);
        EXPECT_EQ(readFile(ini), utf8Ini(1));
        EXPECT_EQ(namesIn(dir_.path()), (std::vector<std::string>{"held.ini", blocker}));
        ASSERT_TRUE(RemoveDirectoryA(path(blocker).c_str()));
    }
}

// What a write cut short leaves. Killed while the new text went into the file, which holds a
// broken part of it, the whole text stands beside it: the next read puts that in place.
// Killed while the new text was still being put beside the file, the file is as it was; the
// next write leaves nothing behind.
TEST_F(SettingsFileTest, AWriteCutShortIsCompletedByTheNextRead) {
    const std::string ini = path("cut.ini");
    writeFile(ini, utf8Ini(1));
    std::u16string foreign;
    // Killed inside データ.
    ASSERT_FALSE(rewriteInPlace(u16(ini), utf8Ini(1), utf8Ini(7), foreign, {RewriteStep::fileWritten, 12}));
    writeFile(ini + ".qm-part", "[Pos]\r\nTo");
    EXPECT_EQ(Ini(ini).readInt("Pos", "Top", 0), 7);
    EXPECT_EQ(readFile(ini), utf8Ini(7));
    EXPECT_EQ(namesIn(dir_.path()), (std::vector<std::string>{"cut.ini"}));

    writeFile(ini + ".qm-part", "[Pos]\r\nTo");
    EXPECT_EQ(Ini(ini).readInt("Pos", "Top", 0), 7);
    EXPECT_EQ(writeTop(ini, 8), "");
    EXPECT_EQ(readFile(ini), utf8Ini(8));
    EXPECT_EQ(namesIn(dir_.path()), (std::vector<std::string>{"cut.ini"}));
}

// A code page file is written whenever its text stays the same text: ≒ written as 87 90, the
// code page's second code for the character of 81 E0, comes back as 81 E0. A byte that is no
// character of the code page (85 40) refuses the write, and the file stays as it was.
TEST_F(SettingsFileTest, ACodePageFileIsWrittenWhenItsTextStaysTheSame) {
    const std::string ini = path("cp932.ini");
    writeFile(ini, "; \x87\x90\r\n[Pos]\r\nTop=1\r\n");
    EXPECT_EQ(writeTop(ini, 7), "");
    EXPECT_EQ(readFile(ini), "; \x81\xE0\r\n[Pos]\r\nTop=7\r\n");
    const std::string foreign = "; \x85\x40\r\n[Pos]\r\nTop=1\r\n";
    writeFile(ini, foreign);
    EXPECT_EQ(writeTop(ini, 7), ini + kCannotWrite);
    EXPECT_EQ(readFile(ini), foreign);
}

// A write killed at any step: the old text stands whole in the file, or the new one beside
// it, and the next read puts the new one in place; the next write leaves nothing beside the
// file. For a new text shorter than the old one and for a longer one.
TEST_F(SettingsFileTest, AWriteKilledAtAnyStepLeavesOneTextWholeAndTheNextReadFinishesIt) {
    const std::string ini = path("killed.ini");
    for (const auto& [from, to] : {std::pair<int, int>{1000, 5}, std::pair<int, int>{5, 1000}}) {
        const std::string old = utf8Ini(from), now = utf8Ini(to);
        const struct {
            RewriteStep after;
            std::size_t bytes;
            bool applied;  // the next read finds the new text
        } stops[] = {{RewriteStep::partWritten, 0, false},         {RewriteStep::partWritten, 20, false},
                     {RewriteStep::partWritten, 100000, false},    {RewriteStep::newInPlace, 0, true},
                     {RewriteStep::fileWritten, 0, true},          {RewriteStep::fileWritten, now.size() - 3, true},
                     {RewriteStep::fileWritten, now.size(), true}, {RewriteStep::fileCut, 0, true}};
        for (const auto& stop : stops) {
            SCOPED_TRACE(std::to_string(from) + " to " + std::to_string(to) + ", step " +
                         std::to_string(static_cast<int>(stop.after)) + ", " + std::to_string(stop.bytes) + " bytes");
            writeFile(ini, old);
            std::u16string foreign;
            EXPECT_FALSE(rewriteInPlace(u16(ini), old, now, foreign, {stop.after, stop.bytes}));
            if (stop.applied) {
                EXPECT_NE(readFile(ini + ".qm-new").find(now), std::string::npos);
            } else {
                EXPECT_EQ(readFile(ini), old);
            }
            const Ini next(ini);
            EXPECT_EQ(next.readInt("Pos", "Top", 0), stop.applied ? to : from);
            EXPECT_TRUE(next.s.notice().empty());
            EXPECT_EQ(readFile(ini), stop.applied ? now : old);
            EXPECT_EQ(writeTop(ini, 3), "");
            EXPECT_EQ(readFile(ini), utf8Ini(3));
            EXPECT_EQ(namesIn(dir_.path()), (std::vector<std::string>{"killed.ini"}));
        }
    }
}

// The notices, after the side file's full path.
const std::u16string kNotOwn = u" はこのツールのファイルではないため、そのままにしました";
const std::u16string kOtherForm = u" はこの設定ファイルの形式のものではないため、そのままにしました";
const std::u16string kKeptAside = u"設定ファイルがその後変更されていたため、前回の終了時に書けなかった設定を ";

// A side file's name held by a link (a hard link, a symbolic link, one to no file): the write
// is refused with a second line that names it, and neither the settings file, nor the link,
// nor the file it leads to changes.
TEST_F(SettingsFileTest, ALinkInTheWayOfASideFileIsNeverWrittenThrough) {
    const std::string ini = path("a.ini"), other = path("other.txt"), otherText = "someone else's\r\n";
    for (const std::string side : {"a.ini.qm-part", "a.ini.qm-new"}) {
        for (const char* kind : {"hard", "symbolic", "to nothing"}) {
            if (side == "a.ini.qm-new" && std::string(kind) == "to nothing") continue;  // below
            SCOPED_TRACE(side + ", " + kind);
            writeFile(ini, utf8Ini(1));
            writeFile(other, otherText);
            const std::string link = path(side);
            if (std::string(kind) == "hard") {
                ASSERT_TRUE(CreateHardLinkA(link.c_str(), other.c_str(), nullptr));
            } else {
                ASSERT_TRUE(test::symbolicLink(link, std::string(kind) == "symbolic" ? other : path("nothing")));
            }
            EXPECT_EQ(writeTop(ini, 7), ini + kCannotWrite + "\n" + link + acp(kNotOwn));
            EXPECT_EQ(readFile(ini), utf8Ini(1));
            EXPECT_EQ(readFile(other), otherText);
            ASSERT_TRUE(test::unixShell(dir_.path(), "rm '" + side + "'"));
            EXPECT_EQ(namesIn(dir_.path()), (std::vector<std::string>{"a.ini", "other.txt"}));
        }
    }
    // A link to no file where the new text is renamed to is only a name: it is replaced, and
    // the write done.
    ASSERT_TRUE(test::symbolicLink(path("a.ini.qm-new"), path("nothing")));
    EXPECT_EQ(writeTop(ini, 7), "");
    EXPECT_EQ(readFile(ini), utf8Ini(7));
    EXPECT_EQ(namesIn(dir_.path()), (std::vector<std::string>{"a.ini", "other.txt"}));
}

// A pending new text that is a link, or that stands beside a file of a form whose writes never
// leave one (UTF-16, and the system's code page where that is 932), is not put in place: the
// read names it, and the file, the side file and what it leads to stay as they are.
TEST_F(SettingsFileTest, APendingTextThatIsALinkOrBesideAnotherFormIsLeftAlone) {
    const std::string ini = path("a.ini"), whole = path("a.ini.qm-new"), other = path("other.ini");
    writeFile(ini, utf8Ini(1));
    writeFile(other, utf8Ini(9));
    ASSERT_TRUE(CreateHardLinkA(whole.c_str(), other.c_str(), nullptr));
    {
        const Ini s(ini);
        EXPECT_EQ(s.readInt("Pos", "Top", 0), 1);
        EXPECT_EQ(s.s.notice(), u16(whole) + kNotOwn);
    }
    EXPECT_EQ(readFile(ini), utf8Ini(1));
    EXPECT_EQ(readFile(whole), utf8Ini(9));
    ASSERT_TRUE(DeleteFileA(whole.c_str()));
    ASSERT_TRUE(test::symbolicLink(whole, other));
    {
        const Ini s(ini);
        EXPECT_EQ(s.readInt("Pos", "Top", 0), 1);
        EXPECT_EQ(s.s.notice(), u16(whole) + kNotOwn);
    }
    EXPECT_EQ(readFile(ini), utf8Ini(1));
    EXPECT_EQ(readFile(other), utf8Ini(9));  // there still, as it was
    ASSERT_TRUE(test::unixShell(dir_.path(), "rm a.ini.qm-new"));

    // A record the tool made itself (a write stopped after it) beside a file since replaced
    // by one of another form.
    const std::string utf16 = std::string(
        "\xFF\xFE[\0P\0o\0s\0]\0\r\0\n\0T\0o\0p\0=\0"
        "2\0\r\0\n\0",
        26);
    const std::string cp932 = "[app]\r\n\x95\x5C=x.exe\r\n[Pos]\r\nTop=2\r\n";
    for (const std::string& replaced : {utf16, cp932}) {
        if (replaced == cp932 && GetACP() != 932) continue;
        writeFile(ini, utf8Ini(1));
        std::u16string foreign;
        ASSERT_FALSE(rewriteInPlace(u16(ini), utf8Ini(1), utf8Ini(7), foreign, {RewriteStep::newInPlace, 0}));
        const std::string record = readFile(whole);
        writeFile(ini, replaced);
        {
            const Ini s(ini);
            EXPECT_EQ(s.readInt("Pos", "Top", 0), 2);
            EXPECT_EQ(s.s.notice(), u16(whole) + kOtherForm);
        }
        EXPECT_EQ(readFile(ini), replaced);
        EXPECT_EQ(readFile(whole), record);
        ASSERT_TRUE(DeleteFileA(whole.c_str()));
    }
}

// A file edited since a write was cut short stays as the user left it, however the pending
// text came there: the text is kept aside in "<file>.qm-unapplied", which the read's notice
// names, and the side file goes. So goes a side file that holds no record of the tool's.
TEST_F(SettingsFileTest, AFileEditedSinceKeepsItsTextAndThePendingOneIsKeptAside) {
    const std::string ini = path("a.ini"), aside = path("a.ini.qm-unapplied");
    writeFile(ini, utf8Ini(1));
    std::u16string foreign;
    ASSERT_FALSE(rewriteInPlace(u16(ini), utf8Ini(1), utf8Ini(7), foreign, {RewriteStep::newInPlace, 0}));
    const std::string edited = utf8Ini(1) + "Left=4\r\n";
    writeFile(ini, edited);
    {
        const Ini s(ini);
        EXPECT_EQ(s.readInt("Pos", "Left", 0), 4);
        EXPECT_EQ(s.s.notice(), kKeptAside + u16(aside) + u" に残しました");
    }
    EXPECT_EQ(readFile(ini), edited);
    EXPECT_EQ(readFile(aside), utf8Ini(7));
    EXPECT_EQ(namesIn(dir_.path()), (std::vector<std::string>{"a.ini", "a.ini.qm-unapplied"}));

    writeFile(ini + ".qm-new", utf8Ini(3));  // the whole text alone, as an older build left it
    EXPECT_EQ(Ini(ini).s.notice(), kKeptAside + u16(aside) + u" に残しました");
    EXPECT_EQ(readFile(ini), edited);
    EXPECT_EQ(readFile(aside), utf8Ini(3));
    EXPECT_EQ(namesIn(dir_.path()), (std::vector<std::string>{"a.ini", "a.ini.qm-unapplied"}));
}

// ---------------------------------------------------------------- under each system code page

// A code page 932 file with Japanese application names, one naming a program in a folder 表
// (95 5C), and ≒ written as 87 90. Under code page 932, and where the system's code page is
// UTF-8, it reads as code page 932 and a write of [Pos] changes Top and nothing else but ≒,
// which comes back as 81 E0; under 1252 it reads in that code page, every byte kept. These
// tests run under code page 932, and once more under each of the others (tests/CMakeLists.txt:
// QM_TEST_CODEPAGE names the one expected).
TEST(SettingsCodePage, ACodePage932FileIsReadAndWrittenBackInItsOwnForm) {
    char wanted[16] = "";
    GetEnvironmentVariableA("QM_TEST_CODEPAGE", wanted, sizeof wanted);
    ASSERT_EQ(GetACP(), wanted[0] ? std::stoul(wanted) : 932ul);
    const UINT cp = GetACP();
    test::TempDir dir("code-page");
    const std::string ini = dir.file("Quillmoor.ini");
    const std::string apps =
        "[app]\r\n"
        "\x83\x81\x83\x82\x92\xA0=notepad.exe %P\r\n"           // メモ帳
        "\x95\x5C\x8E\xA6=\"C:\\\x95\x5C\\probe.exe\" %P\r\n";  // 表示="C:\表\probe.exe" %P
    const std::string before = "; \x87\x90\r\n" + apps + "[Pos]\r\nTop=1000\r\n";
    writeFile(ini, before);
    {
        Settings s(u16(ini));
        EXPECT_EQ(s.form(), cp == CP_UTF8 ? IniForm::Cp932 : IniForm::CodePage);
        const std::optional<AppTable> table = loadAppTable(s, systemCodePage());
        ASSERT_TRUE(table.has_value());
        ASSERT_EQ(table->entries.size(), 2u);
        if (cp == 1252) {
            EXPECT_EQ(table->entries[0], u"\u0192\u0081\u0192\u201A\u2019\u00A0=notepad.exe %P");
        } else {
            EXPECT_EQ(table->entries[0], u"\u30E1\u30E2\u5E33=notepad.exe %P");
            EXPECT_EQ(table->entries[1], u"\u8868\u793A=\"C:\\\u8868\\probe.exe\" %P");
        }
    }
    EXPECT_EQ(readFile(ini), before);  // reading wrote nothing
    EXPECT_EQ(writeTop(ini, 5), "");
    EXPECT_EQ(readFile(ini), (cp == 1252 ? "; \x87\x90\r\n" : "; \x81\xE0\r\n") + apps + "[Pos]\r\nTop=5\r\n");
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"Quillmoor.ini"}));

    // A byte that is no character of code page 932 (85 40): not written where the file is
    // read in that code page.
    const std::string foreign = "; \x85\x40\r\n" + apps + "[Pos]\r\nTop=1\r\n";
    writeFile(ini, foreign);
    const std::string error = writeTop(ini, 7);
    if (cp == 1252) {
        EXPECT_EQ(error, "");
    } else {
        EXPECT_NE(error, "");
        EXPECT_EQ(readFile(ini), foreign);
    }
}

// What a later start hands over in the code page form: a text the system's code page holds
// exactly, in that code page's bytes (UTF-8 where that is the system's code page), and nothing
// for a text it does not hold, nor for a lone surrogate under any code page.
TEST(SystemCodePage, HoldsATextExactlyOrNotAtAll) {
    const CodePage& cp = systemCodePage();
    const UINT acp = GetACP();
    const std::optional<std::string> table = cp.exactBytes(u"C:\\\u8868");  // C:\表
    const std::optional<std::string> snowman = cp.exactBytes(u"\u2603");
    if (acp == 932) {
        EXPECT_EQ(table, std::string("C:\\\x95\x5C"));
        EXPECT_EQ(snowman, std::nullopt);
    } else if (acp == CP_UTF8) {
        EXPECT_EQ(table, std::string("C:\\\xE8\xA1\xA8"));
        EXPECT_EQ(snowman, std::string("\xE2\x98\x83"));
    } else {
        EXPECT_EQ(table, std::nullopt);
        EXPECT_EQ(snowman, std::nullopt);
    }
    EXPECT_EQ(cp.exactBytes(u"a\xD800"), std::nullopt);
    EXPECT_EQ(cp.exactBytes(u"caf\u00E9"),
              acp == 932 ? std::nullopt : std::optional<std::string>(acp == CP_UTF8 ? "caf\xC3\xA9" : "caf\xE9"));
}

}  // namespace
}  // namespace qm
