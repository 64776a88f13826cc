#include "ui/application.h"

#include <vector>

#include "text/codepage.h"
#include "text/textrules.h"
#include "win/modal_frame.h"

namespace qm {

namespace {

HWND g_app = nullptr;
HINSTANCE g_instance = nullptr;
std::string g_title;
std::string g_exePath;
HICON g_icon = nullptr;
HICON g_smallIcon = nullptr;

constexpr char kAppClass[] = "TApplication";

std::string modulePath() {
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) return std::string(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}

}  // namespace

void Application::create(HINSTANCE instance) {
    g_instance = instance;
    g_exePath = modulePath();
    g_title = titleFromExePath(g_exePath, systemCodePage());
    // The small icon is loaded here once: a class given none gets its own copy, loaded and
    // scaled again for each of the two classes. The same resource at the same size: the
    // very picture the system would have made.
    g_icon = LoadIconA(instance, "MAINICON");
    g_smallIcon = static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), 0));
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = kAppClass;
    wc.hIcon = g_icon;
    wc.hIconSm = g_smallIcon;
    RegisterClassExA(&wc);
    // Never shown; a zero-sized popup keeps it off the taskbar.
    g_app = CreateWindowExA(0, kAppClass, g_title.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                            0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
}

HWND Application::handle() { return g_app; }
HINSTANCE Application::instance() { return g_instance; }
const std::string& Application::title() { return g_title; }
const std::string& Application::exePath() { return g_exePath; }
HICON Application::icon() { return g_icon; }
HICON Application::smallIcon() { return g_smallIcon; }

namespace {
bool g_errorBoxOpen = false;
}  // namespace

bool Application::errorBoxOpen() { return g_errorBoxOpen; }

void Application::showError(const std::string& text) {
    // The box's loop handles what arrives meanwhile; an error that raises (a hand-off that
    // cannot be appended) does not open a second box over this one.
    if (g_errorBoxOpen) return;
    const std::string shown = errorBoxText(text, systemCodePage());
    // The application window (hidden) owns the box; the main window takes no input meanwhile.
    ModalFrame frame;
    g_errorBoxOpen = true;
    MessageBoxA(g_app, shown.c_str(), g_title.c_str(), MB_OK | MB_ICONERROR);
    g_errorBoxOpen = false;
}

}  // namespace qm
