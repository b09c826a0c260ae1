#include "settings/printer_settings.h"

#include "settings/wide_strings.h"

#include <cstring>

SHORT BaseDpiForModel(LPCWSTR modelName) {
    return WideEquals(modelName, kModelKlv20) ? kBaseDpiKlv20 : kBaseDpiOther;
}

#define FIELD(member, isSigned, defaultValue)                                                      \
    SettingsField {                                                                                \
        TEXT(#member), offsetof(PrinterSettings, member), sizeof(PrinterSettings::member),         \
            isSigned, defaultValue                                                                 \
    }

// Stored order: the 16-bit fields, the bytes, the slope values, BaseDpi ahead of the two slope
// bytes, then (after the material blocks) the 32-bit fields of the record's tail.
constexpr SettingsField kSettingsFields[kSettingsFieldCount] = {
    FIELD(UserDefinedX, true, 500),
    FIELD(UserDefinedY, true, 500),
    FIELD(Material, true, 1),
    FIELD(prtIndex, true, 0),
    FIELD(OffsetX, true, 0),
    FIELD(OffsetY, true, 0),
    FIELD(LimitX, true, 500),
    FIELD(LimitY, true, 500),
    FIELD(UserUnit, true, 0),
    FIELD(DitherPat, true, 0),
    FIELD(Gamma, true, -500),
    FIELD(Brightness, true, 0),
    FIELD(Contrast, true, 0),
    FIELD(PassMethod, true, 4),
    FIELD(BiDir, true, 1),
    FIELD(Mirror, true, 0),
    FIELD(Nega, true, 0),
    FIELD(Draft, true, 3),
    FIELD(LowCut, true, 1),
    FIELD(LowCutPre, true, 40),
    FIELD(LowCutPost, true, 0),
    FIELD(FrameDpiIdx, true, 4),
    FIELD(ULOrigin, false, 0),
    FIELD(ReverseDir, false, 0),
    FIELD(CmpMode, false, 0),
    FIELD(FileOutput, false, 0),
    FIELD(Rear, true, 10),
    FIELD(Front, true, 10),
    FIELD(Left, true, 10),
    FIELD(Right, true, 10),
    FIELD(BaseDpi, true, 0), // follows the model, never this default
    FIELD(CorrectSlope, false, 0),
    FIELD(Dummy1, false, 0),
    FIELD(ImpactPattern, true, 1),
    FIELD(dummy, true, 0),
    FIELD(EnableExtendedSize, true, 1),
    FIELD(ExtendedSize, true, 0),
    FIELD(dwPrivData, false, static_cast<LONG>(kPrivSignature)),
    FIELD(dwFlags, false, 0),
    FIELD(wOutFlags, false, 1991),
};

#undef FIELD

// The stored order of the printer's values names these places by index.
static_assert(kSettingsFields[30].offset == offsetof(PrinterSettings, BaseDpi));
static_assert(kSettingsFields[32].offset == offsetof(PrinterSettings, Dummy1));
static_assert(kSettingsFields[33].offset == offsetof(PrinterSettings, ImpactPattern));

int64_t GetFieldValue(const PrinterSettings& ps, const SettingsField& field) {
    const auto* at = reinterpret_cast<const BYTE*>(&ps) + field.offset;
    switch (field.size) {
    case 1:
        return field.isSigned ? int64_t{static_cast<int8_t>(*at)} : int64_t{*at};
    case 2: {
        uint16_t bits;
        std::memcpy(&bits, at, sizeof bits);
        return field.isSigned ? int64_t{static_cast<int16_t>(bits)} : int64_t{bits};
    }
    default: {
        uint32_t bits;
        std::memcpy(&bits, at, sizeof bits);
        return field.isSigned ? int64_t{static_cast<int32_t>(bits)} : int64_t{bits};
    }
    }
}

void SetFieldValue(PrinterSettings* ps, const SettingsField& field, LONG value) {
    // Little-endian like the stored form: the low bytes of the value are the field.
    const auto bits = static_cast<uint32_t>(value);
    std::memcpy(reinterpret_cast<BYTE*>(ps) + field.offset, &bits, field.size);
}

void SetDefaultMaterialSet(MaterialSet* set, BOOL photo, SHORT baseDpi) {
    const bool klv20 = baseDpi == kBaseDpiKlv20;
    MaterialEntry entry{};
    if (photo) {
        entry.ImpactMin = klv20 ? 600 : 420;
        entry.ImpactMax = klv20 ? 950 : 720;
        entry.Speed = 15;
    } else {
        entry.ImpactMin = klv20 ? 640 : 400;
        entry.ImpactMax = klv20 ? 840 : 650;
        entry.Speed = 12;
    }
    for (MaterialEntry& e : set->Entry) {
        e = entry;
    }
}

void SetDefaultPrinterSettings(PrinterSettings* ps, SHORT baseDpi) {
    std::memset(ps, 0, sizeof *ps);
    for (const SettingsField& field : kSettingsFields) {
        SetFieldValue(ps, field, field.defaultValue);
    }
    ps->BaseDpi = baseDpi;
    SetDefaultMaterialSet(&ps->TextSet, FALSE, baseDpi);
    SetDefaultMaterialSet(&ps->PhotoSet, TRUE, baseDpi);
}

namespace {

constexpr MaterialEntry Preset(LONG impactMin, LONG impactMax, LONG speed,
                               const WCHAR (&name)[32]) {
    MaterialEntry e{impactMin, impactMax, speed, 0, {}};
    for (int i = 0; i < 32; ++i) {
        e.Name[i] = name[i];
    }
    return e;
}

// The numbers of one built-in table: one impact minimum for every index; index 0 has its own
// impact maximum, indexes 1 .. 8 share theirs except index 2, which differs on the 1058 model.
struct TableNumbers {
    LONG min, max0, maxRest, max2, speed;
};

using NameList = WCHAR[kMaterialCount][32];

constexpr MaterialSet MakeTable(const TableNumbers& n, const NameList& names) {
    MaterialSet set{};
    for (int i = 0; i < kMaterialCount; ++i) {
        const LONG hi = i == 0 ? n.max0 : (i == 2 ? n.max2 : n.maxRest);
        set.Entry[i] = Preset(n.min, hi, n.speed, names[i]);
    }
    return set;
}

constexpr TableNumbers kText1016{640, 790, 840, 840, 12};
constexpr TableNumbers kPhoto1016{600, 830, 950, 950, 15};
constexpr TableNumbers kText1058{380, 480, 540, 600, 12};
constexpr TableNumbers kPhoto1058{380, 480, 540, 600, 15};

constexpr NameList kTextNames = {TEXT("Aluminium"), TEXT("Brass"), TEXT("Stainless steel"),
                                 TEXT("Acrylic"),   TEXT("Set-A"), TEXT("Set-B"),
                                 TEXT("Set-C"),     TEXT("Set-D"), TEXT("Set-E")};
constexpr NameList kPhotoNames = {TEXT("Aluminium"), TEXT("Brass"), TEXT("Stainless steel"),
                                  TEXT("Acrylic"),   TEXT("Set-a"), TEXT("Set-b"),
                                  TEXT("Set-c"),     TEXT("Set-d"), TEXT("Set-e")};
// User slots end in a full-width letter: capitals for text presets, small letters for photo ones.
constexpr NameList kTextNamesJ = {TEXT("アルミニウム"), TEXT("真鍮"),   TEXT("ステンレス"),
                                  TEXT("アクリル"),     TEXT("設定Ａ"), TEXT("設定Ｂ"),
                                  TEXT("設定Ｃ"),       TEXT("設定Ｄ"), TEXT("設定Ｅ")};
constexpr NameList kPhotoNamesJ = {TEXT("アルミニウム"), TEXT("真鍮"),   TEXT("ステンレス"),
                                   TEXT("アクリル"),     TEXT("設定ａ"), TEXT("設定ｂ"),
                                   TEXT("設定ｃ"),       TEXT("設定ｄ"), TEXT("設定ｅ")};

} // namespace

const MaterialSet MaterialDef = MakeTable(kText1016, kTextNames);
const MaterialSet MaterialDefJ = MakeTable(kText1016, kTextNamesJ);
const MaterialSet MaterialPhotoDef = MakeTable(kPhoto1016, kPhotoNames);
const MaterialSet MaterialPhotoDefJ = MakeTable(kPhoto1016, kPhotoNamesJ);
const MaterialSet MaterialDef_60 = MakeTable(kText1058, kTextNames);
const MaterialSet MaterialDefJ_60 = MakeTable(kText1058, kTextNamesJ);
const MaterialSet MaterialPhotoDef_60 = MakeTable(kPhoto1058, kPhotoNames);
const MaterialSet MaterialPhotoDefJ_60 = MakeTable(kPhoto1058, kPhotoNamesJ);

const MaterialSet& SelectMaterialTable(BOOL photo, SHORT baseDpi, INT countryCode) {
    const bool japanese = countryCode == kCountryJapan;
    if (baseDpi == kBaseDpiKlv20) {
        if (photo) {
            return japanese ? MaterialPhotoDefJ : MaterialPhotoDef;
        }
        return japanese ? MaterialDefJ : MaterialDef;
    }
    if (photo) {
        return japanese ? MaterialPhotoDefJ_60 : MaterialPhotoDef_60;
    }
    return japanese ? MaterialDefJ_60 : MaterialDef_60;
}
