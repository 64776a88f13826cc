// What the Windows tests share on the desktop side: this thread's message pump, the clipboard
// writer, text measured in a font as the screen draws it, and a real run-list box.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "process.h"
#include "runlist/listbox_runlist.h"
#include "ui/layout.h"

namespace qm::test {

// Handles every message waiting in this thread's queue, WM_QUIT included.
void pumpMessages();
// Handles this thread's messages for `ms`, or until `done` holds; returns `done`'s answer.
bool pumpUntil(const std::function<bool()>& done, DWORD ms);
// Waits for `p` to end, handling this thread's messages meanwhile (a test that owns a window
// must answer what others send it); the exit code, or -1 after `ms`.
long waitPumping(const Process& p, DWORD ms = 10000);

// Puts one format on the clipboard; `bytes` become a global block of exactly their size.
void putOnClipboard(UINT format, const std::string& bytes);

// The extent of `text` drawn on the screen in `font`. `realisedFace`, when given, receives
// the face the system chose, which is another than the one asked for when that is missing.
SIZE textExtent(HFONT font, const std::string& text, std::string* realisedFace = nullptr);
// The same in a font made as the window's fonts are (normal weight, Shift-JIS characters)
// of `face` and `height`.
SIZE textExtent(const char* face, int height, const std::string& text, std::string* realisedFace = nullptr);
// The font a control draws with (WM_GETFONT).
HFONT fontOf(HWND control);

// The text of a control measured in the font it draws with; for a control of another process
// the font is made again from its face and height (GDI handles do not cross processes).
using TextMeasure = std::function<SIZE(HWND control, const std::string& text)>;
TextMeasure measureInOwnFont();
TextMeasure measureInFace(const char* face, int windowFontHeight, int labelFontHeight);

// The design the main window `main` should be laid out by when "0" is `zero` pixels high in its
// window font: scaled by zero/12, Label1 sized to its text, every caption's width as `measure`
// gives it (the texts read from the controls themselves).
Design expectedDesign(HWND main, int zero, const TextMeasure& measure);

// The main window `main` is whole at a scale of `zero`/12 (the height of "0" in its window font
// over the design's 12): every caption fits its control, its text measured by
// `textWidth(control, text)` and the control's own frame given its room, scaled likewise (a
// check box 16 beside its text, a button 2 on each side of it, the label 2 between its text and
// the drop-down), and no two controls of one parent overlap.
void expectCaptionsFitAndNothingOverlaps(HWND main, int zero, const TextMeasure& measure);

// A real list box with the run list's styles in a window of its own, and the run list over it.
class ListBoxFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    RunList& list() { return *list_; }

    HWND parent_ = nullptr, hwnd_ = nullptr;
    std::unique_ptr<ListBoxRunList> list_;
};

}  // namespace qm::test
