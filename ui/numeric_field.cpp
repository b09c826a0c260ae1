#include "ui/numeric_field.h"

#include "settings/wide_strings.h"

#include <cstdint>

namespace {

bool IsDigit(WCHAR c) {
    return c >= '0' && c <= '9';
}

int DigitAt(LPCWSTR text, int i) {
    return text[i] - '0';
}

// Limits with the minimum applied first, so the maximum wins when the two cross.
LONG LimitMinFirst(int64_t value, LONG max, LONG min) {
    if (value < min) {
        value = min;
    }
    return static_cast<LONG>(value > max ? max : value);
}

// Limits with the maximum applied first, so the minimum wins when the two cross.
LONG LimitMaxFirst(int64_t value, LONG max, LONG min) {
    if (value > max) {
        value = max;
    }
    return static_cast<LONG>(value < min ? min : value);
}

// Writes the decimal digits of a non-negative number, at least `width` of them.
LPWSTR PutDecimal(LPWSTR out, int64_t value, int width) {
    WCHAR digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<WCHAR>('0' + value % 10);
        value /= 10;
    } while (value != 0 || count < width);
    while (count > 0) {
        *out++ = digits[--count];
    }
    return out;
}

// A length shown with `decimals` digits after the point: "-" for negatives, then whole.fraction.
void PutFixed(LPWSTR out, bool negative, int64_t magnitude, int decimals) {
    const int64_t scale = decimals == 1 ? 10 : 100;
    if (negative) {
        *out++ = '-';
    }
    out = PutDecimal(out, magnitude / scale, 1);
    *out++ = '.';
    out = PutDecimal(out, magnitude % scale, decimals);
    *out = 0;
}

// Shown hundredths of an inch for a length, to the nearest, halves away from zero.
int64_t ToHundredthsInch(int64_t value) {
    return value >= 0 ? (value * 100 + 127) / 254 : (value * 100 - 127) / 254;
}

// The nearest tenth of a millimetre for hundredths of an inch, halves away from zero.
int64_t FromHundredthsInch(int64_t h) {
    return h >= 0 ? (h * 254 + 50) / 100 : (h * 254 - 50) / 100;
}

} // namespace

LONG ParseUserUnit(LPCWSTR text, BOOL inch, LONG max, LONG min) {
    int64_t sign = 1;
    int64_t whole = 0;
    int i = 0;
    for (; i < kParseChars && text[i] != 0; ++i) {
        if (text[i] == '-') {
            sign = -1;
        } else if (IsDigit(text[i])) {
            whole = whole * 10 + DigitAt(text, i);
        } else {
            break;
        }
    }
    int64_t value = whole * (inch ? 100 : 10);
    if (i < kParseChars && text[i] == '.') {
        ++i;
        auto digitHere = [&] { return i < kParseChars && IsDigit(text[i]); };
        if (inch && digitHere()) {
            value += DigitAt(text, i++) * 10;
        }
        if (digitHere()) {
            value += DigitAt(text, i++);
        }
        // The first dropped decimal rounds half up.
        if (digitHere() && text[i] >= '5') {
            value += 1;
        }
    }
    if (inch) {
        value = value * 254 / 100;
    }
    return LimitMinFirst(sign * value, max, min);
}

void FormatUserUnit(LPWSTR out, BOOL inch, LONG value) {
    const bool negative = value < 0;
    if (!inch) {
        PutFixed(out, negative, negative ? -int64_t{value} : value, 1);
        return;
    }
    const int64_t h = ToHundredthsInch(value);
    PutFixed(out, negative, negative ? -h : h, 2);
}

bool KeepsShownValue(LPCWSTR text, LPCWSTR shown, LONG value, LONG max, LONG min) {
    return value >= min && value <= max && WideEquals(text, shown);
}

LONG TakeUserUnitText(LPCWSTR text, BOOL inch, LONG value, LONG max, LONG min) {
    WCHAR shown[kShowChars];
    FormatUserUnit(shown, inch, value);
    return KeepsShownValue(text, shown, value, max, min) ? value
                                                         : ParseUserUnit(text, inch, max, min);
}

LONG ParseLong(LPCWSTR text, LONG max, LONG min) {
    int64_t value = 0;
    for (int i = 0; i < kParseChars && IsDigit(text[i]); ++i) {
        value = value * 10 + DigitAt(text, i);
    }
    return LimitMinFirst(value, max, min);
}

void FormatLong(LPWSTR out, LONG value) {
    if (value < 0) {
        *out++ = '-';
    }
    *PutDecimal(out, value < 0 ? -int64_t{value} : value, 1) = 0;
}

int FilterNumericText(LPCWSTR text, LPWSTR out) {
    int removed = 0;
    bool pointSeen = false;
    for (int i = 0; i < kFilterChars && text[i] != 0; ++i) {
        const WCHAR c = text[i];
        const bool firstPoint = c == '.' && !pointSeen;
        if (IsDigit(c) || c == '-' || firstPoint) {
            pointSeen = pointSeen || firstPoint;
            *out++ = c;
        } else {
            ++removed;
        }
    }
    *out = 0;
    return removed;
}

LONG SpinUserUnit(BOOL inch, LONG value, LONG max, LONG min, LONG step) {
    const int64_t v =
        inch ? FromHundredthsInch(ToHundredthsInch(value) + step) : int64_t{value} + step;
    return LimitMaxFirst(v, max, min);
}

LONG SpinLong(LONG value, LONG max, LONG min, LONG step) {
    return LimitMaxFirst(int64_t{value} + step, max, min);
}
