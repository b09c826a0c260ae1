#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

void RegisterTestDriver(LPCWSTR model) {
    DRIVER_INFO_3W info{};
    info.cVersion = 3;
    info.pName = const_cast<LPWSTR>(model);
    info.pDriverPath = const_cast<LPWSTR>(L"klv20drv.dll");
    info.pDataFile = const_cast<LPWSTR>(L"klv20.tpd");
    info.pConfigFile = const_cast<LPWSTR>(L"vorikaui.dll");
    ASSERT_TRUE(AddPrinterDriverW(nullptr, 3, reinterpret_cast<LPBYTE>(&info))) << GetLastError();
}

namespace {

// A fresh printer for every test: its printer data cannot be cleared under Wine.
WString UniqueName() {
    static int serial = 0;
    return L"VORIKA test " + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++serial);
}

} // namespace

TestPrinter::TestPrinter(LPCWSTR model) : name_(UniqueName()), model_(model) {
    RegisterTestDriver(model);
    PRINTER_INFO_2W info{};
    info.pPrinterName = name_.data();
    info.pPortName = const_cast<LPWSTR>(L"FILE:");
    info.pDriverName = model_.data();
    info.pPrintProcessor = const_cast<LPWSTR>(L"WinPrint");
    info.pDatatype = const_cast<LPWSTR>(L"RAW");
    handle_ = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    EXPECT_NE(handle_, nullptr) << GetLastError();
}

TestPrinter::~TestPrinter() {
    if (handle_ != nullptr) {
        DeletePrinter(handle_);
        ClosePrinter(handle_);
    }
}
