// The registry, read one value at a time by its key's path: RegGetValueW opens and closes
// the key itself, so no key stays open to be owned. (advapi32 loads on the first read.)
#pragma once

#include <windows.h>

#include <optional>

namespace qm {

// The REG_DWORD value `name` of the key `subKey` under `root`; nothing when the key or the
// value is missing, or the value has another type.
inline std::optional<DWORD> registryDword(HKEY root, const wchar_t* subKey, const wchar_t* name) {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueW(root, subKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

}  // namespace qm
