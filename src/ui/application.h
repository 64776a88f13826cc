// The tool's invisible application window: it owns the main window, the file dialog, the
// clipboard while the tool reads it and the error box. Its text is the tool's title.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace qm {

class Application {
public:
    // Creates the invisible window; the title comes from the executable's file name.
    static void create(HINSTANCE instance);
    static HWND handle();
    static HINSTANCE instance();
    // The title in UTF-16, every character of the executable's name kept.
    static const std::u16string& title();
    // The settings file beside the executable, named after it with ".ini" (iniPathFor), in
    // UTF-16 as the system names the executable. Known before create().
    static std::u16string settingsPath();
    // The program's icon (MAINICON) at the system's icon size and at its small icon size,
    // loaded once for both window classes.
    static HICON icon();
    static HICON smallIcon();

    // The error box: modal, owned by the application window, error icon, "OK", the title
    // as caption, the text with the "." rule. The main window takes no input meanwhile.
    // One box at a time: an error raised while it is open is shown when it closes, each
    // text once (one that the open box or an earlier waiting one shows is not shown again).
    static void showError(const std::u16string& text);
    // A message box owned by the application window, captioned with the title.
    static int messageBox(std::u16string_view text, UINT type);
};

}  // namespace qm
