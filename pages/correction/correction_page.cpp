#include "pages/correction/correction_page.h"

#include "pages/correction/correction_model.h"
#include "pages/correction/details_dialog.h"
#include "pages/correction/tone_curve.h"
#include "resources/resource.h"
#include "ui/dialog_host.h"
#include "ui/help.h"
#include "ui/numeric_dialog.h"
#include "ui/page_common.h"

#include <prsht.h>
#include <windowsx.h>

#include <climits>
#include <cstring>

// Each page has its own; they stay inside this file.
// Loads every control from the record, normalising the list indexes in it.
static void SetAllControls(HWND dialog, PrinterSettings* ps);
static void ShowExtraControls(HWND dialog, BOOL show);

static_assert(kScrollLineLeft == SB_LINELEFT && kScrollLineRight == SB_LINERIGHT &&
              kScrollPageLeft == SB_PAGELEFT && kScrollPageRight == SB_PAGERIGHT &&
              kScrollThumbPosition == SB_THUMBPOSITION && kScrollThumbTrack == SB_THUMBTRACK);

namespace {

// The service controls, in the order they are shown and hidden.
constexpr int kServiceControls[] = {IDC_COLORS_LABEL,    IDC_COLORS_LIST,      IDC_DITHER_LABEL,
                                    IDC_DITHER_LIST,     IDC_DRAFTING_LABEL,   IDC_DRAFTING_LIST,
                                    IDC_LOWCUT,          IDC_LOWCUT_PRE_EDIT,  IDC_LOWCUT_POST_EDIT,
                                    IDC_LOWCUT_PRE_SPIN, IDC_LOWCUT_POST_SPIN, IDC_NEGATIVE};

constexpr int kLowCutControls[] = {IDC_LOWCUT_PRE_EDIT, IDC_LOWCUT_POST_EDIT, IDC_LOWCUT_PRE_SPIN,
                                   IDC_LOWCUT_POST_SPIN};

// An edit field, the bar that steps it and the record field they both show.
struct FieldPair {
    int edit;
    int bar;
    SHORT PrinterSettings::*field;
};

constexpr FieldPair kCorrections[] = {
    {IDC_BRIGHTNESS_EDIT, IDC_BRIGHTNESS_BAR, &PrinterSettings::Brightness},
    {IDC_CONTRAST_EDIT, IDC_CONTRAST_BAR, &PrinterSettings::Contrast},
};

constexpr FieldPair kLowCuts[] = {
    {IDC_LOWCUT_PRE_EDIT, IDC_LOWCUT_PRE_SPIN, &PrinterSettings::LowCutPre},
    {IDC_LOWCUT_POST_EDIT, IDC_LOWCUT_POST_SPIN, &PrinterSettings::LowCutPost},
};

template <size_t N> const FieldPair* PairOfEdit(const FieldPair (&pairs)[N], int id) {
    for (const FieldPair& pair : pairs) {
        if (pair.edit == id) {
            return &pair;
        }
    }
    return nullptr;
}

template <size_t N> const FieldPair* PairOfBar(const FieldPair (&pairs)[N], int id) {
    for (const FieldPair& pair : pairs) {
        if (pair.bar == id) {
            return &pair;
        }
    }
    return nullptr;
}

// A control whose record field is a plain stored value: a service list or a check box.
struct FieldControl {
    int id;
    SHORT PrinterSettings::*field;
};

constexpr FieldControl kServiceLists[] = {
    {IDC_COLORS_LIST, &PrinterSettings::PassMethod},
    {IDC_DITHER_LIST, &PrinterSettings::DitherPat},
    {IDC_DRAFTING_LIST, &PrinterSettings::Draft},
};

constexpr FieldControl kCheckBoxes[] = {
    {IDC_MIRROR, &PrinterSettings::Mirror},
    {IDC_NEGATIVE, &PrinterSettings::Nega},
    {IDC_LOWCUT, &PrinterSettings::LowCut},
};

template <size_t N> const FieldControl* FindControl(const FieldControl (&controls)[N], int id) {
    for (const FieldControl& control : controls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

void ReadGammaText(HWND dialog, int id, WCHAR (&text)[kGammaChars + 1]) {
    text[0] = 0;
    GetDlgItemTextW(dialog, id, text, kGammaChars + 1);
}

PrinterSettings* RecordOf(HWND dialog) {
    return &PageUiData(dialog)->devmode.ps;
}

// A typed whole number, 0 when the text is none; held to the 16 bits of the record's fields.
SHORT ReadSigned(HWND dialog, int id) {
    const LONG value = static_cast<INT>(GetDlgItemInt(dialog, id, nullptr, TRUE));
    return static_cast<SHORT>(HoldToRange(value, SHRT_MIN, SHRT_MAX));
}

void SelectAll(HWND dialog, int id) {
    SendDlgItemMessageW(dialog, id, EM_SETSEL, 0, -1);
}

void SetBar(HWND dialog, int id, LONG position) {
    SetScrollPos(GetDlgItem(dialog, id), SB_CTL, position, TRUE);
}

void SetBarRange(HWND dialog, int id, LONG min, LONG max, LONG position) {
    SetScrollRange(GetDlgItem(dialog, id), SB_CTL, min, max, TRUE);
    SetBar(dialog, id, position);
}

SHORT FillServiceList(HWND dialog, int id, ServiceList list, SHORT index) {
    const bool japanese = GetUserCountryCode() == kCountryJapan;
    SendDlgItemMessageW(dialog, id, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < ServiceListCount(list); ++i) {
        SendDlgItemMessageW(dialog, id, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(ServiceListName(list, i, japanese)));
    }
    index = NormaliseListIndex(list, index);
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    return index;
}

// The list's selection into the field; a list without one gets its first item.
void TakeListSelection(HWND dialog, int id, SHORT* field) {
    LRESULT selection = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    if (selection == CB_ERR) {
        selection = 0;
        SendDlgItemMessageW(dialog, id, CB_SETCURSEL, 0, 0);
    }
    *field = static_cast<SHORT>(selection);
}

void SetLowCutControls(HWND dialog, const PrinterSettings& ps) {
    CheckDlgButton(dialog, IDC_LOWCUT, static_cast<UINT>(ps.LowCut));
    for (int id : kLowCutControls) {
        EnableWindow(GetDlgItem(dialog, id), ps.LowCut != 0);
    }
    SetDlgItemInt(dialog, IDC_LOWCUT_PRE_EDIT, static_cast<UINT>(ps.LowCutPre), TRUE);
    SetDlgItemInt(dialog, IDC_LOWCUT_POST_EDIT, static_cast<UINT>(ps.LowCutPost), TRUE);
}

void OnCorrectionEdit(HWND dialog, const FieldPair& pair, int notification) {
    PrinterSettings* ps = RecordOf(dialog);
    if (notification == EN_SETFOCUS) {
        SelectAll(dialog, pair.edit);
    } else if (notification == EN_KILLFOCUS) {
        const SHORT value = static_cast<SHORT>(
            HoldToRange(ReadSigned(dialog, pair.edit), kCorrectionMin, kCorrectionMax));
        ps->*pair.field = value;
        SetBar(dialog, pair.bar, value);
        SetDlgItemInt(dialog, pair.edit, static_cast<UINT>(value), TRUE);
        InvalidCorrect(dialog, FALSE);
    } else if (notification == EN_CHANGE) {
        checkDigit(dialog, pair.edit);
        InvalidCorrect(dialog, FALSE);
    }
}

void OnGammaEdit(HWND dialog, int notification) {
    if (notification == EN_SETFOCUS) {
        SelectAll(dialog, IDC_GAMMA_EDIT);
    } else if (notification == EN_KILLFOCUS) {
        WCHAR text[kGammaChars + 1];
        ReadGammaText(dialog, IDC_GAMMA_EDIT, text);
        const SHORT gamma = TakeGammaText(text, RecordOf(dialog)->Gamma, kGammaMax, kGammaMin);
        RecordOf(dialog)->Gamma = gamma;
        SetBar(dialog, IDC_GAMMA_BAR, gamma);
        SetGammaValue(dialog, gamma);
        InvalidCorrect(dialog, FALSE);
    } else if (notification == EN_CHANGE) {
        InvalidCorrect(dialog, FALSE);
    }
}

void OnLowCutEdit(HWND dialog, const FieldPair& pair, int notification) {
    if (notification == EN_SETFOCUS) {
        SelectAll(dialog, pair.edit);
    } else if (notification == EN_KILLFOCUS) {
        const SHORT value =
            static_cast<SHORT>(HoldToRange(ReadSigned(dialog, pair.edit), kLowCutMin, kLowCutMax));
        RecordOf(dialog)->*pair.field = value;
        SetDlgItemInt(dialog, pair.edit, static_cast<UINT>(value), TRUE);
        InvalidCorrect(dialog, FALSE);
    } else if (notification == EN_CHANGE) {
        InvalidCorrect(dialog, FALSE);
    }
}

void OnCheckBox(HWND dialog, const FieldControl& box) {
    PrinterSettings* ps = RecordOf(dialog);
    ps->*box.field = ToggleFlag(ps->*box.field);
    CheckDlgButton(dialog, box.id, static_cast<UINT>(ps->*box.field));
    if (box.id == IDC_LOWCUT) {
        for (int id : kLowCutControls) {
            EnableWindow(GetDlgItem(dialog, id), ps->LowCut != 0);
        }
        InvalidCorrect(dialog, FALSE);
    }
}

void OnTypeButton(HWND dialog, int id) {
    PrinterSettings* ps = RecordOf(dialog);
    if (SwitchMaterialType(ps, id == IDC_TYPE_PHOTO ? 1 : 0)) {
        CheckRadioButton(dialog, IDC_TYPE_TEXT, IDC_TYPE_PHOTO, id);
        SetNewType(dialog, ps);
    }
}

void OnSetStandard(HWND dialog) {
    SetStandardCorrection(RecordOf(dialog));
    SetBar(dialog, IDC_BRIGHTNESS_BAR, 0);
    SetBar(dialog, IDC_CONTRAST_BAR, 0);
    SetBar(dialog, IDC_GAMMA_BAR, kStandardGamma);
    SetDlgItemInt(dialog, IDC_BRIGHTNESS_EDIT, 0, TRUE);
    SetDlgItemInt(dialog, IDC_CONTRAST_EDIT, 0, TRUE);
    SetGammaValue(dialog, kStandardGamma);
}

void OnDetails(HWND dialog) {
    UiData* ui = PageUiData(dialog);
    DetailsDlg(PageModule(dialog), dialog, ui);
    ui->devmode.ps.Material = UpdateMaterial(dialog, &ui->devmode.ps);
}

// False for a control the page does not handle.
bool OnCommand(HWND dialog, int id, int notification) {
    if (const FieldPair* pair = PairOfEdit(kCorrections, id)) {
        OnCorrectionEdit(dialog, *pair, notification);
    } else if (const FieldPair* lowCut = PairOfEdit(kLowCuts, id)) {
        OnLowCutEdit(dialog, *lowCut, notification);
    } else if (const FieldControl* list = FindControl(kServiceLists, id)) {
        TakeListSelection(dialog, id, &(RecordOf(dialog)->*list->field));
    } else if (const FieldControl* box = FindControl(kCheckBoxes, id)) {
        OnCheckBox(dialog, *box);
    } else if (id == IDC_GAMMA_EDIT) {
        OnGammaEdit(dialog, notification);
    } else if (id == IDC_MATERIAL_LIST) {
        if (notification == CBN_SELCHANGE) {
            TakeListSelection(dialog, id, &RecordOf(dialog)->Material);
        }
    } else if (id == IDC_TYPE_TEXT || id == IDC_TYPE_PHOTO) {
        OnTypeButton(dialog, id);
    } else if (id == IDC_SET_STANDARD) {
        OnSetStandard(dialog);
    } else if (id == IDC_DETAILS) {
        OnDetails(dialog);
    } else {
        return false;
    }
    return true;
}

void OnHorizontalScroll(HWND dialog, int id, int code, LONG thumb) {
    PrinterSettings* ps = RecordOf(dialog);
    if (const FieldPair* pair = PairOfBar(kCorrections, id)) {
        SetFocus(GetDlgItem(dialog, pair->edit));
        ps->*pair->field = ReadSigned(dialog, pair->edit);
        const SHORT value = static_cast<SHORT>(ScrollCorrection(ps->*pair->field, code, thumb));
        ps->*pair->field = value;
        SetBar(dialog, pair->bar, value);
        SetDlgItemInt(dialog, pair->edit, static_cast<UINT>(value), TRUE);
    } else if (id == IDC_GAMMA_BAR) {
        SetFocus(GetDlgItem(dialog, IDC_GAMMA_EDIT));
        ps->Gamma = GetGamma(dialog, IDC_GAMMA_EDIT, kGammaMax, kGammaMin);
        ps->Gamma = ScrollGamma(ps->Gamma, code, thumb);
        SetBar(dialog, IDC_GAMMA_BAR, ps->Gamma);
        SetGammaValue(dialog, ps->Gamma);
    }
}

void OnVerticalScroll(HWND dialog, int id, int code) {
    const FieldPair* pair = PairOfBar(kLowCuts, id);
    if (pair == nullptr) {
        return;
    }
    PrinterSettings* ps = RecordOf(dialog);
    SetFocus(GetDlgItem(dialog, pair->edit));
    ps->*pair->field = ReadSigned(dialog, pair->edit);
    if (IsLowCutStep(code)) {
        ps->*pair->field = static_cast<SHORT>(SpinLowCut(ps->*pair->field, code));
        SetDlgItemInt(dialog, pair->edit, static_cast<UINT>(ps->*pair->field), TRUE);
    }
}

bool IsServiceChordHeld() {
    return IsKeyHeld(VK_MBUTTON) && IsKeyHeld(VK_MENU) && IsKeyHeld(VK_SHIFT);
}

void OnPaint(HWND dialog) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    DrawPageLogo(dialog, dc, IDC_CORRECTION_LOGO_AREA);
    DrawGraph(dialog, dc, RecordOf(dialog));
    EndPaint(dialog, &paint);
}

// The record as the page last filled its controls from it (null without memory: the page then
// fills them each time it is shown). Filling all controls is most of the page's own work, and
// the page is shown right after it was made.
PrinterSettings* FilledFrom(HWND dialog) {
    return reinterpret_cast<PrinterSettings*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
}

void FillControls(HWND dialog) {
    PrinterSettings* ps = RecordOf(dialog);
    SetAllControls(dialog, ps);
    if (PrinterSettings* filled = FilledFrom(dialog)) {
        *filled = *ps;
    }
}

// Shown again, the page shows what changed the record meanwhile: another page, a loaded
// settings file, or its own controls.
void OnShown(HWND dialog) {
    const PrinterSettings* filled = FilledFrom(dialog);
    if (filled == nullptr || std::memcmp(filled, RecordOf(dialog), sizeof *filled) != 0) {
        FillControls(dialog);
    }
}

void OnInit(HWND dialog, LPARAM lParam) {
    UiData* ui = TakePageUiData(dialog, lParam);
    if (ui == nullptr) {
        return;
    }
    FillUnnamedPresets(&ui->devmode.ps, GetUserCountryCode());
    SetWindowLongPtrW(dialog, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(GlobalAlloc(GMEM_FIXED, sizeof(PrinterSettings))));
    FillControls(dialog);
}

INT_PTR OnPageEvent(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_HSCROLL:
        OnHorizontalScroll(dialog, GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), LOWORD(wParam),
                           static_cast<SHORT>(HIWORD(wParam)));
        return TRUE;
    case WM_VSCROLL:
        OnVerticalScroll(dialog, GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), LOWORD(wParam));
        return TRUE;
    case WM_LBUTTONDBLCLK:
        ShowExtraControls(dialog, IsServiceCorner(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)) &&
                                      IsServiceChordHeld());
        return TRUE;
    case WM_PAINT:
        OnPaint(dialog);
        return TRUE;
    case WM_HELP:
    case WM_CONTEXTMENU:
        return AnswerHelpMessage(message, wParam, lParam, correction::aPaperDlgHelpIDs);
    case WM_NOTIFY:
        return AnswerSheetNotification(dialog, PageUiData(dialog),
                                       reinterpret_cast<const NMHDR*>(lParam),
                                       correction::aPaperDlgHelpIDs);
    case WM_SHOWWINDOW:
        if (wParam) {
            OnShown(dialog);
        }
        return FALSE;
    case WM_SETCURSOR:
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK OutputDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        OnInit(dialog, lParam);
        return TRUE;
    }
    if (message == WM_NCDESTROY) {
        GlobalFree(FilledFrom(dialog));
        return FALSE;
    }
    // Controls report while the page is built, before it knows its context.
    const UiData* ui = PageUiData(dialog);
    if (ui == nullptr) {
        return FALSE;
    }
    return AnswerNotingChange(dialog, ui, message,
                              [&] { return OnPageEvent(dialog, message, wParam, lParam); });
}

static void SetAllControls(HWND dialog, PrinterSettings* ps) {
    ps->DitherPat = UpdateDitherPattern(dialog, ps->DitherPat);
    ps->PassMethod = UpdatePassMethod(dialog, ps->PassMethod);
    ps->Draft = UpdateDraftMethod(dialog, ps->Draft);
    ps->Material = UpdateMaterial(dialog, ps);
    SetBarRange(dialog, IDC_BRIGHTNESS_BAR, kCorrectionMin, kCorrectionMax, ps->Brightness);
    SetBarRange(dialog, IDC_CONTRAST_BAR, kCorrectionMin, kCorrectionMax, ps->Contrast);
    SetBarRange(dialog, IDC_GAMMA_BAR, kGammaMin, kGammaMax, ps->Gamma);
    SetDlgItemInt(dialog, IDC_BRIGHTNESS_EDIT, static_cast<UINT>(ps->Brightness), TRUE);
    SetDlgItemInt(dialog, IDC_CONTRAST_EDIT, static_cast<UINT>(ps->Contrast), TRUE);
    SetGammaValue(dialog, ps->Gamma);
    CheckDlgButton(dialog, IDC_MIRROR, static_cast<UINT>(ps->Mirror));
    CheckDlgButton(dialog, IDC_NEGATIVE, static_cast<UINT>(ps->Nega));
    SetLowCutControls(dialog, *ps);
    CheckRadioButton(dialog, IDC_TYPE_TEXT, IDC_TYPE_PHOTO,
                     ps->ImpactPattern != 0 ? IDC_TYPE_PHOTO : IDC_TYPE_TEXT);
}

SHORT UpdateMaterial(HWND dialog, PrinterSettings* ps) {
    SendDlgItemMessageW(dialog, IDC_MATERIAL_LIST, CB_RESETCONTENT, 0, 0);
    const MaterialSet& set = ActiveMaterialSet(*ps);
    for (const MaterialEntry& entry : set.Entry) {
        WCHAR name[kPresetNameChars + 1];
        PresetNameText(entry, name);
        SendDlgItemMessageW(dialog, IDC_MATERIAL_LIST, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(name));
    }
    ps->Material = NormaliseMaterial(ps->Material);
    SendDlgItemMessageW(dialog, IDC_MATERIAL_LIST, CB_SETCURSEL, static_cast<WPARAM>(ps->Material),
                        0);
    return ps->Material;
}

SHORT UpdateDitherPattern(HWND dialog, SHORT index) {
    return FillServiceList(dialog, IDC_DITHER_LIST, ServiceList::DitherPat, index);
}

SHORT UpdatePassMethod(HWND dialog, SHORT index) {
    return FillServiceList(dialog, IDC_COLORS_LIST, ServiceList::PassMethod, index);
}

SHORT UpdateDraftMethod(HWND dialog, SHORT index) {
    return FillServiceList(dialog, IDC_DRAFTING_LIST, ServiceList::Draft, index);
}

void SetNewType(HWND dialog, PrinterSettings* ps) {
    ps->Material = UpdateMaterial(dialog, ps);
    ps->Draft = UpdateDraftMethod(dialog, ps->Draft);
    SetLowCutControls(dialog, *ps);
}

static void ShowExtraControls(HWND dialog, BOOL show) {
    for (int id : kServiceControls) {
        ShowWindow(GetDlgItem(dialog, id), show ? SW_SHOW : SW_HIDE);
    }
}

void InvalidCorrect(HWND dialog, BOOL erase) {
    RECT area;
    POINT topLeft;
    POINT bottomRight;
    getDlgCtrlRect(dialog, IDC_TONE_CURVE, &area, &topLeft, &bottomRight);
    SetRect(&area, topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    InvalidateRect(dialog, &area, erase);
}

SHORT GetGamma(HWND dialog, int id, SHORT max, SHORT min) {
    WCHAR text[kGammaChars + 1];
    ReadGammaText(dialog, id, text);
    return ParseGamma(text, max, min);
}

void SetGammaValue(HWND dialog, LONG gamma) {
    WCHAR text[kGammaShowChars];
    FormatGamma(text, gamma);
    SetDlgItemTextW(dialog, IDC_GAMMA_EDIT, text);
}
