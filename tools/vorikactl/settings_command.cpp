#include "tools/vorikactl/settings_command.h"
#include "tools/vorikactl/console.h"
#include "tools/vorikactl/devmode_print.h"
#include "tools/vorikactl/spooler.h"

#include "pages/material/settings_file.h"
#include "settings/printer_data.h"

#include <cstdio>

namespace {

// The profile functions look for a bare name in the Windows folder: the file is named in full.
std::wstring FullPath(LPCWSTR file) {
    WCHAR full[MAX_PATH];
    const DWORD length = GetFullPathNameW(file, MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::wstring(full) : std::wstring(file);
}

// The printer's stored settings under its driver's name, which decides the base resolution.
bool ReadStored(HANDLE printer, PrinterSettings* ps) {
    const std::vector<BYTE> info = ReadPrinterInfo2(printer);
    if (info.empty()) {
        return false;
    }
    PrinterSettings* stored = GetPrinterProperties(
        printer, reinterpret_cast<const PRINTER_INFO_2W*>(info.data())->pDriverName);
    if (stored == nullptr) {
        return false;
    }
    *ps = *stored;
    GlobalFree(stored);
    return true;
}

void Say(const char* what, LPCWSTR printerName, const std::wstring& path) {
    std::printf("%s \"", what);
    PrintWide(stdout, printerName);
    std::fputs("\": ", stdout);
    PrintWide(stdout, path.c_str());
    std::putchar('\n');
}

} // namespace

int SettingsExport(LPCWSTR printerName, LPCWSTR file) {
    PrinterHandle printer(printerName);
    PrinterSettings ps;
    if (!printer || !ReadStored(printer.get(), &ps)) {
        return Fail("no settings to be had from printer", printerName, GetLastError());
    }
    const std::wstring path = FullPath(file);
    WriteSettingsFile(path.c_str(), ps);
    Say("exported the settings of", printerName, path);
    return 0;
}

int SettingsImport(LPCWSTR printerName, LPCWSTR file) {
    PrinterHandle printer(printerName);
    PrinterSettings ps;
    if (!printer || !ReadStored(printer.get(), &ps)) {
        return Fail("no settings to be had from printer", printerName, GetLastError());
    }
    const std::wstring path = FullPath(file);
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES ||
        !ReadSettingsRecord(path.c_str(), &ps)) {
        return Fail("not a settings file of this driver (missing, another version or damaged)",
                    path.c_str());
    }
    FinishSettingsLoad(&ps, ReadEnableExtendedSize(path.c_str()));
    if (SavePrinterProperties(printer.get(), &ps, sizeof ps) != 1) {
        return Fail("the spooler refused the settings of printer", printerName, GetLastError());
    }
    Say("imported into the settings of", printerName, path);
    return 0;
}
