#include "args/handoff.h"

#include <algorithm>
#include <cstring>

namespace qm {

std::string joinArguments(const std::vector<std::string>& args) {
    std::string text;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0) text += '|';
        text += args[i];
    }
    return text;
}

std::vector<char> buildHandoffBlock(std::string_view text) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    std::vector<char> block(std::max(kMinHandoffBlockSize, text.size() + 1), '\0');
    std::copy(text.begin(), text.end(), block.begin());
    return block;
}

std::string readHandoffBlock(const void* data, std::size_t cbData) {
    if (data == nullptr || cbData == 0) return std::string();
    const char* bytes = static_cast<const char*>(data);
    const void* nul = std::memchr(bytes, '\0', cbData);
    const std::size_t length =
        nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : cbData;
    return std::string(bytes, length);
}

std::vector<std::string> cutArgumentText(std::string_view text, const CodePage& cp) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); i = cp.next(text, i)) {
        if (text[i] == '|') {
            pieces.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (start < text.size()) pieces.emplace_back(text.substr(start));
    return pieces;
}

}  // namespace qm
