// The spooler's notifications and queries that need no work of this driver.
#include "entry/driver_ui.h"

extern "C" BOOL WINAPI DrvUpgradePrinter(DWORD, LPBYTE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

extern "C" BOOL WINAPI DevQueryPrintEx(DEVQUERYPRINT_INFO*) {
    return TRUE;
}

extern "C" BOOL WINAPI DrvPrinterEvent(LPWSTR, INT, DWORD, LPARAM) {
    return TRUE;
}
