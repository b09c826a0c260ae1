// Copies NUL-terminated wide and narrow texts of any content into fields of any length 0 .. 64,
// each in an allocation of exactly its size. The input is the field length, then the text.
#include "fuzz/fuzz_input.h"
#include "settings/wide_strings.h"

#include <memory>

namespace {

constexpr int kLargestField = 64;
constexpr WCHAR kUnwritten = 0xA5A5;

int TakeFieldLength(FuzzInput& input) {
    return input.TakeValue<uint8_t>() % (kLargestField + 1);
}

// The rest of the input as a text of `Char` with a NUL appended, allocated exactly.
template <typename Char> std::unique_ptr<Char[]> TakeText(FuzzInput& input, size_t* length) {
    const size_t units = input.Remaining() / sizeof(Char);
    std::unique_ptr<Char[]> text(new Char[units + 1]);
    input.Take(text.get(), units * sizeof(Char));
    text[units] = 0;
    *length = 0;
    while (text[*length] != 0) {
        ++*length;
    }
    return text;
}

std::unique_ptr<WCHAR[]> UnwrittenField(size_t n) {
    std::unique_ptr<WCHAR[]> field(new WCHAR[n]);
    for (size_t i = 0; i < n; ++i) {
        field[i] = kUnwritten;
    }
    return field;
}

// The text up to its NUL or n - 1 units, then zeros through the end of the field.
void CheckCopyStringW(const uint8_t* data, size_t size, int n) {
    FuzzInput input(data, size);
    size_t length = 0;
    std::unique_ptr<WCHAR[]> src = TakeText<WCHAR>(input, &length);
    std::unique_ptr<WCHAR[]> dst = UnwrittenField(static_cast<size_t>(n));
    CopyStringW(dst.get(), src.get(), n);
    if (n == 0) {
        return;
    }
    const size_t copied = length < static_cast<size_t>(n - 1) ? length : static_cast<size_t>(n - 1);
    for (size_t i = 0; i < copied; ++i) {
        FUZZ_CHECK(dst[i] == src[i]);
    }
    for (size_t i = copied; i < static_cast<size_t>(n); ++i) {
        FUZZ_CHECK(dst[i] == 0);
    }
}

// The field ends in NUL at its last unit, and every character of the text before it is converted.
void CheckCopyStr2Unicode(const uint8_t* data, size_t size, int n) {
    FuzzInput input(data, size);
    size_t length = 0;
    std::unique_ptr<char[]> src = TakeText<char>(input, &length);
    const size_t m = n > 0 ? static_cast<size_t>(n) : length + 1;
    std::unique_ptr<WCHAR[]> dst = UnwrittenField(m);
    FUZZ_CHECK(CopyStr2Unicode(dst.get(), src.get(), n) == dst.get());
    FUZZ_CHECK(dst[m - 1] == 0);
    for (size_t i = 0; i < m - 1 && i < length; ++i) {
        FUZZ_CHECK(dst[i] != 0 && dst[i] != kUnwritten);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const int n = TakeFieldLength(input);
    const size_t header = size - input.Remaining();
    CheckCopyStringW(data + header, size - header, n);
    CheckCopyStr2Unicode(data + header, size - header, n);
    return 0;
}
