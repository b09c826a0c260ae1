// A printer of this driver made for one test, with nothing stored in its printer data. In the
// windows tree it is a real printer of Wine's spooler, in the host tree one of the stand-in's.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

using WString = std::basic_string<WCHAR>;

class TestPrinter {
  public:
    // A printer of a name of its own, or of the name given.
    explicit TestPrinter(LPCWSTR model, LPCWSTR name = nullptr);
    ~TestPrinter();
    TestPrinter(const TestPrinter&) = delete;
    TestPrinter& operator=(const TestPrinter&) = delete;

    HANDLE handle() const { return handle_; }
    // Writable for the platform's calls that take the name so, none of which writes it.
    LPWSTR name() const { return const_cast<LPWSTR>(name_.c_str()); }
    LPCWSTR model() const { return model_.c_str(); }

    // The latest raw job sent to the printer (windows tree): its port writes each job into a file
    // of its own.
    std::string Output() const;

  private:
    WString name_, model_;
    WString port_, file_; // and the Unix path that port writes to (windows tree)
    HANDLE handle_ = nullptr;
};
