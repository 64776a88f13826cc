#include "launch/process.h"

#include "text/utf16.h"

namespace qm {

// A 32-bit build hands the system a STARTUPINFOW of 68 bytes.
static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOW) == 68, "STARTUPINFOW is 68 bytes on 32-bit Windows");

namespace {

const wchar_t kNoCurrentFolderVariable[] = L"NoDefaultCurrentDirectoryInExePath";

}  // namespace

ExeSearchWithoutCurrentFolder::ExeSearchWithoutCurrentFolder() {
    SetLastError(ERROR_SUCCESS);  // an empty value answers 0 with no error
    if (GetEnvironmentVariableW(kNoCurrentFolderVariable, nullptr, 0) != 0 ||
        GetLastError() != ERROR_ENVVAR_NOT_FOUND) {
        active_ = true;  // the user's own setting: it stays, and goes on to the program as it is
        return;
    }
    environment_ = GetEnvironmentStringsW();
    if (environment_ == nullptr) return;
    set_ = SetEnvironmentVariableW(kNoCurrentFolderVariable, L"1") != FALSE;
    active_ = set_;
}

ExeSearchWithoutCurrentFolder::~ExeSearchWithoutCurrentFolder() {
    if (set_) SetEnvironmentVariableW(kNoCurrentFolderVariable, nullptr);
    if (environment_) FreeEnvironmentStringsW(environment_);
}

ScopedProcess startProcessOwned(std::u16string_view commandLine, const ExeSearchWithoutCurrentFolder& search) {
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    WideText line = nulTerminated(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    void* environment = search.environmentBefore();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, environment ? CREATE_UNICODE_ENVIRONMENT : 0,
                        environment, nullptr, &startup, &info))
        return ScopedProcess();
    return ScopedProcess(info);
}

}  // namespace qm
