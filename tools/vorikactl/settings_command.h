// vorikactl settings export and import: a printer's stored settings as a settings file of the
// Material page's format, and back.
#pragma once

#include <windows.h>

// Writes the printer's stored settings to the file. Returns the process exit status.
int SettingsExport(LPCWSTR printerName, LPCWSTR file);

// Loads the file as the Material page's Load does and stores the result as the printer's
// settings with the driver's own save; a file that does not load leaves them untouched.
// Returns the process exit status.
int SettingsImport(LPCWSTR printerName, LPCWSTR file);
