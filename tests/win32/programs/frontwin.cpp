// A window of another program, for tests about which window holds the foreground: it opens a
// visible window of class "QmFrontWin" at the rectangle given on its command line
// (left top width height; 0 0 300 200 by default), takes the foreground and then answers,
// from its own thread, what it sees:
//   WM_APP      bit 0: this window is the foreground window (GetForegroundWindow)
//               bit 1: it is its thread's active window (GetActiveWindow)
//   WM_APP + 1  takes the foreground again (SetForegroundWindow, then to the top), answers as WM_APP
//   WM_APP + 2  how many times it has been activated so far (WM_ACTIVATE, not WA_INACTIVE)
// It ends on WM_CLOSE.
#include <windows.h>

#include <cstdlib>

namespace {

LONG g_activations = 0;

LRESULT state(HWND hwnd) {
    return (GetForegroundWindow() == hwnd ? 1 : 0) | (GetActiveWindow() == hwnd ? 2 : 0);
}

LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) ++g_activations;
            break;
        case WM_APP:
            return state(hwnd);
        case WM_APP + 1:
            SetForegroundWindow(hwnd);
            SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            return state(hwnd);
        case WM_APP + 2:
            return g_activations;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    int r[4] = {0, 0, 300, 200};
    for (int i = 0; i < 4 && i + 1 < argc; ++i) r[i] = std::atoi(argv[i + 1]);
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "QmFrontWin";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "QmFrontWin", "front", WS_OVERLAPPEDWINDOW, r[0], r[1], r[2], r[3], nullptr, nullptr,
                                inst, nullptr);
    if (!hwnd) return 1;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    SetForegroundWindow(hwnd);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
