// The rules of the Material page, free of the dialog platform: which field a control edits and
// within which limits, the origin offset rules, the resolution list, the switches and the
// extended work size. The page's dialog procedure moves values between these and the controls.
#pragma once

#include "settings/printer_settings.h"

// Lengths are tenths of a millimetre.
inline constexpr LONG kMinWorkSize = 51;
inline constexpr LONG kOrdinaryLimit = 500;
inline constexpr LONG kExtendedLimit = 800;
inline constexpr LONG kMaxOffset = 30;
// The marking field a work and its doubled offset must fit in.
inline constexpr LONG kMarkingField = 800;
// The largest work size the page lets a record's limit allow.
LONG EffectiveLimit(SHORT limit);
// Characters a length field takes.
inline constexpr int kLengthFieldChars = 6;

// The resolution list: entry i is the base resolution divided by i + 3.
inline constexpr LONG kFirstFrameIdx = 3;
inline constexpr LONG kLastFrameIdx = 10;
inline constexpr LONG kFallbackFrameIdx = 5;
inline constexpr int kResolutionEntries = kLastFrameIdx - kFirstFrameIdx + 1;
inline constexpr int kResolutionChars = 16;

// Any nonzero unit reads as inches, as the unit radio buttons show it.
BOOL IsInch(const PrinterSettings& ps);

// The record field that a length field (202, 203, 207, 208) edits; null for other controls.
SHORT* LengthOfField(PrinterSettings* ps, int fieldId);
// The length field that a spin button (204, 205, 209, 210) steps; 0 for other controls.
int FieldOfSpin(int spinId);
bool IsWorkSizeField(int fieldId);

// Takes over a length field's text: parsed in the record's unit, limited, stored, then the offset
// rules; a text still the shown form of the stored length keeps it. Nothing happens for a control
// that is not a length field.
void TakeOverLength(PrinterSettings* ps, int fieldId, LPCWSTR text);

// One step of a spin button from its field's current text; false (nothing stored) for scroll
// codes other than line up (0) and line down (1).
bool SpinLength(PrinterSettings* ps, int fieldId, LPCWSTR text, int scrollCode);

// A work and its origin offset must stay inside the marking field.
void ApplyOffsetRules(PrinterSettings* ps);

// The frame index in force: the record's when it names a list entry, else the fallback.
LONG SelectedFrameIdx(LONG frameIdx);
// The text of the list entry for a divisor: the resolution with a space on each side.
void FormatResolutionEntry(LPWSTR out, SHORT baseDpi, LONG divisor);
// The frame index of a list selection; no selection (negative) means the first entry.
LONG FrameIdxOfSelection(LONG selection);

// Check boxes 300 to 303: the switch's state, and a click toggling it.
BOOL SwitchState(const PrinterSettings& ps, int checkId);
void ToggleSwitch(PrinterSettings* ps, int checkId);
bool SwitchShowsInWorkView(int checkId);

// Compression modes: 0 none, 1 run length, 2 TIFF.
inline constexpr LONG kLastCmpMode = 2;
// The compression radio button to mark, 0 when the record's mode names none.
int CompressionButton(const PrinterSettings& ps);
void SetCompression(PrinterSettings* ps, int buttonId);

// Toggles the extended work size with its limits; true when it was turned on.
bool ToggleExtendedSize(PrinterSettings* ps);

// A double click reveals the service controls only in the page's top-left corner zone with the
// whole service chord held.
bool RevealsServiceControls(LONG x, LONG y, bool middleButton, bool alt, bool shift);
