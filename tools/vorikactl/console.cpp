#include "tools/vorikactl/console.h"
#include "tools/vorikactl/devmode_print.h"

#include <cstdio>

namespace {

void StartLine(const char* what, LPCWSTR name) {
    std::fprintf(stderr, "vorikactl: %s \"", what);
    PrintWide(stderr, name);
    std::fputc('"', stderr);
}

// The platform's own words for the code, on one line, followed by the code itself: a person reads
// the words, a script or a search the number.
void PrintErrorText(DWORD error) {
    WCHAR text[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, text, ARRAYSIZE(text), nullptr);
    while (length > 0 &&
           (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' ')) {
        --length;
    }
    for (DWORD i = 0; i < length; ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            text[i] = L' '; // some messages run over several lines
        }
    }
    std::fputs(": ", stderr);
    if (length > 0) {
        PrintWide(stderr, text, static_cast<int>(length));
        std::fputc(' ', stderr);
    }
    std::fprintf(stderr, "(%lu)", static_cast<unsigned long>(error));
}

} // namespace

int Fail(const char* what, LPCWSTR name, DWORD error) {
    StartLine(what, name);
    if (error != 0) {
        PrintErrorText(error);
    }
    std::fputc('\n', stderr);
    return 1;
}

int FailWith(const char* what, LPCWSTR name, const char* detail) {
    StartLine(what, name);
    std::fprintf(stderr, ": %s\n", detail);
    return 1;
}
