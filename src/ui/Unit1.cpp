// TQuillmoorMW's handlers: what each command, key binding and message of the main window does.
#include "ui/Unit1.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "args/argument_rule.h"
#include "args/handoff.h"
#include "args/system_arguments.h"
#include "launch/launch.h"
#include "launch/run.h"
#include "runlist/clipboard.h"
#include "runlist/dropped_files.h"
#include "runlist/file_dialog.h"
#include "runlist/folder_browser.h"
#include "settings/sections.h"
#include "settings/settings.h"
#include "text/codepage.h"
#include "text/texts.h"
#include "text/utf16.h"
#include "ui/application.h"
#include "ui/placement.h"

namespace qm {

namespace {

const CodePage& cp() {
    return systemCodePage();
}

// The argument rule's effects on the main window.
class WindowArgumentTarget final : public ArgumentTarget {
public:
    WindowArgumentTarget(HWND hwnd, ForegroundState& foreground) : hwnd_(hwnd), foreground_(foreground) {}
    void makeTopmost() override { ForegroundState::makeTopmost(hwnd_); }
    void setGiveBack() override { foreground_.setGiveBack(); }

private:
    HWND hwnd_;
    ForegroundState& foreground_;
};

// The drop-down's selected name, read in UTF-16 as it went in; empty when none is selected.
std::u16string selectedName(HWND combo) {
    const LRESULT sel = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return itemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, static_cast<int>(sel)).value_or(std::u16string());
}

}  // namespace

bool TQuillmoorMW::isChecked(HWND box) const {
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TQuillmoorMW::setChecked(HWND box, bool checked) {
    SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// ---------------------------------------------------------------- lifecycle

void TQuillmoorMW::FormCreate(void*) {
    // What DragAcceptFiles(hwnd_, TRUE) does, without loading shell32 (and with it ole32)
    // at every start: the window takes dropped files.
    SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, GetWindowLongPtrA(hwnd_, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
    foreground_.recordPreviousForeground();
    const std::vector<std::u16string> args = commandLineArguments();
    if (!args.empty()) {
        WindowArgumentTarget target(hwnd_, foreground_);
        RedrawPause pause(ListBox1);
        applyArgumentRule(args, runList(), target);
    }
    settingsPath_ = Application::settingsPath();

    // Read meanwhile on a thread of their own (settings/start_settings.h).
    StartSettings settings = startSettings_->take();
    if (!settings.exists) {
        const WideText notice = wideText(texts::kNoIniNotice);
        Application::messageBox(fromWide(notice.data()), MB_OK);
        end();
        return;
    }
    // Position and size in 96-dpi units; placed on the screen at once.
    setBounds(Bounds{settings.left, settings.top, settings.width, settings.height});
    setChecked(CheckBox1, settings.clear);
    setChecked(CheckBox2, settings.quit);

    appTable_ = std::move(settings.appTable);
    if (!appTable_) return;
    // The names as the file holds them, in UTF-16: the drop-down is a Unicode window and
    // keeps any character its W messages give it.
    {
        // Otherwise the drop-down's list updates its scroll bar after every name.
        RedrawPause pause(ComboBox1);
        const std::vector<std::u16string>& entries = appTable_->entries;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const WideText text = nulTerminated(appName(entries[i]));
            SendMessageW(ComboBox1, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(text.data()));
        }
    }
    SendMessageW(ComboBox1, CB_SETCURSEL, 0, 0);
}

void TQuillmoorMW::FormClose(void*, TCloseAction& action) {
    action = TCloseAction::caFree;
    const RECT frame = frameRect(hwnd_);
    const Bounds r = storedFor({frame.left, frame.top, frame.right, frame.bottom}, monitors(hwnd_));  // 96-dpi units
    Settings settings(settingsPath_);
    settings.writeInt(kIniTop, r.top);
    settings.writeInt(kIniLeft, r.left);
    settings.writeInt(kIniHeight, r.height);
    settings.writeInt(kIniWidth, r.width);
    settings.writeBool(kIniClear, isChecked(CheckBox1));
    settings.writeBool(kIniQuit, isChecked(CheckBox2));
    settings.commit();
}

// ---------------------------------------------------------------- commands

void TQuillmoorMW::Button6Click(void*) {
    const std::u16string selected = selectedName(ComboBox1);
    // A failed start raises its error here: the list stays and the window stays open.
    const bool quit = launchFromRunList(runList(), selected, appTable_ ? &*appTable_ : nullptr, isChecked(CheckBox1),
                                        isChecked(CheckBox2));
    // Closed as the close box closes it, before this handler returns: nothing that arrives
    // afterwards (a hand-off) can go into a list that is about to vanish.
    if (quit) close();
}

// The context menu's 「クリア」 and the button 「クリア」 remove the selected entries alike.
void TQuillmoorMW::DeleteSel(void*) {
    RedrawPause pause(ListBox1);
    deleteSelected(runList());
}

void TQuillmoorMW::Button3Click(void* sender) {
    DeleteSel(sender);
}

void TQuillmoorMW::allsel(void*) {
    RedrawPause pause(ListBox1);
    selectAll(runList());
}

void TQuillmoorMW::selrev(void*) {
    RedrawPause pause(ListBox1);
    invertSelection(runList());
}

void TQuillmoorMW::allclear(void*) {
    removeAll(runList());
}

void TQuillmoorMW::pathpaste(void*) {
    if (const std::optional<std::u16string> text = clipboardText(Application::handle())) runList().append(*text);
}

// Neither dialog opens while the other one is open: both run as commands.
void TQuillmoorMW::Button1Click(void*) {
    const std::vector<std::u16string> paths =
        runOpenDialog(Application::handle(), hwnd_, Application::instance(), OpenDialog1.fileName);
    RedrawPause pause(ListBox1);
    for (const std::u16string& path : paths) runList().append(path);
}

void TQuillmoorMW::Button2Click(void*) {
    browseForFolder(hwnd_, runList());
}

void TQuillmoorMW::doublerun(const std::u16string& argumentText) {
    foreground_.recordPreviousForeground();
    const std::vector<std::u16string> pieces = cutArgumentText(argumentText);
    {
        WindowArgumentTarget target(hwnd_, foreground_);
        // One entry is one change: the list box paints it as it goes in.
        std::optional<RedrawPause> pause;
        if (pieces.size() > 1) pause.emplace(ListBox1);
        applyArgumentRule(pieces, runList(), target);
    }
    if (!foreground_.giveBack()) foreground_.forceForeground(hwnd_);
}

void TQuillmoorMW::active(void*) {
    foreground_.handBackIfAsked();
}

void TQuillmoorMW::Mianshortcut(const MSG& msg, bool& handled) {
    if (msg.wParam == VK_ESCAPE) {
        handled = true;
        SendMessageA(hwnd_, WM_CLOSE, 0, 0);
    } else if (msg.wParam == VK_RETURN && GetKeyState(VK_SHIFT) < 0) {
        handled = true;
        runCommand([&] { Button6Click(nullptr); });
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
    // Either form of the block, read in UTF-16 (args/handoff.h).
    doublerun(data ? readHandoff(data->dwData, data->lpData, data->cbData, cp()) : std::u16string());
}

}  // namespace qm
