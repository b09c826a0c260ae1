// The UI context of one property-sheet request, and the sized reads of spooler information.
#pragma once

#include "entry/ppd_cache.h"
#include "settings/driver_devmode.h"

#include <windows.h>
#include <winddiui.h>

struct MaterialWorkCopy;

struct UiData {
    UiData* pStartMark;
    HANDLE hPrinter; // the caller's; never closed here
    PpdData* pPpdData;
    HANDLE hHeap; // holds this record and the driver name copy
    PFNCOMPROPSHEET pfnComPropSheet;
    HANDLE hComPropSheet;
    LPWSTR pDriverName;
    DriverDevMode devmode;
    DWORD bApplied;
    MaterialWorkCopy* pDetailsWork;
    UiData* pEndMark;
};

// True for a pointer to a live UI context (both marks point back at it).
bool IsValidUiData(const UiData* ui);

// Builds the context for a printer and the caller's DEVMODE (may be null); null on failure,
// with everything acquired given back.
UiData* FillUiData(HANDLE hPrinter, const DEVMODEW* pdmInput);

// Gives back the device data record, then destroys the heap that holds the context itself.
void ReleaseUiData(UiData* ui);

// Sized reads of PRINTER_INFO_2 / DRIVER_INFO_2 into fixed global memory the caller frees; null
// on any failure, with the spooler's last error left as it was.
LPBYTE MyGetPrinter(HANDLE hPrinter, DWORD level);
LPBYTE MyGetPrinterDriver(HANDLE hPrinter, DWORD level);
