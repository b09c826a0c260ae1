// Printers whose configuration file is the DLL of this build, reached only through the spooler.
//
// The test environment registers the drivers and adds the printers before the built DLL is in the
// driver directory: under Wine both registering a driver and adding a printer load the
// configuration file, which then stays loaded until the process ends, so the copy comes last.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>
#include <vector>

inline constexpr LPCWSTR kKlv20Model = L"Velmar VORIKA KLV-20";
inline constexpr LPCWSTR kKlv30Model = L"Velmar VORIKA KLV-30";

// Named after its model. The spooler passes a printer's name as the device name of a capability
// query, so only this printer answers capabilities with the KLV-20's base resolution.
inline constexpr LPCWSTR kKlv20Printer = L"Velmar VORIKA KLV-20";
// A KLV-20 printer under a name of its own.
inline constexpr LPCWSTR kRenamedKlv20Printer = L"VORIKA e2e KLV-20 renamed";
inline constexpr LPCWSTR kKlv30Printer = L"VORIKA e2e KLV-30";
// KLV-20 printers whose tests store settings in their printer data first.
inline constexpr LPCWSTR kStoredRecordPrinter = L"VORIKA e2e stored record";
inline constexpr LPCWSTR kStoredFieldsPrinter = L"VORIKA e2e stored fields";

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

    // Stores a printer-data value through the spooler.
    void Put(LPCWSTR valueName, DWORD type, const void* data, DWORD size) const;

  private:
    HANDLE handle_ = nullptr;
};

// Reads a value of type T at a byte offset of a buffer.
template <typename T> T At(const std::vector<BYTE>& bytes, size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}
