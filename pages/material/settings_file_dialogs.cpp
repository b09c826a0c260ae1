// The settings file through the platform's private-profile functions, and the two file dialogs.
#include "pages/material/settings_file.h"

#include "ui/dialog_host.h"

#include <commdlg.h>

namespace {

constexpr int kFileNameChars = 128;
constexpr int kFileTitleChars = 16;
constexpr int kFilterChars = 64;

// One file dialog's record: it lives as long as the module, so the dialog offers the name chosen
// last time in it.
struct FileDialogRecord {
    OPENFILENAMEW ofn;
    WCHAR file[kFileNameChars];
    WCHAR title[kFileTitleChars];
    WCHAR filter[kFilterChars];
};

FileDialogRecord gSaveDialog;
FileDialogRecord gLoadDialog;

void PrepareDialog(FileDialogRecord* record, HWND owner, LPCWSTR filter, DWORD filterIndex,
                   DWORD flags) {
    lstrcpynW(record->filter, filter, kFilterChars);
    CharToNulls(record->filter, '|');
    OPENFILENAMEW& ofn = record->ofn;
    ofn = OPENFILENAMEW{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = record->filter;
    ofn.nFilterIndex = filterIndex;
    ofn.lpstrFile = record->file;
    ofn.nMaxFile = kFileNameChars;
    ofn.lpstrFileTitle = record->title;
    ofn.nMaxFileTitle = kFileTitleChars;
    ofn.Flags = flags;
    ofn.lpstrDefExt = L"txt";
}

} // namespace

bool WriteSettingsFile(LPCWSTR path, const PrinterSettings& ps) {
    return WritePrivateProfileStringW(kSettingsSection, kVersionKey, kSettingsVersion, path) &&
           WritePrivateProfileStructW(kSettingsSection, kSettingsKey,
                                      const_cast<PrinterSettings*>(&ps), sizeof ps, path);
}

bool ReadSettingsRecord(LPCWSTR path, PrinterSettings* ps) {
    WCHAR version[kVersionChars];
    GetPrivateProfileStringW(kSettingsSection, kVersionKey, L"0000", version, kVersionChars, path);
    if (!IsSettingsVersion(version)) {
        return false;
    }
    // Read aside: the record changes only when the whole value passed the reader's checks.
    PrinterSettings loaded;
    if (!GetPrivateProfileStructW(kSettingsSection, kSettingsKey, &loaded, sizeof loaded, path)) {
        return false;
    }
    *ps = loaded;
    return true;
}

LONG ReadEnableExtendedSize(LPCWSTR path) {
    return static_cast<LONG>(
        GetPrivateProfileIntW(kSettingsSection, kEnableExtendedSizeKey, 1, path));
}

bool AskSaveSettingsPath(HWND owner, LPCWSTR* path) {
    PrepareDialog(&gSaveDialog, owner, L"Settings|settings.txt|", 1, OFN_PATHMUSTEXIST);
    *path = gSaveDialog.file;
    return g_dialogHost.GetSaveFileNameW(&gSaveDialog.ofn) != FALSE;
}

bool AskLoadSettingsPath(HWND owner, LPCWSTR* path) {
    PrepareDialog(&gLoadDialog, owner, L"All Files|*.*|Settings|*.txt|", 2,
                  OFN_PATHMUSTEXIST | OFN_CREATEPROMPT);
    *path = gLoadDialog.file;
    return g_dialogHost.GetOpenFileNameW(&gLoadDialog.ofn) != FALSE;
}
