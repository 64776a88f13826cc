// The main window's controls, each written once in one table (as a dialog template writes
// them), and where they stand: their design rectangles, the resize rules and the room their
// captions need, as pure functions of the client size (and the group box's size).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "text/texts.h"
#include "ui/geometry.h"
#include "ui/resource.h"

namespace qm {

// The controls by name, in the order of the table below.
enum class Ctl { Button6, GroupBox1, Button1, Button2, Button3, ListBox1, CheckBox1, CheckBox2, ComboBox1, Label1 };
inline constexpr int kControlCount = 10;
constexpr int indexOf(Ctl c) {
    return static_cast<int>(c);
}
// A control's id (ui/resource.h): the first control's and on, in the table's order.
constexpr unsigned idOf(Ctl c) {
    return kIdButton6 + static_cast<unsigned>(c);
}

// Which parent edges a control keeps its distance to.
enum Anchor : unsigned { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8 };

// What a control is: a window class with its styles, as a dialog template's statements name
// them (CTEXT, GROUPBOX, PUSHBUTTON, DEFPUSHBUTTON, AUTOCHECKBOX, LISTBOX, COMBOBOX).
enum class Kind { Label, GroupBox, PushButton, DefaultButton, CheckBox, ListBox, DropDown };

// How a control makes room for a caption wider than it:
//   Right        grows to the right (a check box: its box and gap, then the text);
//   AboutCentre  grows evenly on both sides (a button: its frame on each side of the text);
//   PushesRight  is sized to its text and pushes the left edge of the control next right of it
//                in its row (the one it labels) further right, that control keeping its right
//                edge; it takes at most the room that leaves that control no width, and is cut
//                beyond (a label).
// Each grows just enough, never nearer another control of its parent or the parent's edges
// than kClearance, and no control is ever given a negative width.
enum class Grow { None, Right, AboutCentre, PushesRight };

// The room a control's frame needs beside its caption's text, in design units (scaled like
// every position): a check box's box and the gap after it; a button's frame on each side; the
// gap between a label's text and the control it labels, also the least distance a grown control
// keeps to another one and to its parent's edges.
inline constexpr int kCheckBoxRoom = 16;
inline constexpr int kButtonSideRoom = 2;
inline constexpr int kClearance = 2;

struct ControlEntry {
    Ctl ctl;
    const char* name;  // the component's name
    Kind kind;
    bool inGroup;  // a child of GroupBox1, placed in its client area (its whole size)
    const char16_t* caption;
    Bounds bounds;  // design position and size in its parent
    unsigned anchors;
    int minWidth;  // 0: none
    Grow grow;
};

// Every control of the main window, in the order they are made, which is the Tab order
// (GroupBox1 before its children; the label takes no focus). Building, layout and the tests
// all read this table.
// clang-format off
inline constexpr std::array<ControlEntry, kControlCount> kControls = {{
    {Ctl::Button6, "Button6", Kind::DefaultButton, false, texts::kButtonRun, {270, 238, 47, 25}, kRight | kBottom,
     0, Grow::AboutCentre},
    {Ctl::GroupBox1, "GroupBox1", Kind::GroupBox, false, texts::kGroupRunList, {8, 9, 315, 224},
     kLeft | kTop | kRight | kBottom, 0, Grow::None},
    {Ctl::Button1, "Button1", Kind::PushButton, true, texts::kButtonAddFile, {15, 151, 73, 25}, kBottom, 0,
     Grow::AboutCentre},
    {Ctl::Button2, "Button2", Kind::PushButton, true, texts::kButtonAddFolder, {123, 151, 73, 25}, kBottom, 0,
     Grow::AboutCentre},
    {Ctl::Button3, "Button3", Kind::PushButton, true, texts::kButtonClear, {226, 151, 73, 25}, kBottom, 0,
     Grow::AboutCentre},
    {Ctl::ListBox1, "ListBox1", Kind::ListBox, true, u"", {8, 17, 299, 127}, kLeft | kTop | kRight | kBottom, 0,
     Grow::None},
    {Ctl::CheckBox1, "CheckBox1", Kind::CheckBox, true, texts::kCheckClear, {24, 180, 161, 20},
     kLeft | kRight | kBottom, 161, Grow::Right},
    {Ctl::CheckBox2, "CheckBox2", Kind::CheckBox, true, texts::kCheckQuit, {24, 200, 121, 20}, kLeft | kBottom, 0,
     Grow::Right},
    {Ctl::ComboBox1, "ComboBox1", Kind::DropDown, false, u"", {80, 240, 188, 20}, kLeft | kRight | kBottom, 0,
     Grow::None},
    {Ctl::Label1, "Label1", Kind::Label, false, texts::kLabelApp, {16, 243, 59, 13}, kLeft | kBottom, 0,
     Grow::PushesRight},
}};
// clang-format on

// The window's design position and size, where it stands until the settings place it, and
// its smallest frame, in 96-dpi units.
inline constexpr int kDesignLeft = 884, kDesignTop = 111, kDesignWidth = 340, kDesignHeight = 300;
inline constexpr int kMinWidth = 300, kMinHeight = 200;

// One control of the design at the window's scale.
struct ControlDesign {
    Ctl id;
    bool inGroup;
    Bounds bounds;
    unsigned anchors;
    int minWidth;
    Grow grow;
    int captionWidth;  // the caption's text as measured in the control's font; 0 until measured
};

// The design, scaled by num/den (the measured height of "0" over the design's 12).
struct Design {
    std::array<ControlDesign, kControlCount> controls;
    int clientWidth, clientHeight;  // 332 x 273 at design
    int groupWidth, groupHeight;    // 315 x 224 at design
    int labelFontHeight;            // -13 at design
    int num, den;                   // the scale
};
Design scaledDesign(int num, int den);

// `v` design units at the design's scale.
inline int scaled(const Design& d, int v) {
    return mulDiv(v, d.num, d.den);
}

// Gives a control that is sized to its content (Label1 to its text) that size, its left and
// top kept; the resize rules then carry the new size.
void sizeTo(Design& design, Ctl control, int width, int height);
// Records the width of a control's caption text in its own font.
void setCaptionWidth(Design& design, Ctl control, int width);

// A caption as it is drawn: each "&" that marks an access key left out, "&&" drawn as "&".
// (No unit of a surrogate pair is "&", so the units can be walked one by one.)
std::u16string withoutAccessMarks(std::u16string_view caption);

using Layout = std::array<Bounds, kControlCount>;

// Every control's rectangle (relative to its parent) for the window's client size: the resize
// rules, then the room each caption needs.
Layout layoutFor(const Design& design, int clientWidth, int clientHeight);

inline const Bounds& at(const Layout& l, Ctl c) {
    return l[static_cast<std::size_t>(indexOf(c))];
}
inline Bounds& at(Layout& l, Ctl c) {
    return l[static_cast<std::size_t>(indexOf(c))];
}

}  // namespace qm
