// The built DLL's export and import tables, read from the file as the loader reads them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<BYTE> ReadBuiltDll() {
    std::ifstream file(VORIKA_BUILT_DLL, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(file), {});
}

// The PE image of the file, with its sections to map relative addresses to file offsets.
class PeFile {
  public:
    explicit PeFile(std::vector<BYTE> bytes) : bytes_(std::move(bytes)) {
        if (bytes_.size() < sizeof(IMAGE_DOS_HEADER)) {
            return;
        }
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes_.data());
        if (dos->e_magic != IMAGE_DOS_SIGNATURE ||
            dos->e_lfanew + sizeof(IMAGE_NT_HEADERS64) > bytes_.size()) {
            return;
        }
        nt_ = reinterpret_cast<const IMAGE_NT_HEADERS64*>(bytes_.data() + dos->e_lfanew);
        if (nt_->Signature != IMAGE_NT_SIGNATURE ||
            nt_->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
            nt_ = nullptr;
        }
    }

    bool valid() const { return nt_ != nullptr; }

    const IMAGE_DATA_DIRECTORY& Directory(int index) const {
        return nt_->OptionalHeader.DataDirectory[index];
    }

    // The file bytes at a relative virtual address; null when no section holds it.
    template <typename T> const T* At(DWORD rva) const {
        const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt_);
        for (WORD i = 0; i < nt_->FileHeader.NumberOfSections; ++i, ++section) {
            const DWORD start = section->VirtualAddress;
            if (rva >= start && rva < start + section->SizeOfRawData) {
                const size_t offset = section->PointerToRawData + (rva - start);
                return offset + sizeof(T) <= bytes_.size()
                           ? reinterpret_cast<const T*>(bytes_.data() + offset)
                           : nullptr;
            }
        }
        return nullptr;
    }

    std::string Name(DWORD rva) const {
        const char* name = At<char>(rva);
        return name != nullptr ? std::string(name) : std::string("<bad name>");
    }

  private:
    std::vector<BYTE> bytes_;
    const IMAGE_NT_HEADERS64* nt_ = nullptr;
};

std::set<std::string> ExportedNames(const PeFile& pe, DWORD* functionCount) {
    const IMAGE_DATA_DIRECTORY& dir = pe.Directory(IMAGE_DIRECTORY_ENTRY_EXPORT);
    const auto* exports = pe.At<IMAGE_EXPORT_DIRECTORY>(dir.VirtualAddress);
    std::set<std::string> names;
    if (dir.Size == 0 || exports == nullptr) {
        return names;
    }
    *functionCount = exports->NumberOfFunctions;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        const DWORD* nameRva = pe.At<DWORD>(exports->AddressOfNames + i * sizeof(DWORD));
        names.insert(nameRva != nullptr ? pe.Name(*nameRva) : "<bad entry>");
    }
    return names;
}

std::vector<std::string> ImportedModules(const PeFile& pe) {
    const IMAGE_DATA_DIRECTORY& dir = pe.Directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
    std::vector<std::string> modules;
    for (DWORD rva = dir.VirtualAddress; dir.Size != 0; rva += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto* entry = pe.At<IMAGE_IMPORT_DESCRIPTOR>(rva);
        if (entry == nullptr || entry->Name == 0) {
            break;
        }
        modules.push_back(pe.Name(entry->Name));
    }
    return modules;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<BYTE>(c))); });
    return text;
}

TEST(BuiltModuleTables, ExportsExactlyTheDriverEntryPointsByName) {
    const PeFile pe(ReadBuiltDll());
    ASSERT_TRUE(pe.valid()) << "not a 64-bit PE file: " << VORIKA_BUILT_DLL;
    DWORD functionCount = 0;
    const std::set<std::string> expected = {"DllInitialize",
                                            "DrvDocumentPropertySheets",
                                            "DrvDevicePropertySheets",
                                            "DrvDocumentProperties",
                                            "DrvAdvancedDocumentProperties",
                                            "PrinterProperties",
                                            "DrvUpgradePrinter",
                                            "DevQueryPrintEx",
                                            "DrvPrinterEvent",
                                            "DrvDeviceCapabilities",
                                            "DrvConvertDevMode"};
    EXPECT_EQ(ExportedNames(pe, &functionCount), expected);
    EXPECT_EQ(functionCount, expected.size()) << "exports without a name";
}

TEST(BuiltModuleTables, ImportsOnlySystemModules) {
    const PeFile pe(ReadBuiltDll());
    ASSERT_TRUE(pe.valid()) << "not a 64-bit PE file: " << VORIKA_BUILT_DLL;
    const std::set<std::string> system = {"KERNEL32.DLL", "MSVCRT.DLL",   "WINSPOOL.DRV",
                                          "USER32.DLL",   "GDI32.DLL",    "COMDLG32.DLL",
                                          "COMCTL32.DLL", "ADVAPI32.DLL", "SHELL32.DLL"};
    const std::vector<std::string> modules = ImportedModules(pe);
    EXPECT_FALSE(modules.empty());
    for (const std::string& module : modules) {
        EXPECT_TRUE(system.count(Upper(module)) == 1) << module << " is not a system module";
    }
    // The printing functions come from the spooler's client library.
    EXPECT_NE(std::find(modules.begin(), modules.end(), "WINSPOOL.DRV"), modules.end());
}

} // namespace
