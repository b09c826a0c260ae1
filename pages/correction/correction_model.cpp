#include "pages/correction/correction_model.h"

#include "ui/numeric_field.h"
#include "settings/wide_strings.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

const LPCWSTR passMethodName[6] = {TEXT("2 Level"),  TEXT("4 Level"),   TEXT("8 Level"),
                                   TEXT("16 Level"), TEXT("256 Level"), TEXT("Hybrid")};
const LPCWSTR passMethodNameJ[6] = {TEXT("2 階調"),  TEXT("4 階調"),   TEXT("8 階調"),
                                    TEXT("16 階調"), TEXT("256 階調"), TEXT("ハイブリッド")};
const LPCWSTR defDitherName[4] = {TEXT("Scatter"), TEXT("Cluster"), TEXT("Distribution"),
                                  TEXT("Poster")};
const LPCWSTR defDitherNameJ[4] = {TEXT("誤差拡散ディザ"), TEXT("組織化ディザ"), TEXT("誤差配分"),
                                   TEXT("ポスター")};
const LPCWSTR draftMethodName[4] = {TEXT("None"), TEXT("Horizontal"), TEXT("Vertical"),
                                    TEXT("Diagonal")};
const LPCWSTR draftMethodNameJ[4] = {TEXT("しない"), TEXT("横ﾀｲﾌﾟ"), TEXT("縦ﾀｲﾌﾟ"),
                                     TEXT("斜めﾀｲﾌﾟ")};

namespace {

constexpr WCHAR kEmptyPresetName[] = TEXT("---");
// A double-click strictly inside this many pixels from the page's top-left corner.
constexpr LONG kServiceCorner = 16;

struct ListTable {
    const LPCWSTR* english;
    const LPCWSTR* japanese;
    int count;
};

ListTable TableOf(ServiceList list) {
    switch (list) {
    case ServiceList::PassMethod:
        return {passMethodName, passMethodNameJ, 6};
    case ServiceList::DitherPat:
        return {defDitherName, defDitherNameJ, 4};
    default:
        return {draftMethodName, draftMethodNameJ, 4};
    }
}

bool IsDigit(WCHAR c) {
    return c >= '0' && c <= '9';
}

// Writes a signed number as "%0*d" would: the sign, then at least `width` characters in all.
LPWSTR PutSigned(LPWSTR out, LONG value, int width) {
    int64_t magnitude = value;
    if (magnitude < 0) {
        *out++ = '-';
        magnitude = -magnitude;
        --width;
    }
    WCHAR digits[16];
    int count = 0;
    do {
        digits[count++] = static_cast<WCHAR>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0 || count < width);
    while (count > 0) {
        *out++ = digits[--count];
    }
    return out;
}

void CopyPreset(MaterialEntry* to, const MaterialEntry& from) {
    std::memcpy(to->Name, from.Name, sizeof to->Name);
    to->ImpactMin = from.ImpactMin;
    to->ImpactMax = from.ImpactMax;
    to->Speed = from.Speed;
}

// A typed unsigned number held to a range of positive values.
LONG HoldUnsigned(UINT value, LONG min, LONG max) {
    return static_cast<LONG>(std::clamp(value, static_cast<UINT>(min), static_cast<UINT>(max)));
}

void FillUnnamed(MaterialSet* set, const MaterialSet& table) {
    for (int i = 0; i < kMaterialCount; ++i) {
        if (set->Entry[i].Name[0] == 0) {
            CopyPreset(&set->Entry[i], table.Entry[i]);
        }
    }
}

} // namespace

LONG HoldToRange(LONG value, LONG min, LONG max) {
    return std::clamp(value, min, max);
}

SHORT ParseGamma(LPCWSTR text, SHORT max, SHORT min) {
    int64_t whole = 0;
    int i = 0;
    for (; i < kGammaChars && IsDigit(text[i]); ++i) {
        whole = whole * 10 + (text[i] - '0');
    }
    if (i < kGammaChars && text[i] == '-') {
        return min;
    }
    int64_t hundredths = whole * 100;
    if (i < kGammaChars && text[i] == '.') {
        ++i;
        if (i < kGammaChars && IsDigit(text[i])) {
            hundredths += 10 * (text[i++] - '0');
        }
        if (i < kGammaChars && IsDigit(text[i])) {
            hundredths += text[i++] - '0';
        }
        if (i < kGammaChars && text[i] >= '5' && text[i] <= '9') {
            hundredths += 1;
        }
    }
    int64_t gamma = hundredths - 100;
    if (gamma < 0) {
        gamma *= 10;
    }
    return static_cast<SHORT>(std::clamp<int64_t>(gamma, min, max));
}

void FormatGamma(LPWSTR out, LONG gamma) {
    const LONG hundredths = gamma < 0 ? (gamma + 1000) / 10 : gamma + 100;
    out = PutSigned(out, hundredths / 100, 1);
    *out++ = '.';
    out = PutSigned(out, hundredths % 100, 2);
    *out = 0;
}

SHORT TakeGammaText(LPCWSTR text, SHORT gamma, SHORT max, SHORT min) {
    WCHAR shown[kGammaShowChars];
    FormatGamma(shown, gamma);
    return KeepsShownValue(text, shown, gamma, max, min) ? gamma : ParseGamma(text, max, min);
}

SHORT SpinGammaValue(LONG gamma, LONG step) {
    // Below 1.00 one shown hundredth is ten stored units.
    if (gamma < 0 || (gamma == 0 && step < 0)) {
        step *= 10;
    }
    LONG next = gamma + step;
    if ((gamma < 0 && next > 0) || (gamma > 0 && next < 0)) {
        next = 0;
    }
    return static_cast<SHORT>(HoldToRange(next, kGammaMin, kGammaMax));
}

LONG ScrollCorrection(LONG value, int code, LONG thumb) {
    switch (code) {
    case kScrollLineLeft:
        value -= 1;
        break;
    case kScrollLineRight:
        value += 1;
        break;
    case kScrollPageLeft:
        value -= kCorrectionPage;
        break;
    case kScrollPageRight:
        value += kCorrectionPage;
        break;
    case kScrollThumbPosition:
    case kScrollThumbTrack:
        value = thumb;
        break;
    default:
        break;
    }
    return HoldToRange(value, kCorrectionMin, kCorrectionMax);
}

SHORT ScrollGamma(LONG gamma, int code, LONG thumb) {
    switch (code) {
    case kScrollLineLeft:
        return SpinGammaValue(gamma, -1);
    case kScrollLineRight:
        return SpinGammaValue(gamma, 1);
    case kScrollPageLeft:
        return SpinGammaValue(gamma, -kGammaPage);
    case kScrollPageRight:
        return SpinGammaValue(gamma, kGammaPage);
    case kScrollThumbPosition:
    case kScrollThumbTrack:
        return SpinGammaValue(thumb, 0);
    default:
        return static_cast<SHORT>(HoldToRange(gamma, kGammaMin, kGammaMax));
    }
}

bool IsLowCutStep(int code) {
    return code == kScrollLineLeft || code == kScrollLineRight;
}

LONG SpinLowCut(LONG value, int code) {
    const LONG step = code == kScrollLineLeft ? kLowCutStep : -kLowCutStep;
    return HoldToRange(value + step, kLowCutMin, kLowCutMax);
}

int ServiceListCount(ServiceList list) {
    return TableOf(list).count;
}

LPCWSTR ServiceListName(ServiceList list, int index, bool japanese) {
    const ListTable table = TableOf(list);
    return japanese ? table.japanese[index] : table.english[index];
}

SHORT NormaliseListIndex(ServiceList list, SHORT index) {
    return index >= ServiceListCount(list) ? 0 : index;
}

MaterialSet& ActiveMaterialSet(PrinterSettings& ps) {
    return ps.ImpactPattern != 0 ? ps.PhotoSet : ps.TextSet;
}

SHORT NormaliseMaterial(SHORT material) {
    // A negative index would reach outside the set in the details dialog; it is treated like
    // one past the list.
    return material < 0 || material >= kMaterialCount ? 0 : material;
}

void PresetNameText(const MaterialEntry& entry, LPWSTR out) {
    std::memcpy(out, entry.Name, sizeof entry.Name);
    out[kPresetNameChars] = 0;
}

void FillUnnamedPresets(PrinterSettings* ps, INT countryCode) {
    FillUnnamed(&ps->TextSet, SelectMaterialTable(FALSE, ps->BaseDpi, countryCode));
    FillUnnamed(&ps->PhotoSet, SelectMaterialTable(TRUE, ps->BaseDpi, countryCode));
}

bool SwitchMaterialType(PrinterSettings* ps, LONG impactPattern) {
    if (ps->ImpactPattern == impactPattern) {
        return false;
    }
    ps->ImpactPattern = impactPattern;
    if (impactPattern == 0) {
        // Text keeps its thresholds for a later return to Photo; they are only switched off.
        ps->FrameDpiIdx = 5;
        ps->Draft = 0;
        ps->LowCut = 0;
    } else {
        ps->FrameDpiIdx = 4;
        ps->Draft = 3;
        ps->LowCut = 1;
        ps->LowCutPre = 40;
        ps->LowCutPost = 0;
    }
    return true;
}

void SetStandardCorrection(PrinterSettings* ps) {
    ps->Brightness = 0;
    ps->Contrast = 0;
    ps->Gamma = kStandardGamma;
}

SHORT ToggleFlag(SHORT value) {
    return value == 0 ? 1 : 0;
}

bool IsServiceCorner(LONG x, LONG y) {
    return x > 0 && x < kServiceCorner && y > 0 && y < kServiceCorner;
}

void LoadWorkCopy(MaterialWorkCopy* work, PrinterSettings& ps) {
    const MaterialSet& set = ActiveMaterialSet(ps);
    for (int i = 0; i < kMaterialCount; ++i) {
        CopyPreset(&work->presets[i], set.Entry[i]);
        work->presets[i].Reserved = 0;
    }
    work->current = NormaliseMaterial(ps.Material);
}

void BrowseWorkCopy(MaterialWorkCopy* work, int step) {
    work->current = static_cast<SHORT>(HoldToRange(work->current + step, 0, kMaterialCount - 1));
}

bool IsPresetEditable(int index) {
    return index >= kFirstUserPreset;
}

LONG HoldImpact(UINT value) {
    return HoldUnsigned(value, kImpactMin, kImpactMax);
}

LONG HoldSpeed(UINT value) {
    return HoldUnsigned(value, kSpeedMin, kSpeedMax);
}

void SetWorkName(MaterialWorkCopy* work, LPCWSTR text) {
    CopyStringW(CurrentPreset(work).Name, text, kPresetNameInput + 1);
}

MaterialEntry& CurrentPreset(MaterialWorkCopy* work) {
    return work->presets[work->current];
}

void StoreWorkCopy(const MaterialWorkCopy& work, PrinterSettings* ps) {
    MaterialSet& set = ActiveMaterialSet(*ps);
    for (int i = 0; i < kMaterialCount; ++i) {
        CopyPreset(&set.Entry[i], work.presets[i]);
        // An emptied name would make the preset look unfilled and be refilled from the tables.
        if (work.presets[i].Name[0] == 0) {
            CopyStringW(set.Entry[i].Name, kEmptyPresetName, kPresetNameChars);
        }
    }
    ps->Material = work.current;
}
