// The application table: the entries name "=" command template of the settings file's
// section "app", in file order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/codepage.h"

namespace qm {

struct AppTable {
    std::vector<std::string> entries;  // each "name=template"
};

// The name: the text before the entry's first "=".
std::string_view appName(std::string_view entry);
// The command template: everything after the name's "=" (empty when there is none).
std::string_view appTemplate(std::string_view entry);

// The template of the first entry whose name equals `name` ignoring case by the user's
// locale; empty when none does, or when there is no table.
std::string findTemplate(const AppTable* table, std::string_view name, const CodePage& cp);

}  // namespace qm
