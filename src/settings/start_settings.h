// What the window's creation sequence reads from the settings file, in the order it reads it:
// whether the file exists, the stored position and size, the two options and the application
// table. The reads take a profile call each (22 for a table of 20 applications), so they run
// on a thread of their own from the start of the process, while the window system starts up
// and the windows are made; the creation sequence then takes what they found. Nothing else
// touches the file meanwhile: the window's thread only reads it again at the close.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "settings/apptable.h"
#include "settings/stored_window.h"
#include "text/codepage.h"
#include "win/thread.h"

namespace qm {

struct StartSettings {
    bool exists = false;  // when false, nothing else was read
    StoredWindow window;
    std::optional<AppTable> appTable;
    // What the read found beside the file and left as it was (Settings::notice), for the
    // error box once the window is made; empty when there was nothing.
    std::u16string notice;
};

// The reads, on the calling thread.
StartSettings readStartSettings(const std::u16string& path, const CodePage& cp);

struct StartSettingsJob;

// The reads, begun on a thread of their own when the object is made (on the spot in take()
// when no thread can be made).
class StartSettingsReader {
public:
    StartSettingsReader(std::u16string path, const CodePage& cp);
    ~StartSettingsReader();  // waits for the reads (the thread's owner does)
    StartSettingsReader(const StartSettingsReader&) = delete;
    StartSettingsReader& operator=(const StartSettingsReader&) = delete;

    // Waits for the reads and gives what they found; an error they raised is raised here,
    // on the caller's thread. A second call reads again, on the spot.
    StartSettings take();

private:
    std::unique_ptr<StartSettingsJob> job_;
    ScopedThread thread_;  // made after the job it works on, and gone before it
};

}  // namespace qm
