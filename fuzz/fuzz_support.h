// Shared by the fuzz targets: the input in a heap block of exactly its size (no NUL after it,
// so AddressSanitizer sees a read of one byte too many) and a check that fails loudly.
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

class ExactBytes {
public:
    ExactBytes(const std::uint8_t* data, std::size_t size)
        : bytes_(new char[size]), size_(size) {
        if (size > 0) std::memcpy(bytes_.get(), data, size);
    }
    const char* data() const { return bytes_.get(); }
    std::size_t size() const { return size_; }
    std::string_view view() const { return std::string_view(bytes_.get(), size_); }

private:
    std::unique_ptr<char[]> bytes_;
    std::size_t size_;
};

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

// Start offsets of the characters of `text`, walked as CharNextA walks.
inline std::vector<std::size_t> characterStarts(std::string_view text, const CodePage& cp) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); i = cp.next(text, i)) starts.push_back(i);
    return starts;
}

}  // namespace qm::fuzz
