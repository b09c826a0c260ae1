// What the two sheets share: their pages, the host's page and header records, and the release of
// a sheet's UI context.
#pragma once

#include "context/ui_context.h"

#include <windows.h>
#include <winddiui.h>
#ifdef _WIN32
#include <prsht.h>
#endif

struct SheetPage {
    WORD templateId; // also the page's name: the resource lookup picks its language
    DLGPROC dialogProc;
};

// Material, Image correction and Slope correction.
extern const SheetPage kDocumentPages[3];
// The printer sheet's information page.
extern const SheetPage kInformationPage;

// Describes a page to the host (CPSFUNC_ADD_PROPSHEETPAGEW) with the UI context as its
// parameter; the host's answer. The document pages carry the release callback, the information
// page none.
LONG_PTR AddNewPage(PROPSHEETUI_INFO* pPSUIInfo, const SheetPage& page, UiData* ui);
LONG_PTR AddNewPagePP(PROPSHEETUI_INFO* pPSUIInfo, const SheetPage& page, UiData* ui);

// The document pages' release step (PSPCB_RELEASE of an applied sheet); always 1.
UINT CALLBACK PropPageCallback(HWND hWnd, UINT message, LPPROPSHEETPAGEW pPage);

// Fills the host's header record (PROPSHEETUI_REASON_GET_INFO_HEADER); false without one.
bool FillInfoHeader(LPARAM lParam, WORD flags, LPWSTR title);

// At the sheet's destroy call, after the last page's release step: the context held as the
// host's user data is released, and the user data cleared first, so that the context can be
// released only once.
void ReleaseSheetUiData(PROPSHEETUI_INFO* pPSUIInfo);
