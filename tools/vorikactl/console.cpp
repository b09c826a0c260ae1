#include "tools/vorikactl/console.h"
#include "tools/vorikactl/devmode_print.h"

#include <cstdio>

int Fail(const char* what, LPCWSTR name, DWORD error) {
    std::fprintf(stderr, "vorikactl: %s \"", what);
    PrintWide(stderr, name);
    std::fputc('"', stderr);
    if (error != 0) {
        std::fprintf(stderr, " (error %lu)", static_cast<unsigned long>(error));
    }
    std::fputc('\n', stderr);
    return 1;
}
