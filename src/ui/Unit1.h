// Unit1: the main window TQuillmoorMW, its components and its handlers.
//
// What the user sees of each component (captions in text/texts.h):
//   Button6     「実行」: starts the application chosen in ComboBox1 on the run list
//   GroupBox1   「実行リスト」: the frame around the run list and its buttons
//   Button1     「ファイル追加」: adds files picked in the file dialog (OpenDialog1)
//   Button2     「フォルダ追加」: adds a folder picked in the folder browser
//   Button3     「クリア」: removes the selected entries
//   ListBox1    the run list
//   CheckBox1   「実行したらリストをクリアする」: empties the list after a launch
//   CheckBox2   「実行したら終了する」: closes the window after a launch
//   Label1      「アプリ選択」: the label above the drop-down
//   ComboBox1   the application drop-down, filled from the settings' [app] section
//   PopupMenu1  the run list's context menu (ui/popup_menu.h): Paste1 「貼り付け」 Ctrl+V,
//               Delete1 「クリア」 Del, N3 「オールクリア」 Ctrl+D, N1 「全て選択」 Ctrl+A,
//               N2 「選択反転」 Ctrl+R
//   OpenDialog1 the file dialog's state kept from use to use
//
// Where the rest of the window lives: window_build.cpp (class, fonts, components, scaling,
// layout, placement), popup_menu.cpp (the context menu), subclass.cpp (the group box's and
// the list box's procedures), dispatch.cpp (messages, commands and keys, and the one guard).
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "ui/focus.h"
#include "runlist/listbox_runlist.h"
#include "settings/apptable.h"
#include "ui/application.h"
#include "ui/dispatch.h"
#include "ui/keys.h"
#include "ui/layout.h"
#include "ui/popup_menu.h"
#include "win/scoped.h"

namespace qm {

// The open-file dialog's state kept from use to use: the initial file name.
struct TOpenDialog {
    std::string fileName;
};

// The close action FormClose sets.
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

class TQuillmoorMW {
public:
    // Components, in declared order.
    HWND ListBox1 = nullptr;
    HWND ComboBox1 = nullptr;
    HWND Label1 = nullptr;
    HWND Button1 = nullptr;
    HWND Button6 = nullptr;
    TPopupMenu PopupMenu1;  // with its items Paste1, Delete1, N3, N1, N2
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

    // Builds the window, hidden, with every component; runs FormCreate. Null when the window
    // could not be made. The window goes with the object.
    static std::unique_ptr<TQuillmoorMW> create();
    ~TQuillmoorMW();
    HWND handle() const { return hwnd_; }
    RunList& runList() { return *runList_; }
    // True when FormCreate asked the tool to end (no settings file).
    bool endRequested() const { return endRequested_; }
    // Offers a queued message to the window's key bindings before it is dispatched;
    // true when it was consumed.
    bool preTranslate(MSG& msg);
    // The main window's procedure: every message goes through the one guarded edge (ui/dispatch.h).
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // Runs a command: the handler of a button, a menu item, a key binding or the close. A
    // command that runs a modal loop (a dialog, its error box) still sees, in that loop,
    // whatever another program posts; so no command starts while another one runs, while
    // the error box is open or once the tool is ending: the later one does nothing. An error
    // the command raises is shown while it still counts as running.
    template <typename Work>
    void runCommand(Work&& work) {
        if (commandRunning_ || endRequested_ || Application::errorBoxOpen()) return;
        commandRunning_ = true;
        guarded(work);
        commandRunning_ = false;
    }

private:
    TQuillmoorMW() = default;
    // The object that the window create() is making takes with its first message.
    static void awaitWindow(TQuillmoorMW* mw);
    // From here on no message reaches the object.
    void letGo();
    // The close sequence, and the window's end when it went through.
    void close();
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    bool dispatchKey(MSG& msg);
    void buildComponents();
    void applyLayout();
    void onCommand(UINT id, UINT code, HWND control);
    void setBounds(const Rect& stored);
    SIZE minimumSize() const;
    static RECT frameRect(HWND hwnd);
    bool isChecked(HWND box) const;
    void setChecked(HWND box, bool checked);

    HWND hwnd_ = nullptr;
    std::unique_ptr<ListBoxRunList> runList_;
    Design design_ = scaledDesign(12, 12);
    int dpi_ = 96;  // the screen's pixels per inch, read once when the components are built
    FontOwner font_;       // the window font, on every control but Label1
    FontOwner labelFont_;  // Label1's own font
    FocusControl focus_;   // previous foreground window, focus give-back flag
    std::u16string settingsPath_;        // computed once at creation
    std::optional<AppTable> appTable_;   // built once at creation
    bool activatedOnce_ = false;
    bool endRequested_ = false;
    // Where each control was last put (the drop-down with its opened height): a control
    // already there is not moved again.
    Layout placed_{};
    HWND lastFocus_ = nullptr;
    bool commandRunning_ = false;  // a command runs, or the creation sequence
    bool creating_ = false;        // the creation sequence runs; the layout waits for its end
};

// Control ids, and the context menu's command ids in the order of its items.
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
    kIdPaste1 = 201 + Paste1,
    kIdDelete1 = 201 + Delete1,
    kIdN3 = 201 + N3,
    kIdN1 = 201 + N1,
    kIdN2 = 201 + N2,
};

}  // namespace qm
