// The DLLs every start of Quillmoor.exe loads, read from its import table: a start that
// only forwards its arguments must not pay for the common controls (which bring the
// graphics driver and the theme engine with them), the shell, the common dialogs or OLE,
// which load on their first use.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "support/files.h"

namespace qm {
namespace {

// The names of the DLLs in the executable's import directory, in lower case. The test
// program has the bitness of the exe it reads, so the native header layout fits.
std::vector<std::string> importedDlls(const std::string& image) {
    std::vector<std::string> out;
    auto at = [&](std::size_t offset, std::size_t size) {
        return offset + size <= image.size() ? image.data() + offset : nullptr;
    };
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0, sizeof(IMAGE_DOS_HEADER)));
    if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE) return out;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(at(dos->e_lfanew, sizeof(IMAGE_NT_HEADERS)));
    if (!nt || nt->Signature != IMAGE_NT_SIGNATURE) return out;
    const auto* sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
        at(dos->e_lfanew + offsetof(IMAGE_NT_HEADERS, OptionalHeader) + nt->FileHeader.SizeOfOptionalHeader,
           nt->FileHeader.NumberOfSections * sizeof(IMAGE_SECTION_HEADER)));
    if (!sections) return out;
    auto fileOffset = [&](DWORD rva) -> std::size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + std::max(s.Misc.VirtualSize, s.SizeOfRawData))
                return rva - s.VirtualAddress + s.PointerToRawData;
        }
        return image.size();
    };
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (std::size_t off = fileOffset(dir.VirtualAddress);; off += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(off, sizeof(IMAGE_IMPORT_DESCRIPTOR)));
        if (!d || d->Name == 0) break;
        const std::size_t name = fileOffset(d->Name);
        if (name >= image.size()) break;
        std::string dll(image.data() + name, strnlen(image.data() + name, image.size() - name));
        std::transform(dll.begin(), dll.end(), dll.begin(),
                       [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
        out.push_back(dll);
    }
    return out;
}

TEST(Imports, EveryStartLoadsOnlyKernelUserAndGdi) {
    const std::vector<std::string> dlls = importedDlls(test::readFile(test::programDir() + "\\Quillmoor.exe"));
    ASSERT_FALSE(dlls.empty()) << "no import table read";
    EXPECT_NE(std::find(dlls.begin(), dlls.end(), "user32.dll"), dlls.end());  // the table was read right
    for (const char* lazy : {"comctl32.dll", "shell32.dll", "comdlg32.dll", "ole32.dll"}) {
        EXPECT_EQ(std::find(dlls.begin(), dlls.end(), lazy), dlls.end()) << lazy << " is loaded by every start";
    }
}

}  // namespace
}  // namespace qm
