// Records the raw command line it was started with, byte for byte, to the file named by
// QM_PROBE_OUT, then ends. When QM_PROBE_ARGS names a file too, it also writes there the
// arguments as the usual Windows rules split the line (CommandLineToArgvW), each in the ANSI
// code page and followed by a NUL. When QM_PROBE_SELF names a file, it writes there its own
// path as the system gives it (GetModuleFileNameW), in UTF-16 LE; when QM_PROBE_WIDE names a
// file, its raw command line as the system gives it (GetCommandLineW), in UTF-16 LE.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

bool writeWhole(const char* path, const std::string& bytes) {
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    return true;
}

}  // namespace

int main() {
    char path[MAX_PATH];
    if (GetEnvironmentVariableA("QM_PROBE_ARGS", path, sizeof path) != 0) {
        int n = 0;
        LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &n);
        std::string all;
        for (int i = 0; args && i < n; ++i) {
            const int bytes = WideCharToMultiByte(CP_ACP, 0, args[i], -1, nullptr, 0, nullptr, nullptr);
            std::string arg(bytes > 0 ? bytes : 1, '\0');
            if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, args[i], -1, &arg[0], bytes, nullptr, nullptr);
            all += arg;  // with its NUL
        }
        LocalFree(args);
        if (!writeWhole(path, all)) return 3;
    }
    if (GetEnvironmentVariableA("QM_PROBE_SELF", path, sizeof path) != 0) {
        wchar_t self[32768];
        const DWORD n = GetModuleFileNameW(nullptr, self, 32768);
        if (!writeWhole(path, std::string(reinterpret_cast<const char*>(self), n * sizeof(wchar_t)))) return 3;
    }
    if (GetEnvironmentVariableA("QM_PROBE_WIDE", path, sizeof path) != 0) {
        const wchar_t* line = GetCommandLineW();
        if (!writeWhole(path, std::string(reinterpret_cast<const char*>(line), lstrlenW(line) * sizeof(wchar_t))))
            return 3;
    }
    // The raw line last: a test that sees it knows that everything is written.
    if (GetEnvironmentVariableA("QM_PROBE_OUT", path, sizeof path) == 0) return 2;
    return writeWhole(path, GetCommandLineA()) ? 0 : 3;
}
