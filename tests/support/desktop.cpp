#include "desktop.h"

#include <cstring>

namespace qm::test {

void pumpMessages() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

bool pumpUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        pumpMessages();
        if (done()) return true;
        if (GetTickCount() - start >= ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

long waitPumping(const Process& p, DWORD ms) {
    const DWORD start = GetTickCount();
    HANDLE h = p.handle();
    for (;;) {
        const DWORD used = GetTickCount() - start;
        if (used >= ms) return p.wait(0);
        const DWORD r = MsgWaitForMultipleObjects(1, &h, FALSE, ms - used, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return p.wait(0);
        pumpMessages();
    }
}

void putOnClipboard(UINT format, const std::string& bytes) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
    GlobalUnlock(h);
    EXPECT_NE(SetClipboardData(format, h), nullptr);
    CloseClipboard();
}

SIZE textExtent(HFONT font, const std::string& text, std::string* realisedFace) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    if (realisedFace) {
        char face[LF_FACESIZE] = "";
        GetTextFaceA(dc, sizeof face, face);
        *realisedFace = face;
    }
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}

SIZE textExtent(const char* face, int height, const std::string& text, std::string* realisedFace) {
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
    EXPECT_NE(font, nullptr) << face;
    const SIZE size = textExtent(font, text, realisedFace);
    DeleteObject(font);
    return size;
}

HFONT fontOf(HWND control) { return reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)); }

void ListBoxFixture::SetUp() {
    parent_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr) << "error " << GetLastError();
    hwnd_ = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | kRunListStyle, 0, 0, 200, 100,
                            parent_, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hwnd_, nullptr) << "error " << GetLastError();
    list_ = std::make_unique<ListBoxRunList>(hwnd_, reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd_, GWLP_WNDPROC)));
}

void ListBoxFixture::TearDown() {
    list_.reset();
    if (parent_) DestroyWindow(parent_);  // and the list box with it
}

}  // namespace qm::test
