// Sized reads of the spooler's printer and driver information.
#pragma once

#include <windows.h>

// Sized reads of PRINTER_INFO_2 / DRIVER_INFO_2 into fixed global memory the caller frees; null
// on any failure, with the spooler's last error left as it was. pcbSize (may be null) receives
// the buffer's length.
LPBYTE MyGetPrinter(HANDLE hPrinter, DWORD level, LPDWORD pcbSize);
LPBYTE MyGetPrinterDriver(HANDLE hPrinter, DWORD level);
