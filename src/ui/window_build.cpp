// The main window's construction: its class, fonts, components, scaling to the screen, the
// layout of its controls, and its placement on the screen.
#include <windows.h>

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

// The extent of `text` drawn in `font` on the screen.
SIZE textExtent(HFONT font, const char* text) {
    const ScreenDC dc(GetDC(nullptr));
    SelectedObject selected(dc.get(), font);
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), text, lstrlenA(text), &size);
    return size;
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

std::unique_ptr<TQuillmoorMW> TQuillmoorMW::create() {
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
    // The controls are placed once, when the creation sequence has sized the window and
    // filled the drop-down, rather than after every step that changes either. No command
    // runs meanwhile (the missing-file notice's loop handles what others post).
    mw->guard([&] {
        mw->buildComponents();
        mw->FormCreate(nullptr);
    });
    mw->created();
    if (mw->phase() != Phase::ending) mw->applyLayout();
    return mw;
}

void TQuillmoorMW::buildComponents() {
    HINSTANCE inst = Application::instance();
    // The window font follows the screen's pixels per inch; when "0" then measures other than
    // the design's 12 pixels, every position and size, the design sizes and Label1's own font
    // are scaled by the measured height over 12.
    const int ppi = GetDeviceCaps(ScreenDC(GetDC(nullptr)).get(), LOGPIXELSY);
    dpi_ = ppi > 0 ? ppi : 96;
    font_.reset(makeFont(mulDiv(-12, dpi_, 96)));
    const int measured = textExtent(font_.get(), "0").cy;
    const int zero = measured > 0 ? measured : 12;
    design_ = scaledDesign(zero, 12);
    labelFont_.reset(makeFont(design_.labelFontHeight));
    // Label1 is sized to its text, its left and top kept.
    const SIZE labelSize = textExtent(labelFont_.get(), texts::kLabelApp);
    sizeTo(design_, Ctl::Label1, labelSize.cx, labelSize.cy);

    // Each control is made where the layout puts it in the window as created: when the stored
    // size turns out to be that one, the creation sequence's layout moves only the drop-down,
    // to its opened height. The drop-down starts with no height.
    RECT client{};
    GetClientRect(hwnd_, &client);
    placed_ = layoutFor(design_, client.right, client.bottom);
    at(placed_, Ctl::ComboBox1).height = 0;
    auto make = [&](HWND parent, const char* cls, const char* text, DWORD style, UINT id, Ctl c, DWORD ex = 0) {
        const Rect& r = at(placed_, c);
        HWND w = CreateWindowExA(ex, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.width, r.height,
                                 parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), inst, nullptr);
        SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        return w;
    };
    // Created in tab order: Button6, GroupBox1 (Button1, Button2, Button3, ListBox1,
    // CheckBox1, CheckBox2), ComboBox1; the label takes no focus.
    Button6 = make(hwnd_, "BUTTON", texts::kButtonRun, WS_TABSTOP | BS_DEFPUSHBUTTON, kIdButton6, Ctl::Button6);
    GroupBox1 = make(hwnd_, "BUTTON", texts::kGroupRunList, BS_GROUPBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                     kIdGroupBox1, Ctl::GroupBox1, WS_EX_CONTROLPARENT);
    subclassGroupBox(GroupBox1);
    Button1 = make(GroupBox1, "BUTTON", texts::kButtonAddFile, WS_TABSTOP | BS_PUSHBUTTON, kIdButton1, Ctl::Button1);
    Button2 = make(GroupBox1, "BUTTON", texts::kButtonAddFolder, WS_TABSTOP | BS_PUSHBUTTON, kIdButton2, Ctl::Button2);
    Button3 = make(GroupBox1, "BUTTON", texts::kButtonClear, WS_TABSTOP | BS_PUSHBUTTON, kIdButton3, Ctl::Button3);
    ListBox1 = make(GroupBox1, "LISTBOX", "", WS_TABSTOP | kRunListStyle, kIdListBox1, Ctl::ListBox1, WS_EX_CLIENTEDGE);
    const int itemHeight = mulDiv(12, zero, 12);  // 12 at design
    SendMessageA(ListBox1, LB_SETITEMHEIGHT, 0, itemHeight);
    const WNDPROC listBoxOwnProc = subclassListBox(ListBox1);
    CheckBox1 = make(GroupBox1, "BUTTON", texts::kCheckClear, WS_TABSTOP | BS_AUTOCHECKBOX, kIdCheckBox1, Ctl::CheckBox1);
    CheckBox2 = make(GroupBox1, "BUTTON", texts::kCheckQuit, WS_TABSTOP | BS_AUTOCHECKBOX, kIdCheckBox2, Ctl::CheckBox2);
    ComboBox1 = make(hwnd_, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kIdComboBox1, Ctl::ComboBox1);
    SendMessageA(ComboBox1, CB_SETITEMHEIGHT, 0, itemHeight);
    // With common controls 6 the opened list shows at most this many rows; older ones follow
    // the height applyLayout gives the control.
    SendMessageA(ComboBox1, CB_SETMINVISIBLE, 5, 0);
    Label1 = make(hwnd_, "STATIC", texts::kLabelApp, SS_CENTER, kIdLabel1, Ctl::Label1);
    SendMessageA(Label1, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.get()), FALSE);

    runList_ = std::make_unique<ListBoxRunList>(ListBox1, listBoxOwnProc);
    PopupMenu1.build();
}

void TQuillmoorMW::applyLayout() {
    if (!ListBox1 || phase() == Phase::creating || IsIconic(hwnd_)) return;
    RECT client{};
    GetClientRect(hwnd_, &client);
    Layout l = layoutFor(design_, client.right, client.bottom);
    at(l, Ctl::ComboBox1).height = comboOpenHeight(ComboBox1);
    auto put = [&](HWND w, Ctl c) {
        const Rect& r = at(l, c);
        Rect& was = at(placed_, c);
        if (r == was) return;
        MoveWindow(w, r.left, r.top, r.width, r.height, TRUE);
        was = r;
    };
    put(Label1, Ctl::Label1);
    put(GroupBox1, Ctl::GroupBox1);
    put(Button1, Ctl::Button1);
    put(Button2, Ctl::Button2);
    put(Button3, Ctl::Button3);
    put(ListBox1, Ctl::ListBox1);
    put(CheckBox1, Ctl::CheckBox1);
    put(CheckBox2, Ctl::CheckBox2);
    put(Button6, Ctl::Button6);
    put(ComboBox1, Ctl::ComboBox1);
}

// The smallest frame on this screen.
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
