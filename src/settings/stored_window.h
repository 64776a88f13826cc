// What the settings file keeps of the window between two runs: its frame in [Pos] and the two
// options of [check]. Read by the creation sequence and written by the close, here side by
// side, so that both take the same keys with the same defaults (settings/sections.h).
#pragma once

#include "settings/settings.h"

namespace qm {

struct StoredWindow {
    int top = 0, left = 0, height = 0, width = 0;  // the frame, in 96-dpi screen units
    // The options 「実行したらリストをクリアする」 and 「実行したら終了する」.
    bool clear = false, quit = false;
};

// The six values as the file holds them; a missing key or one that is no number reads as its
// key's default.
StoredWindow readStoredWindow(const Settings& settings);

// Writes Top, Left, Height, Width, clear and quit, in that order, each as Settings writes it
// (plain decimal, "1" / "0"); the writes are in place once `settings` is committed. Throws
// what Settings throws when a write is refused, and the values after it are not written.
void writeStoredWindow(Settings& settings, const StoredWindow& window);

}  // namespace qm
