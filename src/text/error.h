// The one error type of the program. It carries the system's own text (code page 932);
// handlers throw it and the window's message dispatch shows it in the error box.
#pragma once

#include <stdexcept>
#include <string>

namespace qm {

class AppError : public std::runtime_error {
public:
    explicit AppError(const std::string& text) : std::runtime_error(text) {}
    std::string text() const { return what(); }
};

}  // namespace qm
