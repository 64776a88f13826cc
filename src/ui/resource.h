// The main window's ids, as a dialog's resource.h writes them, and nothing else: the controls
// from 101 in the order of the table of controls (ui/layout.h), the context menu's items from
// 201 in menu order. Other programs post WM_COMMAND with these numbers: they never change.
#pragma once

namespace qm {

enum : unsigned {
    // The controls.
    kIdButton6 = 101,
    kIdGroupBox1 = 102,
    kIdButton1 = 103,
    kIdButton2 = 104,
    kIdButton3 = 105,
    kIdListBox1 = 106,
    kIdCheckBox1 = 107,
    kIdCheckBox2 = 108,
    kIdComboBox1 = 109,
    kIdLabel1 = 110,
    // The context menu's items (PopupMenu1).
    kIdPaste1 = 201,
    kIdDelete1 = 202,
    kIdN3 = 203,
    kIdN1 = 204,
    kIdN2 = 205,
};

}  // namespace qm
