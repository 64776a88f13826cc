// A message spy that end-to-end tests hook into a running Quillmoor.exe thread
// (SetWindowsHookEx with WH_CALLWNDPROC and WH_GETMESSAGE; the system loads this library
// into that process). Inside it, the library notes the messages that tell how a key press
// was handled, and on request writes them, or the items of a menu read in-process, to the
// file named by QM_SPY_OUT (which the tool inherits from the test that started it).
//
// Requests: the registered message "QmKeySpyRequest" sent to any window of the thread, with
//   wParam 1: forget what was noted so far;
//   wParam 2: write what was noted, one line each: "key <id> <vk>" (WM_KEYDOWN or WM_SYSKEYDOWN
//             taken from the queue for the window with control id <id>; the main window's id
//             is 0), "char <id> <code>" (WM_CHAR or WM_SYSCHAR, likewise), "setsel <id>"
//             (LB_SETSEL or LB_SELITEMRANGE sent: one entry's flag), "command <id> <notification>" (WM_COMMAND sent);
//   wParam 3: write the text of every item of the menu lParam, one line each, as
//             GetMenuStringA gives it (code page 932);
//   wParam 4: send the window the request went to WM_NCCREATE with lParam as its creation
//             data, from the tool's own thread, as any hook inside it can;
//   wParam 5: the same as 3, in UTF-16 (GetMenuStringW), the lines ended by a UTF-16 "\n";
//   wParam 6: write the face name of the font the window lParam draws with (WM_GETFONT,
//             GetObjectW), in UTF-16.
#include <windows.h>

#include <string>

namespace {

std::string g_log;
UINT g_request = 0;

UINT requestMessage() {
    if (!g_request) g_request = RegisterWindowMessageA("QmKeySpyRequest");
    return g_request;
}

void writeOut(const std::string& text) {
    char path[MAX_PATH];
    if (GetEnvironmentVariableA("QM_SPY_OUT", path, sizeof path) == 0) return;
    const std::string tmp = std::string(path) + ".tmp";
    HANDLE f = CreateFileA(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    MoveFileExA(tmp.c_str(), path, MOVEFILE_REPLACE_EXISTING);
}

std::string menuTexts(HMENU menu) {
    std::string out;
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        char buf[512] = "";
        GetMenuStringA(menu, static_cast<UINT>(i), buf, sizeof buf, MF_BYPOSITION);
        out += buf;
        out += '\n';
    }
    return out;
}

std::string utf16Bytes(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::string menuTextsWide(HMENU menu) {
    std::wstring out;
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        wchar_t buf[512] = L"";
        GetMenuStringW(menu, static_cast<UINT>(i), buf, 512, MF_BYPOSITION);
        out += buf;
        out += L'\n';
    }
    return utf16Bytes(out);
}

std::string fontFace(HWND window) {
    LOGFONTW font{};
    const HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (!handle || !GetObjectW(handle, sizeof font, &font)) return std::string();
    return utf16Bytes(font.lfFaceName);
}

void note(const char* what, HWND hwnd, WPARAM extra, bool withExtra) {
    g_log += what;
    g_log += ' ';
    g_log += std::to_string(GetDlgCtrlID(hwnd));
    if (withExtra) {
        g_log += ' ';
        g_log += std::to_string(static_cast<unsigned>(extra));
    }
    g_log += '\n';
}

}  // namespace

extern "C" LRESULT CALLBACK spyCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (m->message == requestMessage()) {
            if (m->wParam == 1) g_log.clear();
            if (m->wParam == 2) writeOut(g_log);
            if (m->wParam == 3) writeOut(menuTexts(reinterpret_cast<HMENU>(m->lParam)));
            if (m->wParam == 4) SendMessageA(m->hwnd, WM_NCCREATE, 0, m->lParam);
            if (m->wParam == 5) writeOut(menuTextsWide(reinterpret_cast<HMENU>(m->lParam)));
            if (m->wParam == 6) writeOut(fontFace(reinterpret_cast<HWND>(m->lParam)));
        } else if (m->message == LB_SETSEL || m->message == LB_SELITEMRANGE) {
            note("setsel", m->hwnd, 0, false);
        } else if (m->message == WM_COMMAND) {
            g_log += "command " + std::to_string(LOWORD(m->wParam)) + " " + std::to_string(HIWORD(m->wParam)) + "\n";
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" LRESULT CALLBACK spyGetMessage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        const MSG* m = reinterpret_cast<const MSG*>(lParam);
        if (m->message == WM_CHAR || m->message == WM_SYSCHAR) note("char", m->hwnd, m->wParam, true);
        if (m->message == WM_KEYDOWN || m->message == WM_SYSKEYDOWN) note("key", m->hwnd, m->wParam, true);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
