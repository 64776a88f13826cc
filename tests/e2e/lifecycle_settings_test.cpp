// The creation and close sequences against a real settings file: what the window opens
// with, what closing writes, the missing-file notice and a write that the system refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "harness.h"
#include "ui/resource.h"
#include "wide_names.h"

namespace qm::e2e {
namespace {

RECT windowRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

bool checked(HWND main, UINT id) {
    return SendMessageW(control(main, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The six values that closing writes, as the file holds them.
struct Stored {
    std::string top, left, height, width, clear, quit;
};
Stored stored(const std::string& iniPath) {
    const std::string ini = readFile(iniPath);
    return {iniValue(ini, "Pos", "Top"),   iniValue(ini, "Pos", "Left"),    iniValue(ini, "Pos", "Height"),
            iniValue(ini, "Pos", "Width"), iniValue(ini, "check", "clear"), iniValue(ini, "check", "quit")};
}

void expectStored(const std::string& iniPath, const RECT& r, const char* clear, const char* quit) {
    const Stored s = stored(iniPath);
    EXPECT_EQ(s.top, std::to_string(r.top));
    EXPECT_EQ(s.left, std::to_string(r.left));
    EXPECT_EQ(s.height, std::to_string(r.bottom - r.top));
    EXPECT_EQ(s.width, std::to_string(r.right - r.left));
    EXPECT_EQ(s.clear, clear);
    EXPECT_EQ(s.quit, quit);
}

TEST(LifecycleSettings, FileWithOnlyAppsOpensAtTheDefaultsAndClosingWritesAllSixValues) {
    Tool tool("; names only\r\n[app]\r\nzeta=z.exe %P\r\nalpha=a.exe %P\r\nAlpha=other.exe\r\n");
    const HWND main = tool.startAndWait();
    ASSERT_NE(main, nullptr);
    const RECT r = windowRect(main);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 300);
    EXPECT_FALSE(checked(main, kIdCheckBox1));
    EXPECT_FALSE(checked(main, kIdCheckBox2));
    const HWND combo = control(main, kIdComboBox1);
    EXPECT_EQ(comboItems(combo), (std::vector<std::string>{"zeta", "alpha", "Alpha"}));  // table order
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);  // registered for dropped files

    ASSERT_TRUE(tool.close(main));
    expectStored(tool.iniPath(), RECT{0, 0, 400, 300}, "0", "0");
    // Written in order: Top, Left, Height, Width, then clear and quit; [app] kept.
    const std::string ini = readFile(tool.iniPath());
    const std::size_t top = ini.find("Top="), left = ini.find("Left="), height = ini.find("Height="),
                      width = ini.find("Width="), clear = ini.find("clear="), quit = ini.find("quit=");
    EXPECT_LT(top, left);
    EXPECT_LT(left, height);
    EXPECT_LT(height, width);
    EXPECT_LT(width, clear);
    EXPECT_LT(clear, quit);
    EXPECT_NE(quit, std::string::npos);
    EXPECT_EQ(iniValue(ini, "app", "zeta"), "z.exe %P");
}

TEST(LifecycleSettings, StoredValuesAreAppliedAndTooSmallASizeGivesTheMinimum) {
    Tool tool("[Pos]\r\nTop=40\r\nLeft=0x32\r\nHeight=100\r\nWidth=420\r\n[check]\r\nclear=1\r\nquit=7\r\n");
    const HWND main = tool.startAndWait("p1 p2");
    ASSERT_NE(main, nullptr);
    const RECT r = windowRect(main);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.bottom - r.top, kMinHeight);
    EXPECT_EQ(r.right - r.left, 420);
    EXPECT_TRUE(checked(main, kIdCheckBox1));
    EXPECT_TRUE(checked(main, kIdCheckBox2));
    EXPECT_TRUE(comboItems(control(main, kIdComboBox1)).empty());  // no [app]
    // The command line's paths are there when the window is first shown.
    EXPECT_EQ(listItems(control(main, kIdListBox1)), (std::vector<std::string>{"p1", "p2"}));

    ASSERT_TRUE(tool.close(main));
    expectStored(tool.iniPath(), RECT{50, 40, 470, 40 + kMinHeight}, "1", "1");
}

TEST(LifecycleSettings, ClosingMinimizedStoresTheRestoredRectangleAndMaximizedTheMaximizedFrame) {
    const std::string ini = IniText().at(70, 90).size(450, 330).apps({}).bytes();
    {
        Tool tool(ini);
        const HWND main = tool.startAndWait();
        ASSERT_NE(main, nullptr);
        PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(waitUntil([&] { return IsIconic(main) != 0; }, 5000));
        ASSERT_TRUE(tool.close(main));
        expectStored(tool.iniPath(), RECT{90, 70, 540, 400}, "0", "0");
    }
    {
        Tool tool(ini);
        const HWND main = tool.startAndWait();
        ASSERT_NE(main, nullptr);
        PostMessageA(main, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        ASSERT_TRUE(waitUntil([&] { return IsZoomed(main) != 0; }, 5000));
        RECT frame{};
        ASSERT_TRUE(waitUntil(
            [&] {
                frame = windowRect(main);
                return frame.right - frame.left > 1000;
            },
            5000));
        ASSERT_TRUE(tool.close(main));
        expectStored(tool.iniPath(), frame, "0", "0");
    }
}

// A stored position on no screen (a monitor unplugged since) moves onto the work area, its size
// kept; the extreme values an int holds neither crash the tool nor leave the window off-screen;
// a window larger than the work area is shrunk to it. Closing writes where it stands.
TEST(LifecycleSettings, StoredPositionOnNoScreenMovesOntoTheWorkArea) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int maxW = GetSystemMetrics(SM_CXMAXTRACK), maxH = GetSystemMetrics(SM_CYMAXTRACK);
    // As wide as the system lets it be, shrunk to the work area: left where it was, moved in
    // only as far as that takes.
    const int w = std::min<int>(maxW, work.right - work.left), h = std::min<int>(maxH, work.bottom - work.top);
    const int left = std::max<int>(work.left, std::min<int>(100, work.right - w));
    const struct {
        int top, left, height, width;  // as stored
        RECT expected;                 // left, top, right, bottom
    } cases[] = {
        {100, -5000, 300, 340, {work.left, 100, work.left + 340, 400}},
        {INT_MIN, 100, 300, INT_MAX, {left, work.top, left + w, work.top + 300}},
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX, {work.left, work.top, work.left + w, work.top + h}},
        {100, 100, INT_MAX, INT_MAX, {work.left, work.top, work.left + w, work.top + h}},
    };
    for (const auto& k : cases) {
        const std::string ini = IniText().at(k.top, k.left).size(k.width, k.height).apps({"x=y"}).bytes();
        SCOPED_TRACE(ini);
        Tool tool(ini);
        const HWND main = tool.startAndWait();
        ASSERT_NE(main, nullptr);
        const RECT r = windowRect(main);
        EXPECT_EQ(r.left, k.expected.left);
        EXPECT_EQ(r.top, k.expected.top);
        EXPECT_EQ(r.right, k.expected.right);
        EXPECT_EQ(r.bottom, k.expected.bottom);
        EXPECT_TRUE(answers(main));
        ASSERT_TRUE(tool.close(main));
        expectStored(tool.iniPath(), r, "0", "0");
    }
}

// No settings file: the switches and paths of the command line have taken effect on the
// hidden window before the notice appears; after it the tool ends and writes nothing.
TEST(LifecycleSettings, MissingFileShowsTheNoticeAndEndsWithoutWritingAnything) {
    Tool tool(nullptr, "QmTOOL.Test.exe");
    Process p = tool.start("/t \"C:\\a b\\c.txt\" d");
    const HWND box = findMessageBox(p.pid());
    ASSERT_NE(box, nullptr);
    const MessageBoxView view = readMessageBox(box);
    EXPECT_EQ(view.text, toAcp(L"INIファイルを記述して下さい"));
    EXPECT_EQ(view.caption, "Qmtool");
    EXPECT_EQ(view.buttons, (std::vector<std::string>{"OK"}));
    EXPECT_FALSE(view.icon);
    // Centred on the screen.
    const int cx = (view.rect.left + view.rect.right) / 2, cy = (view.rect.top + view.rect.bottom) / 2;
    EXPECT_NEAR(cx, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
    EXPECT_NEAR(cy, GetSystemMetrics(SM_CYSCREEN) / 2, 2);

    const HWND main = FindWindowA("TQuillmoorMW", nullptr);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(processOf(main), p.pid());
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(listItems(control(main, kIdListBox1)), (std::vector<std::string>{"C:\\a b\\c.txt", "d"}));

    pressOk(box);
    EXPECT_EQ(p.wait(), 0);
    EXPECT_FALSE(fileExists(tool.iniPath()));
}

// A process that is ended when the object goes, also when a check has failed.
struct Started : Process {
    using Process::Process;
    ~Started() { end(); }
};

// The tool in a folder "Café" beside a folder "Cafe", the look-alike that code page 932's
// best fit makes of it, which holds another settings file. The tool reads its own file, and
// without it shows the notice; the other is never read nor written.
TEST(LifecycleSettings, ExeInAFolderOutsideTheCodePageNeverReadsTheLookAlikeFolder) {
    WideNames names;
    const std::string decoyIni = "[Pos]\r\nTop=5\r\n[app]\r\ndecoy=decoy.exe %P\r\n";
    const std::string decoy = toAcp(names.make(L"Cafe\\Quillmoor.ini"));
    writeFile(decoy, decoyIni);
    const std::wstring exe = names.make(L"Caf\u00E9\\Quillmoor.exe");
    ASSERT_TRUE(CopyFileW(fromAcp(programDir() + "\\Quillmoor.exe").c_str(), exe.c_str(), FALSE));
    const auto start = [&] {
        PROCESS_INFORMATION pi{};
        EXPECT_TRUE(test::createProcess(L"\"" + exe + L"\"", std::string(), 0, pi));
        return pi;
    };
    {
        Started p(start());
        const HWND box = findMessageBox(p.pid());
        ASSERT_NE(box, nullptr) << "no notice: another settings file was read";
        const MessageBoxView view = readMessageBox(box);
        EXPECT_EQ(view.text, toAcp(L"INIファイルを記述して下さい"));
        EXPECT_EQ(view.caption, "Quillmoor");  // the file name's, not its short form's
        pressOk(box);
        EXPECT_EQ(p.wait(), 0);
    }
    const std::string staged = toAcp(names.dir()) + "\\own.ini";
    writeFile(staged, "[app]\r\nown=own.exe %P\r\n");
    ASSERT_TRUE(MoveFileExW(fromAcp(staged).c_str(), names.make(L"Caf\u00E9\\Quillmoor.ini").c_str(),
                            MOVEFILE_REPLACE_EXISTING));
    {
        Started p(start());
        const HWND main = findMainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(comboItems(control(main, kIdComboBox1)), (std::vector<std::string>{"own"}));
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(p.wait(), 0);
    }
    EXPECT_EQ(readFile(decoy), decoyIni);

    // A name outside the code page is the title as it stands, cut at its first ".": the
    // notice's caption.
    const std::wstring snowman = names.make(L"Caf\u00E9\\\u2603Qm.v2.exe");
    ASSERT_TRUE(CopyFileW(exe.c_str(), snowman.c_str(), FALSE));
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(test::createProcess(L"\"" + snowman + L"\"", std::string(), 0, pi));
    Started p(pi);
    const HWND box = findMessageBox(p.pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(readMessageBox(box).wideCaption, L"\u2603qm");
    pressOk(box);
    EXPECT_EQ(p.wait(), 0);
}

// A write that the system refuses: the error box names the file, and the window closes all
// the same.
TEST(LifecycleSettings, RefusedWriteShowsTheErrorBoxAndTheWindowStillCloses) {
    const std::string ini = "[Pos]\r\nTop=10\r\nLeft=20\r\nHeight=300\r\nWidth=400\r\n[app]\r\nx=y\r\n";
    Tool tool(ini);
    Process p = tool.start();
    const HWND main = findMainWindow();
    ASSERT_NE(main, nullptr);
    const DWORD pid = p.pid();
    const HWND app = GetWindow(main, GW_OWNER);
    // Moved, so that any value that did get written would change the file.
    SetWindowPos(main, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    HANDLE held =
        CreateFileA(tool.iniPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    PostMessageA(main, WM_CLOSE, 0, 0);
    const HWND box = findMessageBox(pid);
    ASSERT_NE(box, nullptr);
    const MessageBoxView view = readMessageBox(box);
    EXPECT_EQ(view.text, tool.iniPath() + toAcp(L" に書き込めません."));
    EXPECT_EQ(view.caption, "Quillmoor");
    EXPECT_EQ(view.buttons, (std::vector<std::string>{"OK"}));
    EXPECT_TRUE(view.icon);
    EXPECT_EQ(view.owner, app);
    EXPECT_FALSE(IsWindowEnabled(main));  // modal

    pressOk(box);
    EXPECT_EQ(p.wait(), 0);
    CloseHandle(held);
    EXPECT_EQ(readFile(tool.iniPath()), ini);
}

// ---------------------------------------------------------------- forms of the file

// The file as today's editors save it: the same text spelled as UTF-8 bytes, in each form.
enum class Form { Utf8, Utf8Mark, Utf16 };

std::wstring fromUtf8(const std::string& bytes) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &out[0], n);
    return out;
}

std::string toUtf8(const std::wstring& text) {
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::string inForm(Form form, const std::string& utf8) {
    if (form == Form::Utf8) return utf8;
    if (form == Form::Utf8Mark) return "\xEF\xBB\xBF" + utf8;
    const std::wstring wide = fromUtf8(utf8);
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}

const std::string kData8 = "\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF";  // データ in UTF-8
const std::string kCafeSnow8 = "Caf\xC3\xA9\xE2\x98\x83";           // Café☃ in UTF-8

// [app] on line 1, a section of the user's own holding the same name, and the six values.
std::string formIni(int top, int left) {
    return "[app]\r\n" + kData8 + "=notepad.exe %P\r\n" + kCafeSnow8 + "=x.exe\r\n[memo]\r\n" + kData8 + "=" + kData8 +
           "\r\n[Pos]\r\nTop=" + std::to_string(top) + "\r\nLeft=" + std::to_string(left) +
           "\r\nHeight=300\r\nWidth=400\r\n[check]\r\nclear=0\r\nquit=0\r\n";
}

// UTF-8 without and with its mark and UTF-16: the names show as written, and a close that
// moved the window changes the two values that moved and nothing else, the form and its
// mark kept.
TEST(LifecycleSettings, EachFormShowsItsNamesAsWrittenAndACloseChangesOnlyTheSixValues) {
    for (Form form : {Form::Utf8, Form::Utf8Mark, Form::Utf16}) {
        SCOPED_TRACE(static_cast<int>(form));
        Tool tool(inForm(form, formIni(10, 20)));
        const HWND main = tool.startAndWait();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(windowRect(main).top, 10);
        EXPECT_EQ(comboItemsWide(control(main, kIdComboBox1)),
                  (std::vector<std::wstring>{L"\u30C7\u30FC\u30BF", L"Caf\u00E9\u2603"}));
        SetWindowPos(main, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(tool.close(main));
        EXPECT_EQ(readFile(tool.iniPath()), inForm(form, formIni(40, 30)));
    }
    // Closed where it opened: the file is not written at all.
    Tool tool(inForm(Form::Utf8, formIni(10, 20)));
    const HWND main = tool.startAndWait();
    ASSERT_NE(main, nullptr);
    FILETIME before{}, after{};
    const auto written = [&](FILETIME& t) {
        test::Handle f(
            CreateFileA(tool.iniPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        GetFileTime(f.get(), nullptr, nullptr, &t);
    };
    written(before);
    Sleep(50);
    ASSERT_TRUE(tool.close(main));
    written(after);
    EXPECT_EQ(CompareFileTime(&before, &after), 0);
    EXPECT_EQ(readFile(tool.iniPath()), formIni(10, 20));
}

// A UTF-8 file whose bytes after its mark are not UTF-8 cannot be written back exactly: the
// close says it cannot write, and the file stays as it was.
TEST(LifecycleSettings, AFileThatDoesNotDecodeExactlyIsNeverRewritten) {
    const std::string ini = "\xEF\xBB\xBF[app]\r\n\x83\x66\x81\x5B\x83\x5E=x.exe\r\n[Pos]\r\nTop=10\r\nLeft=20\r\n";
    Tool tool(ini);
    Process p = tool.start();
    const HWND main = findMainWindow();
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_CLOSE, 0, 0);
    const HWND box = findMessageBox(p.pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(readMessageBox(box).text, tool.iniPath() + toAcp(L" に書き込めません."));
    pressOk(box);
    EXPECT_EQ(p.wait(), 0);
    EXPECT_EQ(readFile(tool.iniPath()), ini);
}

// A pending new text beside the settings file that is a symbolic link to another file: the
// start names it in the error box, once, and goes on with the file as it is; the link and
// the file it leads to stay (Wine deletes the target when a link is deleted). The close
// then cannot make its new text beside the file, and says so naming the link; the window
// closes all the same.
TEST(LifecycleSettings, ASideFileThatIsALinkIsNamedAtTheStartAndLeftAlone) {
    const std::string ini = formIni(10, 20);
    Tool tool(ini);
    const std::string whole = tool.iniPath() + ".qm-new", other = tool.dir() + "\\other.ini";
    writeFile(other, formIni(50, 60));
    ASSERT_TRUE(test::symbolicLink(whole, other));
    Process p = tool.start();
    HWND box = findMessageBox(p.pid());
    ASSERT_NE(box, nullptr);
    const std::string notOwn = toAcp(L" はこのツールのファイルではないため、そのままにしました.");
    EXPECT_EQ(readMessageBox(box).text, whole + notOwn);
    pressOk(box);
    const HWND main = findMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(windowRect(main).top, 10);
    EXPECT_EQ(findMessageBox(p.pid(), 300), nullptr);  // once

    SetWindowPos(main, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(main, WM_CLOSE, 0, 0);
    box = findMessageBox(p.pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(readMessageBox(box).text, tool.iniPath() + toAcp(L" に書き込めません\n") + whole + notOwn);
    pressOk(box);
    EXPECT_EQ(p.wait(), 0);
    EXPECT_EQ(readFile(tool.iniPath()), ini);
    EXPECT_EQ(readFile(other), formIni(50, 60));
    EXPECT_EQ(readFile(whole), formIni(50, 60));
}

// The programs the templates name, started by "実行" with the probe recording its own path
// and the line it got.
class LifecycleSettingsLaunch : public ::testing::Test {
protected:
    void TearDown() override {
        for (const char* name : {"QM_PROBE_OUT", "QM_PROBE_SELF"}) SetEnvironmentVariableA(name, nullptr);
    }
    // The probe copied to `relative` (UTF-16) inside the tool's folder; its full path.
    std::wstring placeProbe(const Tool& tool, const std::wstring& relative) {
        const std::wstring path = fromAcp(tool.dir()) + L"\\" + relative;
        CreateDirectoryW(path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
        EXPECT_TRUE(CopyFileW(fromAcp(programDir() + "\\qm_probe.exe").c_str(), path.c_str(), FALSE));
        return path;
    }
    // Starts the tool, presses "実行" on its first application, and returns the line the
    // probe got (empty when none ran); the probe's own path goes to self_.
    std::string run(Tool& tool, HWND& main) {
        out_ = tool.dir() + "\\probe.txt";
        const std::string self = tool.dir() + "\\probe-self.bin";
        SetEnvironmentVariableA("QM_PROBE_OUT", out_.c_str());
        SetEnvironmentVariableA("QM_PROBE_SELF", self.c_str());
        main = tool.startAndWait();
        if (!main) return std::string();
        SendMessageW(control(main, kIdButton6), BM_CLICK, 0, 0);
        waitUntil([&] { return !readFile(out_).empty(); }, 5000);
        const std::string bytes = readFile(self);
        self_.assign(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
        return readFile(out_);
    }

    std::string out_;
    std::wstring self_;
};

TEST_F(LifecycleSettingsLaunch, AProgramInAFolderFromAUtf8FileStarts) {
    Tool tool(nullptr);
    const std::wstring probe = placeProbe(tool, L"\u8868\\probe.exe");  // 表
    writeFile(tool.iniPath(),
              "[app]\r\n" + kData8 + "=\"" + toUtf8(fromAcp(tool.dir())) + "\\\xE8\xA1\xA8\\probe.exe\" %P\r\n");
    HWND main = nullptr;
    EXPECT_EQ(run(tool, main), "\"" + tool.dir() + "\\\x95\x5C\\probe.exe\" ");
    EXPECT_EQ(self_, probe);
    ASSERT_TRUE(tool.close(main));
}

// The shipped form, code page 932 without a mark, under the system code page as well: where
// that is UTF-8 the file is still read as code page 932, so its names show as written and a
// program in a folder 表 starts. It runs under 932 and 65001 (tests/CMakeLists.txt).
class AnyCodePageLaunch : public LifecycleSettingsLaunch {};

TEST_F(AnyCodePageLaunch, AProgramInAFolderFromACodePage932FileStarts) {
    Tool tool(nullptr);
    const std::wstring probe = placeProbe(tool, L"\u8868\\probe.exe");  // 表
    // データ="<dir>\表\probe.exe" %P, in code page 932 (the folder's path is ASCII).
    writeFile(tool.iniPath(), "[app]\r\n\x83\x66\x81\x5B\x83\x5E=\"" + tool.dir() + "\\\x95\x5C\\probe.exe\" %P\r\n");
    HWND main = nullptr;
    EXPECT_FALSE(run(tool, main).empty());
    EXPECT_EQ(self_, probe);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(comboItemsWide(control(main, kIdComboBox1)), (std::vector<std::wstring>{L"\u30C7\u30FC\u30BF"}));
    ASSERT_TRUE(tool.close(main));
}

TEST_F(LifecycleSettingsLaunch, AProgramInCafeFromAUtf16FileStartsNeverTheLookAlike) {
    Tool tool(nullptr);
    const std::wstring probe = placeProbe(tool, L"Caf\u00E9\\probe.exe");
    const std::wstring decoy = placeProbe(tool, L"Cafe\\probe.exe");
    const std::wstring dir = fromAcp(tool.dir());
    const std::wstring text = L"[app]\r\nCaf\u00E9=\"" + dir + L"\\Caf\u00E9\\probe.exe\" %P\r\n";
    writeFile(tool.iniPath(),
              "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)));
    HWND main = nullptr;
    EXPECT_FALSE(run(tool, main).empty());
    EXPECT_EQ(self_, probe);
    ASSERT_TRUE(tool.close(main));
}

TEST_F(LifecycleSettingsLaunch, ATemplateOf2100BytesIsReadWholeAndTheListClearedAfterTheStart) {
    Tool tool(nullptr);
    const std::string probe = toAcp(placeProbe(tool, L"probe.exe"));
    std::string templ = "\"" + probe + "\" /x:";
    templ += std::string(2100 - templ.size() - 3, 'y') + " %P";
    ASSERT_EQ(templ.size(), 2100u);
    writeFile(tool.iniPath(), IniText().withoutPos().options(true, false).apps({"long=" + templ}).bytes());
    HWND main = nullptr;
    out_ = tool.dir() + "\\probe.txt";
    SetEnvironmentVariableA("QM_PROBE_OUT", out_.c_str());
    main = tool.startAndWait("a \"b c\"");
    ASSERT_NE(main, nullptr);
    SendMessageW(control(main, kIdButton6), BM_CLICK, 0, 0);
    ASSERT_TRUE(waitUntil([&] { return !readFile(out_).empty(); }, 5000));
    EXPECT_EQ(readFile(out_), templ.substr(0, 2097) + "  \"a\" \"b c\"");
    EXPECT_TRUE(listItems(control(main, kIdListBox1)).empty());
    ASSERT_TRUE(tool.close(main));
}

}  // namespace
}  // namespace qm::e2e
