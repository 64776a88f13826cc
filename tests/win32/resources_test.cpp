// The resources Explorer and Windows read from Quillmoor.exe: the icon, the manifest and
// the version information; and the program's own texts, which it holds in UTF-16.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/files.h"
#include "text/texts.h"

namespace {

using qm::test::toAcp;

std::string exePath() {
    return qm::test::programDir() + "\\Quillmoor.exe";
}

// A resource of a module loaded as data; empty when it has none.
std::string resourceOf(HMODULE module, const char* name, const char* type) {
    HRSRC r = FindResourceA(module, name, type);
    if (!r) return std::string();
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, r)));
    return std::string(data, SizeofResource(module, r));
}

class Resources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExA(exePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << exePath();
    }
    void TearDown() override { FreeLibrary(module_); }
    std::string resource(const char* name, const char* type) { return resourceOf(module_, name, type); }
    HMODULE module_ = nullptr;
};

TEST_F(Resources, MainIconIsOne32By32ImageOf8Bits) {
    // GRPICONDIR: reserved, type (1: icons), count; then one 14-byte entry: width, height,
    // colours, reserved, planes, bit count, ...
    const std::string group = resource("MAINICON", MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_EQ(group.size(), 6u + 14u);                                     // one entry
    EXPECT_EQ(group[2], 1);                                                // an icon, not a cursor
    EXPECT_EQ(static_cast<unsigned char>(group[6]), 32);                   // width
    EXPECT_EQ(static_cast<unsigned char>(group[7]), 32);                   // height
    EXPECT_EQ(static_cast<unsigned char>(group[6 + 6]), 8);                // bits per pixel
    HICON icon = static_cast<HICON>(LoadImageA(module_, "MAINICON", IMAGE_ICON, 32, 32, 0));
    EXPECT_NE(icon, nullptr);
    DestroyIcon(icon);
}

TEST_F(Resources, ManifestAsksForCommonControls6AsInvokerAndPerMonitorDpi) {
    const std::string manifest = resource(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    // Per-monitor V2 where the system knows it, else per-monitor, else system-aware.
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
    EXPECT_NE(manifest.find("8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"), std::string::npos);  // Windows 10/11
    EXPECT_NE(manifest.find("35138b9a-5d96-4fbd-8e2d-a2440225f93a"), std::string::npos);  // Windows 7
}

// The test programs that read or set the positions and sizes of the tool's windows declare
// themselves DPI-aware as the tool does: on Windows, as under Wine 10, one that is not sees
// every position and size of the tool's windows scaled to 96 dpi. (Wine 8 treats every
// program as aware, so only the manifest tells here.)
TEST(TestPrograms, ThoseThatReadPositionsDeclareThemselvesPerMonitorAware) {
    for (const char* name : {"qm_win32_tests.exe", "qm_window_tests.exe", "qm_e2e_tests.exe", "qm_frontwin.exe"}) {
        SCOPED_TRACE(name);
        const std::string path = qm::test::programDir() + "\\" + name;
        HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
        const std::string manifest = resourceOf(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
        EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
        EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
        FreeLibrary(module);
    }
}

TEST(VersionInfo, NamesTheProductAndItsVersion) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(exePath().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(exePath().c_str(), 0, size, info.data()));
    auto value = [&](const char* key) {
        char* text = nullptr;
        UINT len = 0;
        const std::string path = std::string("\\StringFileInfo\\041103a4\\") + key;
        if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&text), &len) || !text)
            return std::string();
        return std::string(text);
    };
    EXPECT_EQ(value("ProductName"), "Quillmoor");
    EXPECT_EQ(value("OriginalFilename"), "Quillmoor.exe");
    EXPECT_EQ(value("FileDescription"), toAcp(L"パスの一覧をアプリに渡して実行するツール"));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const std::string text = value("FileVersion");
    EXPECT_EQ(text, std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                        std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                        std::to_string(HIWORD(fixed->dwFileVersionLS)));
}

// Each text the program shows is its code page 932 text: converted with code page 932 itself
// (whatever the system's code page) it gives these bytes, and the bytes give it back.
TEST(ProgramTexts, AreTheirCodePage932TextsInUtf16) {
    namespace texts = qm::texts;
    const struct {
        const char16_t* text;
        const char* bytes;
    } expected[] = {
        {texts::kCaption, "Quillmoor"},                             // Quillmoor
        {texts::kMutexName, "QuillmoorMW"},                         // QuillmoorMW
        {texts::kWindowClass, "TQuillmoorMW"},                      // TQuillmoorMW
        {texts::kGroupRunList, "\x8E\xC0\x8Ds\x83\x8A\x83X\x83g"},  // 実行リスト
        {texts::kLabelApp,
         "\x83"
         "A\x83v\x83\x8A\x91I\x91\xF0"},  // アプリ選択
        {texts::kButtonAddFile,
         "\x83t\x83@\x83"
         "C\x83\x8B\x92\xC7\x89\xC1"},                                         // ファイル追加
        {texts::kButtonAddFolder, "\x83t\x83H\x83\x8B\x83_\x92\xC7\x89\xC1"},  // フォルダ追加
        {texts::kButtonClear,
         "\x83N\x83\x8A\x83"
         "A"},                                 // クリア
        {texts::kButtonRun, "\x8E\xC0\x8Ds"},  // 実行
        {texts::kCheckClear,
         "\x8E\xC0\x8Ds\x82\xB5\x82\xBD\x82\xE7\x83\x8A\x83X\x83g\x82\xF0\x83N\x83\x8A\x83"
         "A\x82\xB7\x82\xE9"},  // 実行したらリストをクリアする
        {texts::kCheckQuit,
         "\x8E\xC0\x8Ds\x82\xB5\x82\xBD\x82\xE7\x8FI\x97\xB9\x82\xB7\x82\xE9"},  // 実行したら終了する
        {texts::kFontFace,
         "\x82l\x82r \x82o\x83S\x83V\x83"
         "b\x83N"},                                              // ＭＳ Ｐゴシック
        {texts::kMenuPaste, "\x93\\\x82\xE8\x95t\x82\xAF(&V)"},  // 貼り付け(&V)
        {texts::kMenuDelete,
         "\x83N\x83\x8A\x83"
         "A"},  // クリア
        {texts::kMenuClearAll,
         "\x83I\x81[\x83\x8B\x83N\x83\x8A\x83"
         "A"},                                                  // オールクリア
        {texts::kMenuSelectAll, "\x91S\x82\xC4\x91I\x91\xF0"},  // 全て選択
        {texts::kMenuInvert, "\x91I\x91\xF0\x94\xBD\x93]"},     // 選択反転
        {texts::kOpenFilter,
         "\x91S\x82\xC4\x82\xCC\x83t\x83@\x83"
         "C\x83\x8B|*.*"},                                                      // 全てのファイル|*.*
        {texts::kBrowseTitle, "\x83t\x83H\x83\x8B\x83_\x82\xCC\x91I\x91\xF0"},  // フォルダの選択
        {texts::kNoIniNotice,
         "INI\x83t\x83@\x83"
         "C\x83\x8B\x82\xF0\x8BL\x8Fq\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2"},  // INIファイルを記述して下さい
        {texts::kErrCannotWrite,
         "%s \x82\xC9\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1"},  // %s に書き込めません
        {texts::kErrClipboard,
         "\x83N\x83\x8A\x83"
         "b\x83v\x83{\x81["
         "\x83h\x82\xF0\x8AJ\x82\xAD\x82\xB1\x82\xC6\x82\xAA\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1"},  // クリップボードを開くことができません
        {texts::kErrInsertLine,
         "\x8Ds\x82\xF0\x91}\x93\xFC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1"},  // 行を挿入できません
        {texts::kErrListIndex,
         "\x83\x8A\x83X\x83g\x82\xCC\x83"
         "C\x83\x93\x83"
         "f\x83"
         "b\x83N\x83X\x82\xAA\x94\xCD\x88\xCD\x82\xF0\x92\xB4\x82\xA6\x82\xC4\x82\xA2\x82\xDC\x82\xB7 (%d)"},  // リストのインデックスが範囲を超えています
                                                                                                               // (%d)
        {texts::kErrCannotStart,
         "%s \x82\xF0\x8BN\x93\xAE\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1"},  // %s を起動できません
    };
    for (const auto& e : expected) {
        const std::wstring text = texts::w(e.text);
        SCOPED_TRACE(e.bytes);
        BOOL lossy = FALSE;
        const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr, &lossy);
        ASSERT_GT(n, 0);
        std::string bytes(static_cast<std::size_t>(n), '\0');
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, &bytes[0], n, nullptr, &lossy);
        EXPECT_FALSE(lossy);
        EXPECT_EQ(bytes.c_str(), std::string(e.bytes));
        std::wstring back(text.size() + 1, L'\0');
        EXPECT_EQ(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, e.bytes, -1, &back[0], static_cast<int>(back.size())),
                  static_cast<int>(back.size()));
        EXPECT_EQ(back.c_str(), text);
    }
}

}  // namespace
