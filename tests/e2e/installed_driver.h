// The DLL of this build installed as the configuration file of printers in Wine's spooler, reached
// as an application reaches it.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>
#include <vector>

inline constexpr LPCWSTR kKlv20Model = L"Velmar VORIKA KLV-20";
inline constexpr LPCWSTR kKlv30Model = L"Velmar VORIKA KLV-30";

// A printer of each model with nothing stored, and a KLV-20 printer whose settings a test stores.
inline constexpr LPCWSTR kKlv20Printer = L"Velmar VORIKA KLV-20";
inline constexpr LPCWSTR kKlv30Printer = L"VORIKA e2e KLV-30";
inline constexpr LPCWSTR kStoredRecordPrinter = L"VORIKA e2e stored record";

// Adds a printer of the model on port "FILE:" (a name that exists is kept as it is).
void AddPrinterOfModel(LPCWSTR name, LPCWSTR model);

// Where the spooler keeps this driver's configuration file: the DLL applications load.
std::wstring InstalledDriverPath();

// A printer opened by name as an application opens it; closed at the end of the scope.
class OpenedPrinter {
  public:
    explicit OpenedPrinter(LPCWSTR name);
    ~OpenedPrinter();
    OpenedPrinter(const OpenedPrinter&) = delete;
    OpenedPrinter& operator=(const OpenedPrinter&) = delete;
    HANDLE handle() const { return handle_; }

  private:
    HANDLE handle_ = nullptr;
};

template <typename T> T At(const std::vector<BYTE>& bytes, size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}
