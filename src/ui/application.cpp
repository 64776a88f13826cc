#include "ui/application.h"

#include <algorithm>
#include <vector>

#include "settings/values.h"
#include "text/codepage.h"
#include "text/textrules.h"
#include "text/utf16.h"
#include "win/modal_frame.h"
#include "win/whole_text.h"

namespace qm {

namespace {

HWND g_app = nullptr;
HINSTANCE g_instance = nullptr;
std::u16string g_title;
HICON g_icon = nullptr;
HICON g_smallIcon = nullptr;
// While the error box is open: the text it shows and every other text raised meanwhile, each
// once; empty while no box is open.
std::vector<std::u16string> g_errorTexts;

constexpr wchar_t kAppClass[] = L"TApplication";

// In UTF-16: the A form would give the best-fit look-alike of a name outside the code page,
// the path of another file ("Café" read as "Cafe").
WideText modulePath() {
    const std::optional<WideText> path =
        wholeText([](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
    return path ? WideText(path->begin(), path->end() - 1) : WideText();  // without its NUL
}

// In UTF-16, without a NUL; asked of the system once, on first use (on the window's thread
// alone: plain variables, with no guard of a function's static).
WideText g_exePath;
bool g_exePathKnown = false;
const WideText& exePath() {
    if (!g_exePathKnown) {
        g_exePath = modulePath();
        g_exePathKnown = true;
    }
    return g_exePath;
}
std::u16string exePath16() {
    return std::u16string(exePath().begin(), exePath().end());
}

}  // namespace

void Application::create(HINSTANCE instance) {
    g_instance = instance;
    g_title = titleFromExePath(exePath16(), systemCodePage());
    // The small icon is loaded here once: a class given none gets its own copy, loaded and
    // scaled again for each of the two classes. The same resource at the same size: the
    // very picture the system would have made.
    g_icon = LoadIconA(instance, "MAINICON");
    g_smallIcon = static_cast<HICON>(
        LoadImageA(instance, "MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    // A Unicode window: its text, the title, keeps every character of the name.
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = kAppClass;
    wc.hIcon = g_icon;
    wc.hIconSm = g_smallIcon;
    RegisterClassExW(&wc);
    // Never shown; a zero-sized popup keeps it off the taskbar.
    g_app = CreateWindowExW(0, kAppClass, nulTerminated(g_title).data(),
                            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr, nullptr, instance,
                            nullptr);
}

HWND Application::handle() {
    return g_app;
}
HINSTANCE Application::instance() {
    return g_instance;
}
const std::u16string& Application::title() {
    return g_title;
}

std::u16string Application::settingsPath() {
    return iniPathFor(exePath16());
}

HICON Application::icon() {
    return g_icon;
}
HICON Application::smallIcon() {
    return g_smallIcon;
}

int Application::messageBox(std::u16string_view text, UINT type) {
    return MessageBoxW(g_app, nulTerminated(text).data(), nulTerminated(g_title).data(), type);
}

void Application::showError(const std::u16string& text) {
    // The box's loop handles what arrives meanwhile; an error raised there (a hand-off the
    // list cannot take) does not open a second box over this one: it waits for this one to
    // close, once, whatever number of times it was raised meanwhile.
    if (!g_errorTexts.empty()) {
        if (std::find(g_errorTexts.begin(), g_errorTexts.end(), text) == g_errorTexts.end())
            g_errorTexts.push_back(text);
        return;
    }
    // The application window (hidden) owns the box; the main window takes no input meanwhile.
    ScopedModalFrame frame;
    struct Open {
        explicit Open(const std::u16string& first) { g_errorTexts.assign(1, first); }
        ~Open() { g_errorTexts.clear(); }
    } open(text);
    // The first text, then each one raised while a box was open, in the order they came.
    for (std::size_t i = 0; i < g_errorTexts.size(); ++i) {
        const std::u16string shown = g_errorTexts[i];  // the list may grow while it shows
        messageBox(errorBoxText(shown), MB_OK | MB_ICONERROR);
    }
}

}  // namespace qm
