#include "settings/start_settings.h"

#include <windows.h>

#include <exception>

#include "settings/sections.h"
#include "settings/settings.h"

namespace qm {

StartSettings readStartSettings(const std::u16string& path, const CodePage& cp) {
    StartSettings s;
    Settings settings(path);
    s.exists = settings.exists();
    if (!s.exists) return s;
    s.top = settings.readInt(kIniTop);
    s.left = settings.readInt(kIniLeft);
    s.height = settings.readInt(kIniHeight);
    s.width = settings.readInt(kIniWidth);
    s.clear = settings.readBool(kIniClear);
    s.quit = settings.readBool(kIniQuit);
    s.appTable = loadAppTable(settings, cp);
    return s;
}

struct StartSettingsJob {
    std::u16string path;
    const CodePage* cp;
    StartSettings found;
    std::exception_ptr error;

    void run() noexcept {
        error = nullptr;
        try {
            found = readStartSettings(path, *cp);
        } catch (...) {
            error = std::current_exception();
        }
    }
};

namespace {

DWORD WINAPI runJob(void* job) {
    static_cast<StartSettingsJob*>(job)->run();
    return 0;
}

}  // namespace

StartSettingsReader::StartSettingsReader(std::u16string path, const CodePage& cp)
    : job_(new StartSettingsJob{std::move(path), &cp, {}, nullptr}),
      thread_(CreateThread(nullptr, 0, runJob, job_.get(), 0, nullptr)) {}

StartSettingsReader::~StartSettingsReader() {
    if (!thread_) return;
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
}

StartSettings StartSettingsReader::take() {
    if (thread_) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    } else {
        job_->run();
    }
    if (job_->error) std::rethrow_exception(job_->error);
    return std::move(job_->found);
}

}  // namespace qm
