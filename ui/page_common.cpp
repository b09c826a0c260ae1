#include "ui/page_common.h"

#include "resources/resource.h"
#include "ui/help.h"
#include "ui/numeric_dialog.h"

#include <prsht.h>

#include <cstring>

UiData* TakePageUiData(HWND dialog, LPARAM initParam) {
    const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(initParam);
    auto* ui = page != nullptr ? reinterpret_cast<UiData*>(page->lParam) : nullptr;
    if (!IsValidUiData(ui)) {
        ui = nullptr;
    }
    // DWLP_USER: the dialog user slot, at 16 on x64 where 32-bit builds have it at 8.
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(ui));
    return ui;
}

UiData* PageUiData(HWND dialog) {
    return reinterpret_cast<UiData*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

BOOL AnswerSheetNotification(HWND dialog, UiData* ui, const NMHDR* header, const DWORD* helpTable) {
    switch (header->code) {
    case PSN_APPLY:
        ui->bApplied = 1;
        return FALSE;
    case PSN_KILLACTIVE:
    case PSN_RESET:
        return FALSE;
    case PSN_HELP:
        ShowPageHelp(header->hwndFrom, dialog, helpTable);
        return TRUE;
    default:
        return TRUE;
    }
}

bool IsUserEvent(UINT message) {
    return message == WM_COMMAND || message == WM_HSCROLL || message == WM_VSCROLL;
}

void TellSheetOfChange(HWND page, const PrinterSettings& before, const PrinterSettings& after) {
    if (std::memcmp(&before, &after, sizeof before) != 0) {
        PropSheet_Changed(GetParent(page), page);
    }
}

HINSTANCE PageModule(HWND dialog) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
}

void DrawPageLogo(HWND dialog, HDC dc, int areaId) {
    HBITMAP logo = LoadBitmapW(PageModule(dialog), MAKEINTRESOURCEW(IDB_LOGO));
    if (logo == nullptr) {
        return;
    }
    BITMAP size{};
    GetObjectW(logo, sizeof size, &size);
    RECT area;
    POINT topLeft;
    POINT bottomRight;
    getDlgCtrlRect(dialog, areaId, &area, &topLeft, &bottomRight);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, logo);
    BitBlt(dc, topLeft.x, bottomRight.y - size.bmHeight, size.bmWidth, size.bmHeight, memory, 0, 0,
           SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(logo);
}
