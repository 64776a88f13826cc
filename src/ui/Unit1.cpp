// TQuillmoorMW's handlers: what each command, key binding and message of the main window does
// (its creation and close sequences: ui/lifecycle.cpp).
#include "ui/Unit1.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "args/argument_rule.h"
#include "args/handoff.h"
#include "launch/launch.h"
#include "launch/run.h"
#include "runlist/clipboard.h"
#include "runlist/dropped_files.h"
#include "runlist/file_dialog.h"
#include "runlist/folder_browser.h"
#include "text/codepage.h"
#include "text/error.h"
#include "text/texts.h"
#include "text/utf16.h"
#include "ui/application.h"
#include "win/controls.h"

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
    const ComboBox apps(combo);
    return apps.itemText(apps.selection()).value_or(std::u16string());
}

}  // namespace

void TQuillmoorMW::applyArguments(const std::vector<std::u16string>& args) {
    WindowArgumentTarget target(hwnd_, foreground_);
    applyArgumentRule(args, runList(), target);
}

// ---------------------------------------------------------------- commands

void TQuillmoorMW::Button6Click(void*) {
    const std::u16string selected = selectedName(ComboBox1);
    // A failed start raises its error here: the list stays and the window stays open.
    const bool quit = launchFromRunList(runList(), selected, appTable_ ? &*appTable_ : nullptr,
                                        Button(CheckBox1).checked(), Button(CheckBox2).checked());
    // Closed as the close box closes it, before this handler returns: nothing that arrives
    // afterwards (a hand-off) can go into a list that is about to vanish.
    if (quit) close();
}

// The context menu's 「クリア」 and the button 「クリア」 remove the selected entries alike.
void TQuillmoorMW::DeleteSel(void*) {
    ScopedRedrawPause pause(ListBox1);
    deleteSelected(runList());
}

void TQuillmoorMW::Button3Click(void* sender) {
    DeleteSel(sender);
}

void TQuillmoorMW::allsel(void*) {
    ScopedRedrawPause pause(ListBox1);
    selectAll(runList());
}

void TQuillmoorMW::selrev(void*) {
    ScopedRedrawPause pause(ListBox1);
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
    ScopedRedrawPause pause(ListBox1);
    for (const std::u16string& path : paths) runList().append(path);
}

void TQuillmoorMW::Button2Click(void*) {
    browseForFolder(hwnd_, runList());
}

void TQuillmoorMW::doublerun(const std::u16string& argumentText) {
    foreground_.recordPreviousForeground();
    const std::vector<std::u16string> pieces = cutArgumentText(argumentText);
    // The list takes what fits; what it refuses ends the appending, and the box says so
    // once, after the window has come forward.
    std::optional<std::u16string> refused;
    {
        // One entry is one change: the list box paints it as it goes in.
        std::optional<ScopedRedrawPause> pause;
        if (pieces.size() > 1) pause.emplace(ListBox1);
        try {
            applyArguments(pieces);
        } catch (const AppError& e) {
            refused = e.text();
        } catch (const std::exception& e) {
            if (!isLackOfMemory(e)) throw;
            refused = texts::kErrNoMemory;
        }
    }
    if (!foreground_.giveBack()) {
        // While a box or dialog of the tool is open it keeps the input: it comes forward, not
        // the window it disables.
        const HWND popup = ForegroundState::openPopup(hwnd_, Application::handle());
        foreground_.forceForeground(popup ? popup : static_cast<HWND>(hwnd_));
    }
    if (refused) throw AppError(*refused + u"\n" + texts::kErrRestNotAdded);
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

// An error in the binding is shown, and the list still sees the key.
void TQuillmoorMW::listKeyDown(MainWindowBase& window, WORD& key, TShiftState shift) {
    auto& mw = static_cast<TQuillmoorMW&>(window);  // the one main window
    mw.runCommand([&] { mw.Listkeydown(mw.ListBox1, key, shift); });
}

void TQuillmoorMW::WMDropFiles(HDROP drop) {
    ScopedRedrawPause pause(ListBox1);
    appendDroppedNames(drop, runList());
}

void TQuillmoorMW::WMCopyData(const COPYDATASTRUCT* data) {
    if (!runList_) return;  // not built yet: nothing could take the paths
    // A block larger than any later start of the tool sends is no hand-off: declined as it
    // comes, nothing read, added or raised, and its sender has its answer at once.
    if (data && !handoffWithinBound(data->dwData, data->cbData, cp().bytesPerUnit())) return;
    // Either form of the block, read in UTF-16 (args/handoff.h).
    const std::u16string text = data ? readHandoff(data->dwData, data->lpData, data->cbData, cp()) : std::u16string();
    try {
        doublerun(text);
    } catch (...) {
        // The hand-off is done: its sender goes on while the error box waits for the user.
        ReplyMessage(0);
        throw;
    }
}

}  // namespace qm
