// vorikactl install: registers the driver and a printer of it, with the DLL beside the tool as
// the printer's configuration file.
#pragma once

#include <windows.h>

// The printer prints to the port (a real one, or a name that Wine's spooler maps to a file).
// Returns the process exit status; running it again for the same printer changes nothing but the
// copy of the DLL and, when another is asked for, the port.
int Install(LPCWSTR model, LPCWSTR printerName, LPCWSTR port);
