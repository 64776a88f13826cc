// How the program ends on an error that nothing caught (std::terminate).
#pragma once

namespace qm {

// Shows the tool's own error box (its title as caption) and ends the process with exit code 3.
[[noreturn]] void endOnUncaughtError() noexcept;

}  // namespace qm
