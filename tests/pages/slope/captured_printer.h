// A printer of Wine's spooler whose port writes every raw job into a file that the test reads
// back. The port is mapped to a Unix file under HKCU\Software\Wine\Printing\Spooler; the file's
// name is not a DOS device's, which Windows programs could not open.
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

    // The bytes the port has received so far.
    std::string Output() const;

  private:
    WString name_;
    WString port_;
    std::string unixPath_;
    HANDLE handle_ = nullptr;
};

#endif
