// Parses, formats, spins and filters the text of numeric entry fields: any UTF-16 text up to the
// characters a field reads, any limits, values and steps. The input is the inch flag, maximum,
// minimum, value and step, then the text.
#include "fuzz/fuzz_input.h"
#include "ui/numeric_field.h"

#include <cstring>
#include <cstdint>
#include <string_view>

namespace {

struct Numbers {
    BOOL inch;
    LONG max;
    LONG min;
    LONG value;
    LONG step;
};

Numbers TakeNumbers(FuzzInput& input) {
    Numbers n;
    n.inch = input.TakeValue<uint8_t>() & 1;
    n.max = input.TakeValue<LONG>();
    n.min = input.TakeValue<LONG>();
    n.value = input.TakeValue<LONG>();
    n.step = input.TakeValue<LONG>();
    return n;
}

// Up to `chars` UTF-16 units of the input, NUL-terminated.
void TakeText(FuzzInput& input, WCHAR* text, int chars) {
    input.Take(text, static_cast<size_t>(chars) * sizeof(WCHAR));
    text[chars] = 0;
}

int TextLength(LPCWSTR text) {
    int n = 0;
    while (text[n] != 0) {
        ++n;
    }
    return n;
}

void CheckWithin(LONG result, const Numbers& n) {
    if (n.min <= n.max) {
        FUZZ_CHECK(result >= n.min && result <= n.max);
    }
}

void CheckParse(LPCWSTR text, const Numbers& n) {
    CheckWithin(ParseUserUnit(text, n.inch, n.max, n.min), n);
    CheckWithin(ParseLong(text, n.max, n.min), n);
}

void CheckSpin(const Numbers& n) {
    CheckWithin(SpinUserUnit(n.inch, n.value, n.max, n.min, n.step), n);
    CheckWithin(SpinLong(n.value, n.max, n.min, n.step), n);
}

// "-0.00": a negative length too small to show, which reads back as 0.
// A shown whole number reads back as itself.
void CheckLongRoundTrip(const Numbers& n) {
    WCHAR shown[kShowChars];
    FormatLong(shown, n.value);
    if (n.value >= 0 && TextLength(shown) <= kParseChars) {
        FUZZ_CHECK(ParseLong(shown, INT32_MAX, 0) == n.value);
    }
}

void CheckFilter(LPCWSTR text) {
    WCHAR out[kFilterChars + 1];
    const int removed = FilterNumericText(text, out);
    const int kept = TextLength(out);
    FUZZ_CHECK(removed + kept == TextLength(text));
    int points = 0;
    for (int i = 0; i < kept; ++i) {
        const WCHAR c = out[i];
        FUZZ_CHECK((c >= '0' && c <= '9') || c == '-' || c == '.');
        points += c == '.';
    }
    FUZZ_CHECK(points <= 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const Numbers n = TakeNumbers(input);
    WCHAR text[kFilterChars + 1];
    TakeText(input, text, kFilterChars);
    WCHAR parsed[kParseChars + 1];
    std::memcpy(parsed, text, kParseChars * sizeof(WCHAR));
    parsed[kParseChars] = 0;

    CheckParse(parsed, n);
    CheckSpin(n);
    CheckLongRoundTrip(n);
    CheckFilter(text);
    return 0;
}
