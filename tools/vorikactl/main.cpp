// vorikactl: the technician's console view of the driver.
//
//   vorikactl defaults [MODEL ...]   the driver's default DEVMODE for each model name
#include "tools/vorikactl/devmode_print.h"

#include <windows.h>

#include <cstdio>

namespace {

int Usage() {
    std::fputs("usage: vorikactl defaults [MODEL ...]\n", stderr);
    return 2;
}

void ShowDefaults(LPCWSTR model) {
    DriverDevMode dm;
    SetDefaultDevMode(&dm, model);
    std::fputs("Default driver DEVMODE for \"", stdout);
    PrintWide(stdout, model);
    std::printf("\" (%u bytes, base %d dpi)\n", static_cast<unsigned>(sizeof dm), dm.ps.BaseDpi);
    std::puts(" public part:");
    PrintPublicPart(stdout, dm.dm);
    std::puts(" private part:");
    PrintPrivatePart(stdout, dm.ps, dm.dm.dmSize);
    PrintMaterialSets(stdout, dm.ps, dm.dm.dmSize);
    std::putchar('\n');
}

int Defaults(int count, wchar_t** models) {
    if (count == 0) {
        ShowDefaults(kModelKlv20);
        ShowDefaults(TEXT("Velmar VORIKA KLV-20E"));
        return 0;
    }
    for (int i = 0; i < count; ++i) {
        ShowDefaults(models[i]);
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 2 && lstrcmpW(argv[1], L"defaults") == 0) {
        return Defaults(argc - 2, argv + 2);
    }
    return Usage();
}
