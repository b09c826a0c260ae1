// The document requests: with and without the document sheet.
#include "entry/document_properties.h"
#include "context/ui_context.h"
#include "entry/sheet_host.h"
#include "settings/devmode_convert.h"

namespace {

constexpr LONG kDriverDevModeBytes = kDriverDevModeSize;
constexpr DWORD kOutputModes = DM_UPDATE | DM_COPY;

} // namespace

LONG SimpleDocumentProperties(DOCUMENTPROPERTYHEADER* header) {
    header->cbOut = kDriverDevModeSize;
    if (header->fMode == 0 || header->pdmOut == nullptr) {
        return kDriverDevModeBytes;
    }
    UiData* ui = FillRequestUiData(header->hPrinter, header->pszPrinterName, header->pdmIn);
    if (ui == nullptr) {
        return -1;
    }
    // DM_MODIFY is not looked at: an input DEVMODE is always merged.
    if ((header->fMode & kOutputModes) != 0) {
        ConvertDevmodeOut(&ui->devmode.dm, header->pdmIn, header->pdmOut);
    }
    ReleaseUiData(ui);
    return 1;
}

LONG PsDocumentProperties(HWND hWnd, HANDLE hPrinter, LPWSTR pDeviceName, DEVMODEW* pdmOutput,
                          DEVMODEW* pdmInput, DWORD fMode) {
    DOCUMENTPROPERTYHEADER header{};
    header.cbSize = sizeof header; // the x64 record: larger than the 28 bytes of 32-bit builds
    header.hPrinter = hPrinter;
    header.pszPrinterName = pDeviceName;
    header.pdmIn = pdmInput;
    header.pdmOut = pdmOutput;
    header.fMode = fMode;
    if ((fMode & DM_PROMPT) == 0) {
        return SimpleDocumentProperties(&header);
    }
    // The host writes the sheet's result; a host that could not be run or that failed answers
    // -1, and no result counts then.
    DWORD result = CPSUI_CANCEL;
    if (CallCompstui(hWnd, DrvDocumentPropertySheets, reinterpret_cast<LPARAM>(&header), &result) <
        0) {
        return -1;
    }
    return static_cast<LONG>(result);
}

extern "C" LONG WINAPI DrvDocumentProperties(HWND hWnd, HANDLE hPrinter, LPWSTR pDeviceName,
                                             DEVMODEW* pdmOutput, DEVMODEW* pdmInput, DWORD fMode) {
    if (fMode == 0 || pdmOutput == nullptr) {
        return kDriverDevModeBytes;
    }
    const LONG r = PsDocumentProperties(hWnd, hPrinter, pDeviceName, pdmOutput, pdmInput, fMode);
    if (r > 0) {
        return IDOK;
    }
    return r == 0 ? IDCANCEL : r;
}

extern "C" LONG WINAPI DrvAdvancedDocumentProperties(HWND hWnd, HANDLE hPrinter, LPWSTR pDeviceName,
                                                     DEVMODEW* pdmOutput, DEVMODEW* pdmInput) {
    if (pdmOutput == nullptr) {
        return kDriverDevModeBytes;
    }
    constexpr DWORD kAdvanced = 0x10 /* DM_ADVANCED */ | DM_PROMPT | DM_COPY;
    return PsDocumentProperties(hWnd, hPrinter, pDeviceName, pdmOutput, pdmInput, kAdvanced) > 0
               ? 1
               : 0;
}
