// vorikactl install: registers the driver and a printer of it, with the DLL beside the tool as
// the printer's configuration file.
#pragma once

#include <windows.h>

// Returns the process exit status; running it again for the same printer changes nothing but
// the copy of the DLL.
int Install(LPCWSTR model, LPCWSTR printerName);
