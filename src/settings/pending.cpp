#include "settings/pending.h"

#include <cstdint>

namespace qm {

namespace {

constexpr std::string_view kHeader{"QMPEND1\0", 8};
constexpr std::size_t kRecordStart = kHeader.size() + 8;

void putLength(std::string& out, std::size_t n) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((n >> (8 * i)) & 0xFF);
}

std::uint32_t lengthAt(std::string_view bytes, std::size_t at) {
    std::uint32_t n = 0;
    for (int i = 3; i >= 0; --i) n = (n << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return n;
}

}  // namespace

std::string pendingRecord(std::string_view old, std::string_view now) {
    std::string out(kHeader);
    putLength(out, old.size());
    putLength(out, now.size());
    out.reserve(kRecordStart + old.size() + now.size());
    out += old;
    out += now;
    return out;
}

std::optional<PendingTexts> readPendingRecord(std::string_view bytes) {
    if (bytes.size() < kRecordStart || bytes.substr(0, kHeader.size()) != kHeader) return std::nullopt;
    const std::uint64_t old = lengthAt(bytes, kHeader.size()), now = lengthAt(bytes, kHeader.size() + 4);
    if (kRecordStart + old + now != bytes.size()) return std::nullopt;
    return PendingTexts{bytes.substr(kRecordStart, static_cast<std::size_t>(old)),
                        bytes.substr(kRecordStart + static_cast<std::size_t>(old))};
}

bool holdsOldOrPartOfNew(std::string_view file, const PendingTexts& texts) {
    // The file keeps the old text's length until the new one is cut to its own; a longer new
    // text grows it on its way there.
    const std::size_t n = file.size(), old = texts.old.size(), now = texts.now.size();
    if (n != old && n != now && !(old < n && n < now)) return false;
    for (std::size_t i = 0; i < file.size(); ++i) {
        const bool isNew = i < texts.now.size() && file[i] == texts.now[i];
        const bool isOld = i < texts.old.size() && file[i] == texts.old[i];
        if (!isNew && !isOld) return false;
    }
    return true;
}

}  // namespace qm
