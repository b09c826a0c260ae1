#include "tools/vorikactl/settings_command.h"
#include "tools/vorikactl/console.h"
#include "tools/vorikactl/devmode_print.h"
#include "tools/vorikactl/spooler.h"

#include "pages/kept_ranges.h"
#include "pages/material/settings_file.h"
#include "settings/printer_data.h"

#include <cstdio>

namespace {

// The profile functions look for a bare name in the Windows folder: the file is named in full.
WString FullPath(LPCWSTR file) {
    WCHAR full[MAX_PATH];
    const DWORD length = GetFullPathNameW(file, MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? WString(full) : WString(file);
}

// The folder of a full path, with its trailing separator.
WString FolderOf(const WString& path) {
    const size_t separator = path.find_last_of(L"\\/");
    return separator == WString::npos ? WString(L".\\") : path.substr(0, separator + 1);
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

void Say(const char* what, LPCWSTR printerName, const WString& path) {
    std::printf("%s \"", what);
    PrintWide(stdout, printerName);
    std::fputs("\": ", stdout);
    PrintWide(stdout, path.c_str());
    std::putchar('\n');
}

// The page writes its keys straight into the file it is given. A script needs all or nothing:
// the file is written as a copy beside it, the existing one's other sections included, and the
// copy takes the file's place only when every write succeeded. Returns the error, 0 when written.
DWORD WriteSettingsFileWhole(const WString& path, const PrinterSettings& ps) {
    WCHAR copy[MAX_PATH];
    if (GetTempFileNameW(FolderOf(path).c_str(), L"vks", 0, copy) == 0) {
        return GetLastError();
    }
    DWORD error = 0;
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES &&
        !CopyFileW(path.c_str(), copy, FALSE)) {
        error = GetLastError();
    } else if (!WriteSettingsFile(copy, ps)) {
        error = GetLastError() != 0 ? GetLastError() : ERROR_WRITE_FAULT;
    } else if (!MoveFileExW(copy, path.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
    }
    if (error != 0) {
        DeleteFileW(copy);
    }
    return error;
}

// A record made for another model carries that model's base resolution and impact tables.
bool IsOfPrintersModel(const PrinterSettings& loaded, const PrinterSettings& stored,
                       const WString& path) {
    if (loaded.BaseDpi == stored.BaseDpi) {
        return true;
    }
    char detail[128];
    std::snprintf(detail, sizeof detail,
                  "made for another model (base %d dpi; the printer's is %d dpi); nothing stored",
                  loaded.BaseDpi, stored.BaseDpi);
    FailWith("settings file", path.c_str(), detail);
    return false;
}

bool IsWithinKeptRanges(const PrinterSettings& loaded, const WString& path) {
    FieldOutOfRange found;
    if (!FindFieldOutOfRange(loaded, &found)) {
        return true;
    }
    char field[64];
    if (found.set == nullptr) {
        std::snprintf(field, sizeof field, "%ls", found.field);
    } else {
        std::snprintf(field, sizeof field, "%ls of %ls preset %d", found.field, found.set,
                      found.preset);
    }
    char detail[192];
    std::snprintf(detail, sizeof detail, "%s is %lld, outside %ld .. %ld; nothing stored", field,
                  static_cast<long long>(found.value), static_cast<long>(found.range.min),
                  static_cast<long>(found.range.max));
    FailWith("settings file", path.c_str(), detail);
    return false;
}

} // namespace

int SettingsExport(LPCWSTR printerName, LPCWSTR file) {
    PrinterHandle printer(printerName);
    PrinterSettings ps;
    if (!printer || !ReadStored(printer.get(), &ps)) {
        return Fail("no settings to be had from printer", printerName, GetLastError());
    }
    const WString path = FullPath(file);
    const DWORD error = WriteSettingsFileWhole(path, ps);
    if (error != 0) {
        return Fail("cannot write the settings file", path.c_str(), error);
    }
    Say("exported the settings of", printerName, path);
    return 0;
}

int SettingsImport(LPCWSTR printerName, LPCWSTR file) {
    PrinterHandle printer(printerName);
    PrinterSettings stored;
    if (!printer || !ReadStored(printer.get(), &stored)) {
        return Fail("no settings to be had from printer", printerName, GetLastError());
    }
    const WString path = FullPath(file);
    PrinterSettings loaded = stored;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES ||
        !ReadSettingsRecord(path.c_str(), &loaded)) {
        return Fail("not a settings file of this driver (missing, another version or damaged)",
                    path.c_str());
    }
    // The file's extended-size switch is part of what a load takes over, so it is judged too.
    loaded.EnableExtendedSize = ReadEnableExtendedSize(path.c_str());
    if (!IsOfPrintersModel(loaded, stored, path) || !IsWithinKeptRanges(loaded, path)) {
        return 1;
    }
    FinishSettingsLoad(&loaded, loaded.EnableExtendedSize);
    if (SavePrinterProperties(printer.get(), &loaded, sizeof loaded) != 1) {
        return Fail("the spooler refused the settings of printer", printerName, GetLastError());
    }
    Say("imported into the settings of", printerName, path);
    return 0;
}
