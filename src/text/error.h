// The one error type of the program. It carries the text the error box shows, in UTF-16
// (a name in it may hold any character); handlers throw it and the window's message
// dispatch shows it in the error box.
#pragma once

#include <stdexcept>
#include <string>

namespace qm {

class AppError : public std::runtime_error {
public:
    explicit AppError(std::u16string text) : std::runtime_error("AppError"), text_(std::move(text)) {}
    const std::u16string& text() const { return text_; }

private:
    std::u16string text_;
};

}  // namespace qm
