#ifdef _WIN32
#include "tests/pages/slope/captured_printer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

constexpr LPCWSTR kSpoolerKey = L"Software\\Wine\\Printing\\Spooler";

} // namespace

CapturedPrinter::CapturedPrinter(LPCWSTR model) {
    static int serial = 0;
    const WString id = std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
    name_ = L"VORIKA capture " + id;
    port_ = L"VORIKACAPTURE" + id + L":";
    file_ = L"" VORIKA_JOB_DIR L"/job-" + id + L".prn";
    EXPECT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kSpoolerKey, port_.c_str(), REG_SZ, file_.c_str(),
                              static_cast<DWORD>((file_.size() + 1) * sizeof(WCHAR))),
              ERROR_SUCCESS);
    RegisterTestDriver(model);
    PRINTER_INFO_2W info{};
    info.pPrinterName = name_.data();
    info.pPortName = port_.data();
    info.pDriverName = const_cast<LPWSTR>(model);
    info.pPrintProcessor = const_cast<LPWSTR>(L"WinPrint");
    info.pDatatype = const_cast<LPWSTR>(L"RAW");
    handle_ = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    EXPECT_NE(handle_, nullptr) << GetLastError();
}

CapturedPrinter::~CapturedPrinter() {
    if (handle_ != nullptr) {
        DeletePrinter(handle_);
        ClosePrinter(handle_);
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSpoolerKey, port_.c_str());
    DeleteFileW((L"Z:" + file_).c_str());
}

std::string CapturedPrinter::Output() const {
    std::ifstream file((L"Z:" + file_).c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
#endif
