// The page's dialog procedure moves values between the controls and the record; the rules are in
// the model.
#include "pages/slope/slope_page.h"

#include "pages/slope/slope_model.h"
#include "pages/slope/test_print.h"
#include "resources/resource.h"
#include "ui/dialog_host.h"
#include "ui/help.h"
#include "ui/numeric_dialog.h"
#include "ui/page_common.h"

#include <prsht.h>
#include <windowsx.h>

// Each page has its own; they stay inside this file.
// Shows (1) or hides (0) the two ratio displays and the test prints of patterns 1 and 0.
static void ShowExtraControls(HWND hDlg, BOOL show);

namespace {

constexpr int kServiceControls[] = {IDC_FRONT_BACK_RATIO, IDC_LEFT_RIGHT_RATIO, IDC_TEST_PRINT_0,
                                    IDC_TEST_PRINT_1};

void ShowRatio(HWND hDlg, const PrinterSettings& ps, int ratioId) {
    ShowLong(hDlg, ratioId, PairRatio(ps, ratioId));
}

// A reading's new value: into the record, back into its edit, and into its pair's display.
void StoreReading(HWND hDlg, PrinterSettings* ps, const SlopeReading& reading, LONG value) {
    ps->*reading.value = value;
    ShowLong(hDlg, reading.edit, value);
    ShowRatio(hDlg, *ps, reading.ratio);
}

LONG ReadReading(HWND hDlg, const SlopeReading& reading) {
    return GetLong(hDlg, reading.edit, kSlopeMax, kSlopeMin);
}

BOOL OnInitDialog(HWND hDlg, LPARAM lParam) {
    UiData* ui = TakePageUiData(hDlg, lParam);
    for (int id = IDC_BACK_EDIT; id <= IDC_RIGHT_EDIT; ++id) {
        SendDlgItemMessageW(hDlg, id, EM_LIMITTEXT, kSlopeEditChars, 0);
    }
    if (ui != nullptr) {
        SetParams(hDlg, &ui->devmode.ps);
    }
    return TRUE;
}

void OnReadingEdit(HWND hDlg, UiData* ui, const SlopeReading& reading, UINT notification) {
    if (notification == EN_SETFOCUS) {
        SendDlgItemMessageW(hDlg, reading.edit, EM_SETSEL, 0, -1);
    } else if (notification == EN_KILLFOCUS) {
        StoreReading(hDlg, &ui->devmode.ps, reading, ReadReading(hDlg, reading));
    }
}

BOOL OnCommand(HWND hDlg, UiData* ui, int id, UINT notification) {
    if (id == IDC_CORRECT_SLOPE) {
        ToggleCorrectSlope(&ui->devmode.ps);
        SetParams(hDlg, &ui->devmode.ps);
        return TRUE;
    }
    if (const SlopeReading* reading = FindReadingOfEdit(id)) {
        OnReadingEdit(hDlg, ui, *reading, notification);
        return TRUE;
    }
    const int pattern = TestPrintPattern(id);
    if (pattern >= 0) {
        // A failed test print is silent on the page.
        TestPrint(ui->pPrinterName, &ui->devmode, pattern);
        return TRUE;
    }
    return FALSE;
}

BOOL OnSpin(HWND hDlg, UiData* ui, HWND bar, int scrollCode) {
    const SlopeReading* reading = FindReadingOfSpin(GetDlgCtrlID(bar));
    if (reading == nullptr) {
        return TRUE;
    }
    SetFocus(GetDlgItem(hDlg, reading->edit));
    LONG stepped;
    if (SpinReading(ReadReading(hDlg, *reading), scrollCode, &stepped)) {
        StoreReading(hDlg, &ui->devmode.ps, *reading, stepped);
    }
    return TRUE;
}

bool ServiceChordHeld() {
    return IsKeyHeld(VK_MBUTTON) && IsKeyHeld(VK_MENU) && IsKeyHeld(VK_SHIFT);
}

void OnPaint(HWND hDlg) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hDlg, &paint);
    DrawPageLogo(hDlg, dc, IDC_SLOPE_LOGO_AREA);
    EndPaint(hDlg, &paint);
}

INT_PTR OnPageEvent(HWND hDlg, UiData* ui, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return OnCommand(hDlg, ui, LOWORD(wParam), HIWORD(wParam));
    case WM_VSCROLL:
        return OnSpin(hDlg, ui, reinterpret_cast<HWND>(lParam), LOWORD(wParam));
    case WM_LBUTTONDBLCLK:
        ShowExtraControls(hDlg, RevealsServiceControls(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
                                                       ServiceChordHeld()));
        return TRUE;
    case WM_PAINT:
        OnPaint(hDlg);
        return TRUE;
    case WM_SETCURSOR:
        return TRUE;
    case WM_NOTIFY:
        return AnswerSheetNotification(hDlg, ui, reinterpret_cast<const NMHDR*>(lParam),
                                       slope::aPaperDlgHelpIDs);
    case WM_HELP:
    case WM_CONTEXTMENU:
        return AnswerHelpMessage(message, wParam, lParam, slope::aPaperDlgHelpIDs);
    default:
        return FALSE;
    }
}

} // namespace

void SetParams(HWND hDlg, const PrinterSettings* record) {
    const SlopeControls controls = GetSlopeControls(*record);
    CheckDlgButton(hDlg, IDC_CORRECT_SLOPE, controls.checked ? BST_CHECKED : BST_UNCHECKED);
    for (int id = IDC_BACK_EDIT; id <= IDC_RIGHT_EDIT; ++id) {
        const SlopeReading* reading = FindReadingOfEdit(id);
        ShowLong(hDlg, id, record->*reading->value);
        EnableWindow(GetDlgItem(hDlg, reading->edit), controls.readingsActive);
        EnableWindow(GetDlgItem(hDlg, reading->spin), controls.readingsActive);
    }
    ShowLong(hDlg, IDC_FRONT_BACK_RATIO, controls.frontRearRatio);
    ShowLong(hDlg, IDC_LEFT_RIGHT_RATIO, controls.leftRightRatio);
}

static void ShowExtraControls(HWND hDlg, BOOL show) {
    for (int id : kServiceControls) {
        ShowWindow(GetDlgItem(hDlg, id), show ? SW_SHOW : SW_HIDE);
    }
}

INT_PTR CALLBACK SlopeDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog(hDlg, lParam);
    }
    UiData* ui = PageUiData(hDlg);
    if (ui == nullptr) {
        return FALSE;
    }
    return AnswerNotingChange(hDlg, ui, message,
                              [&] { return OnPageEvent(hDlg, ui, message, wParam, lParam); });
}
