// Shared by the fuzz targets: the input in a heap block of exactly its size (no NUL after it,
// so AddressSanitizer sees a read of one byte too many), the same for UTF-16 text, the two
// ways a target reads its input as UTF-16, and a check that fails loudly.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/codepage.h"

namespace qm::fuzz {

// A copy of `units` in a heap block of exactly their number.
template <typename Unit>
class ExactCopy {
public:
    explicit ExactCopy(std::basic_string_view<Unit> units) : units_(new Unit[units.size()]), size_(units.size()) {
        std::copy(units.begin(), units.end(), units_.get());
    }
    const Unit* data() const { return units_.get(); }
    std::size_t size() const { return size_; }
    std::basic_string_view<Unit> view() const { return std::basic_string_view<Unit>(units_.get(), size_); }

private:
    std::unique_ptr<Unit[]> units_;
    std::size_t size_;
};

// The input's bytes, and UTF-16 text.
class ExactBytes : public ExactCopy<char> {
public:
    ExactBytes(const std::uint8_t* data, std::size_t size)
        : ExactCopy<char>(std::string_view(reinterpret_cast<const char*>(data), size)) {}
};
using ExactUnits = ExactCopy<char16_t>;

inline void check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

// The text as a C string: up to its first NUL.
inline std::string_view upToNul(std::string_view text) {
    return text.substr(0, std::min(text.size(), text.find('\0')));
}
inline std::u16string_view upToNul(std::u16string_view text) {
    return text.substr(0, std::min(text.size(), text.find(u'\0')));
}

// The input read as UTF-16 in both ways text reaches the program: its bytes in pairs,
// little-endian (an odd last byte left out), and its bytes as code page text converted as
// the system converts it (so that byte seeds and dictionary entries mean what they say).
inline std::vector<std::u16string> readings(const std::uint8_t* data, std::size_t size, const CodePage& cp) {
    std::u16string pairs;
    for (std::size_t i = 0; i + 1 < size; i += 2) pairs.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    return {pairs, cp.toUtf16(std::string_view(reinterpret_cast<const char*>(data), size))};
}

}  // namespace qm::fuzz
