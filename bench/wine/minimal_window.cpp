// The references for a cold start: registers a class, creates and shows one window, and runs
// its message loop until it is closed. Built twice: bare (qm_bench_minimal), and with the
// product's manifest, the same two top-level windows (a hidden owner of the shown one) and the
// same ten controls at their design places (qm_bench_controls, QM_WITH_CONTROLS), so that the
// tool's start can be compared like with like. Nothing else: no font of its own, no settings,
// no subclassing.
#include <windows.h>

#ifdef QM_WITH_CONTROLS
#include "text/texts.h"
#endif

static LRESULT CALLBACK windowProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(h, m, w, l);
}

#ifdef QM_WITH_CONTROLS
static void makeControls(HWND w, HINSTANCE instance) {
    namespace t = qm::texts;
    auto make = [&](HWND parent, const wchar_t* cls, const char16_t* text, DWORD style, int x, int y, int cx, int cy,
                    DWORD ex = 0) {
        return CreateWindowExW(ex, cls, t::w(text), WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent, nullptr,
                               instance, nullptr);
    };
    make(w, L"BUTTON", t::kButtonRun, WS_TABSTOP | BS_DEFPUSHBUTTON, 270, 238, 47, 25);
    HWND group = make(w, L"BUTTON", t::kGroupRunList, BS_GROUPBOX, 8, 9, 315, 224, WS_EX_CONTROLPARENT);
    make(group, L"BUTTON", t::kButtonAddFile, WS_TABSTOP, 15, 151, 73, 25);
    make(group, L"BUTTON", t::kButtonAddFolder, WS_TABSTOP, 123, 151, 73, 25);
    make(group, L"BUTTON", t::kButtonClear, WS_TABSTOP, 226, 151, 73, 25);
    make(group, L"LISTBOX", u"",
         WS_TABSTOP | LBS_NOTIFY | LBS_HASSTRINGS | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL, 8,
         17, 299, 127, WS_EX_CLIENTEDGE);
    make(group, L"BUTTON", t::kCheckClear, WS_TABSTOP | BS_AUTOCHECKBOX, 24, 180, 161, 20);
    make(group, L"BUTTON", t::kCheckQuit, WS_TABSTOP | BS_AUTOCHECKBOX, 24, 200, 121, 20);
    make(w, L"COMBOBOX", u"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 80, 240, 188, 100);
    make(w, L"STATIC", t::kLabelApp, SS_CENTER, 16, 243, 59, 13);
}
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "QmBenchMinimal";
    RegisterClassA(&wc);
    HWND owner = nullptr;
#ifdef QM_WITH_CONTROLS
    WNDCLASSA ownerClass{};
    ownerClass.lpfnWndProc = DefWindowProcA;
    ownerClass.hInstance = instance;
    ownerClass.lpszClassName = "QmBenchOwner";
    RegisterClassA(&ownerClass);
    owner = CreateWindowExA(0, "QmBenchOwner", "minimal", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0,
                            0, nullptr, nullptr, instance, nullptr);
#endif
    HWND w = CreateWindowExA(0, "QmBenchMinimal", "minimal", WS_OVERLAPPEDWINDOW, 884, 111, 340, 300, owner, nullptr,
                             instance, nullptr);
#ifdef QM_WITH_CONTROLS
    makeControls(w, instance);
#endif
    ShowWindow(w, SW_SHOWNORMAL);
    UpdateWindow(w);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
