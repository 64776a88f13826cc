// Reading an integer from the settings file, for any text. Checks, against a reference
// written straight from the stored forms (leading spaces, one sign, "$"/"x"/"X"/"0x"/"0X"
// and 1+ hex digits within 32 bits, or decimal digits within int32; nothing after):
// - the value read equals the reference, for two different defaults;
// - a value that reads differently under two defaults is exactly the default each time;
// - what a write stores reads back as the same value;
// - the NUL-separated name lists of the profile functions are split without reading past
//   what was returned.
#include <cstdint>
#include <optional>

#include "fuzz_support.h"
#include "settings/values.h"

using qm::fuzz::check;

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::int32_t> reference(std::string text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::size_t marker = 0;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        marker = 1;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        marker = 2;
    }
    if (marker) {
        i += marker;
        if (i == text.size()) return std::nullopt;
        std::uint64_t v = 0;
        for (; i < text.size(); ++i) {
            const int d = hexDigit(text[i]);
            if (d < 0) return std::nullopt;
            v = v * 16 + static_cast<unsigned>(d);
            if (v > 0xFFFFFFFFull) return std::nullopt;
        }
        std::uint32_t bits = static_cast<std::uint32_t>(v);
        if (negative) bits = 0u - bits;
        return static_cast<std::int32_t>(bits);
    }
    if (i == text.size()) return std::nullopt;
    std::int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        v = v * 10 + (text[i] - '0');
        if (v > 2147483648LL) return std::nullopt;
    }
    if (negative) v = -v;
    if (v > 2147483647LL || v < -2147483648LL) return std::nullopt;
    return static_cast<std::int32_t>(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qm::fuzz::ExactBytes bytes(data, size);
    const std::string_view text = bytes.view();

    const int a = qm::parseIniInt(text, 12345);
    const int b = qm::parseIniInt(text, -777);
    // A NUL is a character like any other that cannot be part of a number.
    const std::optional<std::int32_t> expected = reference(std::string(text));
    if (expected) {
        check(a == *expected && b == *expected, "the value differs from the stored form's");
        check(qm::parseIniInt(qm::formatIniInt(a), 0) == a, "a written value does not read back");
    } else {
        check(a == 12345 && b == -777, "an invalid text did not give the default");
    }
    check(qm::parseIniBool(qm::formatIniBool(a != 0), false) == (a != 0), "a written boolean does not read back");

    const std::vector<std::string> names = qm::splitNameList(bytes.data(), size, size);
    std::size_t total = 0;
    for (const std::string& n : names) {
        check(!n.empty() && n.find('\0') == std::string::npos, "a name is empty or holds a NUL");
        total += n.size() + 1;
    }
    check(total <= size + 1, "the names hold more than the buffer");
    return 0;
}
