// The application table: the entries name "=" command template of the settings file's
// section "app", in file order, in UTF-16 as the file holds them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/sections.h"
#include "text/codepage.h"

namespace qm {

struct AppTable {
    std::vector<std::u16string> entries;  // each "name=template"
};

// The name: the text before the entry's first "=".
std::u16string_view appName(std::u16string_view entry);
// The command template: everything after the name's "=" (empty when there is none).
std::u16string_view appTemplate(std::u16string_view entry);

// The template of the first entry whose name equals `name` ignoring case by the user's
// locale; empty when none does, or when there is no table.
std::u16string findTemplate(const AppTable* table, std::u16string_view name, const CodePage& cp);

// Builds the table from the file's section names: when one of them is "app" ignoring case
// by the user's locale, the table holds the section's entries as `readAppEntries` gives
// them (key "=" value, in file order; empty values and repeated keys kept); otherwise there
// is no table and `readAppEntries` is not called.
std::optional<AppTable> buildAppTable(const std::vector<std::u16string>& sectionNames, const CodePage& cp,
                                      const std::function<void(std::vector<std::u16string>&)>& readAppEntries);

// One entry of a section's list: key "=" value.
std::u16string sectionEntry(std::u16string_view key, std::u16string_view value);

}  // namespace qm
