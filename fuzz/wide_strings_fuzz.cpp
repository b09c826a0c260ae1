// Copies NUL-terminated wide and narrow texts of any content into fields of any length 0 .. 64,
// each in an allocation of exactly its size. The input is the field length, then the text.
#include "fuzz/fuzz_input.h"
#include "settings/wide_strings.h"

#include <string>
#include <vector>

namespace {

// The rest of the input as a text of `Char`, NUL-terminated, in an allocation of its size.
template <typename Char> std::vector<Char> TakeText(FuzzInput input, size_t* length) {
    std::vector<Char> text(input.Remaining() / sizeof(Char) + 1);
    input.Take(text.data(), (text.size() - 1) * sizeof(Char));
    text.back() = 0;
    *length = std::char_traits<Char>::length(text.data());
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const size_t n = input.TakeValue<uint8_t>() % 65;
    size_t length = 0;

    // The text up to its NUL or n - 1 units, then zeros through the end of the field.
    const std::vector<WCHAR> wide = TakeText<WCHAR>(input, &length);
    std::vector<WCHAR> field(n, 0xA5A5);
    CopyStringW(field.data(), wide.data(), int(n));
    for (size_t i = 0; i < n; ++i) {
        FUZZ_CHECK(field[i] == (i + 1 < n && i < length ? wide[i] : 0));
    }

    // The field (n units, or the text's length with its NUL for n 0) ends in NUL at its last
    // unit, and every character before it is converted.
    const std::vector<char> narrow = TakeText<char>(input, &length);
    const size_t m = n > 0 ? n : length + 1;
    std::vector<WCHAR> converted(m, 0xA5A5);
    FUZZ_CHECK(CopyStr2Unicode(converted.data(), narrow.data(), int(n)) == converted.data());
    FUZZ_CHECK(converted[m - 1] == 0);
    for (size_t i = 0; i + 1 < m && i < length; ++i) {
        FUZZ_CHECK(converted[i] != 0 && converted[i] != 0xA5A5);
    }
    return 0;
}
