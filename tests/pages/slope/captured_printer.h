// A printer of Wine's spooler whose port writes each raw job into a file that the test reads
// back: the port is mapped to a Unix file under HKCU\Software\Wine\Printing\Spooler, named
// unlike a DOS device, which Windows programs could not open.
#pragma once
#ifdef _WIN32

#include "tests/support/test_printer.h"

#include <string>

class CapturedPrinter {
  public:
    explicit CapturedPrinter(LPCWSTR model);
    ~CapturedPrinter();
    CapturedPrinter(const CapturedPrinter&) = delete;
    CapturedPrinter& operator=(const CapturedPrinter&) = delete;

    LPCWSTR name() const { return name_.c_str(); }
    HANDLE handle() const { return handle_; }
    // The latest job the port received.
    std::string Output() const;

  private:
    WString name_;
    WString port_;
    WString file_; // the Unix path
    HANDLE handle_ = nullptr;
};

#endif
