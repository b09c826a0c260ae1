// The printer sheet and its exported entry point.
#include "entry/driver_ui.h"
#include "entry/sheet_host.h"
#include "entry/sheet_pages.h"

extern "C" LONG WINAPI DrvDevicePropertySheets(PROPSHEETUI_INFO* pPSUIInfo, LPARAM lParam) {
    if (pPSUIInfo == nullptr || pPSUIInfo->lParamInit == 0) {
        return -1;
    }
    auto* header = reinterpret_cast<DEVICEPROPERTYHEADER*>(pPSUIInfo->lParamInit);
    const bool init = pPSUIInfo->Reason == PROPSHEETUI_REASON_INIT;
    // The printer's stored settings, whatever DEVMODE it has: the sheet shows the printer.
    UiData* ui = init ? FillRequestUiData(header->hPrinter, header->pszPrinterName, nullptr)
                      : reinterpret_cast<UiData*>(pPSUIInfo->UserData);
    if (!IsValidUiData(ui)) {
        return -1;
    }
    switch (pPSUIInfo->Reason) {
    case PROPSHEETUI_REASON_INIT:
        pPSUIInfo->UserData = reinterpret_cast<ULONG_PTR>(ui);
        AddNewPagePP(pPSUIInfo, kInformationPage, ui);
        return 1;
    case PROPSHEETUI_REASON_GET_INFO_HEADER:
        return FillInfoHeader(lParam, PSUIHDRF_NOAPPLYNOW | PSUIHDRF_PROPTITLE,
                              header->pszPrinterName)
                   ? 1
                   : -1;
    case PROPSHEETUI_REASON_DESTROY:
        ReleaseSheetUiData(pPSUIInfo);
        return 1;
    case PROPSHEETUI_REASON_SET_RESULT:
    case PROPSHEETUI_REASON_GET_ICON:
        return 1;
    default:
        return -1;
    }
}

extern "C" BOOL WINAPI PrinterProperties(HWND hWnd, HANDLE hPrinter) {
    DEVICEPROPERTYHEADER header{};
    header.cbSize = sizeof header; // the x64 record: larger than the 12 bytes of 32-bit builds
    header.hPrinter = hPrinter;
    // May the caller change the printer's data? The value stays stored.
    DWORD permission = 1;
    if (SetPrinterDataW(hPrinter, const_cast<LPWSTR>(TEXT("Permission")), REG_DWORD,
                        reinterpret_cast<LPBYTE>(&permission),
                        sizeof permission) != ERROR_SUCCESS) {
        header.Flags |= DPS_NOPERMISSION;
    }
    DWORD result = CPSUI_OK;
    // A host that could not be run shows nothing: no confirmation to report.
    if (CallCompstui(hWnd, DrvDevicePropertySheets, reinterpret_cast<LPARAM>(&header), &result) <
        0) {
        return FALSE;
    }
    return result != CPSUI_CANCEL ? TRUE : FALSE;
}
