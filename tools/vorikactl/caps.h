// vorikactl caps: every device capability the printer's driver answers, decoded.
#pragma once

#include <windows.h>

// Returns the process exit status.
int Caps(LPCWSTR printerName);
