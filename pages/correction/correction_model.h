// The rules of the Image correction page and of its material details dialog, free of any window:
// gamma text and stepping, the limits of every value, the service lists, the Text/Photo switch,
// the filling of unnamed presets and the details dialog's working copy.
#pragma once

#include "settings/printer_settings.h"

#include <windows.h>

// Brightness and contrast, and their steps on the bar.
inline constexpr LONG kCorrectionMin = -50;
inline constexpr LONG kCorrectionMax = 50;
inline constexpr LONG kCorrectionPage = 10;

// The stored gamma form: -900 is 0.10, -500 is 0.50, 0 is 1.00, 899 is 9.99.
inline constexpr SHORT kGammaMin = -900;
inline constexpr SHORT kGammaMax = 899;
inline constexpr SHORT kStandardGamma = -500;
inline constexpr LONG kGammaPage = 10;
// Characters read from the gamma field, and room for any shown gamma.
inline constexpr int kGammaChars = 9;
inline constexpr int kGammaShowChars = 16;

// The low-cut thresholds on the 0 .. 255 scale, and their spin step.
inline constexpr LONG kLowCutMin = 0;
inline constexpr LONG kLowCutMax = 255;
inline constexpr LONG kLowCutStep = 5;

// The platform's scroll codes that the bars and spin bars act on.
inline constexpr int kScrollLineLeft = 0;  // also line up
inline constexpr int kScrollLineRight = 1; // also line down
inline constexpr int kScrollPageLeft = 2;
inline constexpr int kScrollPageRight = 3;
inline constexpr int kScrollThumbPosition = 4;
inline constexpr int kScrollThumbTrack = 5;

LONG HoldToRange(LONG value, LONG min, LONG max);

// The gamma field's text read into the stored form, limited to [min, max].
SHORT ParseGamma(LPCWSTR text, SHORT max, SHORT min);
// The shown form "%d.%02d" of a stored gamma; values outside the range are shown as they are.
void FormatGamma(LPWSTR out, LONG gamma);
// The gamma field's value on leaving it: the stored gamma while the text is still its shown form
// (below 1.00 one shown hundredth stands for ten stored units), else the text read.
SHORT TakeGammaText(LPCWSTR text, SHORT gamma, SHORT max, SHORT min);
// One step of `step` shown hundredths; a step never crosses 1.00.
SHORT SpinGammaValue(LONG gamma, LONG step);

// The value after a scroll code on a brightness or contrast bar, limited to its range.
LONG ScrollCorrection(LONG value, int code, LONG thumb);
// The stored gamma after a scroll code on the gamma bar, limited to its range.
SHORT ScrollGamma(LONG gamma, int code, LONG thumb);
// True for the spin codes that step a low-cut threshold; the stepped value is limited.
bool IsLowCutStep(int code);
LONG SpinLowCut(LONG value, int code);

// The three service lists, in the order of their stored indexes.
enum class ServiceList { PassMethod, DitherPat, Draft };
int ServiceListCount(ServiceList list);
LPCWSTR ServiceListName(ServiceList list, int index, bool japanese);
// An index past the list becomes 0; a negative one is passed on (the list shows no selection).
SHORT NormaliseListIndex(ServiceList list, SHORT index);

extern const LPCWSTR passMethodName[6];
extern const LPCWSTR passMethodNameJ[6];
extern const LPCWSTR defDitherName[4];
extern const LPCWSTR defDitherNameJ[4];
extern const LPCWSTR draftMethodName[4];
extern const LPCWSTR draftMethodNameJ[4];

// The set the material list shows: the photo set when ImpactPattern is not 0.
MaterialSet& ActiveMaterialSet(PrinterSettings& ps);
// A preset index outside 0 .. 8 becomes 0.
SHORT NormaliseMaterial(SHORT material);
// A preset's name as text, ended even when all 32 stored units are characters.
inline constexpr int kPresetNameChars = 32;
void PresetNameText(const MaterialEntry& entry, LPWSTR out /* kPresetNameChars + 1 */);

// Fills every preset without a name from the built-in table of the model and the country.
void FillUnnamedPresets(PrinterSettings* ps, INT countryCode);

// The record's part of a switch to Text (0) or Photo (1): the resolution divisor, the drafting
// and the low cut that suit the type. False, with nothing changed, when the type is already set.
bool SwitchMaterialType(PrinterSettings* ps, LONG impactPattern);

// Brightness, contrast and gamma back to their standard values.
void SetStandardCorrection(PrinterSettings* ps);

// A check box's field toggled from its stored value.
SHORT ToggleFlag(SHORT value);

// The page's top-left zone where a double-click with the service chord reveals the service
// controls.
bool IsServiceCorner(LONG x, LONG y);

// The material details dialog's working copy of the active set.
struct MaterialWorkCopy {
    MaterialEntry presets[kMaterialCount];
    SHORT current;
};

inline constexpr int kFirstUserPreset = 4;
inline constexpr int kPresetNameInput = 31;
inline constexpr LONG kImpactMin = 100;
inline constexpr LONG kImpactMax = 1100;
inline constexpr LONG kSpeedMin = 1;
inline constexpr LONG kSpeedMax = 18;

void LoadWorkCopy(MaterialWorkCopy* work, PrinterSettings& ps);
// The next (+1) or previous (-1) preset, held to 0 .. 8.
void BrowseWorkCopy(MaterialWorkCopy* work, int step);
bool IsPresetEditable(int index);
LONG HoldImpact(UINT value);
LONG HoldSpeed(UINT value);
// The typed name (at most 31 characters) into the current preset.
void SetWorkName(MaterialWorkCopy* work, LPCWSTR text);
MaterialEntry& CurrentPreset(MaterialWorkCopy* work);
// Writes the working copy into the active set and chooses the preset shown last.
void StoreWorkCopy(const MaterialWorkCopy& work, PrinterSettings* ps);
