// Reading an integer from the settings file, for any text. The stored forms are documented in
// settings/values.h; the checks hold for every input without repeating the reader's steps:
// - a text reads as one value whatever the default, or as exactly the default each time;
// - a text read as a value holds nothing but blanks, a sign, hexadecimal markers and digits;
// - anything malformed gives the default: a letter no form allows after the text or before
//   it, a NUL inside it, a decimal beyond the int32 range, more than 32 bits of hex digits;
// - what a write stores reads back as the same value, for the value read and for an int32
//   taken from the input, and so do that int32 after blanks and its hexadecimal forms;
// - the NUL-separated name lists of the profile functions are split without reading past
//   what was returned.
#include <cstdint>
#include <cstdio>

#include "fuzz_support.h"
#include "settings/values.h"

using qm::fuzz::check;

namespace {

constexpr int kDefaultA = 12345;
constexpr int kDefaultB = -777;

bool isDefault(std::string_view text) {
    return qm::parseIniInt(text, kDefaultA) == kDefaultA && qm::parseIniInt(text, kDefaultB) == kDefaultB;
}

std::string hex(const char* format, std::uint32_t bits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, format, static_cast<unsigned>(bits));
    return buf;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qm::fuzz::ExactBytes bytes(data, size);
    const std::string_view text = bytes.view();
    const std::string owned(text);

    const int a = qm::parseIniInt(text, kDefaultA);
    const int b = qm::parseIniInt(text, kDefaultB);
    check(a == b || (a == kDefaultA && b == kDefaultB), "a value read depends on the default");
    if (a == b) {
        check(!text.empty() && owned.find_first_not_of(" +-$xX0123456789abcdefABCDEF") == std::string::npos,
              "a text with other characters reads as a value");
        check(qm::parseIniInt(qm::formatIniInt(a), 0) == a, "a written value does not read back");
    }

    check(isDefault(owned + "z"), "a letter after the text is taken");
    check(isDefault("z" + owned), "a letter before the text is taken");
    if (!text.empty()) {
        std::string withNul = owned;
        withNul[withNul.size() / 2] = '\0';
        check(isDefault(withNul), "a NUL inside the text is taken");
    }

    // An int32 of the input's first four bytes, written and in its hexadecimal forms.
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4 && i < size; ++i) bits = bits << 8 | data[i];
    const int value = static_cast<int>(bits);
    check(qm::parseIniInt(qm::formatIniInt(value), 0) == value, "a written int32 does not read back");
    check(qm::parseIniInt("   " + qm::formatIniInt(value), 0) == value, "leading blanks change the value");
    for (const char* form : {"$%X", "$%08x", "x%X", "X%x", "0x%X", "0X%08X", "  $%X"}) {
        check(qm::parseIniInt(hex(form, bits), value == 1 ? 2 : 1) == value, "a hexadecimal form reads otherwise");
    }
    check(qm::parseIniInt("-$" + hex("%X", bits), 0) == static_cast<int>(0u - bits),
          "a sign before hex is not applied");
    // From INT_MAX + 1 up, and from INT_MIN - 1 down.
    const long long low = bits & 0x7FFFFFFFu;
    const long long beyond = bits & 0x80000000u ? -2147483649LL - low : 2147483648LL + low;
    check(isDefault(std::to_string(beyond)), "a decimal beyond the int32 range is taken");
    check(isDefault("$1" + hex("%08X", bits)), "more than 32 bits of hex digits are taken");

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
