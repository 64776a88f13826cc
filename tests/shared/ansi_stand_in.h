// A stand-in for the system's two answers to the name rule (text/ansi_name.h): a code page
// that holds ASCII, 表 and ポ (whose trail bytes are "\" and "|") and nothing else, and a
// volume whose files are listed with their short forms.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "text/ansi_name.h"

namespace qm {

class AnsiStandIn final : public AnsiConversion {
public:
    std::optional<std::string> exact(std::u16string_view text) const override {
        std::string out;
        for (char16_t c : text) {
            if (c >= 1 && c < 0x80) {
                out.push_back(static_cast<char>(c));
            } else if (c == u'表') {
                out += "\x95\x5C";
            } else if (c == u'ポ') {
                out += "\x83\x7C";
            } else {
                return std::nullopt;
            }
        }
        return out;
    }
    std::optional<std::u16string> shortPath(std::u16string_view path) const override {
        ++shortPathCalls;
        const auto found = files.find(std::u16string(path));
        if (found == files.end()) return std::nullopt;
        return found->second;
    }

    std::map<std::u16string, std::u16string> files;  // existing path -> its short form
    mutable int shortPathCalls = 0;
};

}  // namespace qm
