// The range in which the pages keep each field of the settings record. A record the pages edited
// never leaves these ranges; one from elsewhere (a settings file edited by hand, a file of another
// printer) may, and whoever takes such a record over whole can refuse it here instead of storing
// values that no page would keep.
#pragma once

#include "settings/printer_settings.h"

#include <cstdint>

struct ValueRange {
    LONG min;
    LONG max;
};

// The first field found outside its range.
struct FieldOutOfRange {
    LPCWSTR field; // a record field's name, or a preset's "ImpactMin", "ImpactMax" or "Speed"
    LPCWSTR set;   // null for a record field; "text" or "photo" for a preset's field
    int preset;    // the preset's index in its set; -1 for a record field
    int64_t value;
    ValueRange range;
};

// Looks at the record's own fields in their stored order, then at the presets of the text set and
// of the photo set, and reports the first field outside its range; false when there is none. The
// fields the pages give no range (the carried ones, the base resolution, which the model decides,
// the signature, the preset names) are not looked at.
bool FindFieldOutOfRange(const PrinterSettings& ps, FieldOutOfRange* found);
