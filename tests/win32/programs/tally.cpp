// Appends one line, the raw command line it was started with, to the file named by
// QM_TALLY_OUT, then ends: several starts leave one line each, so a test can count them.
// A windows program that opens no window: a console program started by the tool gets a
// console window of its own, which takes the foreground from the tool (on Windows, and under
// Wine 10, where nothing has it once the console has gone), and the keys a test presses after
// a launch would no longer reach the tool.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH];
    if (GetEnvironmentVariableA("QM_TALLY_OUT", path, sizeof path) == 0) return 2;
    HANDLE f = INVALID_HANDLE_VALUE;
    // Two starts close together may meet at the file: wait for the other one's line.
    for (int tries = 0; tries < 200 && f == INVALID_HANDLE_VALUE; ++tries) {
        f = CreateFileA(path, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f == INVALID_HANDLE_VALUE) Sleep(10);
    }
    if (f == INVALID_HANDLE_VALUE) return 3;
    const char* line = GetCommandLineA();
    DWORD written = 0;
    WriteFile(f, line, lstrlenA(line), &written, nullptr);
    WriteFile(f, "\n", 1, &written, nullptr);
    CloseHandle(f);
    return 0;
}
