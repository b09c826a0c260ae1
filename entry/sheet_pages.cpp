#include "entry/sheet_pages.h"

#include "context/module_instance.h"
#include "entry/driver_ui.h"
#include "entry/sheet_host.h"
#include "settings/devmode_convert.h"
#include "settings/printer_data.h"

#ifdef _WIN32
#include "pages/correction/correction_page.h"
#include "pages/material/material_page.h"
#include "pages/slope/slope_page.h"
#include "ui/small_dialogs.h"
#endif

namespace {

constexpr WORD kDocumentPageIcon = 502;
constexpr WORD kInformationPageIcon = 503;
constexpr DWORD kDocumentPageFlags = PSP_USEICONID | PSP_HASHELP | PSP_USECALLBACK;
constexpr DWORD kInformationPageFlags = PSP_USEICONID | PSP_HASHELP;
// Not shown: without PSP_USETITLE each tab shows its template's caption.
constexpr WCHAR kPageTitle[] = TEXT("----");

LONG_PTR AddPage(PROPSHEETUI_INFO* info, const SheetPage& page, UiData* ui, DWORD flags, WORD icon,
                 LPFNPSPCALLBACKW callback) {
    PROPSHEETPAGEW psp{};
    psp.dwSize = sizeof psp; // the x64 record: larger than the 48 bytes of 32-bit builds
    psp.dwFlags = flags;
    psp.hInstance = ghInstance;
    psp.pszTemplate = MAKEINTRESOURCEW(page.templateId);
    psp.pszIcon = MAKEINTRESOURCEW(icon);
    psp.pszTitle = kPageTitle;
    psp.pfnDlgProc = page.dialogProc;
    psp.lParam = reinterpret_cast<LPARAM>(ui);
    psp.pfnCallback = callback;
    return info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                 reinterpret_cast<LPARAM>(&psp), 0);
}

} // namespace

#ifdef _WIN32
#define PAGE_PROC(proc) proc
#else
// The host tree has no dialogs: its sheets are run by a test host that creates no page.
#define PAGE_PROC(proc) nullptr
#endif
const SheetPage kDocumentPages[3] = {
    {1, PAGE_PROC(PaperDlgProc)}, {2, PAGE_PROC(OutputDlgProc)}, {3, PAGE_PROC(SlopeDlgProc)}};
const SheetPage kInformationPage = {4, PAGE_PROC(UtilityProc)};

LONG_PTR AddNewPage(PROPSHEETUI_INFO* pPSUIInfo, const SheetPage& page, UiData* ui) {
    return AddPage(pPSUIInfo, page, ui, kDocumentPageFlags, kDocumentPageIcon, PropPageCallback);
}

LONG_PTR AddNewPagePP(PROPSHEETUI_INFO* pPSUIInfo, const SheetPage& page, UiData* ui) {
    return AddPage(pPSUIInfo, page, ui, kInformationPageFlags, kInformationPageIcon, nullptr);
}

UINT CALLBACK PropPageCallback(HWND, UINT message, LPPROPSHEETPAGEW pPage) {
    if (message != PSPCB_RELEASE || pPage == nullptr) {
        return 1;
    }
    auto* ui = reinterpret_cast<UiData*>(pPage->lParam);
    if (!IsValidUiData(ui) || ui->bApplied != 1) {
        return 1;
    }
    SetDerivedFields(&ui->devmode);
    if (ui->pDPHdr != nullptr) {
        ConvertDevmodeOut(&ui->devmode.dm, ui->pDPHdr->pdmIn, ui->pDPHdr->pdmOut);
    }
    SavePrinterProperties(ui->hPrinter, &ui->devmode.ps, sizeof ui->devmode.ps);
    BroadcastDevModeChange(ui->pPrinterName);
    ui->bReleased = 1;
    ui->pfnComPropSheet(ui->hComPropSheet, CPSFUNC_SET_RESULT, 0, CPSUI_OK);
    return 1;
}

bool FillInfoHeader(LPARAM lParam, WORD flags, LPWSTR title) {
    auto* header = reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(lParam);
    if (header == nullptr) {
        return false;
    }
    header->Flags = flags;
    header->pTitle = title;
    header->hInst = ghInstance;
    return true;
}

void ReleaseSheetUiData(PROPSHEETUI_INFO* pPSUIInfo) {
    auto* ui = reinterpret_cast<UiData*>(pPSUIInfo->UserData);
    pPSUIInfo->UserData = 0;
    if (IsValidUiData(ui)) {
        ReleaseUiData(ui);
    }
}
