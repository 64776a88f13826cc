#include "settings/apptable.h"

namespace qm {

std::string_view appName(std::string_view entry) { return entry.substr(0, entry.find('=')); }

std::string_view appTemplate(std::string_view entry) {
    const std::size_t eq = entry.find('=');
    return eq == std::string_view::npos ? std::string_view() : entry.substr(eq + 1);
}

std::string findTemplate(const AppTable* table, std::string_view name, const CodePage& cp) {
    if (table == nullptr) return std::string();
    for (const std::string& entry : table->entries) {
        if (cp.equalsIgnoreCase(appName(entry), name)) return std::string(appTemplate(entry));
    }
    return std::string();
}

std::optional<AppTable> buildAppTable(const std::vector<std::string>& sectionNames, const CodePage& cp,
                                      const std::function<void(std::vector<std::string>&)>& readAppEntries) {
    for (const std::string& name : sectionNames) {
        if (cp.equalsIgnoreCase(name, kAppSection)) {
            AppTable table;
            readAppEntries(table.entries);
            return table;
        }
    }
    return std::nullopt;
}

std::string sectionEntry(std::string_view key, std::string_view value) {
    std::string entry;
    entry.reserve(key.size() + 1 + value.size());
    entry.append(key).append(1, '=').append(value);
    return entry;
}

}  // namespace qm
