#include "pages/slope/slope_model.h"

#include "resources/resource.h"
#include "ui/numeric_field.h"

#include <algorithm>
#include <cstdint>

namespace {

// Each spin bar sits at the right of the edit it serves; the right spin bar has the lower ID.
constexpr SlopeReading kReadings[] = {
    {IDC_BACK_EDIT, IDC_BACK_SPIN, IDC_FRONT_BACK_RATIO, &PrinterSettings::Rear},
    {IDC_FRONT_EDIT, IDC_FRONT_SPIN, IDC_FRONT_BACK_RATIO, &PrinterSettings::Front},
    {IDC_LEFT_EDIT, IDC_LEFT_SPIN, IDC_LEFT_RIGHT_RATIO, &PrinterSettings::Left},
    {IDC_RIGHT_EDIT, IDC_RIGHT_SPIN, IDC_LEFT_RIGHT_RATIO, &PrinterSettings::Right},
};

// The spin bars' scroll codes of a step up and a step down.
constexpr int kLineUp = 0;
constexpr int kLineDown = 1;

// The corner zone of the service chord's double-click, in client pixels.
constexpr int kCornerFirst = 1;
constexpr int kCornerLast = 15;

bool InCorner(int v) {
    return v >= kCornerFirst && v <= kCornerLast;
}

} // namespace

const SlopeReading* FindReadingOfEdit(int id) {
    for (const SlopeReading& r : kReadings) {
        if (r.edit == id) {
            return &r;
        }
    }
    return nullptr;
}

const SlopeReading* FindReadingOfSpin(int id) {
    for (const SlopeReading& r : kReadings) {
        if (r.spin == id) {
            return &r;
        }
    }
    return nullptr;
}

SlopeControls GetSlopeControls(const PrinterSettings& ps) {
    // A stored switch of 2 or more (a damaged record) reads as on, like any nonzero value.
    const bool on = ps.CorrectSlope != 0;
    return {on, on, PairRatio(ps, IDC_FRONT_BACK_RATIO), PairRatio(ps, IDC_LEFT_RIGHT_RATIO)};
}

LONG SlopeRatio(LONG a, LONG b) {
    // Held values sum to at least 2. A record from elsewhere may hold anything: a pair summing
    // to 0 (a zero-filled record, say) carries no slope and shows 0, as the display does before
    // the page fills it; the arithmetic is 64-bit and a quotient beyond 32 bits shows the nearest
    // 32-bit value.
    const int64_t sum = int64_t{a} + b;
    if (sum == 0) {
        return 0;
    }
    const int64_t ratio = 400 * (int64_t{b} - a) / sum;
    return static_cast<LONG>(std::clamp<int64_t>(ratio, INT32_MIN, INT32_MAX));
}

LONG PairRatio(const PrinterSettings& ps, int ratioId) {
    if (ratioId == IDC_FRONT_BACK_RATIO) {
        return SlopeRatio(ps.Rear, ps.Front);
    }
    return SlopeRatio(ps.Left, ps.Right);
}

void ToggleCorrectSlope(PrinterSettings* ps) {
    ps->CorrectSlope = ps->CorrectSlope == 0 ? 1 : 0;
}

bool SpinReading(LONG current, int scrollCode, LONG* stepped) {
    if (scrollCode != kLineUp && scrollCode != kLineDown) {
        return false;
    }
    const LONG step = scrollCode == kLineUp ? 1 : -1;
    *stepped = SpinLong(current, kSlopeMax, kSlopeMin, step);
    return true;
}

int TestPrintPattern(int id) {
    switch (id) {
    case IDC_TEST_PRINT:
        return 2;
    case IDC_TEST_PRINT_1:
        return 1;
    case IDC_TEST_PRINT_0:
        return 0;
    default:
        return -1;
    }
}

bool IsTestPrintPattern(LONG pattern) {
    for (int id : {IDC_TEST_PRINT, IDC_TEST_PRINT_1, IDC_TEST_PRINT_0}) {
        if (TestPrintPattern(id) == pattern) {
            return true;
        }
    }
    return false;
}

bool RevealsServiceControls(int x, int y, bool chordHeld) {
    return chordHeld && InCorner(x) && InCorner(y);
}
