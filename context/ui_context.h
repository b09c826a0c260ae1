// The UI context of one request: what every page, dialog and entry point of that request shares.
#pragma once

#include "context/ppd_cache.h"
#include "settings/driver_devmode.h"

#include <windows.h>
#include <winddiui.h>

struct MaterialWorkCopy;
struct DOCUMENTPROPERTYHEADER;

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
    HANDLE hOpenedPrinter; // opened by name for a request that came without a handle, else null
    // The printer whose sheet this is, by the spooler's name for the printer the request works on
    // (its handle's, or the one it named and we opened), never by a name the caller passed: an
    // application may pass the DEVMODE's device name, the driver's. The test print goes there, and
    // the DEVMODE-change broadcast names it, since applications compare that text with the name
    // of the printer they use; the DEVMODE's device name holds the driver's name instead.
    LPWSTR pPrinterName;
    // The release step ran on this context after the sheet was applied; and the host delivered
    // the sheet's result itself. A host that never delivers it leaves the answer to the first.
    DWORD bReleased;
    DWORD bResultDelivered;
    // The document request whose output the sheet writes when it is confirmed; null when no
    // output was asked for. Kept with the sheet's context, not in one process-wide slot, so
    // that two sheets open in one process each write their own caller's buffer.
    DOCUMENTPROPERTYHEADER* pDPHdr;
    UiData* pEndMark;
};

// True for a pointer to a live UI context (both marks point back at it).
bool IsValidUiData(const UiData* ui);

// Builds the context for a printer and the caller's DEVMODE (may be null); null on failure,
// with everything acquired given back.
UiData* FillUiData(HANDLE hPrinter, const DEVMODEW* pdmInput);

// The same for a request that names its printer and may carry no handle: the spooler of Windows
// opens the named printer before it calls the driver, Wine's passes a null handle on. Such a
// request works on the printer opened by name, which the context keeps open until its release.
UiData* FillRequestUiData(HANDLE hPrinter, LPCWSTR pPrinterName, const DEVMODEW* pdmInput);

// Gives back the device data record, destroys the heap that holds the context itself, then
// closes the printer the context opened (if any).
void ReleaseUiData(UiData* ui);

// The printer a request works on: the caller's handle, or when it gave none, the printer it
// names, opened by name (*opened then holds the handle that CloseRequestPrinter closes). Null
// when there is neither.
HANDLE OpenRequestPrinter(HANDLE hPrinter, LPCWSTR pPrinterName, HANDLE* opened);
void CloseRequestPrinter(HANDLE opened);
