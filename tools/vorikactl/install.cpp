#include "tools/vorikactl/install.h"
#include "tools/vorikactl/console.h"
#include "tools/vorikactl/devmode_print.h"
#include "tools/vorikactl/spooler.h"

#include <cstdio>

namespace {

constexpr LPCWSTR kConfigFile = L"vorikaui.dll";

// The vorikaui.dll in the tool's own directory.
WString DllBesideTool() {
    WCHAR path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH) {
        return {};
    }
    WString dir(path, length);
    dir.erase(dir.find_last_of(L"\\/") + 1);
    return dir + kConfigFile;
}

// Adding a driver that is already there refreshes its registration.
bool RegisterDriver(LPCWSTR model) {
    DRIVER_INFO_3W info{};
    info.cVersion = 3;
    info.pName = const_cast<LPWSTR>(model);
    info.pDriverPath = const_cast<LPWSTR>(L"klv20drv.dll");
    info.pDataFile = const_cast<LPWSTR>(L"klv20.tpd");
    info.pConfigFile = const_cast<LPWSTR>(kConfigFile);
    if (!AddPrinterDriverW(nullptr, 3, reinterpret_cast<LPBYTE>(&info))) {
        Fail("cannot register the driver", model, GetLastError());
        return false;
    }
    return true;
}

// An existing printer on another port is moved to the port asked for; its settings stay.
bool MovePrinterToPort(HANDLE printer, PRINTER_INFO_2W* info, LPCWSTR port, LPCWSTR printerName) {
    if (info->pPortName != nullptr && lstrcmpW(info->pPortName, port) == 0) {
        return true;
    }
    info->pPortName = const_cast<LPWSTR>(port);
    info->pDevMode = nullptr; // the printer's default DEVMODE stays as it is
    info->pSecurityDescriptor = nullptr;
    if (!SetPrinterW(printer, 2, reinterpret_cast<LPBYTE>(info), 0)) {
        Fail("cannot move to its port the printer", printerName, GetLastError());
        return false;
    }
    std::fputs("printer \"", stdout);
    PrintWide(stdout, printerName);
    std::fputs("\" moved to port ", stdout);
    PrintWide(stdout, port);
    std::putchar('\n');
    return true;
}

// An existing printer is kept when it already uses the model's driver.
bool KeepExistingPrinter(HANDLE printer, LPCWSTR model, LPCWSTR printerName, LPCWSTR port) {
    std::vector<BYTE> buffer = ReadPrinterInfo2(printer);
    if (buffer.empty()) {
        Fail("cannot read the existing printer", printerName, GetLastError());
        return false;
    }
    auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data());
    if (info->pDriverName == nullptr || lstrcmpW(info->pDriverName, model) != 0) {
        Fail("a printer of another driver already has the name", printerName);
        return false;
    }
    std::fputs("printer \"", stdout);
    PrintWide(stdout, printerName);
    std::puts("\" already present");
    return MovePrinterToPort(printer, info, port, printerName);
}

// Wine adds a printer again over an existing one, so the existing one is looked for first.
bool RegisterPrinter(LPCWSTR model, LPCWSTR printerName, LPCWSTR port) {
    PrinterHandle existing(printerName);
    if (existing) {
        return KeepExistingPrinter(existing.get(), model, printerName, port);
    }
    PRINTER_INFO_2W info{};
    info.pPrinterName = const_cast<LPWSTR>(printerName);
    info.pPortName = const_cast<LPWSTR>(port);
    info.pDriverName = const_cast<LPWSTR>(model);
    info.pPrintProcessor = const_cast<LPWSTR>(L"WinPrint");
    info.pDatatype = const_cast<LPWSTR>(L"RAW");
    HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    if (printer == nullptr) {
        Fail("cannot add the printer", printerName, GetLastError());
        return false;
    }
    ClosePrinter(printer);
    std::fputs("printer \"", stdout);
    PrintWide(stdout, printerName);
    std::puts("\" added");
    return true;
}

// The DLL goes in before the printer is added: adding a printer loads its configuration file,
// and Wine keeps it loaded until the process ends, so a later copy over it would be refused.
bool CopyDll(const WString& source) {
    const WString directory = DriverFileDirectory();
    if (directory.empty()) {
        Fail("cannot find the printer driver directory", L"", GetLastError());
        return false;
    }
    CreateDirectoryW(directory.c_str(), nullptr);
    const WString target = directory + kConfigFile;
    if (!CopyFileW(source.c_str(), target.c_str(), FALSE)) {
        Fail("cannot copy the DLL to", target.c_str(), GetLastError());
        return false;
    }
    std::fputs("configuration file ", stdout);
    PrintWide(stdout, target.c_str());
    std::putchar('\n');
    return true;
}

} // namespace

int Install(LPCWSTR model, LPCWSTR printerName, LPCWSTR port) {
    const WString dll = DllBesideTool();
    if (dll.empty() || GetFileAttributesW(dll.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return Fail("no DLL beside the tool:", dll.c_str());
    }
    if (!CopyDll(dll) || !RegisterDriver(model) || !RegisterPrinter(model, printerName, port)) {
        return 1;
    }
    std::fputs("installed \"", stdout);
    PrintWide(stdout, printerName);
    std::fputs("\" with driver \"", stdout);
    PrintWide(stdout, model);
    std::puts("\"");
    return 0;
}
