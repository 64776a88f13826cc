// Unit1: the main window TQuillmoorMW, its components, its handlers and the process-wide
// values beside it.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "args/focus.h"
#include "launch/launch.h"
#include "runlist/listbox_runlist.h"
#include "settings/apptable.h"
#include "ui/layout.h"
#include "win/scoped.h"

namespace qm {

// A context-menu item: its command id, caption and shortcut value (virtual key in bits
// 0-7, Shift 0x2000, Ctrl 0x4000, Alt 0x8000).
struct TMenuItem {
    UINT id = 0;
    std::string caption;
    WORD shortCut = 0;
};

// The open-file dialog's state kept from use to use: the initial file name.
struct TOpenDialog {
    std::string fileName;
};

// Shift state of a key press.
struct TShiftState {
    bool shift = false, ctrl = false, alt = false;
};

// The close action FormClose sets.
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

// Process-wide values of Unit1.
struct Unit1State {
    FocusControl focus;                // previous foreground window, focus give-back flag
    std::string settingsPath;          // computed once at creation
    std::optional<AppTable> appTable;  // built once at creation
    LaunchPlan launch;                 // the strings a launch builds (quoted path list, command line)
};
Unit1State& unit1();

class TQuillmoorMW {
public:
    // Components, in declared order.
    HWND ListBox1 = nullptr;
    HWND ComboBox1 = nullptr;
    HWND Label1 = nullptr;
    HWND Button1 = nullptr;
    HWND Button6 = nullptr;
    HMENU PopupMenu1 = nullptr;
    TMenuItem N1, N2, N3, Delete1, Paste1;
    HWND Button2 = nullptr;
    HWND Button3 = nullptr;
    TOpenDialog OpenDialog1;
    HWND GroupBox1 = nullptr;
    HWND CheckBox1 = nullptr;
    HWND CheckBox2 = nullptr;

    // Handlers, in declared order.
    void FormCreate(void* sender);
    void FormClose(void* sender, TCloseAction& action);
    void Button6Click(void* sender);
    void DeleteSel(void* sender);
    void allsel(void* sender);
    void selrev(void* sender);
    void allclear(void* sender);
    void pathpaste(void* sender);
    void Button2Click(void* sender);
    void Button3Click(void* sender);
    void Button1Click(void* sender);
    void doublerun(const std::string& argumentText);
    void active(void* sender);
    void Mianshortcut(const MSG& msg, bool& handled);
    void Listkeydown(void* sender, WORD& key, TShiftState shift);

    // Message handlers bound by message number.
    void WMDropFiles(HDROP drop);
    void WMCopyData(const COPYDATASTRUCT* data);

    // Builds the window, hidden, with every component; runs FormCreate. Returns nullptr
    // when the window could not be made.
    static TQuillmoorMW* create();
    HWND handle() const { return hwnd_; }
    RunList& runList() { return *runList_; }
    // True when FormCreate asked the tool to end (no settings file).
    bool endRequested() const { return endRequested_; }
    // Offers a queued message to the window's key bindings before it is dispatched;
    // true when it was consumed.
    bool preTranslate(MSG& msg);
    // The main window's commands run in the error box's safety net.
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    bool dispatchKey(MSG& msg);
    void buildComponents();
    void buildMenu();
    void assignMenuAccessKeys();
    void applyLayout();
    void onCommand(UINT id, UINT code, HWND control);
    void setBounds(const Rect& stored);
    SIZE minimumSize() const;
    bool isChecked(HWND box) const;
    void setChecked(HWND box, bool checked);

    HWND hwnd_ = nullptr;
    std::unique_ptr<ListBoxRunList> runList_;
    Design design_ = scaledDesign(12, 12);
    int dpi_ = 96;  // the screen's pixels per inch, read once when the components are built
    FontOwner font_;       // the window font, on every control but Label1
    FontOwner labelFont_;  // Label1's own font
    bool activatedOnce_ = false;
    bool endRequested_ = false;
    bool layoutHeld_ = false;  // while the window is being created
    HWND lastFocus_ = nullptr;
    bool dialogOpen_ = false;  // the file dialog or the folder browser is open
};

// Control ids.
enum : UINT {
    kIdButton1 = 101,
    kIdButton2,
    kIdButton3,
    kIdButton6,
    kIdListBox1,
    kIdComboBox1,
    kIdCheckBox1,
    kIdCheckBox2,
    kIdGroupBox1,
    kIdLabel1,
    kIdPaste1 = 201,
    kIdDelete1,
    kIdN3,
    kIdN1,
    kIdN2,
};

// The smallest frame, in 96-dpi units.
inline constexpr int kMinWidth = 300, kMinHeight = 200;

}  // namespace qm
