// The document sheet: Material, Image correction and Slope correction, run by the host.
#include "entry/document_properties.h"
#include "entry/sheet_pages.h"
#include "settings/devmode_convert.h"

namespace {

constexpr DWORD kOutputModes = DM_UPDATE | DM_COPY;

LONG InitDocumentSheet(PROPSHEETUI_INFO* info, DOCUMENTPROPERTYHEADER* header) {
    // A request for output without a buffer to write it to is a bad parameter: the host hears
    // the failure with its reason in the last error, and no sheet opens.
    if ((header->fMode & kOutputModes) != 0 && header->pdmOut == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERR_CPSUI_GETLASTERROR;
    }
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
    auto* ui = reinterpret_cast<UiData*>(info->UserData);
    if (IsValidUiData(ui)) {
        ui->bResultDelivered = 1;
    }
    return 1;
}

// A host that never delivers the result the release step sets hands its caller the Result as
// it stands after this call: the sheet's own state gives it then. A confirmed sheet ran its
// release step on the applied context; a cancelled one keeps the Cancel set at its start.
void SettleResult(PROPSHEETUI_INFO* info) {
    const auto* ui = reinterpret_cast<const UiData*>(info->UserData);
    if (IsValidUiData(ui) && ui->bReleased == 1 && ui->bResultDelivered == 0) {
        info->Result = CPSUI_OK;
    }
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
        SettleResult(pPSUIInfo);
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
