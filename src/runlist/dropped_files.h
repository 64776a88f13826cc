// Files dropped on the window. shell32 is loaded on first use (delay-loaded), so that a
// start that only forwards its arguments never pays for it.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "runlist/runlist.h"

namespace qm {

// Appends every dropped name in the drop's order, each whole and exactly as the drop names
// it, and finishes the drop also when an append is refused. A
// handle that does not lead to a whole drop block (another program can post the message
// with any number) appends nothing and is left alone; one that is no moveable memory handle
// is read but never finished.
void appendDroppedNames(HDROP drop, RunList& list);

}  // namespace qm
