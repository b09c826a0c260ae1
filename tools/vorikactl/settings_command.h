// vorikactl settings export and import: a printer's stored settings as a settings file of the
// Material page's format, and back.
#pragma once

#include <windows.h>

// Writes the printer's stored settings to the file, whole or not at all. Returns the process exit
// status.
int SettingsExport(LPCWSTR printerName, LPCWSTR file);

// Loads the file as the Material page's Load does and stores the result as the printer's
// settings with the driver's own save. A file that does not load, one made for another model and
// one holding a value the pages would not keep leave them untouched.
// Returns the process exit status.
int SettingsImport(LPCWSTR printerName, LPCWSTR file);
