#include "tests/e2e/installed_driver.h"

#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PrinterOfModel {
    LPCWSTR printer;
    LPCWSTR model;
};

constexpr PrinterOfModel kPrinters[] = {
    {kKlv20Printer, kKlv20Model},
    {kKlv30Printer, kKlv30Model},
    {kStoredRecordPrinter, kKlv20Model},
};

// A printer left from an earlier run in the same prefix is kept as it is. Registering its driver
// or adding it again would load the DLL already in the driver directory, which then stays loaded
// (it pins itself) and keeps the copy below from replacing it.
void AddPrinterOnce(LPCWSTR name, LPCWSTR model) {
    HANDLE printer = nullptr;
    if (OpenPrinterW(const_cast<LPWSTR>(name), &printer, nullptr)) {
        ClosePrinter(printer);
        return;
    }
    RegisterTestDriver(model);
    AddPrinterOfModel(name, model);
}

} // namespace

void AddPrinterOfModel(LPCWSTR name, LPCWSTR model) {
    PRINTER_INFO_2W info{};
    info.pPrinterName = const_cast<LPWSTR>(name);
    info.pPortName = const_cast<LPWSTR>(L"FILE:");
    info.pDriverName = const_cast<LPWSTR>(model);
    info.pPrintProcessor = const_cast<LPWSTR>(L"WinPrint");
    info.pDatatype = const_cast<LPWSTR>(L"RAW");
    HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    ASSERT_NE(printer, nullptr) << GetLastError();
    ClosePrinter(printer);
}

std::wstring InstalledDriverPath() {
    DWORD needed = 0;
    GetPrinterDriverDirectoryW(nullptr, nullptr, 1, nullptr, 0, &needed);
    std::vector<BYTE> directory(needed);
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, directory.data(), needed, &needed)) {
        return {};
    }
    return reinterpret_cast<LPCWSTR>(directory.data()) + std::wstring(L"\\3\\vorikaui.dll");
}

namespace {

class InstalledDriver : public ::testing::Environment {
  public:
    void SetUp() override {
        for (const PrinterOfModel& p : kPrinters) {
            AddPrinterOnce(p.printer, p.model);
        }
        const std::wstring target = InstalledDriverPath();
        ASSERT_FALSE(target.empty()) << GetLastError();
        ASSERT_TRUE(CopyFileW(L"" VORIKA_BUILT_DLL, target.c_str(), FALSE))
            << "copying " << VORIKA_BUILT_DLL << ": error " << GetLastError();
    }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new InstalledDriver);

} // namespace

OpenedPrinter::OpenedPrinter(LPCWSTR name) {
    EXPECT_TRUE(OpenPrinterW(const_cast<LPWSTR>(name), &handle_, nullptr)) << GetLastError();
}

OpenedPrinter::~OpenedPrinter() {
    if (handle_ != nullptr) {
        ClosePrinter(handle_);
    }
}
