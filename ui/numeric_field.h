// Numeric entry fields: lengths in tenths of a millimetre, shown and typed in millimetres (one
// decimal) or inches (two decimals), and plain whole numbers. Every limit pair is passed maximum
// first, then minimum.
#pragma once

#include <windows.h>

// Characters read from a field for parsing, and for filtering while typing.
inline constexpr int kParseChars = 9;
inline constexpr int kFilterChars = 127;
// Room for any shown value with its sign and NUL.
inline constexpr int kShowChars = 32;

// Pure text functions; ui/numeric_dialog.h reads and writes a control through them.
LONG ParseUserUnit(LPCWSTR text, BOOL inch, LONG max, LONG min);
void FormatUserUnit(LPWSTR out, BOOL inch, LONG value);
LONG ParseLong(LPCWSTR text, LONG max, LONG min);
void FormatLong(LPWSTR out, LONG value);
// Keeps digits, every '-', and the first '.'; returns how many characters were removed.
int FilterNumericText(LPCWSTR text, LPWSTR out);

// A field that loses the focus with its text still the shown form of the value it holds keeps
// that value, as long as the value lies within [min, max]: the user did not touch it, and reading
// the shown form back could round it (33.3 mm shows 1.31 in, which reads back as 33.2 mm). Any
// other text is taken over, and so is a value outside the range, which its reading then limits.
bool KeepsShownValue(LPCWSTR text, LPCWSTR shown, LONG value, LONG max, LONG min);
// A length field's value on leaving it: the value it holds, kept as above, or its text parsed.
LONG TakeUserUnitText(LPCWSTR text, BOOL inch, LONG value, LONG max, LONG min);

LONG SpinUserUnit(BOOL inch, LONG value, LONG max, LONG min, LONG step);
LONG SpinLong(LONG value, LONG max, LONG min, LONG step);
