// registryDword against the real registry, on a key of the test's own under HKCU.
#include <windows.h>

#include <gtest/gtest.h>

#include "win/registry.h"

namespace qm {
namespace {

const wchar_t kParent[] = L"Software\\QuillmoorTests";
const wchar_t kKey[] = L"Software\\QuillmoorTests\\Registry";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const auto setDword = [&](const wchar_t* name, DWORD value) {
            EXPECT_EQ(RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value),
                      ERROR_SUCCESS);
        };
        setDword(L"one", 1);
        setDword(L"zero", 0);
        setDword(L"all", 0xFFFFFFFFu);
        const wchar_t text[] = L"1";
        EXPECT_EQ(RegSetValueExW(key, L"text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void TearDown() override {
        RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
        RegDeleteKeyW(HKEY_CURRENT_USER, kParent);
    }
};

TEST_F(RegistryTest, ReadsADwordValueWhole) {
    EXPECT_EQ(registryDword(HKEY_CURRENT_USER, kKey, L"one"), 1u);
    EXPECT_EQ(registryDword(HKEY_CURRENT_USER, kKey, L"zero"), 0u);
    EXPECT_EQ(registryDword(HKEY_CURRENT_USER, kKey, L"all"), 0xFFFFFFFFu);
}

TEST_F(RegistryTest, NothingForAnotherTypeAMissingValueOrAMissingKey) {
    EXPECT_FALSE(registryDword(HKEY_CURRENT_USER, kKey, L"text").has_value());
    EXPECT_FALSE(registryDword(HKEY_CURRENT_USER, kKey, L"none").has_value());
    EXPECT_FALSE(registryDword(HKEY_CURRENT_USER, L"Software\\QuillmoorTests\\None", L"one").has_value());
    EXPECT_FALSE(registryDword(HKEY_LOCAL_MACHINE, kKey, L"one").has_value());
}

}  // namespace
}  // namespace qm
