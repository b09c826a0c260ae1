#include "tools/vorikactl/spooler.h"
#include "tools/vorikactl/console.h"

namespace {

// The sized read of the spooler: ask for the size, then for the data.
template <typename Read> std::vector<BYTE> SizedRead(Read read) {
    DWORD needed = 0;
    if (read(nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        return {};
    }
    std::vector<BYTE> buffer(needed);
    if (!read(buffer.data(), needed, &needed)) {
        return {};
    }
    return buffer;
}

} // namespace

PrinterHandle::PrinterHandle(LPCWSTR printerName) {
    if (!OpenPrinterW(const_cast<LPWSTR>(printerName), &handle_, nullptr)) {
        handle_ = nullptr;
    }
}

PrinterHandle::~PrinterHandle() {
    if (handle_ != nullptr) {
        ClosePrinter(handle_);
    }
}

std::vector<BYTE> ReadPrinterInfo2(HANDLE printer) {
    return SizedRead([printer](LPBYTE buffer, DWORD size, LPDWORD needed) {
        return GetPrinterW(printer, 2, buffer, size, needed);
    });
}

std::vector<BYTE> ReadDriverInfo2(HANDLE printer) {
    return SizedRead([printer](LPBYTE buffer, DWORD size, LPDWORD needed) {
        return GetPrinterDriverW(printer, nullptr, 2, buffer, size, needed);
    });
}

WString DriverFileDirectory() {
    std::vector<BYTE> path = SizedRead([](LPBYTE buffer, DWORD size, LPDWORD needed) {
        return GetPrinterDriverDirectoryW(nullptr, nullptr, 1, buffer, size, needed);
    });
    if (path.empty()) {
        return {};
    }
    return WString(reinterpret_cast<LPCWSTR>(path.data())) + L"\\3\\";
}

bool ReadPrinterData(HANDLE printer, LPCWSTR valueName, DWORD* type, std::vector<BYTE>* bytes) {
    DWORD needed = 0;
    BYTE probe[1];
    const DWORD first =
        GetPrinterDataW(printer, const_cast<LPWSTR>(valueName), type, probe, 0, &needed);
    if (first != ERROR_SUCCESS && first != ERROR_MORE_DATA) {
        return false;
    }
    bytes->assign(needed, 0);
    return needed == 0 || GetPrinterDataW(printer, const_cast<LPWSTR>(valueName), type,
                                          bytes->data(), needed, &needed) == ERROR_SUCCESS;
}

bool CheckPrinterAndDriver(LPCWSTR printerName) {
    PrinterHandle printer(printerName);
    if (!printer) {
        Fail("no printer named", printerName, GetLastError());
        return false;
    }
    const std::vector<BYTE> driver = ReadDriverInfo2(printer.get());
    if (driver.empty()) {
        Fail("no driver installed for printer", printerName, GetLastError());
        return false;
    }
    const auto* info = reinterpret_cast<const DRIVER_INFO_2W*>(driver.data());
    if (info->pConfigFile == nullptr ||
        GetFileAttributesW(info->pConfigFile) == INVALID_FILE_ATTRIBUTES) {
        Fail("driver configuration file missing:",
             info->pConfigFile != nullptr ? info->pConfigFile : L"", GetLastError());
        return false;
    }
    return true;
}
