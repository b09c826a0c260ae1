#include "pages/kept_ranges.h"

#include "pages/correction/correction_model.h"
#include "pages/material/material_model.h"
#include "pages/slope/slope_model.h"

#include <cstddef>
#include <iterator>

namespace {

// Check boxes and two-way choices.
constexpr ValueRange kSwitch{0, 1};

// The indexes of a list the page fills from these names.
template <size_t N> constexpr ValueRange ListRange(const LPCWSTR (&)[N]) {
    return {0, static_cast<LONG>(N) - 1};
}

struct FixedRange {
    size_t offset;
    ValueRange range;
};

// The fields whose range is the same for every record.
constexpr FixedRange kFixedRanges[] = {
    {offsetof(PrinterSettings, Material), {0, kMaterialCount - 1}},
    {offsetof(PrinterSettings, LimitX), {kMinWorkSize, kExtendedLimit}},
    {offsetof(PrinterSettings, LimitY), {kMinWorkSize, kExtendedLimit}},
    {offsetof(PrinterSettings, UserUnit), kSwitch},
    {offsetof(PrinterSettings, DitherPat), ListRange(defDitherName)},
    {offsetof(PrinterSettings, Gamma), {kGammaMin, kGammaMax}},
    {offsetof(PrinterSettings, Brightness), {kCorrectionMin, kCorrectionMax}},
    {offsetof(PrinterSettings, Contrast), {kCorrectionMin, kCorrectionMax}},
    {offsetof(PrinterSettings, PassMethod), ListRange(passMethodName)},
    {offsetof(PrinterSettings, BiDir), kSwitch},
    {offsetof(PrinterSettings, Mirror), kSwitch},
    {offsetof(PrinterSettings, Nega), kSwitch},
    {offsetof(PrinterSettings, Draft), ListRange(draftMethodName)},
    {offsetof(PrinterSettings, LowCut), kSwitch},
    {offsetof(PrinterSettings, LowCutPre), {kLowCutMin, kLowCutMax}},
    {offsetof(PrinterSettings, LowCutPost), {kLowCutMin, kLowCutMax}},
    {offsetof(PrinterSettings, FrameDpiIdx), {kFirstFrameIdx, kLastFrameIdx}},
    {offsetof(PrinterSettings, ULOrigin), kSwitch},
    {offsetof(PrinterSettings, ReverseDir), kSwitch},
    {offsetof(PrinterSettings, CmpMode), {0, kLastCmpMode}},
    {offsetof(PrinterSettings, FileOutput), kSwitch},
    {offsetof(PrinterSettings, Rear), {kSlopeMin, kSlopeMax}},
    {offsetof(PrinterSettings, Front), {kSlopeMin, kSlopeMax}},
    {offsetof(PrinterSettings, Left), {kSlopeMin, kSlopeMax}},
    {offsetof(PrinterSettings, Right), {kSlopeMin, kSlopeMax}},
    {offsetof(PrinterSettings, CorrectSlope), kSwitch},
    {offsetof(PrinterSettings, ImpactPattern), kSwitch},
    {offsetof(PrinterSettings, EnableExtendedSize), kSwitch},
    {offsetof(PrinterSettings, ExtendedSize), kSwitch},
};

// The Material page's offset rules bound an offset by its work size: applied to the offset at
// the end of its range they give that bound.
ValueRange OffsetXRange(const PrinterSettings& ps) {
    PrinterSettings probe = ps;
    probe.OffsetX = static_cast<SHORT>(kMaxOffset);
    ApplyOffsetRules(&probe);
    return {-kMaxOffset, probe.OffsetX};
}

ValueRange OffsetYRange(const PrinterSettings& ps) {
    PrinterSettings probe = ps;
    probe.OffsetY = static_cast<SHORT>(-kMaxOffset);
    ApplyOffsetRules(&probe);
    return {probe.OffsetY, kMaxOffset};
}

// The field's range in this record; false for a field kept in none.
bool KeptRange(const PrinterSettings& ps, size_t offset, ValueRange* range) {
    switch (offset) {
    case offsetof(PrinterSettings, UserDefinedX):
        *range = {kMinWorkSize, EffectiveLimit(ps.LimitX)};
        return true;
    case offsetof(PrinterSettings, UserDefinedY):
        *range = {kMinWorkSize, EffectiveLimit(ps.LimitY)};
        return true;
    case offsetof(PrinterSettings, OffsetX):
        *range = OffsetXRange(ps);
        return true;
    case offsetof(PrinterSettings, OffsetY):
        *range = OffsetYRange(ps);
        return true;
    default:
        break;
    }
    for (const FixedRange& fixed : kFixedRanges) {
        if (fixed.offset == offset) {
            *range = fixed.range;
            return true;
        }
    }
    return false;
}

bool InRange(int64_t value, const ValueRange& range) {
    return value >= range.min && value <= range.max;
}

bool FindRecordField(const PrinterSettings& ps, FieldOutOfRange* found) {
    for (const SettingsField& field : kSettingsFields) {
        ValueRange range;
        const int64_t value = GetFieldValue(ps, field);
        if (KeptRange(ps, field.offset, &range) && !InRange(value, range)) {
            *found = {field.name, nullptr, -1, value, range};
            return true;
        }
    }
    return false;
}

// The numbers of a preset, held by the material details dialog.
struct PresetField {
    LPCWSTR name;
    LONG MaterialEntry::*member;
    ValueRange range;
};

constexpr PresetField kPresetFields[] = {
    {TEXT("ImpactMin"), &MaterialEntry::ImpactMin, {kImpactMin, kImpactMax}},
    {TEXT("ImpactMax"), &MaterialEntry::ImpactMax, {kImpactMin, kImpactMax}},
    {TEXT("Speed"), &MaterialEntry::Speed, {kSpeedMin, kSpeedMax}},
};

bool FindPresetField(const MaterialSet& set, LPCWSTR setName, FieldOutOfRange* found) {
    for (int preset = 0; preset < kMaterialCount; ++preset) {
        for (const PresetField& field : kPresetFields) {
            const LONG value = set.Entry[preset].*field.member;
            if (!InRange(value, field.range)) {
                *found = {field.name, setName, preset, value, field.range};
                return true;
            }
        }
    }
    return false;
}

} // namespace

bool FindFieldOutOfRange(const PrinterSettings& ps, FieldOutOfRange* found) {
    return FindRecordField(ps, found) || FindPresetField(ps.TextSet, TEXT("text"), found) ||
           FindPresetField(ps.PhotoSet, TEXT("photo"), found);
}
