// The main window's whole life, in the order it happens: the settings read meanwhile, the
// application window, the window built hidden with its components and its creation sequence
// (FormCreate), shown, the message loop with its rule for a quit that another program posts,
// the close sequence (FormClose) and the end.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "args/system_arguments.h"
#include "settings/settings.h"
#include "settings/start_settings.h"
#include "settings/stored_window.h"
#include "text/codepage.h"
#include "text/error.h"
#include "text/texts.h"
#include "text/utf16.h"
#include "ui/Unit1.h"
#include "ui/application.h"
#include "ui/placement.h"
#include "win/controls.h"
#include "win/timer_filter.h"

namespace qm {

int TQuillmoorMW::run(HINSTANCE instance) {
    // Read on a thread of their own while this one starts the window system (a start's
    // longest step) and makes the windows.
    StartSettingsReader settings(Application::settingsPath(), systemCodePage());
    // Before any window: no loop of this thread ever dispatches a timer message's function
    // that no timer was set with.
    const ScopedTimerFilter timerFilter;
    Application::create(instance);
    // The window object lives until the message loop has ended; the window goes with it.
    const std::unique_ptr<TQuillmoorMW> window = create(settings);
    if (!window) return 0;  // no window, nothing that could ever end a message loop
    if (window->phase() != Phase::ending) {
        ShowWindow(window->handle(), SW_SHOWNORMAL);
        UpdateWindow(window->handle());
    }
    MSG msg;
    // -1 is a message the system could not hand over (Wine does so when a message's data do
    // not fit on this thread's stack): that message is lost to its sender, and the window
    // goes on with the next one.
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) continue;
        if (got == 0) {
            // The tool posts WM_QUIT only once its window has gone (end()). One that finds the
            // window still there was posted by another program: it closes the window as the
            // close box does, settings written, and the loop ends at the quit that follows.
            if (!IsWindow(window->handle()) || window->phase() == Phase::ending) return 0;
            SendMessageA(window->handle(), WM_CLOSE, 0, 0);
            continue;
        }
        if (IsWindow(window->handle()) && window->preTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::unique_ptr<TQuillmoorMW> TQuillmoorMW::create(StartSettingsReader& settings) {
    HINSTANCE inst = Application::instance();
    // A Unicode window, as its controls are: every text it is given or asked for stays UTF-16.
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = inst;
    wc.hIcon = Application::icon();
    wc.hIconSm = Application::smallIcon();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = texts::w(texts::kWindowClass);
    WNDCLASSW registered{};
    if (!GetClassInfoW(inst, wc.lpszClassName, &registered) && !RegisterClassExW(&wc)) return nullptr;

    std::unique_ptr<TQuillmoorMW> mw(new TQuillmoorMW());
    // Owned by the application window; WS_EX_APPWINDOW keeps its taskbar button.
    if (!mw->createWindow(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, wc.lpszClassName, texts::w(texts::kCaption),
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

void TQuillmoorMW::FormCreate(void*) {
    // What DragAcceptFiles(hwnd_, TRUE) does, without loading shell32 (and with it ole32)
    // at every start: the window takes dropped files.
    SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, GetWindowLongPtrA(hwnd_, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
    foreground_.recordPreviousForeground();
    const std::vector<std::u16string> args = commandLineArguments();
    if (!args.empty()) {
        ScopedRedrawPause pause(ListBox1);
        applyArguments(args);
    }
    settingsPath_ = Application::settingsPath();

    // Read meanwhile on a thread of their own (settings/start_settings.h).
    StartSettings settings = startSettings_->take();
    if (!settings.exists) {
        Application::messageBox(texts::kNoIniNotice, MB_OK);
        end();
        return;
    }
    // Position and size in 96-dpi units; placed on the screen at once.
    const StoredWindow& stored = settings.window;
    setBounds(Bounds{stored.left, stored.top, stored.width, stored.height});
    Button(CheckBox1).setChecked(stored.clear);
    Button(CheckBox2).setChecked(stored.quit);

    // A file beside the settings file that the read left as it was: named once, and the start
    // goes on.
    if (!settings.notice.empty()) Application::showError(settings.notice);

    appTable_ = std::move(settings.appTable);
    if (!appTable_) return;
    // The names as the file holds them, in UTF-16: the drop-down is a Unicode window and
    // keeps any character its W messages give it.
    const ComboBox apps(ComboBox1);
    {
        // Otherwise the drop-down's list updates its scroll bar after every name.
        ScopedRedrawPause pause(ComboBox1);
        const std::vector<std::u16string>& entries = appTable_->entries;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            apps.insert(static_cast<int>(i), nulTerminated(appName(entries[i])).data());
        }
    }
    apps.select(0);
}

// The close box, Escape, a launch that closes the window and a quit another program posts all
// come here, as a command.
void TQuillmoorMW::close() {
    TCloseAction action = TCloseAction::caNone;
    try {
        FormClose(nullptr, action);
    } catch (const AppError& e) {
        // A refused write is shown, and the window closes all the same.
        Application::showError(e.text());
        action = TCloseAction::caFree;
    }
    // The end: the window is destroyed, and its WM_DESTROY ends the message loop.
    if (action == TCloseAction::caFree) end();
}

void TQuillmoorMW::FormClose(void*, TCloseAction& action) {
    action = TCloseAction::caFree;
    const Bounds r = storedFor(restoredFrame(hwnd_), monitors(hwnd_));  // 96-dpi units
    Settings settings(settingsPath_);
    writeStoredWindow(settings,
                      {r.top, r.left, r.height, r.width, Button(CheckBox1).checked(), Button(CheckBox2).checked()});
    settings.commit();
}

}  // namespace qm
