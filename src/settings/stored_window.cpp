#include "settings/stored_window.h"

#include "settings/sections.h"

namespace qm {

StoredWindow readStoredWindow(const Settings& settings) {
    StoredWindow w;
    w.top = settings.readInt(kIniTop);
    w.left = settings.readInt(kIniLeft);
    w.height = settings.readInt(kIniHeight);
    w.width = settings.readInt(kIniWidth);
    w.clear = settings.readBool(kIniClear);
    w.quit = settings.readBool(kIniQuit);
    return w;
}

void writeStoredWindow(Settings& settings, const StoredWindow& w) {
    settings.writeInt(kIniTop, w.top);
    settings.writeInt(kIniLeft, w.left);
    settings.writeInt(kIniHeight, w.height);
    settings.writeInt(kIniWidth, w.width);
    settings.writeBool(kIniClear, w.clear);
    settings.writeBool(kIniQuit, w.quit);
}

}  // namespace qm
