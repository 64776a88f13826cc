#include "args/handoff.h"

#include <algorithm>
#include <cstring>

namespace qm {

namespace {

std::u16string_view upToNul(std::u16string_view text) {
    return text.substr(0, text.find(u'\0'));
}

}  // namespace

std::u16string joinArguments(const std::vector<std::u16string>& args) {
    std::u16string text;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0) text += u'|';
        text += args[i];
    }
    return text;
}

std::vector<char> buildHandoffBlock(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<char> block(std::max(kMinHandoffBlockSize, text.size() + 1), '\0');
    std::copy(text.begin(), text.end(), block.begin());
    return block;
}

HandoffBlock buildHandoff(std::u16string_view text, const CodePage& cp) {
    text = upToNul(text);
    HandoffBlock out;
    if (const std::optional<std::string> bytes = cp.exactBytes(text)) {
        out.bytes = buildHandoffBlock(*bytes);
        return out;
    }
    out.tag = kWideHandoffTag;
    out.bytes.reserve((text.size() + 1) * 2);
    for (const char16_t unit : text) {
        out.bytes.push_back(static_cast<char>(unit & 0xFF));
        out.bytes.push_back(static_cast<char>(unit >> 8));
    }
    out.bytes.insert(out.bytes.end(), 2, '\0');
    return out;
}

bool isWideHandoff(std::uintptr_t dwData, std::size_t cbData) {
    return dwData == kWideHandoffTag && cbData % 2 == 0;
}

std::size_t largestHandoffBlock(std::uintptr_t dwData, std::size_t cbData, unsigned bytesPerUnit) {
    if (isWideHandoff(dwData, cbData)) return (kLongestCommandLine + 1) * 2;
    return std::max(kMinHandoffBlockSize, kLongestCommandLine * std::max(bytesPerUnit, 1u) + 1);
}

std::u16string readHandoff(std::uintptr_t dwData, const void* data, std::size_t cbData, const CodePage& cp) {
    if (data == nullptr || cbData == 0) return std::u16string();
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (isWideHandoff(dwData, cbData)) {
        std::u16string text;
        for (std::size_t i = 0; i < cbData; i += 2) {
            const char16_t unit = static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
            if (unit == u'\0') break;
            text.push_back(unit);
        }
        return text;
    }
    const void* nul = std::memchr(bytes, '\0', cbData);
    const std::size_t length =
        nul != nullptr ? static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - bytes) : cbData;
    return cp.toUtf16(std::string_view(reinterpret_cast<const char*>(bytes), length));
}

std::vector<std::u16string> cutArgumentText(std::u16string_view text) {
    text = upToNul(text);
    std::vector<std::u16string> pieces;
    std::size_t start = 0;
    for (std::size_t bar = text.find(u'|'); bar != std::u16string_view::npos; bar = text.find(u'|', start)) {
        pieces.emplace_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    if (start < text.size()) pieces.emplace_back(text.substr(start));
    return pieces;
}

}  // namespace qm
