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

}  // namespace qm
