#include "pages/material/material_model.h"

#include "resources/resource.h"
#include "settings/driver_devmode.h"
#include "ui/numeric_field.h"

#include <algorithm>

namespace {

LONG LengthMax(const PrinterSettings& ps, int fieldId) {
    switch (fieldId) {
    case IDC_WIDTH_EDIT:
        return EffectiveLimit(ps.LimitX);
    case IDC_LENGTH_EDIT:
        return EffectiveLimit(ps.LimitY);
    default:
        return kMaxOffset;
    }
}

LONG LengthMin(int fieldId) {
    return IsWorkSizeField(fieldId) ? kMinWorkSize : -kMaxOffset;
}

// Spins step sizes by a whole millimetre and offsets by a tenth.
LONG SpinStep(int fieldId) {
    return IsWorkSizeField(fieldId) ? 10 : 1;
}

BYTE* SwitchOf(PrinterSettings* ps, int checkId) {
    switch (checkId) {
    case IDC_PRINT_FROM_BOTTOM:
        return &ps->ReverseDir;
    case IDC_PREVIEW:
        return &ps->FileOutput;
    case IDC_UPPER_LEFT_ORIGIN:
        return &ps->ULOrigin;
    default:
        return nullptr;
    }
}

} // namespace

// A record may carry any limit (an application's DEVMODE, a hand-edited settings file); the page
// reads it within the range a loaded file is brought into, so a typed size always stays within
// the marking field and is never negative.
LONG EffectiveLimit(SHORT limit) {
    return std::clamp<LONG>(limit, kMinWorkSize, kExtendedLimit);
}

BOOL IsInch(const PrinterSettings& ps) {
    return ps.UserUnit != 0;
}

SHORT* LengthOfField(PrinterSettings* ps, int fieldId) {
    switch (fieldId) {
    case IDC_WIDTH_EDIT:
        return &ps->UserDefinedX;
    case IDC_LENGTH_EDIT:
        return &ps->UserDefinedY;
    case IDC_OFFSET_X_EDIT:
        return &ps->OffsetX;
    case IDC_OFFSET_Y_EDIT:
        return &ps->OffsetY;
    default:
        return nullptr;
    }
}

int FieldOfSpin(int spinId) {
    switch (spinId) {
    case IDC_WIDTH_SPIN:
        return IDC_WIDTH_EDIT;
    case IDC_LENGTH_SPIN:
        return IDC_LENGTH_EDIT;
    case IDC_OFFSET_X_SPIN:
        return IDC_OFFSET_X_EDIT;
    case IDC_OFFSET_Y_SPIN:
        return IDC_OFFSET_Y_EDIT;
    default:
        return 0;
    }
}

bool IsWorkSizeField(int fieldId) {
    return fieldId == IDC_WIDTH_EDIT || fieldId == IDC_LENGTH_EDIT;
}

void TakeOverLength(PrinterSettings* ps, int fieldId, LPCWSTR text) {
    SHORT* length = LengthOfField(ps, fieldId);
    if (length == nullptr) {
        return;
    }
    *length = static_cast<SHORT>(
        TakeUserUnitText(text, IsInch(*ps), *length, LengthMax(*ps, fieldId), LengthMin(fieldId)));
    ApplyOffsetRules(ps);
}

bool SpinLength(PrinterSettings* ps, int fieldId, LPCWSTR text, int scrollCode) {
    SHORT* length = LengthOfField(ps, fieldId);
    if (length == nullptr || (scrollCode != 0 && scrollCode != 1)) {
        return false;
    }
    const BOOL inch = IsInch(*ps);
    const LONG max = LengthMax(*ps, fieldId);
    const LONG min = LengthMin(fieldId);
    const LONG step = scrollCode == 0 ? SpinStep(fieldId) : -SpinStep(fieldId);
    const LONG value = ParseUserUnit(text, inch, max, min);
    *length = static_cast<SHORT>(SpinUserUnit(inch, value, max, min, step));
    ApplyOffsetRules(ps);
    return true;
}

void ApplyOffsetRules(PrinterSettings* ps) {
    // The horizontal rule bounds positive offsets, the vertical one negative offsets.
    const LONG x = ps->UserDefinedX;
    const LONG y = ps->UserDefinedY;
    if (x + 2 * LONG{ps->OffsetX} > kMarkingField) {
        ps->OffsetX = static_cast<SHORT>((kMarkingField - x) / 2);
    }
    if (y - 2 * LONG{ps->OffsetY} > kMarkingField) {
        ps->OffsetY = static_cast<SHORT>((y - kMarkingField) / 2);
    }
}

LONG SelectedFrameIdx(LONG frameIdx) {
    if (frameIdx < kFirstFrameIdx || frameIdx > kLastFrameIdx) {
        return kFallbackFrameIdx;
    }
    return frameIdx;
}

void FormatResolutionEntry(LPWSTR out, SHORT baseDpi, LONG divisor) {
    *out++ = ' ';
    FormatLong(out, FrameIdx2Dpi(baseDpi, divisor));
    out += lstrlenW(out);
    *out++ = ' ';
    *out = 0;
}

LONG FrameIdxOfSelection(LONG selection) {
    return std::max<LONG>(selection, 0) + kFirstFrameIdx;
}

BOOL SwitchState(const PrinterSettings& ps, int checkId) {
    if (checkId == IDC_BIDIRECTION) {
        return ps.BiDir != 0;
    }
    const BYTE* field = SwitchOf(const_cast<PrinterSettings*>(&ps), checkId);
    return field != nullptr && *field != 0;
}

void ToggleSwitch(PrinterSettings* ps, int checkId) {
    if (checkId == IDC_BIDIRECTION) {
        ps->BiDir = ps->BiDir != 0 ? 0 : 1;
        return;
    }
    BYTE* field = SwitchOf(ps, checkId);
    if (field != nullptr) {
        *field = *field != 0 ? 0 : 1;
    }
}

bool SwitchShowsInWorkView(int checkId) {
    return checkId != IDC_PREVIEW;
}

int CompressionButton(const PrinterSettings& ps) {
    return ps.CmpMode <= kLastCmpMode ? IDC_COMPRESSION_NONE + ps.CmpMode : 0;
}

void SetCompression(PrinterSettings* ps, int buttonId) {
    ps->CmpMode = static_cast<BYTE>(buttonId - IDC_COMPRESSION_NONE);
}

bool ToggleExtendedSize(PrinterSettings* ps) {
    ps->ExtendedSize = ps->ExtendedSize != 0 ? 0 : 1;
    const LONG limit = ps->ExtendedSize != 0 ? kExtendedLimit : kOrdinaryLimit;
    ps->LimitX = static_cast<SHORT>(limit);
    ps->LimitY = static_cast<SHORT>(limit);
    if (ps->ExtendedSize == 0) {
        ps->UserDefinedX = std::min(ps->UserDefinedX, ps->LimitX);
        ps->UserDefinedY = std::min(ps->UserDefinedY, ps->LimitY);
    }
    return ps->ExtendedSize != 0;
}

bool RevealsServiceControls(LONG x, LONG y, bool middleButton, bool alt, bool shift) {
    const bool inCorner = x > 0 && x < 16 && y > 0 && y < 16;
    return inCorner && middleButton && alt && shift;
}
