// The settings file: the whole settings record in one section of a private-profile text file,
// saved and loaded from the Material page.
#pragma once

#include "settings/printer_settings.h"

inline constexpr LPCWSTR kSettingsSection = TEXT("Velmar VORIKA Driver");
inline constexpr LPCWSTR kVersionKey = TEXT("Version");
inline constexpr LPCWSTR kSettingsKey = TEXT("Settings");
inline constexpr LPCWSTR kEnableExtendedSizeKey = TEXT("EnableExtendedSize");
inline constexpr LPCWSTR kSettingsVersion = TEXT("Version 1.00");
inline constexpr int kVersionChars = 32;

// Replaces every separator in the text, its terminating NUL included, by NUL: a filter text
// "a|b|" becomes the pairs of strings a file dialog takes, ended by an empty one.
void CharToNulls(LPWSTR text, WCHAR separator);

// The version a file must carry for its record to be taken over (case matters).
bool IsSettingsVersion(LPCWSTR text);

// What a load does to the record whether or not a record was taken over: the extended-size
// switch's visibility from the file, the limits into the range the page can show and the work
// sizes cut to them.
void FinishSettingsLoad(PrinterSettings* ps, LONG enableExtendedSize);

#ifdef _WIN32
// Writes the version and the record into the file's section; other sections and keys stay. True
// when the platform took both writes (the page does not look; the console tool does).
bool WriteSettingsFile(LPCWSTR path, const PrinterSettings& ps);

// Replaces the record by the file's when the file carries this version and a record the
// platform's reader accepts; true when it did. The record is untouched otherwise.
bool ReadSettingsRecord(LPCWSTR path, PrinterSettings* ps);

// The file's extended-size switch: 1 when it has none.
LONG ReadEnableExtendedSize(LPCWSTR path);

// The Save and Open dialogs of the page's two buttons. Each keeps the name chosen last in it for
// the life of the module; false when the user cancels. The path stays valid until the next call.
bool AskSaveSettingsPath(HWND owner, LPCWSTR* path);
bool AskLoadSettingsPath(HWND owner, LPCWSTR* path);
#endif
