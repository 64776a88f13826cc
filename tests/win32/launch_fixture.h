// What the launch tests under Wine share: the probe that writes back the command line it got,
// the application table spelt in code page text, and a launch as the "実行" button runs it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

#include "launch/launch.h"
#include "launch/run.h"
#include "support/desktop.h"
#include "support/files.h"
#include "text/error.h"

namespace qm {

inline void PrintTo(Refusal refusal, std::ostream* os) {
    *os << "Refusal " << static_cast<int>(refusal);
}

namespace launch_test {

inline std::string readWhole(HANDLE f) {
    std::string out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
    return out;
}

// Code page text (as these tests spell it) in UTF-16, as the settings file gives it.
inline std::u16string u16(const std::string& acp) {
    const std::wstring w = test::fromAcp(acp);
    return std::u16string(w.begin(), w.end());
}
inline AppTable tableOf(std::initializer_list<std::string> entries) {
    AppTable table;
    for (const std::string& e : entries) table.entries.push_back(u16(e));
    return table;
}

class LaunchProcessTest : public test::ListBoxFixture {
protected:
    void SetUp() override {
        ListBoxFixture::SetUp();
        // The probe inherits the environment, and with it the name of the file to write.
        out_ = test::tempPath("qm_launch");
        SetEnvironmentVariableA("QM_PROBE_OUT", out_.c_str());
        probe_ = "\"" + test::programDir() + "\\qm_probe.exe\"";
    }
    void TearDown() override {
        DeleteFileA(out_.c_str());
        ListBoxFixture::TearDown();
    }

    // Launches the application as the "実行" button does and returns what the probe got.
    std::string launched(std::string_view name, const AppTable& table) {
        DeleteFileA(out_.c_str());
        EXPECT_FALSE(launchFromRunList(*list_, u16(std::string(name)), &table, false, false)) << name;
        return probeOutput();
    }
    // Why a launch with "clear" checked starts nothing (Refusal::None: it started); `found`
    // receives the name a file in the current folder answered.
    Refusal refusal(std::string_view name, const AppTable& table, std::u16string* found = nullptr) {
        return startLaunch(*list_, u16(std::string(name)), &table, true, found);
    }
    // The AppError text of a launch that fails, with both after-launch options checked.
    std::u16string failureText(std::string_view name, const AppTable* table) {
        try {
            launchFromRunList(*list_, u16(std::string(name)), table, true, true);
        } catch (const AppError& e) {
            return e.text();
        }
        return u"(started)";
    }
    std::string failure(std::string_view name, const AppTable* table) {
        const std::u16string text = failureText(name, table);
        return test::toAcp(std::wstring(text.begin(), text.end()));
    }
    // The probe holds its file open without sharing until it has written everything, so the
    // file opens here only once it is complete.
    std::string probeOutput() {
        for (int i = 0; i < 1500; ++i) {
            HANDLE f = CreateFileA(out_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            if (f != INVALID_HANDLE_VALUE) {
                const std::string text = readWhole(f);
                CloseHandle(f);
                return text;
            }
            Sleep(20);
        }
        ADD_FAILURE() << "the probe wrote nothing";
        return std::string();
    }
    void fill(std::initializer_list<std::string> entries) {
        for (const std::string& e : entries) list_->append(u16(e));
    }

    std::string out_;
    std::string probe_;
};

}  // namespace launch_test
}  // namespace qm
