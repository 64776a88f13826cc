// The run list held by a real LISTBOX control: the list box is the store, nothing is
// copied. Every operation is one list-box message (selecting outside a command takes two, the
// count and the selection); reading the whole selection takes three.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "runlist/runlist.h"

namespace qm {

// Styles of the run list's list box besides WS_CHILD/WS_VISIBLE/WS_TABSTOP.
inline constexpr DWORD kRunListStyle =
    LBS_NOTIFY | LBS_HASSTRINGS | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL;

// The text of item `pos` of a list box (LB_GETTEXTLEN, LB_GETTEXT) or of a drop-down's list
// (CB_GETLBTEXTLEN, CB_GETLBTEXT), read with the W messages and converted with the ANSI code
// page; nothing when the control holds no such item.
std::optional<std::string> itemText(HWND control, UINT lengthMsg, UINT textMsg, int pos);

class ListBoxRunList final : public RunList {
public:
    explicit ListBoxRunList(HWND listBox) : hwnd_(listBox) {}
    HWND hwnd() const { return hwnd_; }

    void append(std::string_view text) override;
    int count() const override;
    std::string read(int pos) const override;
    bool isSelected(int pos) const override;
    void setSelected(int pos, bool selected) override;
    void remove(int pos) override;
    void removeAll() override;
    // The selected positions in one request (LB_GETSELITEMS) rather than one per entry.
    std::vector<bool> selection() const override;
    // A command takes the count once, hands its requests straight to the list box's own
    // procedure, and selects with LB_SELITEMRANGEEX, which moves neither caret nor scroll
    // position; its end moves them as LB_SETSEL entry by entry would have.
    void beginCommand() override;
    void endCommand() override;

private:
    // One list-box message that carries no text.
    LRESULT request(UINT msg, WPARAM wParam, LPARAM lParam) const;

    HWND hwnd_;
    WNDPROC ownProc_ = nullptr;                   // during a command
    bool callDirectly_ = false;                   // ownProc_ is a function to call as it is
    int count_ = 0;                               // during a command
    int firstSelected_ = -1, lastSelected_ = -1;  // set selected during a command
};

// Suspends the list box's redrawing for a batch of requests; it is painted once, at the next
// paint after.
class RedrawPause {
public:
    explicit RedrawPause(HWND hwnd);
    ~RedrawPause();
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    HWND hwnd_;
    bool shown_;  // the list box had WS_VISIBLE, which the pause takes away meanwhile
};

}  // namespace qm
