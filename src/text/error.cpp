#include "text/error.h"

#include <new>

#include "text/texts.h"

namespace qm {

bool isLackOfMemory(const std::exception& e) {
    return dynamic_cast<const std::bad_alloc*>(&e) != nullptr || dynamic_cast<const std::length_error*>(&e) != nullptr;
}

std::u16string errorText(const std::exception& e) {
    if (const auto* own = dynamic_cast<const AppError*>(&e)) return own->text();
    if (isLackOfMemory(e)) return texts::kErrNoMemory;
    // The runtime's texts are ASCII.
    std::u16string text;
    for (const char* c = e.what(); *c != '\0'; ++c) text.push_back(static_cast<unsigned char>(*c));
    return text;
}

}  // namespace qm
