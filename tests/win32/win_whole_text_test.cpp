// wholeText against real calls: a text longer than the first buffer comes whole, from a call
// that answers the size it needs and from one that can only say its buffer is full.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "win/whole_text.h"

namespace qm {
namespace {

const wchar_t kVariable[] = L"QM_WHOLE_TEXT";

std::optional<WideText> variable(int& calls) {
    return wholeText([&](wchar_t* buffer, DWORD size) {
        ++calls;
        return GetEnvironmentVariableW(kVariable, buffer, size);
    });
}

TEST(WholeText, ALongerTextComesWholeFromOneCallAtTheSizeItAskedFor) {
    const std::wstring value = std::wstring(5000, L'x') + L"\u8868\U0001F600";
    ASSERT_TRUE(SetEnvironmentVariableW(kVariable, value.c_str()));
    int calls = 0;
    const std::optional<WideText> text = variable(calls);
    SetEnvironmentVariableW(kVariable, nullptr);
    ASSERT_TRUE(text.has_value());
    ASSERT_EQ(text->size(), value.size() + 1);
    EXPECT_EQ(std::wstring(text->data()), value);
    EXPECT_EQ(calls, 2);
}

TEST(WholeText, AnEmptyTextIsTextAndAFailedCallNothing) {
    ASSERT_TRUE(SetEnvironmentVariableW(kVariable, L""));
    int calls = 0;
    const std::optional<WideText> empty = variable(calls);
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(*empty, WideText(1, L'\0'));
    SetEnvironmentVariableW(kVariable, nullptr);
    EXPECT_FALSE(variable(calls).has_value());
}

TEST(WholeText, AFullBufferIsDoubledUntilTheTextFits) {
    wchar_t expected[32768];
    const DWORD length = GetModuleFileNameW(nullptr, expected, 32768);
    ASSERT_GT(length, 8u);
    ASSERT_LT(length, 32768u);
    int calls = 0;
    const std::optional<WideText> path = wholeText(
        [&](wchar_t* buffer, DWORD size) {
            ++calls;
            return GetModuleFileNameW(nullptr, buffer, size);
        },
        4);
    ASSERT_TRUE(path.has_value());
    ASSERT_EQ(path->size(), length + 1);
    EXPECT_EQ(std::wstring(path->data()), std::wstring(expected, length));
    EXPECT_GE(calls, 3);  // 4 and 8 units are too few for any path of the test program
}

}  // namespace
}  // namespace qm
