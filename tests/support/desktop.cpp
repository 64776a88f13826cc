#include "desktop.h"

#include <cstring>
#include <vector>

#include "ui/layout.h"

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

HFONT fontOf(HWND control) {
    return reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
}

namespace {

// A control's rectangle in its parent's client coordinates.
RECT inParent(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string textOf(HWND w) {
    char text[256] = "";
    GetWindowTextA(w, text, sizeof text);
    return text;
}

}  // namespace

TextMeasure measureInOwnFont() {
    return [](HWND w, const std::string& text) { return textExtent(fontOf(w), text); };
}

TextMeasure measureInFace(const char* face, int windowFontHeight, int labelFontHeight) {
    return [=](HWND w, const std::string& text) {
        char cls[32] = "";
        GetClassNameA(w, cls, sizeof cls);
        return textExtent(face, lstrcmpiA(cls, "Static") == 0 ? labelFontHeight : windowFontHeight, text);
    };
}

Design expectedDesign(HWND main, int zero, const TextMeasure& measure) {
    Design d = scaledDesign(zero, 12);
    HWND group = GetDlgItem(main, idOf(Ctl::GroupBox1));
    for (const ControlEntry& e : kControls) {
        if (e.grow == Grow::None) continue;
        HWND w = GetDlgItem(e.inGroup ? group : main, idOf(e.ctl));
        const SIZE size = measure(w, textOf(w));
        if (e.ctl == Ctl::Label1) sizeTo(d, e.ctl, size.cx, size.cy);
        setCaptionWidth(d, e.ctl, size.cx);
    }
    return d;
}

void expectCaptionsFitAndNothingOverlaps(HWND main, int zero, const TextMeasure& measure) {
    auto textWidth = [&](HWND w, const std::string& text) { return measure(w, text).cx; };
    auto room = [&](int units) { return MulDiv(units, zero, 12); };
    HWND group = GetDlgItem(main, idOf(Ctl::GroupBox1));
    ASSERT_NE(group, nullptr);
    std::vector<HWND> controls;
    for (const ControlEntry& e : kControls) {
        HWND w = GetDlgItem(e.inGroup ? group : main, idOf(e.ctl));
        ASSERT_NE(w, nullptr) << e.name;
        controls.push_back(w);
    }
    HWND combo = GetDlgItem(main, idOf(Ctl::ComboBox1));
    for (HWND w : controls) {
        char cls[32] = "";
        GetClassNameA(w, cls, sizeof cls);
        const RECT r = inParent(w);
        const int width = r.right - r.left;
        const std::string text = textOf(w);
        const LONG kind = GetWindowLongA(w, GWL_STYLE) & 0xF;
        if (lstrcmpiA(cls, "Button") == 0 && kind == BS_AUTOCHECKBOX) {
            EXPECT_GE(width, textWidth(w, text) + room(16)) << text;
        } else if (lstrcmpiA(cls, "Button") == 0 && (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON)) {
            EXPECT_GE(width, textWidth(w, text) + 2 * room(2)) << text;
        } else if (lstrcmpiA(cls, "Static") == 0) {
            const int tw = textWidth(w, text);
            EXPECT_GE(width, tw) << text;
            EXPECT_GE(inParent(combo).left - r.left, tw + room(2)) << text;
        }
    }
    for (HWND a : controls) {
        for (HWND b : controls) {
            if (a >= b || GetParent(a) != GetParent(b)) continue;
            const RECT ra = inParent(a), rb = inParent(b);
            RECT both{};
            EXPECT_FALSE(IntersectRect(&both, &ra, &rb))
                << textOf(a) << " (" << GetDlgCtrlID(a) << ") meets " << textOf(b) << " (" << GetDlgCtrlID(b) << ")";
        }
    }
}

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
