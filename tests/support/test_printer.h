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
    explicit TestPrinter(LPCWSTR model);
    ~TestPrinter();
    TestPrinter(const TestPrinter&) = delete;
    TestPrinter& operator=(const TestPrinter&) = delete;

    HANDLE handle() const { return handle_; }
    LPCWSTR name() const { return name_.c_str(); }
    LPCWSTR model() const { return model_.c_str(); }

    // Stores a value through the spooler, as an earlier driver or a hand edit would have.
    void Put(LPCWSTR valueName, DWORD type, const std::vector<BYTE>& bytes) const;
    void PutDword(LPCWSTR valueName, DWORD value) const;

    // Reads a value back through the spooler; false when it is not there.
    bool Get(LPCWSTR valueName, DWORD* type, std::vector<BYTE>* bytes) const;

#ifdef _WIN32
    // The latest raw job sent to the printer: its port writes each job into a file of its own.
    std::string Output() const;
#endif

  private:
    WString name_;
    WString model_;
#ifdef _WIN32
    WString port_;
    WString file_; // the Unix path the port writes to
#endif
    HANDLE handle_ = nullptr;
};
