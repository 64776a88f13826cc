#include "sources_support.h"

#include "ui/resource.h"
#include "wide_names.h"

namespace qm::e2e {

namespace {

struct ChildSearch {
    int id;
    const char* cls;
    HWND found;
};

BOOL CALLBACK findChild(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<ChildSearch*>(p);
    char cls[64] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (GetDlgCtrlID(w) == s->id && lstrcmpiA(cls, s->cls) == 0) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND ownedDialog(HWND owner, DWORD ms) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            found = findTopLevel([&](HWND w) {
                return IsWindowVisible(w) && GetWindow(w, GW_OWNER) == owner && className(w) == "#32770";
            });
            return found != nullptr;
        },
        ms);
    return found;
}

HWND descendant(HWND parent, int id, const char* cls) {
    ChildSearch s{id, cls, nullptr};
    EnumChildWindows(parent, findChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::wstring controlTextWide(HWND control) {
    const LRESULT len = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(len > 0 ? len : 0) + 1, L'\0');
    const LRESULT got = SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

std::string controlText(HWND control) {
    return toAcp(controlTextWide(control));
}

void setText(HWND control, const std::string& text) {
    ASSERT_NE(control, nullptr);
    const std::wstring wide = fromAcp(text);
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void SourcesTest::SetUp() {
    // "実行" starts the probe, which records the paths it was given.
    makeTool(probeIni());
    ProbeOutput output(*tool_);
    ASSERT_NE(startMadeTool(), nullptr);
    app_ = GetWindow(main_, GW_OWNER);
    list_ = control(main_, kIdListBox1);
    ASSERT_NE(list_, nullptr);
}

void SourcesTest::command(UINT id) {
    if (HWND button = id < kIdPaste1 ? control(main_, id) : nullptr) {
        PostMessageW(button, BM_CLICK, 0, 0);  // focus and click, as the mouse does
    } else {
        PostMessageW(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0);  // a menu item
    }
}

bool SourcesTest::waitForCount(std::size_t n, DWORD ms) const {
    return waitUntil([&] { return SendMessageW(list_, LB_GETCOUNT, 0, 0) == static_cast<LRESULT>(n); }, ms);
}

}  // namespace qm::e2e
