// The one error type of the program. It carries the text the error box shows, in UTF-16
// (a name in it may hold any character); handlers throw it and the window's message
// dispatch shows it in the error box.
#pragma once

#include <exception>
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

// A lack of memory: an allocation that failed, or a size larger than a container can hold.
bool isLackOfMemory(const std::exception& e);

// The text an error shows: the program's own text for its own error, "メモリが足りません"
// for a lack of memory (never the runtime's English), and the runtime's text for any other.
std::u16string errorText(const std::exception& e);

}  // namespace qm
