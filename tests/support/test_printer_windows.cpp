#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

// Wine maps these ports to Unix files; named unlike a DOS device, which Windows cannot open.
static constexpr LPCWSTR kPortFiles = L"Software\\Wine\\Printing\\Spooler";

// A fresh printer and port for every test: a printer's data cannot be cleared under Wine.
TestPrinter::TestPrinter(LPCWSTR model, LPCWSTR name) : model_(model) {
    static int serial = 0;
    const WString id = std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
    name_ = name != nullptr ? name : L"VORIKA test " + id;
    port_ = L"VORIKA" + id + L":";
    file_ = L"" VORIKA_JOB_DIR L"/VORIKA" + id + L".prn";
    EXPECT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kPortFiles, port_.c_str(), REG_SZ, file_.c_str(),
                              static_cast<DWORD>((file_.size() + 1) * sizeof(WCHAR))),
              ERROR_SUCCESS);
    // Registering the model's driver again only refreshes it.
    const auto text = [](LPCWSTR constant) { return const_cast<LPWSTR>(constant); };
    DRIVER_INFO_3W driver{};
    driver.cVersion = 3, driver.pName = model_.data(), driver.pDriverPath = text(L"klv20drv.dll");
    driver.pDataFile = text(L"klv20.tpd"), driver.pConfigFile = text(L"vorikaui.dll");
    EXPECT_TRUE(AddPrinterDriverW(nullptr, 3, reinterpret_cast<LPBYTE>(&driver))) << GetLastError();
    PRINTER_INFO_2W info{};
    info.pPrinterName = name_.data(), info.pPortName = port_.data();
    info.pDriverName = model_.data(), info.pPrintProcessor = text(L"WinPrint");
    info.pDatatype = text(L"RAW");
    handle_ = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    EXPECT_NE(handle_, nullptr) << GetLastError();
}

TestPrinter::~TestPrinter() {
    if (handle_ != nullptr) {
        DeletePrinter(handle_);
        ClosePrinter(handle_);
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kPortFiles, port_.c_str());
    DeleteFileW((L"Z:" + file_).c_str());
}

std::string TestPrinter::Output() const {
    std::ifstream file((L"Z:" + file_).c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
