#include "pages/correction/details_dialog.h"

#include "resources/resource.h"
#include "settings/wide_strings.h"
#include "ui/help.h"
#include "ui/numeric_dialog.h"
#include "ui/page_common.h"

namespace {

struct NumberField {
    int id;
    LONG MaterialEntry::*value;
    LONG (*hold)(UINT);
    int chars;
};

constexpr NumberField kNumberFields[] = {
    {IDC_SPEED_EDIT, &MaterialEntry::Speed, HoldSpeed, 2},
    {IDC_IMPACT_MIN_EDIT, &MaterialEntry::ImpactMin, HoldImpact, 4},
    {IDC_IMPACT_MAX_EDIT, &MaterialEntry::ImpactMax, HoldImpact, 4},
};

const NumberField* FindNumberField(int id) {
    for (const NumberField& field : kNumberFields) {
        if (field.id == id) {
            return &field;
        }
    }
    return nullptr;
}

// The working copy; null before creation, after the end and when it could not be made. Focus
// notifications of the fields arrive then too, while the dialog is built or torn down.
MaterialWorkCopy* WorkOf(HWND dialog) {
    UiData* ui = PageUiData(dialog);
    return ui == nullptr ? nullptr : ui->pDetailsWork;
}

void SelectAll(HWND dialog, int id) {
    SendDlgItemMessageW(dialog, id, EM_SETSEL, 0, -1);
}

// The named presets are read-only: their disabled fields are never taken in, so a stored value
// outside the fields' limits stays as it is.
bool CanTakeIn(MaterialWorkCopy* work) {
    return IsPresetEditable(work->current);
}

// A name still as the dialog showed it stays as stored: a stored name may be one character longer
// than a typed one.
void TakeInName(HWND dialog, MaterialWorkCopy* work) {
    WCHAR name[kPresetNameChars + 2];
    name[0] = 0;
    GetDlgItemTextW(dialog, IDC_NAME_EDIT, name, kPresetNameChars + 2);
    WCHAR shown[kPresetNameChars + 1];
    PresetNameText(CurrentPreset(work), shown);
    if (!WideEquals(name, shown)) {
        SetWorkName(work, name);
    }
}

LONG TakeInNumber(HWND dialog, MaterialWorkCopy* work, const NumberField& field) {
    const LONG held = field.hold(GetDlgItemInt(dialog, field.id, nullptr, FALSE));
    CurrentPreset(work).*field.value = held;
    return held;
}

void EndDetails(HWND dialog, UiData* ui, WPARAM command) {
    EndDialog(dialog, static_cast<INT_PTR>(command));
    GlobalFree(ui->pDetailsWork);
    ui->pDetailsWork = nullptr;
}

void OnInit(HWND dialog, UiData* ui) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(ui));
    auto* work = static_cast<MaterialWorkCopy*>(GlobalAlloc(GMEM_FIXED, sizeof(MaterialWorkCopy)));
    ui->pDetailsWork = work;
    if (work == nullptr) {
        // Without a working copy there is nothing to edit: end as if cancelled.
        EndDialog(dialog, IDC_DETAILS_CANCEL);
        return;
    }
    LoadWorkCopy(work, ui->devmode.ps);
    SetMaterialParams(dialog, work);
}

void OnScroll(HWND dialog, WPARAM wParam, LPARAM lParam) {
    const int code = LOWORD(wParam);
    MaterialWorkCopy* work = WorkOf(dialog);
    if (work == nullptr || GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != IDC_PRESET_SCROLL ||
        (code != SB_LINEUP && code != SB_LINEDOWN)) {
        return;
    }
    TakeInParams(dialog, work);
    BrowseWorkCopy(work, code == SB_LINEUP ? -1 : 1);
    SetMaterialParams(dialog, work);
}

void OnNameCommand(HWND dialog, MaterialWorkCopy* work, int notification) {
    if (notification == EN_SETFOCUS) {
        SelectAll(dialog, IDC_NAME_EDIT);
    } else if (notification == EN_KILLFOCUS && CanTakeIn(work)) {
        TakeInName(dialog, work);
    }
}

void OnNumberCommand(HWND dialog, MaterialWorkCopy* work, const NumberField& field,
                     int notification) {
    if (notification == EN_SETFOCUS) {
        SelectAll(dialog, field.id);
    } else if (notification == EN_KILLFOCUS && CanTakeIn(work)) {
        SetDlgItemInt(dialog, field.id, static_cast<UINT>(TakeInNumber(dialog, work, field)),
                      FALSE);
    } else if (notification == EN_CHANGE) {
        checkDigit(dialog, field.id);
    }
}

void OnCommand(HWND dialog, WPARAM wParam) {
    UiData* ui = PageUiData(dialog);
    MaterialWorkCopy* work = ui->pDetailsWork;
    const int id = LOWORD(wParam);
    const int notification = HIWORD(wParam);
    if (id == IDC_DETAILS_OK) {
        StoreWorkCopy(*work, &ui->devmode.ps);
        EndDetails(dialog, ui, wParam);
    } else if (id == IDC_DETAILS_CANCEL) {
        EndDetails(dialog, ui, wParam);
    } else if (id == IDC_NAME_EDIT) {
        OnNameCommand(dialog, work, notification);
    } else if (const NumberField* field = FindNumberField(id)) {
        OnNumberCommand(dialog, work, *field, notification);
    }
    // Everything else, the Enter and Escape keys and the close box included, is ignored: the
    // dialog ends only through its two buttons.
}

} // namespace

INT_PTR DetailsDlg(HINSTANCE instance, HWND parent, UiData* ui) {
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_DETAILS), parent, DetailsDlgFn,
                           reinterpret_cast<LPARAM>(ui));
}

INT_PTR CALLBACK DetailsDlgFn(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog, reinterpret_cast<UiData*>(lParam));
        return TRUE;
    case WM_VSCROLL:
        OnScroll(dialog, wParam, lParam);
        return TRUE;
    case WM_COMMAND:
        if (WorkOf(dialog) != nullptr) {
            OnCommand(dialog, wParam);
        }
        return TRUE;
    case WM_HELP:
    case WM_CONTEXTMENU:
        return AnswerHelpMessage(message, wParam, lParam, correction::aDetailsDlgHelpIDs);
    default:
        return FALSE;
    }
}

void SetMaterialParams(HWND dialog, MaterialWorkCopy* work) {
    const MaterialEntry& preset = CurrentPreset(work);
    WCHAR name[kPresetNameChars + 1];
    PresetNameText(preset, name);
    SetDlgItemTextW(dialog, IDC_NAME_EDIT, name);
    SendDlgItemMessageW(dialog, IDC_NAME_EDIT, EM_LIMITTEXT, kPresetNameInput, 0);
    const BOOL editable = IsPresetEditable(work->current);
    EnableWindow(GetDlgItem(dialog, IDC_NAME_EDIT), editable);
    for (const NumberField& field : kNumberFields) {
        SetDlgItemInt(dialog, field.id, static_cast<UINT>(preset.*field.value), FALSE);
        SendDlgItemMessageW(dialog, field.id, EM_LIMITTEXT, field.chars, 0);
        EnableWindow(GetDlgItem(dialog, field.id), editable);
    }
}

void TakeInParams(HWND dialog, MaterialWorkCopy* work) {
    if (!CanTakeIn(work)) {
        return;
    }
    TakeInName(dialog, work);
    for (const NumberField& field : kNumberFields) {
        TakeInNumber(dialog, work, field);
    }
}
