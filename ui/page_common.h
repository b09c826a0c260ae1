// What every page of the document sheet and the printer sheet shares: its UI context, its answer
// to the sheet's notifications and the logo. Built in the windows tree only, with the pages.
#pragma once

#include "context/ui_context.h"

#include <windows.h>

// At WM_INITDIALOG of a page: the UI context its page record carries, kept as the page's
// DWLP_USER value. Null, and nothing kept, when the record or the context it points at is not
// a live UI context.
UiData* TakePageUiData(HWND dialog, LPARAM initParam);

// The UI context a page or dialog keeps as its DWLP_USER value; null before it is set.
UiData* PageUiData(HWND dialog);

// Every document page's answer to the sheet's notifications: Apply marks the context applied (the
// record holds the values already; the release step writes them back), Help opens the help of
// the page's help table, leaving the page and Cancel keep the host's default.
BOOL AnswerSheetNotification(HWND dialog, UiData* ui, const NMHDR* header, const DWORD* helpTable);

// Commands and scroll bars: the events by which the user changes a page's values.
bool IsUserEvent(UINT message);
// PSM_CHANGED to the page's sheet when the record differs.
void TellSheetOfChange(HWND page, const PrinterSettings& before, const PrinterSettings& after);

// A document page's answer to one event, run through this so that a change of the record by the
// user (a command or a scroll of a bar) is told to the sheet (PSM_CHANGED): that enables its Apply
// button. Other events may bring a record into range as they show it; that is not a change the
// user made.
template <typename Answer>
INT_PTR AnswerNotingChange(HWND page, const UiData* ui, UINT message, Answer answer) {
    if (!IsUserEvent(message)) {
        return answer();
    }
    const PrinterSettings before = ui->devmode.ps;
    const INT_PTR result = answer();
    TellSheetOfChange(page, before, ui->devmode.ps);
    return result;
}

// The module whose template made the page: it also holds the logo and the pages' dialogs.
HINSTANCE PageModule(HWND dialog);

// The logo, unscaled, in the lower-left corner of the area control: its left edge on the area's,
// its last row one pixel above the area's last row.
void DrawPageLogo(HWND dialog, HDC dc, int areaId);
