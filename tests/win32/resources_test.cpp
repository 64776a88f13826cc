// The resources Explorer and Windows read from Quillmoor.exe: the icon, the manifest and
// the version information.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/files.h"

namespace {

std::string exePath() {
    return qm::test::programDir() + "\\Quillmoor.exe";
}

class Resources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExA(exePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << exePath();
    }
    void TearDown() override { FreeLibrary(module_); }
    std::string resource(const char* name, const char* type) {
        HRSRC r = FindResourceA(module_, name, type);
        if (!r) return std::string();
        const char* data = static_cast<const char*>(LockResource(LoadResource(module_, r)));
        return std::string(data, SizeofResource(module_, r));
    }
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
    EXPECT_EQ(value("FileDescription"), "パスの一覧をアプリに渡して実行するツール");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const std::string text = value("FileVersion");
    EXPECT_EQ(text, std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                        std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                        std::to_string(HIWORD(fixed->dwFileVersionLS)));
}

}  // namespace
