// vorikactl testprint: the driver's own test-print job sent to a printer, and whether the
// spooler took all of it.
#pragma once

#include <windows.h>

// testprint PRINTER [--pattern N] with N one of the printer's patterns; returns the process exit
// status, or usage()'s answer for arguments it does not take.
int TestPrintCommand(int count, wchar_t** args, int (*usage)());
