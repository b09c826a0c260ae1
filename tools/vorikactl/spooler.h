// The spooler's answers that vorikactl reads, each in memory of its own.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

using WString = std::basic_string<WCHAR>;

// An open printer, closed when it goes out of scope.
class PrinterHandle {
  public:
    explicit PrinterHandle(LPCWSTR printerName);
    ~PrinterHandle();
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;

    explicit operator bool() const { return handle_ != nullptr; }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_ = nullptr;
};

// The printer's PRINTER_INFO_2W in its own buffer; empty when the spooler has none.
std::vector<BYTE> ReadPrinterInfo2(HANDLE printer);

// The printer driver's DRIVER_INFO_2W for this machine's environment; empty when none.
std::vector<BYTE> ReadDriverInfo2(HANDLE printer);

// The directory of version-3 driver files, with a trailing backslash; empty on failure.
WString DriverFileDirectory();

// One printer-data value; false when the printer does not hold it.
bool ReadPrinterData(HANDLE printer, LPCWSTR valueName, DWORD* type, std::vector<BYTE>* bytes);

// The printer exists and its driver's configuration file is on disk; otherwise a one-line
// error has been written.
bool CheckPrinterAndDriver(LPCWSTR printerName);
