// The Slope correction page's rules apart from its controls: which reading each edit and spin
// bar serves, the readings held to 1 .. 25, the two ratio displays, the test-print buttons and
// the corner that reveals the service controls.
#pragma once

#include "settings/printer_settings.h"

#include <windows.h>

inline constexpr LONG kSlopeMin = 1;
inline constexpr LONG kSlopeMax = 25;
inline constexpr int kSlopeEditChars = 2;

// One reading: its edit, the spin bar beside it and the ratio display of its pair.
struct SlopeReading {
    int edit;
    int spin;
    int ratio;
    LONG PrinterSettings::*value;
};

// The reading an edit or a spin bar serves; null for any other control.
const SlopeReading* FindReadingOfEdit(int id);
const SlopeReading* FindReadingOfSpin(int id);

// What the page shows for a record, apart from the four values themselves.
struct SlopeControls {
    bool checked;        // the check box
    bool readingsActive; // the four edits and their spin bars
    LONG frontRearRatio;
    LONG leftRightRatio;
};
SlopeControls GetSlopeControls(const PrinterSettings& ps);

// 400 x (b - a) / (a + b), truncated toward zero.
LONG SlopeRatio(LONG a, LONG b);
// The ratio a display shows for the record's pair.
LONG PairRatio(const PrinterSettings& ps, int ratioId);

// The check box: 0 becomes 1, anything else 0.
void ToggleCorrectSlope(PrinterSettings* ps);

// A spin bar's scroll code applied to the reading its edit holds: true with the stepped value for
// line up (0) and line down (1); false for every other code, which changes nothing.
bool SpinReading(LONG current, int scrollCode, LONG* stepped);

// The pattern a test-print button sends; -1 for any other control.
int TestPrintPattern(int id);
// The printer has the patterns the test-print buttons send, and no other.
bool IsTestPrintPattern(LONG pattern);

// A double-click at client point (x, y) reveals the service controls only in the corner and only
// with the service chord held; every other double-click hides them.
bool RevealsServiceControls(int x, int y, bool chordHeld);
