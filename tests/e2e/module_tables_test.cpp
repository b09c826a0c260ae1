// The built DLL's export and import tables, read from the image as the loader maps it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

// The image mapped without running its start code or loading what it imports.
const BYTE* Image() {
    std::wstring path = L"" VORIKA_BUILT_DLL;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return reinterpret_cast<const BYTE*>(
        LoadLibraryExW(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
}

template <typename T> const T* At(DWORD rva) {
    static const BYTE* const image = Image();
    return reinterpret_cast<const T*>(image + rva);
}

DWORD Directory(int entry) {
    const auto* nt = At<IMAGE_NT_HEADERS64>(At<IMAGE_DOS_HEADER>(0)->e_lfanew);
    return nt->OptionalHeader.DataDirectory[entry].VirtualAddress;
}

// Exactly the driver's entry points, each by name; imports only from the platform's own modules
// (the C++ runtime is linked in, the printing functions come from the spooler's client library).
TEST(BuiltModuleTables, ExportTheDriverEntryPointsAndImportOnlySystemModules) {
    ASSERT_NE(At<BYTE>(0), nullptr) << GetLastError();
    const auto* exports = At<IMAGE_EXPORT_DIRECTORY>(Directory(IMAGE_DIRECTORY_ENTRY_EXPORT));
    std::string names; // in the table's order, which is by name
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        names += At<char>(At<DWORD>(exports->AddressOfNames)[i]) + std::string(" ");
    }
    EXPECT_EQ(names,
              "DevQueryPrintEx DllInitialize DrvAdvancedDocumentProperties DrvConvertDevMode "
              "DrvDeviceCapabilities DrvDevicePropertySheets DrvDocumentProperties "
              "DrvDocumentPropertySheets DrvPrinterEvent DrvUpgradePrinter PrinterProperties ");
    EXPECT_EQ(exports->NumberOfFunctions, 11u) << "exports without a name";

    const std::set<std::string> system = {"KERNEL32.DLL", "MSVCRT.DLL",   "WINSPOOL.DRV",
                                          "USER32.DLL",   "GDI32.DLL",    "COMDLG32.DLL",
                                          "COMCTL32.DLL", "ADVAPI32.DLL", "SHELL32.DLL"};
    std::set<std::string> modules;
    for (const auto* d = At<IMAGE_IMPORT_DESCRIPTOR>(Directory(IMAGE_DIRECTORY_ENTRY_IMPORT));
         d->Name != 0; ++d) {
        std::string name = At<char>(d->Name);
        std::transform(name.begin(), name.end(), name.begin(), ::toupper);
        EXPECT_EQ(system.count(name), 1u) << name << " is not a system module";
        modules.insert(name);
    }
    EXPECT_EQ(modules.count("WINSPOOL.DRV"), 1u);
}

} // namespace
