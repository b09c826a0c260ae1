// The printer sheet and its exported entry point.
#include "entry/driver_ui.h"

extern "C" LONG WINAPI DrvDevicePropertySheets(PROPSHEETUI_INFO*, LPARAM) {
    // The printer sheet is not available in this build.
    return -1;
}

extern "C" BOOL WINAPI PrinterProperties(HWND, HANDLE) {
    // The printer sheet is not available in this build.
    return FALSE;
}
