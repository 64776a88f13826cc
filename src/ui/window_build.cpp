// The main window's construction: its fonts, components, scaling to the screen and the layout
// of its controls (its class and the creation sequence: ui/lifecycle.cpp; its place on the
// screen: ui/window_place.cpp).
#include <windows.h>

#include <string>

#include "text/texts.h"
#include "text/utf16.h"
#include "ui/Unit1.h"
#include "ui/application.h"
#include "ui/screen.h"
#include "ui/subclass.h"
#include "win/controls.h"

namespace qm {

namespace {

HFONT makeFont(int height) {
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, texts::w(texts::kFontFace));
}

// The extent of `text` drawn in the font selected into `dc`.
SIZE textExtent(HDC dc, std::u16string_view text) {
    SIZE size{};
    const WideText wide = nulTerminated(text);
    GetTextExtentPoint32W(dc, wide.data(), static_cast<int>(text.size()), &size);
    return size;
}

// The window class and styles of each kind of control.
struct KindClass {
    const wchar_t* cls;
    DWORD style, exStyle;
};
KindClass classOf(Kind kind) {
    switch (kind) {
        case Kind::Label:
            return {L"STATIC", SS_CENTER, 0};
        case Kind::GroupBox:
            return {L"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case Kind::PushButton:
            return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
        case Kind::DefaultButton:
            return {L"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON, 0};
        case Kind::CheckBox:
            return {L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0};
        case Kind::ListBox:
            return {L"LISTBOX", WS_TABSTOP | kRunListStyle, WS_EX_CLIENTEDGE};
        case Kind::DropDown:
            return {L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    }
    return {L"STATIC", 0, 0};
}

// The drop-down's opened height: one row per name, 1 to 5 rows, plus the closed height
// and 2 pixels.
int comboOpenHeight(HWND combo) {
    const int count = ComboBox(combo).count();
    const int rows = count < 1 ? 1 : (count > 5 ? 5 : count);
    const int itemHeight = ComboBox(combo).itemHeight();
    RECT closed{};
    GetWindowRect(combo, &closed);  // a combo box's window rectangle is its closed part
    const int closedHeight = closed.bottom - closed.top;
    return rows * itemHeight + closedHeight + 2;
}

}  // namespace

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
        const Bounds& r = at(placed_, e.ctl);
        // The W call: the control keeps its caption in UTF-16 under every code page.
        HWND w = CreateWindowExW(k.exStyle, k.cls, texts::w(e.caption), WS_CHILD | WS_VISIBLE | k.style, r.left, r.top,
                                 r.width, r.height, e.inGroup ? GroupBox1 : hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(idOf(e.ctl))), inst, nullptr);
        SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(e.kind)), FALSE);
        if (e.kind != Kind::GroupBox && e.kind != Kind::ListBox) subclassOther(w);
        control(e.ctl) = w;
    }
    subclassGroupBox(GroupBox1);
    subclassDropDownList(ComboBox1, hwnd_);
    setItemHeights();
    const WNDPROC listBoxOwnProc = subclassListBox(ListBox1, &TQuillmoorMW::listKeyDown);
    // With common controls 6 the opened list shows at most this many rows; older ones follow
    // the height applyLayout gives the control.
    ComboBox(ComboBox1).setMinVisible(5);

    runList_ = std::make_unique<ListBoxRunList>(ListBox1, listBoxOwnProc);
    PopupMenu1.build(menuItems());
}

// The window font follows the pixels per inch; when "0" then measures other than the design's
// 12 pixels, every position and size, the design sizes and Label1's own font are scaled by the
// measured height over 12. Label1 is sized to its text, its left and top kept. The controls
// that exist take the new fonts before the old ones go.
void TQuillmoorMW::scaleTo(int dpi) {
    ScopedFont font(makeFont(mulDiv(-12, dpi, 96)));
    // A memory device context measures text as the screen's does (the fonts' heights are in
    // pixels), without asking the window system for the screen's.
    const ScopedMemoryDC dc(CreateCompatibleDC(nullptr));
    const ScopedSelection selected(dc.get(), font.get());
    const int measured = textExtent(dc.get(), u"0").cy;
    const int zero = measured > 0 ? measured : 12;
    Design design = scaledDesign(zero, 12);
    ScopedFont labelFont(makeFont(design.labelFontHeight));
    for (const ControlEntry& e : kControls) {
        if (e.grow == Grow::None) continue;
        const std::u16string caption = withoutAccessMarks(e.caption);
        if (e.kind == Kind::Label) {
            const ScopedSelection own(dc.get(), labelFont.get());
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

HFONT TQuillmoorMW::fontFor(Kind kind) const {
    return kind == Kind::Label ? labelFont_.get() : font_.get();
}

// The run list's and the drop-down's rows, 12 pixels at design.
void TQuillmoorMW::setItemHeights() {
    const int itemHeight = mulDiv(12, zero_, 12);
    SendMessageA(ListBox1, LB_SETITEMHEIGHT, 0, itemHeight);
    ComboBox(ComboBox1).setItemHeight(itemHeight);
}

void TQuillmoorMW::applyLayout() {
    if (!ListBox1 || phase() == Phase::creating || IsIconic(hwnd_)) return;
    RECT client{};
    GetClientRect(hwnd_, &client);
    Layout l = layoutFor(design_, client.right, client.bottom);
    // The drop-down keeps the height it was last given (fitDropDown).
    at(l, Ctl::ComboBox1).height = at(placed_, Ctl::ComboBox1).height;
    // A control that moves is drawn again where it lands (SWP_NOCOPYBITS): left to itself, the
    // system copies what the control showed to its new place and repaints only what that does
    // not cover, and when the window has just grown what it copies may not be on the screen
    // any more. The label, moved and not resized, then stayed blank (under Wine) until
    // something else repainted it.
    for (const ControlEntry& e : kControls) {
        const Bounds& r = at(l, e.ctl);
        Bounds& was = at(placed_, e.ctl);
        if (r == was) continue;
        SetWindowPos(control(e.ctl), nullptr, r.left, r.top, r.width, r.height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        was = r;
    }
}

// The drop-down's list is about to open (CBN_DROPDOWN, sent before the list shows): the control
// takes its opened height for the names it holds now and the item height it has now, which is
// the height the list opens to.
void TQuillmoorMW::fitDropDown() {
    Bounds& was = at(placed_, Ctl::ComboBox1);
    const int height = comboOpenHeight(ComboBox1);
    if (height == was.height) return;
    SetWindowPos(ComboBox1, nullptr, 0, 0, was.width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    was.height = height;
}

}  // namespace qm
