// The driver's private settings record: layout, defaults, model rule and built-in material tables.
//
// The same 1536 bytes travel behind the public DEVMODE, inside a UI context, in the printer's
// registry data and in settings files, so the layout below is fixed to the byte.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// One material preset.
struct MaterialEntry {
    LONG ImpactMin; // weakest strike force, 100 .. 1100
    LONG ImpactMax; // strongest strike force, 100 .. 1100
    LONG Speed;     // marking speed in mm/s, 1 .. 18
    LONG Reserved;  // carried only by whole-record copies
    WCHAR Name[32]; // NUL-terminated when shorter than 32 units; empty means "not filled yet"
};

inline constexpr int kMaterialCount = 9;

// Nine presets: indexes 0 .. 3 are the named materials, 4 .. 8 user slots.
struct MaterialSet {
    MaterialEntry Entry[kMaterialCount];
};

// Lengths are tenths of a millimetre.
struct PrinterSettings {
    SHORT UserDefinedX;
    SHORT UserDefinedY;
    SHORT Material;
    SHORT prtIndex;
    SHORT OffsetX;
    SHORT OffsetY;
    SHORT LimitX;
    SHORT LimitY;
    SHORT UserUnit;
    SHORT DitherPat;
    SHORT Gamma;
    SHORT Brightness;
    SHORT Contrast;
    SHORT PassMethod;
    SHORT BiDir;
    SHORT Mirror;
    SHORT Nega;
    SHORT Draft;
    SHORT LowCut;
    SHORT LowCutPre;
    SHORT LowCutPost;
    SHORT FrameDpiIdx;
    BYTE ULOrigin;
    BYTE ReverseDir;
    BYTE CmpMode;
    BYTE FileOutput;
    LONG Rear;
    LONG Front;
    LONG Left;
    LONG Right;
    BYTE CorrectSlope;
    BYTE Dummy1;
    SHORT BaseDpi;
    MaterialSet TextSet;
    MaterialSet PhotoSet;
    LONG ImpactPattern; // 0 text, 1 photo: selects the active material set
    LONG dummy;
    LONG EnableExtendedSize;
    LONG ExtendedSize;
    DWORD dwPrivData;
    DWORD dwFlags;
    DWORD wOutFlags;
};

static_assert(sizeof(MaterialEntry) == 80);
static_assert(sizeof(MaterialSet) == 720);
static_assert(sizeof(PrinterSettings) == 1536);

inline constexpr WORD kPrinterSettingsSize = sizeof(PrinterSettings);

// "PRIV" in storage order: a caller's private part is only trusted when it carries this.
inline constexpr DWORD kPrivSignature = 0x56495250;

inline constexpr SHORT kBaseDpiKlv20 = 1016;
inline constexpr SHORT kBaseDpiOther = 1058;
inline constexpr LPCWSTR kModelKlv20 = TEXT("Velmar VORIKA KLV-20");

// The country code whose users get the Japanese material names.
inline constexpr INT kCountryJapan = 81;

// Base resolution of a model: exact, case-sensitive comparison of the whole name.
SHORT BaseDpiForModel(LPCWSTR modelName);

// One field of the record outside the material sets. Its name is also the name of its value in
// the printer's registry data. The table lists the fields in the order they are stored.
struct SettingsField {
    LPCWSTR name;
    WORD offset;
    BYTE size; // 1, 2 or 4 bytes, little-endian
    bool isSigned;
    LONG defaultValue;
};

inline constexpr int kSettingsFieldCount = 40;
extern const SettingsField kSettingsFields[kSettingsFieldCount];

// The field's value, with the sign of its type.
int64_t GetFieldValue(const PrinterSettings& ps, const SettingsField& field);

// Stores the low bytes of value into the field.
void SetFieldValue(PrinterSettings* ps, const SettingsField& field, LONG value);

// Nine empty names with the default numbers of the set for the base resolution.
void SetDefaultMaterialSet(MaterialSet* set, BOOL photo, SHORT baseDpi);

// The record for a printer with nothing stored.
void SetDefaultPrinterSettings(PrinterSettings* ps, SHORT baseDpi);

// The eight built-in tables.
extern const MaterialSet MaterialDef;
extern const MaterialSet MaterialDefJ;
extern const MaterialSet MaterialPhotoDef;
extern const MaterialSet MaterialPhotoDefJ;
extern const MaterialSet MaterialDef_60;
extern const MaterialSet MaterialDefJ_60;
extern const MaterialSet MaterialPhotoDef_60;
extern const MaterialSet MaterialPhotoDefJ_60;

// The built-in table for a set, by base resolution and the user's country code.
const MaterialSet& SelectMaterialTable(BOOL photo, SHORT baseDpi, INT countryCode);
