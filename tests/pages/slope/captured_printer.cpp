#ifdef _WIN32
#include "tests/pages/slope/captured_printer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

constexpr LPCWSTR kSpoolerKey = L"Software\\Wine\\Printing\\Spooler";

// The Windows name of a Unix path, through the drive that maps the root.
std::wstring DosName(const std::string& unixPath) {
    return L"Z:" + std::wstring(unixPath.begin(), unixPath.end());
}

} // namespace

CapturedPrinter::CapturedPrinter(LPCWSTR model) {
    static int serial = 0;
    const std::wstring id = std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
    name_ = L"VORIKA capture " + id;
    port_ = L"VORIKACAPTURE" + id + L":";
    unixPath_ = std::string(VORIKA_JOB_DIR) + "/job-" + std::string(id.begin(), id.end()) + ".prn";
    DeleteFileW(DosName(unixPath_).c_str());

    HKEY key;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSpoolerKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring target(unixPath_.begin(), unixPath_.end());
    RegSetValueExW(key, port_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(target.c_str()),
                   static_cast<DWORD>((target.size() + 1) * sizeof(WCHAR)));
    RegCloseKey(key);

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
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSpoolerKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, port_.c_str());
        RegCloseKey(key);
    }
    DeleteFileW(DosName(unixPath_).c_str());
}

std::string CapturedPrinter::Output() const {
    std::ifstream file(DosName(unixPath_).c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
#endif
