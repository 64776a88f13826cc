// The reference for a cold start: registers a class, creates and shows one window, and runs
// its message loop until it is closed. Nothing else.
#include <windows.h>

static LRESULT CALLBACK windowProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(h, m, w, l);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "QmBenchMinimal";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, "QmBenchMinimal", "minimal", WS_OVERLAPPEDWINDOW, 884, 111, 340, 300, nullptr,
                             nullptr, instance, nullptr);
    ShowWindow(w, SW_SHOWNORMAL);
    UpdateWindow(w);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
