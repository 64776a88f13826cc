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
//   PopupMenu1  the run list's context menu, its items in the table of commands
//               (ui/commands.cpp): Paste1 「貼り付け」 Ctrl+V, Delete1 「クリア」 Del,
//               N3 「オールクリア」 Ctrl+D, N1 「全て選択」 Ctrl+A, N2 「選択反転」 Ctrl+R
//   OpenDialog1 the file dialog's state kept from use to use
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runlist/listbox_runlist.h"
#include "settings/apptable.h"
#include "settings/start_settings.h"
#include "ui/application.h"
#include "ui/focus.h"
#include "ui/keys.h"
#include "ui/layout.h"
#include "ui/main_window_base.h"
#include "ui/popup_menu.h"
#include "ui/screen.h"
#include "ui/subclass.h"
#include "win/scoped.h"

namespace qm {

// The open-file dialog's state kept from use to use: the initial file name.
struct TOpenDialog {
    std::u16string fileName;
};

// The close action FormClose sets: caFree lets the window go; caNone, the value it starts
// with, keeps it open. (The window is never hidden or minimised instead of closing.)
enum class TCloseAction { caNone, caFree };

class TQuillmoorMW final : public MainWindowBase {
    // The controls' windows, in the order of the table of controls (ui/layout.h); the
    // component members below name them.
    std::array<HWND, kControlCount> controls_{};
    HWND& control(Ctl c) { return controls_[static_cast<std::size_t>(indexOf(c))]; }

public:
    // Components, in declared order.
    HWND& ListBox1 = control(Ctl::ListBox1);
    HWND& ComboBox1 = control(Ctl::ComboBox1);
    HWND& Label1 = control(Ctl::Label1);
    HWND& Button1 = control(Ctl::Button1);
    HWND& Button6 = control(Ctl::Button6);
    TPopupMenu PopupMenu1;  // with its items Paste1, Delete1, N3, N1, N2
    HWND& Button2 = control(Ctl::Button2);
    HWND& Button3 = control(Ctl::Button3);
    TOpenDialog OpenDialog1;
    HWND& GroupBox1 = control(Ctl::GroupBox1);
    HWND& CheckBox1 = control(Ctl::CheckBox1);
    HWND& CheckBox2 = control(Ctl::CheckBox2);

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
    void doublerun(const std::u16string& argumentText);
    void active(void* sender);
    void Mianshortcut(const MSG& msg, bool& handled);
    void Listkeydown(void* sender, WORD& key, TShiftState shift);

    // Message handlers bound by message number.
    void WMDropFiles(HDROP drop);
    void WMCopyData(const COPYDATASTRUCT* data);

    // The window's whole life (ui/lifecycle.cpp), from the application window to the end of
    // the message loop; the process's exit code.
    static int run(HINSTANCE instance);
    // Builds the window, hidden, with every component; runs FormCreate, which takes what
    // `settings` read. Null when the window could not be made. The window goes with the
    // object.
    static std::unique_ptr<TQuillmoorMW> create(StartSettingsReader& settings);
    RunList& runList() { return *runList_; }

private:
    TQuillmoorMW() = default;
    TQuillmoorMW(const TQuillmoorMW&) = delete;
    TQuillmoorMW& operator=(const TQuillmoorMW&) = delete;
    // The close sequence, and the window's end when it went through.
    void close() override;
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Offers a queued message to the window's key bindings before it is dispatched;
    // true when it was consumed.
    bool preTranslate(MSG& msg);
    bool dispatchKey(MSG& msg);
    // Listkeydown, run as a command of the main window `window` (the list box's binding).
    static void listKeyDown(MainWindowBase& window, WORD& key, TShiftState shift);
    // The argument rule applied to `args`, the list and the foreground following it.
    void applyArguments(const std::vector<std::u16string>& args);
    void buildComponents();
    // Makes the fonts for `dpi` pixels per inch, gives them to the controls, and scales the
    // design by the height of "0" in the window font, its captions measured in their fonts.
    void scaleTo(int dpi);
    // Label1's own font for the label, the window font for every other control.
    HFONT fontFor(Kind kind) const;
    void setItemHeights();
    void applyLayout();
    // CBN_DROPDOWN: gives the drop-down its opened height (ui/window_build.cpp).
    void fitDropDown();
    // WM_DPICHANGED: the window moved to a screen of another density (ui/window_place.cpp).
    void dpiChanged(WPARAM wParam, LPARAM lParam);
    // WM_COMMAND: a button's or a menu item's command from the table of commands
    // (ui/commands.cpp), or the drop-down's notification.
    void onCommand(UINT id, UINT code);
    // The context menu's items, from the table of commands.
    static std::vector<TMenuItem> menuItems();
    void setBounds(const Bounds& stored);
    SIZE minimumSize() const;

    std::unique_ptr<ListBoxRunList> runList_;
    Design design_ = scaledDesign(12, 12);
    int dpi_ = 96;                                  // the pixels per inch the window is laid out for
    int zero_ = 12;                                 // the height of "0" in the window font
    ScopedFont font_;                               // the window font, on every control but Label1
    ScopedFont labelFont_;                          // Label1's own font
    ForegroundState foreground_;                    // previous foreground window, focus give-back flag
    StartSettingsReader* startSettings_ = nullptr;  // during the creation sequence only
    std::u16string settingsPath_;                   // computed once at creation
    std::optional<AppTable> appTable_;              // built once at creation
    bool activatedOnce_ = false;
    // Where each control was last put (the drop-down with the opened height it last took): a
    // control already there is not moved again.
    Layout placed_{};
    HWND lastFocus_ = nullptr;
};

}  // namespace qm
