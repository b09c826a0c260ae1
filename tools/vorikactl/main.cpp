// vorikactl: the technician's console view of the driver, through the public printing API only.
//
//   vorikactl defaults [MODEL ...]                      the default DEVMODE of each model name
//   vorikactl install [--model MODEL] [--printer NAME] [--port PORT]
//                                                       the driver and a printer of it
//   vorikactl show PRINTER                              the printer's DEVMODEs and stored settings
//   vorikactl caps PRINTER                              the printer's device capabilities
//   vorikactl testprint PRINTER [--pattern N]           the driver's test print, sent to PRINTER
//   vorikactl settings export|import PRINTER FILE       the stored settings as a settings file
//   vorikactl sheet PRINTER [--pictures DIR] [--lang en|ja]          the document sheet
//   vorikactl printer-sheet PRINTER [--pictures DIR] [--lang en|ja]  the printer sheet
#include "tools/vorikactl/caps.h"
#include "tools/vorikactl/devmode_print.h"
#include "tools/vorikactl/install.h"
#include "tools/vorikactl/settings_command.h"
#include "tools/vorikactl/sheet.h"
#include "tools/vorikactl/show.h"
#include "tools/vorikactl/testprint.h"

#include <windows.h>

#include <cstdio>

namespace {

int Usage() {
    std::fputs("usage: vorikactl defaults [MODEL ...]\n"
               "       vorikactl install [--model MODEL] [--printer NAME] [--port PORT]\n"
               "       vorikactl show PRINTER\n"
               "       vorikactl caps PRINTER\n"
               "       vorikactl testprint PRINTER [--pattern N]\n"
               "       vorikactl settings export|import PRINTER FILE\n"
               "       vorikactl sheet PRINTER [--pictures DIR] [--lang en|ja]\n"
               "       vorikactl printer-sheet PRINTER [--pictures DIR] [--lang en|ja]\n",
               stderr);
    return 2;
}

void ShowDefaults(LPCWSTR model) {
    DriverDevMode dm;
    SetDefaultDevMode(&dm, model);
    std::fputs("Default driver DEVMODE for \"", stdout);
    PrintWide(stdout, model);
    std::printf("\" (%u bytes, base %d dpi)\n", static_cast<unsigned>(sizeof dm), dm.ps.BaseDpi);
    std::puts(" public part:");
    PrintPublicPart(stdout, dm.dm, dm.dm.dmSize);
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

// install's options; the printer is named after the model and prints to the platform's file port
// unless told otherwise.
int InstallCommand(int count, wchar_t** args) {
    LPCWSTR model = kModelKlv20;
    LPCWSTR printer = nullptr;
    LPCWSTR port = L"FILE:";
    for (int i = 0; i < count; i += 2) {
        if (i + 1 >= count) {
            return Usage();
        }
        if (lstrcmpW(args[i], L"--model") == 0) {
            model = args[i + 1];
        } else if (lstrcmpW(args[i], L"--printer") == 0) {
            printer = args[i + 1];
        } else if (lstrcmpW(args[i], L"--port") == 0) {
            port = args[i + 1];
        } else {
            return Usage();
        }
    }
    return Install(model, printer != nullptr ? printer : model, port);
}

// The sheets' options: with --pictures every page is saved and the sheet cancelled.
int SheetCommand(int count, wchar_t** args, int (*open)(LPCWSTR, const SheetOptions&)) {
    if (count < 1) {
        return Usage();
    }
    SheetOptions options;
    for (int i = 1; i < count; i += 2) {
        if (i + 1 >= count) {
            return Usage();
        }
        if (lstrcmpW(args[i], L"--pictures") == 0) {
            options.picturesDirectory = args[i + 1];
        } else if (lstrcmpW(args[i], L"--lang") == 0 && lstrcmpW(args[i + 1], L"ja") == 0) {
            options.language = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
        } else if (lstrcmpW(args[i], L"--lang") == 0 && lstrcmpW(args[i + 1], L"en") == 0) {
            options.language = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
        } else {
            return Usage();
        }
    }
    return open(args[0], options);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return Usage();
    }
    LPCWSTR command = argv[1];
    if (lstrcmpW(command, L"defaults") == 0) {
        return Defaults(argc - 2, argv + 2);
    }
    if (lstrcmpW(command, L"install") == 0) {
        return InstallCommand(argc - 2, argv + 2);
    }
    if (lstrcmpW(command, L"testprint") == 0) {
        return TestPrintCommand(argc - 2, argv + 2, Usage);
    }
    if (lstrcmpW(command, L"settings") == 0 && argc == 5) {
        if (lstrcmpW(argv[2], L"export") == 0) {
            return SettingsExport(argv[3], argv[4]);
        }
        if (lstrcmpW(argv[2], L"import") == 0) {
            return SettingsImport(argv[3], argv[4]);
        }
        return Usage();
    }
    if (lstrcmpW(command, L"sheet") == 0) {
        return SheetCommand(argc - 2, argv + 2, DocumentSheet);
    }
    if (lstrcmpW(command, L"printer-sheet") == 0) {
        return SheetCommand(argc - 2, argv + 2, PrinterSheet);
    }
    if (argc != 3) {
        return Usage();
    }
    if (lstrcmpW(command, L"show") == 0) {
        return Show(argv[2]);
    }
    if (lstrcmpW(command, L"caps") == 0) {
        return Caps(argv[2]);
    }
    return Usage();
}
