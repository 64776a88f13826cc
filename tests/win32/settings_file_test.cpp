// The settings object against real INI files through the real profile functions under Wine.
// Each test works in a folder of its own whose name holds 表 (trail byte 0x5C).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

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

// `link`, a symbolic link to `target` beside it. Wine 8's CreateSymbolicLinkW makes nothing;
// there the link is a Unix one, which Wine follows, made by ln run in the folder.
void makeSymbolicLink(const std::string& link, const std::string& target) {
    const std::string dir = link.substr(0, link.rfind('\\'));
    const std::string name = link.substr(dir.size() + 1), to = target.substr(dir.size() + 1);
    if (!CreateSymbolicLinkA(link.c_str(), to.c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) ||
        !fileExists(link)) {
        std::string line = "ln -s " + to + " " + name;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(
            CreateProcessA("Z:\\bin\\ln", &line[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi));
        test::Handle process(pi.hProcess), thread(pi.hThread);  // none for a Unix program
        ASSERT_TRUE(test::waitUntil([&] { return fileExists(link); }, 5000)) << link;
    }
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

    const std::string target = path("target.ini"), link = path("link.ini");
    writeFile(target, utf8Ini(1));
    makeSymbolicLink(link, target);
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
    writeFile(ini, utf8Ini(7).substr(0, 12));  // cut inside データ
    writeFile(ini + ".qm-new", utf8Ini(7));
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

}  // namespace
}  // namespace qm
