#include "ui/Unit1.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "args/argument_rule.h"
#include "args/system_arguments.h"
#include "entry/handoff.h"
#include "launch/launch.h"
#include "launch/process.h"
#include "runlist/path_sources.h"
#include "settings/settings.h"
#include "settings/values.h"
#include "text/codepage.h"
#include "text/error.h"
#include "text/texts.h"
#include "ui/application.h"
#include "ui/keys.h"
#include "ui/placement.h"
#include "ui/shortcuts.h"

namespace qm {

Unit1State& unit1() {
    static Unit1State state;
    return state;
}

namespace {

const CodePage& cp() { return systemCodePage(); }

TQuillmoorMW* fromHandle(HWND hwnd) {
    return reinterpret_cast<TQuillmoorMW*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

// The argument rule's effects on the main window.
class WindowArgumentTarget final : public ArgumentTarget {
public:
    explicit WindowArgumentTarget(HWND hwnd) : hwnd_(hwnd) {}
    void makeTopmost() override { FocusControl::makeTopmost(hwnd_); }
    void setGiveBack() override { unit1().focus.setGiveBack(); }

private:
    HWND hwnd_;
};

// The one edge where errors stop: every entry from the system into the window's code (the
// window procedure, the key dispatch before it, the list box's procedure, the creation)
// runs its work through here. An error it raises is shown in the error box (the program's
// own texts as they are, any other as its what()), and the tool goes on. True when the work
// ran to its end.
template <typename Work>
bool guarded(Work&& work) noexcept {
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        try {
            Application::showError(e.what());
        } catch (const std::exception&) {
            // Not even the error box could be shown (no memory left): the tool goes on.
        }
    }
    return false;
}

// Subclassing the plain way: the control's own procedure waits in its GWLP_USERDATA, and
// the main window is the control's root. (Wine keeps comctl32's subclass data in window
// properties, two server calls on every message: 130 us each for a list box of 10,000
// entries, which made every command on such a list take seconds.)
void subclass(HWND control, WNDPROC proc) {
    SetWindowLongPtrA(control, GWLP_USERDATA, GetWindowLongPtrA(control, GWLP_WNDPROC));
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

LRESULT controlsOwnProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)), hwnd, msg, wParam,
                           lParam);
}

// The same for a control that stays a Unicode window (the list box, with the common-controls
// manifest): an A procedure in front of it would have the system convert every text message
// between A and W, which Wine does through a fixed buffer of 512 characters, so a longer
// entry came back cut or wrong, and a W read from another program overran that buffer.
void subclassW(HWND control, WNDPROC proc) {
    SetWindowLongPtrW(control, GWLP_USERDATA, GetWindowLongPtrW(control, GWLP_WNDPROC));
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

LRESULT controlsOwnProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)), hwnd, msg, wParam,
                           lParam);
}

// Set while the file dialog or the folder browser is open: a second one started meanwhile
// (a WM_COMMAND that any program can post reaches the disabled window through the dialog's
// loop) would share the first one's state and free it under it.
class DialogOpen {
public:
    explicit DialogOpen(bool& open) : open_(open) { open_ = true; }
    ~DialogOpen() { open_ = false; }
    DialogOpen(const DialogOpen&) = delete;
    DialogOpen& operator=(const DialogOpen&) = delete;

private:
    bool& open_;
};

// The group box holds six controls; their notifications go on to the main window. Unlike a
// bare BUTTON group box it paints its own background, as the window's face behind it is
// clipped away.
LRESULT CALLBACK groupBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT r{};
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_COMMAND:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
        return SendMessageA(GetAncestor(hwnd, GA_ROOT), msg, wParam, lParam);
    default:
        return controlsOwnProc(hwnd, msg, wParam, lParam);
    }
}

// What a menu item shows: its caption, a tab and the text of its shortcut.
std::string menuItemText(const TMenuItem& item) {
    const std::string shortCut = shortCutText(item.shortCut);
    return shortCut.empty() ? item.caption : item.caption + "\t" + shortCut;
}

TShiftState currentShiftState(LPARAM keyData) {
    TShiftState s;
    s.shift = GetKeyState(VK_SHIFT) < 0;
    s.ctrl = GetKeyState(VK_CONTROL) < 0;
    s.alt = (keyData & (1 << 29)) != 0;
    return s;
}

// A context-menu request from the keyboard (both coordinates -1), or one whose screen
// point lies in `w`'s client area.
bool contextMenuInClient(HWND w, LPARAM lParam) {
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (pt.x == -1 && pt.y == -1) return true;
    RECT client{};
    GetClientRect(w, &client);
    ScreenToClient(w, &pt);
    return PtInRect(&client, pt) != FALSE;
}

// The list box's key-down binding runs before the list's own keyboard handling.
LRESULT listBoxMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // The list's context menu opens from the main window, which must learn that the request
    // came from the list (passed on by the system it would name the group box). A request
    // from the list's scroll bars is left to the system.
    if (msg == WM_CONTEXTMENU && contextMenuInClient(hwnd, lParam)) {
        return SendMessageA(GetAncestor(hwnd, GA_ROOT), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), lParam);
    }
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
        TQuillmoorMW* mw = fromHandle(GetAncestor(hwnd, GA_ROOT));
        WORD key = static_cast<WORD>(wParam);
        // An error in the binding is shown, and the list still sees the key.
        if (mw) guarded([&] { mw->Listkeydown(mw->ListBox1, key, currentShiftState(lParam)); });
        if (key == 0) return 0;
        wParam = key;
    }
    return controlsOwnProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK listBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    guarded([&] { result = listBoxMessage(hwnd, msg, wParam, lParam); });
    return result;
}

HFONT makeFont(int height) {
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, texts::kFontFace);
}

// The extent of `text` drawn in `font` on the screen.
SIZE textExtent(HFONT font, const char* text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}

// The window's frame rectangle; while minimized, its restored rectangle.
RECT frameRect(HWND hwnd) {
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

BOOL CALLBACK addWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM out) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoA(monitor, &mi)) {
        reinterpret_cast<std::vector<Edges>*>(out)->push_back(
            {mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom});
    }
    return TRUE;
}

// The work areas of every monitor.
std::vector<Edges> workAreas() {
    std::vector<Edges> areas;
    EnumDisplayMonitors(nullptr, nullptr, addWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

}  // namespace

// ---------------------------------------------------------------- creation and layout

TQuillmoorMW* TQuillmoorMW::create() {
    HINSTANCE inst = Application::instance();
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = inst;
    wc.hIcon = LoadIconA(inst, "MAINICON");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = texts::kWindowClass;
    WNDCLASSA registered{};
    if (!GetClassInfoA(inst, texts::kWindowClass, &registered) && !RegisterClassA(&wc)) return nullptr;

    auto* mw = new TQuillmoorMW();
    // Owned by the application window; WS_EX_APPWINDOW keeps its taskbar button.
    mw->hwnd_ = CreateWindowExA(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, texts::kWindowClass, texts::kCaption,
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 884, 111, 340, 300, Application::handle(),
                                nullptr, inst, mw);
    if (!mw->hwnd_) {
        delete mw;
        return nullptr;
    }
    // The controls are placed once, when the creation sequence has sized the window and
    // filled the drop-down, rather than after every step that changes either.
    mw->layoutHeld_ = true;
    guarded([&] {
        mw->buildComponents();
        mw->FormCreate(nullptr);
    });
    mw->layoutHeld_ = false;
    mw->applyLayout();
    return mw;
}

void TQuillmoorMW::buildComponents() {
    HINSTANCE inst = Application::instance();
    // The window font follows the screen's pixels per inch; when "0" then measures other than
    // the design's 12 pixels, every position and size, the design sizes and Label1's own font
    // are scaled by the measured height over 12.
    HDC dc = GetDC(nullptr);
    const int ppi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    dpi_ = ppi > 0 ? ppi : 96;
    font_.reset(makeFont(mulDiv(-12, dpi_, 96)));
    const int measured = textExtent(font_.get(), "0").cy;
    const int zero = measured > 0 ? measured : 12;
    design_ = scaledDesign(zero, 12);
    labelFont_.reset(makeFont(design_.labelFontHeight));
    // Label1 is sized to its text, its left and top kept.
    const SIZE labelSize = textExtent(labelFont_.get(), texts::kLabelApp);
    sizeTo(design_, Ctl::Label1, labelSize.cx, labelSize.cy);

    auto make = [&](HWND parent, const char* cls, const char* text, DWORD style, UINT id, DWORD ex = 0) {
        HWND w = CreateWindowExA(ex, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), inst, nullptr);
        SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        return w;
    };
    // Created in tab order: Button6, GroupBox1 (Button1, Button2, Button3, ListBox1,
    // CheckBox1, CheckBox2), ComboBox1; the label takes no focus.
    Button6 = make(hwnd_, "BUTTON", texts::kButtonRun, WS_TABSTOP | BS_DEFPUSHBUTTON, kIdButton6);
    GroupBox1 = make(hwnd_, "BUTTON", texts::kGroupRunList, BS_GROUPBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                     kIdGroupBox1, WS_EX_CONTROLPARENT);
    subclass(GroupBox1, groupBoxProc);
    Button1 = make(GroupBox1, "BUTTON", texts::kButtonAddFile, WS_TABSTOP | BS_PUSHBUTTON, kIdButton1);
    Button2 = make(GroupBox1, "BUTTON", texts::kButtonAddFolder, WS_TABSTOP | BS_PUSHBUTTON, kIdButton2);
    Button3 = make(GroupBox1, "BUTTON", texts::kButtonClear, WS_TABSTOP | BS_PUSHBUTTON, kIdButton3);
    ListBox1 = make(GroupBox1, "LISTBOX", "", WS_TABSTOP | kRunListStyle, kIdListBox1, WS_EX_CLIENTEDGE);
    const int itemHeight = mulDiv(12, zero, 12);  // 12 at design
    SendMessageA(ListBox1, LB_SETITEMHEIGHT, 0, itemHeight);
    subclassW(ListBox1, listBoxProc);
    CheckBox1 = make(GroupBox1, "BUTTON", texts::kCheckClear, WS_TABSTOP | BS_AUTOCHECKBOX, kIdCheckBox1);
    CheckBox2 = make(GroupBox1, "BUTTON", texts::kCheckQuit, WS_TABSTOP | BS_AUTOCHECKBOX, kIdCheckBox2);
    ComboBox1 = make(hwnd_, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kIdComboBox1);
    SendMessageA(ComboBox1, CB_SETITEMHEIGHT, 0, itemHeight);
    // With common controls 6 the opened list shows at most this many rows; older ones follow
    // the height applyLayout gives the control.
    SendMessageA(ComboBox1, CB_SETMINVISIBLE, 5, 0);
    Label1 = make(hwnd_, "STATIC", texts::kLabelApp, SS_CENTER, kIdLabel1);
    SendMessageA(Label1, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.get()), FALSE);

    runList_ = std::make_unique<ListBoxRunList>(ListBox1);
    buildMenu();
}

void TQuillmoorMW::buildMenu() {
    N1 = {kIdN1, texts::kMenuSelectAll, 0x4041};
    N2 = {kIdN2, texts::kMenuInvert, 0x4052};
    N3 = {kIdN3, texts::kMenuClearAll, 0x4044};
    Delete1 = {kIdDelete1, texts::kMenuDelete, 0x002E};
    Paste1 = {kIdPaste1, texts::kMenuPaste, 0x4056};
    PopupMenu1 = CreatePopupMenu();
    for (const TMenuItem* item : {&Paste1, &Delete1, &N3, &N1, &N2}) {
        AppendMenuA(PopupMenu1, MF_STRING, item->id, menuItemText(*item).c_str());
    }
}

// Each opening gives every item without an access key one; the captions keep them.
void TQuillmoorMW::assignMenuAccessKeys() {
    TMenuItem* items[] = {&Paste1, &Delete1, &N3, &N1, &N2};
    std::vector<std::string> captions;
    for (const TMenuItem* item : items) captions.push_back(item->caption);
    const std::vector<std::string> assigned = assignAccessKeys(captions, cp());
    for (std::size_t i = 0; i < assigned.size(); ++i) {
        if (assigned[i] == items[i]->caption) continue;
        items[i]->caption = assigned[i];
        ModifyMenuA(PopupMenu1, items[i]->id, MF_BYCOMMAND | MF_STRING, items[i]->id,
                    menuItemText(*items[i]).c_str());
    }
}

// The drop-down's opened height: one row per name, 1 to 5 rows, plus the closed height
// and 2 pixels.
static int comboOpenHeight(HWND combo) {
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    const int rows = count < 1 ? 1 : (count > 5 ? 5 : static_cast<int>(count));
    const int itemHeight = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
    RECT closed{};
    GetWindowRect(combo, &closed);  // a combo box's window rectangle is its closed part
    const int closedHeight = closed.bottom - closed.top;
    return rows * itemHeight + closedHeight + 2;
}

void TQuillmoorMW::applyLayout() {
    if (!ListBox1 || layoutHeld_ || IsIconic(hwnd_)) return;
    RECT client{};
    GetClientRect(hwnd_, &client);
    const Layout l = layoutFor(design_, client.right, client.bottom);
    auto put = [&](HWND w, Ctl c, int height = -1) {
        const Rect& r = at(l, c);
        MoveWindow(w, r.left, r.top, r.width, height < 0 ? r.height : height, TRUE);
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
    put(ComboBox1, Ctl::ComboBox1, comboOpenHeight(ComboBox1));
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
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TQuillmoorMW::isChecked(HWND box) const { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TQuillmoorMW::setChecked(HWND box, bool checked) {
    SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// ---------------------------------------------------------------- lifecycle

void TQuillmoorMW::FormCreate(void*) {
    Unit1State& state = unit1();
    // What DragAcceptFiles(hwnd_, TRUE) does, without loading shell32 (and with it ole32)
    // at every start: the window takes dropped files.
    SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, GetWindowLongPtrA(hwnd_, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
    state.focus.recordPreviousForeground();
    const std::vector<std::string> args = commandLineArguments();
    if (!args.empty()) {
        WindowArgumentTarget target(hwnd_);
        RedrawPause pause(ListBox1);
        applyArgumentRule(args, runList(), target);
    }
    state.settingsPath = iniPathFor(Application::exePath(), cp());

    Settings settings(state.settingsPath);
    if (!settings.exists()) {
        MessageBoxA(Application::handle(), texts::kNoIniNotice, Application::title().c_str(), MB_OK);
        endRequested_ = true;
        PostQuitMessage(0);
        return;
    }
    // Position and size in 96-dpi units, read in this order; placed on the screen at once.
    Rect stored{};
    stored.top = settings.readInt("Pos", "Top", 0);
    stored.left = settings.readInt("Pos", "Left", 0);
    stored.height = settings.readInt("Pos", "Height", 300);
    stored.width = settings.readInt("Pos", "Width", 400);
    setBounds(stored);
    setChecked(CheckBox1, settings.readBool("check", "clear", false));
    setChecked(CheckBox2, settings.readBool("check", "quit", false));

    state.appTable = loadAppTable(settings, cp());
    if (!state.appTable) return;
    const std::vector<std::string>& entries = state.appTable->entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string name(appName(entries[i]));
        SendMessageA(ComboBox1, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(name.c_str()));
    }
    SendMessageA(ComboBox1, CB_SETCURSEL, 0, 0);
}

void TQuillmoorMW::FormClose(void*, TCloseAction& action) {
    action = TCloseAction::caFree;
    const RECT frame = frameRect(hwnd_);
    const Rect r = storedFor({frame.left, frame.top, frame.right, frame.bottom}, dpi_);  // 96-dpi units
    Settings settings(unit1().settingsPath);
    settings.writeInt("Pos", "Top", r.top);
    settings.writeInt("Pos", "Left", r.left);
    settings.writeInt("Pos", "Height", r.height);
    settings.writeInt("Pos", "Width", r.width);
    settings.writeBool("check", "clear", isChecked(CheckBox1));
    settings.writeBool("check", "quit", isChecked(CheckBox2));
}

// ---------------------------------------------------------------- commands

void TQuillmoorMW::Button6Click(void*) {
    Unit1State& state = unit1();
    const int sel = static_cast<int>(SendMessageA(ComboBox1, CB_GETCURSEL, 0, 0));
    std::string selected;
    if (sel >= 0) {
        const LRESULT len = SendMessageA(ComboBox1, CB_GETLBTEXTLEN, sel, 0);
        if (len >= 0) {
            std::string buf(static_cast<std::size_t>(len) + 1, '\0');
            SendMessageA(ComboBox1, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(&buf[0]));
            selected = buf.c_str();
        }
    }
    // A failed start raises its error here: the list stays and the window stays open.
    const bool close = launchFromRunList(runList(), selected, state.appTable ? &*state.appTable : nullptr,
                                         isChecked(CheckBox1), isChecked(CheckBox2), state.launch);
    // Closed as the close box closes it, before this handler returns: nothing that arrives
    // afterwards (a hand-off) can go into a list that is about to vanish.
    if (close) SendMessageA(hwnd_, WM_CLOSE, 0, 0);
}

void TQuillmoorMW::DeleteSel(void*) {
    RedrawPause pause(ListBox1);
    deleteSelected(runList());
}

void TQuillmoorMW::Button3Click(void*) {
    RedrawPause pause(ListBox1);
    deleteSelected(runList());
}

void TQuillmoorMW::allsel(void*) {
    RedrawPause pause(ListBox1);
    selectAll(runList());
}

void TQuillmoorMW::selrev(void*) {
    RedrawPause pause(ListBox1);
    invertSelection(runList());
}

void TQuillmoorMW::allclear(void*) { removeAll(runList()); }

void TQuillmoorMW::pathpaste(void*) {
    if (const std::optional<std::string> text = clipboardText(Application::handle())) runList().append(*text);
}

void TQuillmoorMW::Button1Click(void*) {
    if (dialogOpen_) return;
    std::vector<std::string> paths;
    {
        DialogOpen open(dialogOpen_);
        paths =
            runOpenDialog(Application::handle(), hwnd_, Application::instance(), OpenDialog1.fileName);
    }
    RedrawPause pause(ListBox1);
    for (const std::string& path : paths) runList().append(path);
}

void TQuillmoorMW::Button2Click(void*) {
    if (dialogOpen_) return;
    DialogOpen open(dialogOpen_);
    browseForFolder(hwnd_, runList());
}

void TQuillmoorMW::doublerun(const std::string& argumentText) {
    Unit1State& state = unit1();
    state.focus.recordPreviousForeground();
    const std::vector<std::string> pieces = cutArgumentText(argumentText, cp());
    {
        WindowArgumentTarget target(hwnd_);
        RedrawPause pause(ListBox1);
        applyArgumentRule(pieces, runList(), target);
    }
    if (!state.focus.giveBack()) state.focus.forceForeground(hwnd_);
}

void TQuillmoorMW::active(void*) { unit1().focus.active(); }

void TQuillmoorMW::Mianshortcut(const MSG& msg, bool& handled) {
    if (msg.wParam == VK_ESCAPE) {
        handled = true;
        SendMessageA(hwnd_, WM_CLOSE, 0, 0);
    } else if (msg.wParam == VK_RETURN && GetKeyState(VK_SHIFT) < 0) {
        handled = true;
        Button6Click(nullptr);
    }
}

void TQuillmoorMW::Listkeydown(void*, WORD& key, TShiftState shift) {
    if (key == 'A' && shift.ctrl && !shift.shift && !shift.alt) allsel(nullptr);
}

void TQuillmoorMW::WMDropFiles(HDROP drop) {
    RedrawPause pause(ListBox1);
    appendDroppedNames(drop, runList());
}

void TQuillmoorMW::WMCopyData(const COPYDATASTRUCT* data) {
    if (!runList_) return;  // not built yet: nothing could take the paths
    doublerun(data ? readHandoffBlock(data->lpData, data->cbData) : std::string());
}

// ---------------------------------------------------------------- dispatch

void TQuillmoorMW::onCommand(UINT id, UINT code, HWND) {
    switch (id) {
    case kIdButton1: if (code == BN_CLICKED) Button1Click(Button1); break;
    case kIdButton2: if (code == BN_CLICKED) Button2Click(Button2); break;
    case kIdButton3: if (code == BN_CLICKED) Button3Click(Button3); break;
    case kIdButton6: if (code == BN_CLICKED) Button6Click(Button6); break;
    case kIdPaste1: pathpaste(&Paste1); break;
    case kIdDelete1: DeleteSel(&Delete1); break;
    case kIdN3: allclear(&N3); break;
    case kIdN1: allsel(&N1); break;
    case kIdN2: selrev(&N2); break;
    default: break;
    }
}

bool TQuillmoorMW::preTranslate(MSG& msg) {
    bool consumed = false;
    // A press whose handling raised an error counts as consumed.
    return !guarded([&] { consumed = dispatchKey(msg); }) || consumed;
}

// The order of dispatch of a key press while the window or one of its controls has the
// focus; true when the press was consumed (it then makes no character and reaches no control).
bool TQuillmoorMW::dispatchKey(MSG& msg) {
    showActiveButton(hwnd_, Button6);
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
    HWND focus = GetFocus();
    const WORD key = LOWORD(msg.wParam);
    const TShiftState s = currentShiftState(msg.lParam);
    // While the drop-down's list is open, Enter and Escape only close that list.
    if (focus == ComboBox1 && (key == VK_RETURN || key == VK_ESCAPE) &&
        SendMessageA(ComboBox1, CB_GETDROPPEDSTATE, 0, 0)) {
        return false;
    }
    {
        // 1. The context-menu shortcuts of the focused control and its containers; only the
        // list has a menu. A match is consumed whether or not its item ran. The item runs as
        // when it is chosen from the menu, so an error it raises shows in the error box.
        if (focus == ListBox1) {
            const ShortCut value = shortCutOf(key, s.shift, s.ctrl, s.alt);
            for (const TMenuItem* item : {&Paste1, &Delete1, &N3, &N1, &N2}) {
                if (value == 0 || item->shortCut != value) continue;
                if (!(GetMenuState(PopupMenu1, item->id, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED)))
                    SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(item->id, 0), 0);
                return true;
            }
        }
        // 2. Window-level bindings.
        bool handled = false;
        Mianshortcut(msg, handled);
        if (handled) return true;
    }
    // 3. Navigation and dialog keys; 4. (not consumed) the control's own key handling.
    return navigationKey(hwnd_, Button6, msg, s.shift, s.ctrl, s.alt);
}

LRESULT TQuillmoorMW::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) applyLayout();
        return 0;
    case WM_GETMINMAXINFO: {
        auto* mmi = reinterpret_cast<MINMAXINFO*>(lParam);
        const SIZE minimum = minimumSize();
        mmi->ptMinTrackSize.x = minimum.cx;
        mmi->ptMinTrackSize.y = minimum.cy;
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND f = GetFocus();
            if (f && IsChild(hwnd_, f)) lastFocus_ = f;
        } else if (!activatedOnce_) {
            activatedOnce_ = true;
            SetFocus(Button6);
            active(nullptr);
        } else {
            SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : Button6);
        }
        return 0;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_INITMENUPOPUP:
        if (reinterpret_cast<HMENU>(wParam) != PopupMenu1) break;
        assignMenuAccessKeys();
        return 0;
    case WM_CONTEXTMENU: {
        // From the list: at the pointer, or from the keyboard at the list's client top-left.
        if (reinterpret_cast<HWND>(wParam) != ListBox1 || !contextMenuInClient(ListBox1, lParam)) break;
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (pt.x == -1 && pt.y == -1) {
            pt = {0, 0};
            ClientToScreen(ListBox1, &pt);
        }
        TrackPopupMenu(PopupMenu1, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd_, nullptr);
        return 0;
    }
    case WM_CLOSE: {
        TCloseAction action = TCloseAction::caNone;
        try {
            FormClose(nullptr, action);
        } catch (const AppError& e) {
            // A refused write is shown, and the window closes all the same.
            Application::showError(e.text());
            action = TCloseAction::caFree;
        }
        if (action == TCloseAction::caFree) DestroyWindow(hwnd_);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_DROPFILES:
        WMDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_COPYDATA:
        WMCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK TQuillmoorMW::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* mw = static_cast<TQuillmoorMW*>(cs->lpCreateParams);
        mw->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(mw));
    }
    TQuillmoorMW* mw = fromHandle(hwnd);
    if (!mw) return DefWindowProcA(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    guarded([&] { result = mw->handleMessage(msg, wParam, lParam); });
    return result;
}

}  // namespace qm
