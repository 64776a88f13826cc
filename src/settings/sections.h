// The settings file's layout, in one place: the sections and keys the tool reads and writes,
// and what a read gives when a key is missing or its value is no number. Sections and keys
// other than these are the user's and stay as they are.
#pragma once

namespace qm {

// One value of the window's: its section, its key and its read default (a boolean's: 0 or 1).
struct IniKey {
    const char16_t* section;
    const char16_t* key;
    int defaultValue;
};

// [Pos]: the main window's frame in 96-dpi screen units.
inline constexpr IniKey kIniTop{u"Pos", u"Top", 0};
inline constexpr IniKey kIniLeft{u"Pos", u"Left", 0};
inline constexpr IniKey kIniHeight{u"Pos", u"Height", 300};
inline constexpr IniKey kIniWidth{u"Pos", u"Width", 400};
// [check]: 「実行したらリストをクリアする」 and 「実行したら終了する」.
inline constexpr IniKey kIniClear{u"check", u"clear", 0};
inline constexpr IniKey kIniQuit{u"check", u"quit", 0};

// [app]: the application table, name "=" command template; only ever read.
inline constexpr char16_t kAppSection[] = u"app";

}  // namespace qm
