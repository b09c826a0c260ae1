// Parses, formats, spins and filters the text of numeric entry fields: any UTF-16 text up to the
// characters a field reads, any limits, values and steps. The input is the inch flag, maximum,
// minimum, value and step, then the text.
#include "fuzz/fuzz_input.h"
#include "ui/numeric_field.h"

#include <initializer_list>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input{data, size};
    const BOOL inch = input.TakeValue<uint8_t>() & 1;
    const LONG max = input.TakeValue<LONG>(), min = input.TakeValue<LONG>();
    const LONG value = input.TakeValue<LONG>(), step = input.TakeValue<LONG>();
    WCHAR text[kFilterChars + 1];
    input.Take(text, kFilterChars * sizeof(WCHAR));
    text[kFilterChars] = 0;
    // The parsers read no more than the first kParseChars characters, NUL or not.
    WCHAR parsed[kParseChars];
    std::memcpy(parsed, text, sizeof parsed);

    // Results lie within the limits whenever they do not cross.
    for (LONG result :
         {ParseUserUnit(parsed, inch, max, min), ParseLong(parsed, max, min),
          SpinUserUnit(inch, value, max, min, step), SpinLong(value, max, min, step)}) {
        FUZZ_CHECK(min > max || (result >= min && result <= max));
    }
    WCHAR shown[kShowChars];
    FormatUserUnit(shown, inch, value); // a stack buffer: a longer text reaches the sanitizer
    FormatLong(shown, value);
    if (value >= 0 && lstrlenW(shown) <= kParseChars) {
        FUZZ_CHECK(ParseLong(shown, INT32_MAX, 0) == value); // a shown number reads back as itself
    }
    // What the filter keeps and what it counts as removed make up the text.
    WCHAR out[kFilterChars + 1];
    FUZZ_CHECK(FilterNumericText(text, out) + lstrlenW(out) == lstrlenW(text));
    return 0;
}
