// What every document page shares; built in the windows tree only, with the pages.
#include "entry/sheet_pages.h"
#include "ui/help.h"

BOOL AnswerSheetNotification(UiData* ui, const NMHDR* header) {
    switch (header->code) {
    case PSN_APPLY:
        ui->bApplied = 1;
        return FALSE;
    case PSN_KILLACTIVE:
    case PSN_RESET:
        return FALSE;
    case PSN_HELP:
        ShowHelpContents(header->hwndFrom);
        return TRUE;
    default:
        return TRUE;
    }
}

UiData* PageUiData(HWND dialog) {
    return reinterpret_cast<UiData*>(GetWindowLongPtrW(dialog, DWLP_USER));
}
