#include "settings/apptable.h"

namespace qm {

std::u16string_view appName(std::u16string_view entry) {
    return entry.substr(0, entry.find(u'='));
}

std::u16string_view appTemplate(std::u16string_view entry) {
    const std::size_t eq = entry.find(u'=');
    return eq == std::u16string_view::npos ? std::u16string_view() : entry.substr(eq + 1);
}

std::u16string findTemplate(const AppTable* table, std::u16string_view name, const CodePage& cp) {
    if (table == nullptr) return std::u16string();
    for (const std::u16string& entry : table->entries) {
        if (cp.equalsIgnoreCase(appName(entry), name)) return std::u16string(appTemplate(entry));
    }
    return std::u16string();
}

std::optional<AppTable> buildAppTable(const std::vector<std::u16string>& sectionNames, const CodePage& cp,
                                      const std::function<void(std::vector<std::u16string>&)>& readAppEntries) {
    for (const std::u16string& name : sectionNames) {
        if (cp.equalsIgnoreCase(name, kAppSection)) {
            AppTable table;
            readAppEntries(table.entries);
            return table;
        }
    }
    return std::nullopt;
}

std::u16string sectionEntry(std::u16string_view key, std::u16string_view value) {
    std::u16string entry;
    entry.reserve(key.size() + 1 + value.size());
    entry.append(key).append(1, u'=').append(value);
    return entry;
}

}  // namespace qm
