// The run list held by a real LISTBOX control: the list box is the store, nothing is
// copied. Every operation is done by the list box's own messages.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "runlist/runlist.h"

namespace qm {

// Styles of the run list's list box besides WS_CHILD/WS_VISIBLE/WS_TABSTOP.
inline constexpr DWORD kRunListStyle =
    LBS_NOTIFY | LBS_HASSTRINGS | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL;

// The most entries the run list holds: what a list box holds on every version of Windows
// (Windows 95's list box stops at 32,767, its positions being 16-bit). A launch loses nothing
// by it: every entry adds at least ` ""` to the command line, so past 10,922 entries no
// command line with %P fits the system's 32,767 characters.
inline constexpr int kMostRunListEntries = 32767;

class ListBoxRunList final : public RunList {
public:
    // `ownProc`: the list box's own procedure, which a subclass in front of it passes the
    // list-box messages on to (GWLP_WNDPROC before the subclass, W).
    ListBoxRunList(HWND listBox, WNDPROC ownProc) : hwnd_(listBox), ownProc_(ownProc) {}

    // Refused, as the list box refuses an entry, once the list holds kMostRunListEntries.
    void append(std::u16string_view text) override;
    int count() const override;
    std::u16string read(int pos) const override;
    bool isSelected(int pos) const override;
    // Selecting moves neither the caret nor the scroll position; settleSelection does.
    void setSelected(int pos, bool selected) override;
    void remove(int pos) override;
    void removeAll() override;
    void settleSelection(int first, int last) override;

private:
    // One list-box message that carries no text.
    LRESULT request(UINT msg, WPARAM wParam, LPARAM lParam) const;

    HWND hwnd_;
    WNDPROC ownProc_;
};

}  // namespace qm
