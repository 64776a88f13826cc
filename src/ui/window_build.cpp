// The main window's construction: its class, fonts, components, scaling to the screen, the
// layout of its controls, and its placement on the screen.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "text/texts.h"
#include "ui/Unit1.h"
#include "ui/application.h"
#include "ui/placement.h"
#include "ui/subclass.h"
#include "win/callback_error.h"

namespace qm {

namespace {

HFONT makeFont(int height) {
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, texts::kFontFace);
}

// The extent of `text` drawn in the font selected into `dc`.
SIZE textExtent(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

// The window class and styles of each kind of control.
struct KindClass {
    const char* cls;
    DWORD style, exStyle;
};
KindClass classOf(Kind kind) {
    switch (kind) {
    case Kind::Label: return {"STATIC", SS_CENTER, 0};
    case Kind::GroupBox: return {"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case Kind::PushButton: return {"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
    case Kind::DefaultButton: return {"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON, 0};
    case Kind::CheckBox: return {"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case Kind::ListBox: return {"LISTBOX", WS_TABSTOP | kRunListStyle, WS_EX_CLIENTEDGE};
    case Kind::DropDown: return {"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    }
    return {"STATIC", 0, 0};
}

// The lowest and highest pixels per inch the window lays itself out for: 50 % to 1000 %.
constexpr int kLeastDpi = 48, kMostDpi = 960;

// The pixels per inch of the monitor the window is on, where the system can say it
// (GetDpiForWindow, Windows 10 1607 and later, looked up at run time); otherwise the
// screen's, the same for every monitor.
int windowDpi(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    const int dpi = getDpiForWindow ? static_cast<int>(getDpiForWindow(hwnd)) : 0;
    if (dpi >= kLeastDpi && dpi <= kMostDpi) return dpi;
    const int ppi = GetDeviceCaps(ScreenDC(GetDC(nullptr)).get(), LOGPIXELSY);
    return ppi > 0 ? ppi : 96;
}

// The rectangle a WM_DPICHANGED suggests. Anyone can send the message, and its pointer is
// not carried from another process: it may be 0 or point anywhere. ReadProcessMemory copies
// it from this process's memory and fails, rather than faulting, where nothing can be read;
// the rectangle must then have a size and lie on a monitor.
std::optional<Edges> suggestedRect(LPARAM lParam) {
    RECT r{};
    SIZE_T read = 0;
    if (!lParam || !ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<LPCVOID>(lParam), &r, sizeof r, &read) ||
        read != sizeof r) {
        return std::nullopt;
    }
    const Edges e{r.left, r.top, r.right, r.bottom};
    if (!hasSize(e) || !MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) return std::nullopt;
    return e;
}

BOOL CALLBACK addWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM p) {
    auto& areas = *reinterpret_cast<Enumeration<std::vector<Edges>>*>(p);
    return areas.error.run([&] {
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        if (GetMonitorInfoA(monitor, &mi)) {
            areas.out.push_back({mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom});
        }
        return true;
    });
}

// The work areas of every monitor.
std::vector<Edges> workAreas() {
    std::vector<Edges> out;
    Enumeration<std::vector<Edges>> areas{out, {}};
    EnumDisplayMonitors(nullptr, nullptr, addWorkArea, reinterpret_cast<LPARAM>(&areas));
    areas.error.rethrow();
    return out;
}

// The drop-down's opened height: one row per name, 1 to 5 rows, plus the closed height
// and 2 pixels.
int comboOpenHeight(HWND combo) {
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    const int rows = count < 1 ? 1 : (count > 5 ? 5 : static_cast<int>(count));
    const int itemHeight = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
    RECT closed{};
    GetWindowRect(combo, &closed);  // a combo box's window rectangle is its closed part
    const int closedHeight = closed.bottom - closed.top;
    return rows * itemHeight + closedHeight + 2;
}

}  // namespace

std::unique_ptr<TQuillmoorMW> TQuillmoorMW::create(StartSettingsReader& settings) {
    HINSTANCE inst = Application::instance();
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = inst;
    wc.hIcon = Application::icon();
    wc.hIconSm = Application::smallIcon();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = texts::kWindowClass;
    WNDCLASSA registered{};
    if (!GetClassInfoA(inst, texts::kWindowClass, &registered) && !RegisterClassExA(&wc)) return nullptr;

    std::unique_ptr<TQuillmoorMW> mw(new TQuillmoorMW());
    // Owned by the application window; WS_EX_APPWINDOW keeps its taskbar button.
    if (!mw->createWindow(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, texts::kWindowClass, texts::kCaption,
                          WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, kDesignLeft, kDesignTop, kDesignWidth, kDesignHeight,
                          Application::handle(), inst)) {
        return nullptr;
    }
    // The controls are placed once, when the creation sequence has sized the window, rather
    // than after every step that changes it. No command runs meanwhile (the missing-file
    // notice's loop handles what others post).
    mw->startSettings_ = &settings;
    mw->guard([&] {
        mw->buildComponents();
        mw->FormCreate(nullptr);
    });
    mw->startSettings_ = nullptr;
    mw->created();
    if (mw->phase() != Phase::ending) mw->applyLayout();
    return mw;
}

void TQuillmoorMW::buildComponents() {
    HINSTANCE inst = Application::instance();
    scaleTo(windowDpi(hwnd_));

    // Each control is made where the layout puts it in the window as created: when the stored
    // size turns out to be that one, the creation sequence's layout moves none of them. The
    // drop-down starts with no height; it takes its opened height when its list is about to
    // open (fitDropDown).
    RECT client{};
    GetClientRect(hwnd_, &client);
    placed_ = layoutFor(design_, client.right, client.bottom);
    at(placed_, Ctl::ComboBox1).height = 0;
    for (const ControlEntry& e : kControls) {
        const KindClass k = classOf(e.kind);
        const Rect& r = at(placed_, e.ctl);
        HWND w = CreateWindowExA(k.exStyle, k.cls, e.caption, WS_CHILD | WS_VISIBLE | k.style, r.left, r.top,
                                 r.width, r.height, e.inGroup ? GroupBox1 : hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(idOf(e.ctl))), inst, nullptr);
        SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(e.kind)), FALSE);
        if (e.kind != Kind::GroupBox && e.kind != Kind::ListBox) subclassOther(w);
        control(e.ctl) = w;
    }
    subclassGroupBox(GroupBox1);
    subclassDropDownList(ComboBox1, hwnd_);
    setItemHeights();
    const WNDPROC listBoxOwnProc = subclassListBox(ListBox1);
    // With common controls 6 the opened list shows at most this many rows; older ones follow
    // the height applyLayout gives the control.
    SendMessageA(ComboBox1, CB_SETMINVISIBLE, 5, 0);

    runList_ = std::make_unique<ListBoxRunList>(ListBox1, listBoxOwnProc);
    PopupMenu1.build();
}

// The window font follows the pixels per inch; when "0" then measures other than the design's
// 12 pixels, every position and size, the design sizes and Label1's own font are scaled by the
// measured height over 12. Label1 is sized to its text, its left and top kept. The controls
// that exist take the new fonts before the old ones go.
void TQuillmoorMW::scaleTo(int dpi) {
    FontOwner font(makeFont(mulDiv(-12, dpi, 96)));
    // A memory device context measures text as the screen's does (the fonts' heights are in
    // pixels), without asking the window system for the screen's.
    const MemoryDC dc(CreateCompatibleDC(nullptr));
    const SelectedObject selected(dc.get(), font.get());
    const int measured = textExtent(dc.get(), "0").cy;
    const int zero = measured > 0 ? measured : 12;
    Design design = scaledDesign(zero, 12);
    FontOwner labelFont(makeFont(design.labelFontHeight));
    for (const ControlEntry& e : kControls) {
        if (e.grow == Grow::None) continue;
        const std::string caption = withoutAccessMarks(e.caption);
        if (e.kind == Kind::Label) {
            const SelectedObject own(dc.get(), labelFont.get());
            const SIZE size = textExtent(dc.get(), caption);
            sizeTo(design, e.ctl, size.cx, size.cy);
            setCaptionWidth(design, e.ctl, size.cx);
        } else {
            setCaptionWidth(design, e.ctl, textExtent(dc.get(), caption).cx);
        }
    }
    dpi_ = dpi;
    zero_ = zero;
    design_ = design;
    font_.swap(font);
    labelFont_.swap(labelFont);
    for (const ControlEntry& e : kControls) {
        if (HWND w = control(e.ctl)) {
            SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(e.kind)), TRUE);
        }
    }
}

HFONT TQuillmoorMW::fontFor(Kind kind) const { return kind == Kind::Label ? labelFont_.get() : font_.get(); }

// The run list's and the drop-down's rows, 12 pixels at design.
void TQuillmoorMW::setItemHeights() {
    const int itemHeight = mulDiv(12, zero_, 12);
    SendMessageA(ListBox1, LB_SETITEMHEIGHT, 0, itemHeight);
    SendMessageA(ComboBox1, CB_SETITEMHEIGHT, 0, itemHeight);
}

void TQuillmoorMW::applyLayout() {
    if (!ListBox1 || phase() == Phase::creating || IsIconic(hwnd_)) return;
    RECT client{};
    GetClientRect(hwnd_, &client);
    Layout l = layoutFor(design_, client.right, client.bottom);
    // The drop-down keeps the height it was last given (fitDropDown).
    at(l, Ctl::ComboBox1).height = at(placed_, Ctl::ComboBox1).height;
    for (const ControlEntry& e : kControls) {
        const Rect& r = at(l, e.ctl);
        Rect& was = at(placed_, e.ctl);
        if (r == was) continue;
        MoveWindow(control(e.ctl), r.left, r.top, r.width, r.height, TRUE);
        was = r;
    }
}

// The drop-down's list is about to open (CBN_DROPDOWN, sent before the list shows): the control
// takes its opened height for the names it holds now and the item height it has now, which is
// the height the list opens to.
void TQuillmoorMW::fitDropDown() {
    Rect& was = at(placed_, Ctl::ComboBox1);
    const int height = comboOpenHeight(ComboBox1);
    if (height == was.height) return;
    SetWindowPos(ComboBox1, nullptr, 0, 0, was.width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    was.height = height;
}

// Under per-monitor awareness the system sends WM_DPICHANGED when the window moves to a
// monitor of another density (or the density changes): the fonts are made again for it, the
// controls laid out by the same rules as at start, and the window takes the rectangle the
// system suggests, or, without a usable one, keeps its top-left and scales its size. A
// density out of reason changes nothing.
void TQuillmoorMW::dpiChanged(WPARAM wParam, LPARAM lParam) {
    const int dpi = HIWORD(wParam);
    if (!ListBox1 || dpi < kLeastDpi || dpi > kMostDpi) return;
    const RECT now = frameRect(hwnd_);
    const Rect r = frameForDpi(suggestedRect(lParam), {now.left, now.top, now.right, now.bottom}, dpi_, dpi);
    scaleTo(dpi);
    setItemHeights();
    // Minimized, it keeps its restored place; the layout follows when it is restored.
    if (IsIconic(hwnd_)) return;
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    // The same rectangle brings no WM_SIZE.
    applyLayout();
}

// The smallest frame at the window's density.
SIZE TQuillmoorMW::minimumSize() const {
    return {toScreenPixels(kMinWidth, dpi_), toScreenPixels(kMinHeight, dpi_)};
}

// The stored position and size (96-dpi units) on this screen: converted, within the size
// limits, and on a monitor's work area.
void TQuillmoorMW::setBounds(const Rect& stored) {
    const SIZE minimum = minimumSize();
    const SizeLimits limits{minimum.cx, minimum.cy, GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    const Rect r = placeStored(stored, dpi_, limits, workAreas());
    // A window already there (the stored place is where it was created, as after closing it
    // unmoved at 96 dpi) is left alone: the call would move nothing and still send the
    // window its messages.
    RECT now{};
    GetWindowRect(hwnd_, &now);
    if (Rect{now.left, now.top, now.right - now.left, now.bottom - now.top} == r) return;
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window's frame rectangle; while minimized, its restored rectangle.
RECT TQuillmoorMW::frameRect(HWND hwnd) {
    RECT r{};
    if (!IsIconic(hwnd)) {
        GetWindowRect(hwnd, &r);
        return r;
    }
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(hwnd, &wp);
    r = wp.rcNormalPosition;
    // The restored rectangle is in work-area coordinates.
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &mi)) {
        OffsetRect(&r, mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top);
    }
    return r;
}

}  // namespace qm
