// The document sheet: Material, Image correction and Slope correction, run by the host.
#include "entry/document_properties.h"
#include "entry/sheet_pages.h"
#include "settings/devmode_convert.h"

namespace {

constexpr DWORD kOutputModes = DM_UPDATE | DM_COPY;

LONG InitDocumentSheet(PROPSHEETUI_INFO* info, DOCUMENTPROPERTYHEADER* header) {
    UiData* ui = FillRequestUiData(header->hPrinter, header->pszPrinterName, header->pdmIn);
    if (ui == nullptr) {
        return -1;
    }
    info->Result = CPSUI_CANCEL;
    info->UserData = reinterpret_cast<ULONG_PTR>(ui);
    ui->pfnComPropSheet = info->pfnComPropSheet;
    ui->hComPropSheet = info->hComPropSheet;
    for (const SheetPage& page : kDocumentPages) {
        AddNewPage(info, page, ui);
    }
    ui->bApplied = 0;
    ui->pDPHdr = nullptr;
    if ((header->fMode & kOutputModes) != 0) {
        // The caller holds the merged DEVMODE while the sheet is open, and keeps it if the user
        // cancels.
        ConvertDevmodeOut(&ui->devmode.dm, header->pdmIn, header->pdmOut);
        ui->pDPHdr = header;
    }
    return 1;
}

LONG TakeResult(PROPSHEETUI_INFO* info, LPARAM lParam) {
    const auto* result = reinterpret_cast<const SETRESULT_INFO*>(lParam);
    if (result == nullptr) {
        return -1;
    }
    info->Result = static_cast<ULONG_PTR>(result->Result);
    return 1;
}

} // namespace

extern "C" LONG WINAPI DrvDocumentPropertySheets(PROPSHEETUI_INFO* pPSUIInfo, LPARAM lParam) {
    auto* header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(
        pPSUIInfo != nullptr ? pPSUIInfo->lParamInit : lParam);
    if (header == nullptr) {
        return -1;
    }
    if (pPSUIInfo == nullptr) {
        return SimpleDocumentProperties(header);
    }
    switch (pPSUIInfo->Reason) {
    case PROPSHEETUI_REASON_INIT:
        return InitDocumentSheet(pPSUIInfo, header);
    case PROPSHEETUI_REASON_GET_INFO_HEADER:
        return FillInfoHeader(lParam, PSUIHDRF_PROPTITLE, header->pszPrinterName) ? 1 : -1;
    case PROPSHEETUI_REASON_DESTROY:
        ReleaseSheetUiData(pPSUIInfo);
        return 1;
    case PROPSHEETUI_REASON_SET_RESULT:
        return TakeResult(pPSUIInfo, lParam);
    case PROPSHEETUI_REASON_GET_ICON:
        return 1;
    default:
        return -1;
    }
}
