#include "pages/material/material_page.h"

#include "pages/material/material_model.h"
#include "pages/material/settings_file.h"
#include "pages/material/work_view.h"
#include "resources/resource.h"
#include "ui/dialog_host.h"
#include "ui/help.h"
#include "ui/numeric_dialog.h"
#include "ui/page_common.h"
#include "ui/small_dialogs.h"

#include <prsht.h>
#include <windowsx.h>

// Each page has its own; they stay inside this file.
// Every control of the page from the record.
static void SetAllControls(HWND dialog, PrinterSettings* ps);
// Shows (nonzero) or hides the service controls.
static void ShowExtraControls(HWND dialog, BOOL show);

namespace {

constexpr int kLengthFields[] = {IDC_WIDTH_EDIT, IDC_LENGTH_EDIT, IDC_OFFSET_X_EDIT,
                                 IDC_OFFSET_Y_EDIT};
constexpr int kSwitches[] = {IDC_PRINT_FROM_BOTTOM, IDC_BIDIRECTION, IDC_PREVIEW,
                             IDC_UPPER_LEFT_ORIGIN};
constexpr int kExtraControls[] = {
    IDC_HELP_CONTENTS,     IDC_PREVIEW,          IDC_UPPER_LEFT_ORIGIN,
    IDC_COMPRESSION_GROUP, IDC_COMPRESSION_NONE, IDC_COMPRESSION_RUNLENGTH,
    IDC_COMPRESSION_TIFF,  IDC_RESOLUTION_LABEL, IDC_RESOLUTION_LIST};

void Show(HWND dialog, int id, BOOL show) {
    ShowWindow(GetDlgItem(dialog, id), show ? SW_SHOW : SW_HIDE);
}

void SetExtendedSizeBox(HWND dialog, const PrinterSettings* ps) {
    CheckDlgButton(dialog, IDC_EXTENDED_SIZE, ps->ExtendedSize != 0 ? BST_CHECKED : BST_UNCHECKED);
    Show(dialog, IDC_EXTENDED_SIZE, ps->EnableExtendedSize != 0);
}

void SetCompressionButtons(HWND dialog, const PrinterSettings* ps) {
    const int marked = CompressionButton(*ps);
    for (int id = IDC_COMPRESSION_NONE; id <= IDC_COMPRESSION_TIFF; ++id) {
        CheckDlgButton(dialog, id, id == marked ? BST_CHECKED : BST_UNCHECKED);
    }
}

void ReadLengthField(HWND dialog, int id, LPWSTR text) {
    text[0] = 0;
    GetDlgItemTextW(dialog, id, text, kParseChars + 1);
}

void ShowLengths(HWND dialog, PrinterSettings* ps, int fieldId) {
    if (IsWorkSizeField(fieldId)) {
        SetUserBox(dialog, ps);
    }
    SetOffsetBox(dialog, ps);
}

void TakeOverField(HWND dialog, PrinterSettings* ps, int fieldId) {
    WCHAR text[kParseChars + 1];
    ReadLengthField(dialog, fieldId, text);
    TakeOverLength(ps, fieldId, text);
    ShowLengths(dialog, ps, fieldId);
    if (IsWorkSizeField(fieldId)) {
        InvalidWorkView(dialog, 0);
    }
}

void OnLengthField(HWND dialog, PrinterSettings* ps, int fieldId, UINT notification) {
    switch (notification) {
    case EN_SETFOCUS:
        SendDlgItemMessageW(dialog, fieldId, EM_SETSEL, 0, -1);
        break;
    case EN_KILLFOCUS:
        TakeOverField(dialog, ps, fieldId);
        break;
    case EN_CHANGE:
        if (IsWorkSizeField(fieldId)) {
            InvalidWorkView(dialog, 0);
        }
        break;
    default:
        break;
    }
}

void OnSpin(HWND dialog, PrinterSettings* ps, int spinId, int scrollCode) {
    const int fieldId = FieldOfSpin(spinId);
    if (fieldId == 0) {
        return;
    }
    // Focusing the partner takes over whatever field was being typed in.
    SetFocus(GetDlgItem(dialog, fieldId));
    WCHAR text[kParseChars + 1];
    ReadLengthField(dialog, fieldId, text);
    if (!SpinLength(ps, fieldId, text, scrollCode)) {
        return;
    }
    ShowUserUnit(dialog, fieldId, IsInch(*ps), *LengthOfField(ps, fieldId));
    SetOffsetBox(dialog, ps);
}

void OnUnit(HWND dialog, PrinterSettings* ps, int buttonId) {
    CheckRadioButton(dialog, IDC_UNIT_MM, IDC_UNIT_INCH, buttonId);
    ps->UserUnit = buttonId == IDC_UNIT_INCH ? 1 : 0;
    SetUserBox(dialog, ps);
    SetOffsetBox(dialog, ps);
}

void OnResolution(HWND dialog, PrinterSettings* ps) {
    const auto selection =
        static_cast<LONG>(SendDlgItemMessageW(dialog, IDC_RESOLUTION_LIST, CB_GETCURSEL, 0, 0));
    if (selection < 0) {
        SendDlgItemMessageW(dialog, IDC_RESOLUTION_LIST, CB_SETCURSEL, 0, 0);
    }
    ps->FrameDpiIdx = static_cast<SHORT>(FrameIdxOfSelection(selection));
}

void OnSwitch(HWND dialog, PrinterSettings* ps, int checkId) {
    ToggleSwitch(ps, checkId);
    CheckDlgButton(dialog, checkId, SwitchState(*ps, checkId) ? BST_CHECKED : BST_UNCHECKED);
    if (SwitchShowsInWorkView(checkId)) {
        InvalidWorkView(dialog, 0);
    }
}

void OnExtendedSize(HWND dialog, PrinterSettings* ps) {
    if (ToggleExtendedSize(ps)) {
        WarningDlg(PageModule(dialog), dialog, ps);
        SetFocus(GetDlgItem(dialog, IDC_EXTENDED_SIZE));
        CheckDlgButton(dialog, IDC_EXTENDED_SIZE, BST_CHECKED);
        return;
    }
    CheckDlgButton(dialog, IDC_EXTENDED_SIZE, BST_UNCHECKED);
    SetUserBox(dialog, ps);
}

void OnSave(HWND dialog, const PrinterSettings* ps) {
    LPCWSTR path = nullptr;
    if (AskSaveSettingsPath(dialog, &path)) {
        WriteSettingsFile(path, *ps);
    }
}

// A file that is missing, of another version or with a damaged record still gets the last steps:
// the extended-size switch from the file, the limits and sizes brought into range.
void OnLoad(HWND dialog, PrinterSettings* ps) {
    LPCWSTR path = nullptr;
    if (!AskLoadSettingsPath(dialog, &path)) {
        return;
    }
    if (ReadSettingsRecord(path, ps)) {
        SetAllControls(dialog, ps);
    }
    FinishSettingsLoad(ps, ReadEnableExtendedSize(path));
    Show(dialog, IDC_EXTENDED_SIZE, ps->EnableExtendedSize != 0);
    SetUserBox(dialog, ps);
}

bool IsLengthField(int id) {
    for (int field : kLengthFields) {
        if (field == id) {
            return true;
        }
    }
    return false;
}

void OnButton(HWND dialog, PrinterSettings* ps, int id) {
    switch (id) {
    case IDC_UNIT_MM:
    case IDC_UNIT_INCH:
        OnUnit(dialog, ps, id);
        break;
    case IDC_PRINT_FROM_BOTTOM:
    case IDC_BIDIRECTION:
    case IDC_PREVIEW:
    case IDC_UPPER_LEFT_ORIGIN:
        OnSwitch(dialog, ps, id);
        break;
    case IDC_COMPRESSION_NONE:
    case IDC_COMPRESSION_RUNLENGTH:
    case IDC_COMPRESSION_TIFF:
        CheckRadioButton(dialog, IDC_COMPRESSION_NONE, IDC_COMPRESSION_TIFF, id);
        SetCompression(ps, id);
        break;
    case IDC_EXTENDED_SIZE:
        OnExtendedSize(dialog, ps);
        break;
    case IDC_ABOUT:
        AboutDlg(PageModule(dialog), dialog);
        break;
    case IDC_HELP_CONTENTS:
        ShowPageHelp(nullptr, dialog, material::aPaperDlgHelpIDs);
        break;
    case IDC_SAVE_SETTINGS:
        OnSave(dialog, ps);
        break;
    case IDC_LOAD_SETTINGS:
        OnLoad(dialog, ps);
        break;
    default:
        break;
    }
}

void OnCommand(HWND dialog, PrinterSettings* ps, int id, UINT notification) {
    if (IsLengthField(id)) {
        OnLengthField(dialog, ps, id, notification);
    } else if (id == IDC_RESOLUTION_LIST) {
        OnResolution(dialog, ps);
    } else if (notification == BN_CLICKED) {
        OnButton(dialog, ps, id);
    }
}

void OnDoubleClick(HWND dialog, LPARAM point) {
    const bool reveal =
        RevealsServiceControls(GET_X_LPARAM(point), GET_Y_LPARAM(point), IsKeyHeld(VK_MBUTTON),
                               IsKeyHeld(VK_MENU), IsKeyHeld(VK_SHIFT));
    ShowExtraControls(dialog, reveal);
}

void OnPaint(HWND dialog, PrinterSettings* ps) {
    PAINTSTRUCT paint;
    HDC surface = BeginPaint(dialog, &paint);
    DrawPageLogo(dialog, surface, IDC_MATERIAL_LOGO_AREA);
    DrawMaterial(dialog, surface, ps);
    EndPaint(dialog, &paint);
    ps->FrameDpiIdx = static_cast<SHORT>(UpdateDpi(dialog, ps->BaseDpi, ps->FrameDpiIdx));
}

BOOL OnInitDialog(HWND dialog, LPARAM lParam) {
    UiData* ui = TakePageUiData(dialog, lParam);
    if (ui != nullptr) {
        SetAllControls(dialog, &ui->devmode.ps);
    }
    return TRUE;
}

INT_PTR OnPageEvent(HWND dialog, UiData* ui, UINT message, WPARAM wParam, LPARAM lParam) {
    PrinterSettings* ps = &ui->devmode.ps;
    switch (message) {
    case WM_COMMAND:
        OnCommand(dialog, ps, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_VSCROLL:
        OnSpin(dialog, ps, GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), LOWORD(wParam));
        return TRUE;
    case WM_LBUTTONDBLCLK:
        OnDoubleClick(dialog, lParam);
        return TRUE;
    case WM_PAINT:
        OnPaint(dialog, ps);
        return TRUE;
    case WM_HELP:
    case WM_CONTEXTMENU:
        return AnswerHelpMessage(message, wParam, lParam, material::aPaperDlgHelpIDs);
    case WM_NOTIFY:
        return AnswerSheetNotification(dialog, ui, reinterpret_cast<const NMHDR*>(lParam),
                                       material::aPaperDlgHelpIDs);
    case WM_SETCURSOR:
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK PaperDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog(dialog, lParam);
    }
    UiData* ui = PageUiData(dialog);
    // Events before initialisation, or of a page given no UI context, are the platform's.
    if (ui == nullptr) {
        return FALSE;
    }
    return AnswerNotingChange(dialog, ui, message,
                              [&] { return OnPageEvent(dialog, ui, message, wParam, lParam); });
}

static void SetAllControls(HWND dialog, PrinterSettings* ps) {
    for (int id : kLengthFields) {
        SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, kLengthFieldChars, 0);
    }
    CheckRadioButton(dialog, IDC_UNIT_MM, IDC_UNIT_INCH, IsInch(*ps) ? IDC_UNIT_INCH : IDC_UNIT_MM);
    for (int id : kSwitches) {
        CheckDlgButton(dialog, id, SwitchState(*ps, id) ? BST_CHECKED : BST_UNCHECKED);
    }
    SetCompressionButtons(dialog, ps);
    SetUserBox(dialog, ps);
    SetOffsetBox(dialog, ps);
    ps->FrameDpiIdx = static_cast<SHORT>(UpdateDpi(dialog, ps->BaseDpi, ps->FrameDpiIdx));
    SetExtendedSizeBox(dialog, ps);
}

void SetUserBox(HWND dialog, const PrinterSettings* ps) {
    ShowUserUnit(dialog, IDC_WIDTH_EDIT, IsInch(*ps), ps->UserDefinedX);
    ShowUserUnit(dialog, IDC_LENGTH_EDIT, IsInch(*ps), ps->UserDefinedY);
}

void SetOffsetBox(HWND dialog, PrinterSettings* ps) {
    ApplyOffsetRules(ps);
    ShowUserUnit(dialog, IDC_OFFSET_X_EDIT, IsInch(*ps), ps->OffsetX);
    ShowUserUnit(dialog, IDC_OFFSET_Y_EDIT, IsInch(*ps), ps->OffsetY);
}

LONG UpdateDpi(HWND dialog, SHORT baseDpi, LONG frameIdx) {
    SendDlgItemMessageW(dialog, IDC_RESOLUTION_LIST, CB_RESETCONTENT, 0, 0);
    for (LONG divisor = kFirstFrameIdx; divisor <= kLastFrameIdx; ++divisor) {
        WCHAR entry[kResolutionChars];
        FormatResolutionEntry(entry, baseDpi, divisor);
        SendDlgItemMessageW(dialog, IDC_RESOLUTION_LIST, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(entry));
    }
    frameIdx = SelectedFrameIdx(frameIdx);
    SendDlgItemMessageW(dialog, IDC_RESOLUTION_LIST, CB_SETCURSEL,
                        static_cast<WPARAM>(frameIdx - kFirstFrameIdx), 0);
    return frameIdx;
}

static void ShowExtraControls(HWND dialog, BOOL show) {
    for (int id : kExtraControls) {
        Show(dialog, id, show);
    }
}
