#include "settings/start_settings.h"

#include <exception>

#include "settings/settings.h"

namespace qm {

StartSettings readStartSettings(const std::u16string& path, const CodePage& cp) {
    StartSettings s;
    Settings settings(path);
    s.notice = settings.notice();
    s.exists = settings.exists();
    if (!s.exists) return s;
    s.window = readStoredWindow(settings);
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
    : job_(new StartSettingsJob{std::move(path), &cp, {}, nullptr}), thread_(runJob, job_.get()) {}

StartSettingsReader::~StartSettingsReader() = default;

StartSettings StartSettingsReader::take() {
    if (thread_.joinable()) {
        thread_.join();
    } else {
        job_->run();
    }
    if (job_->error) std::rethrow_exception(job_->error);
    return std::move(job_->found);
}

}  // namespace qm
