// Records the raw command line it was started with, byte for byte, to the file named by
// QM_PROBE_OUT, then ends.
#include <windows.h>

int main() {
    char path[MAX_PATH];
    if (GetEnvironmentVariableA("QM_PROBE_OUT", path, sizeof path) == 0) return 2;
    const char* line = GetCommandLineA();
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    WriteFile(f, line, lstrlenA(line), &written, nullptr);
    CloseHandle(f);
    return 0;
}
