// vorikactl show: what an application gets from the printer's driver, and what the printer keeps.
#pragma once

#include <windows.h>

// Returns the process exit status.
int Show(LPCWSTR printerName);
