// Test control of the stand-in platform: the in-memory spooler's printers, drivers, data values
// and jobs, fault injection and call counting. Not part of the Win32 surface.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

namespace standin {

using WString = std::basic_string<WCHAR>;

enum class Op {
    OpenPrinter,
    ClosePrinter,
    GetPrinter,
    GetPrinterDriver,
    GetPrinterDriverDirectory,
    GetPrinterData,
    EnumPrinterDataEx,
    SetPrinterData,
    StartDocPrinter,
    StartPagePrinter,
    EndPagePrinter,
    EndDocPrinter,
    WritePrinter,
    Count
};

struct DriverSpec {
    WString name;
    WString dataFile;
    WString configFile;
};

struct PrinterSpec {
    WString name;
    WString driverName;
    std::vector<BYTE> devMode; // the printer's default DEVMODE; empty for none
    bool readOnly = false;     // every SetPrinterDataW is refused, as for a user without rights
};

struct DataValue {
    DWORD type;
    std::vector<BYTE> bytes;
};

// One SetPrinterDataW call as the spooler received it, refused or not.
struct DataWrite {
    WString printer;
    WString name;
    DWORD type;
    std::vector<BYTE> bytes;
    DWORD result;
};

struct Job {
    WString printer;
    WString docName;
    WString datatype;
    std::vector<BYTE> bytes;
    int pagesStarted = 0;
    int pagesEnded = 0;
    bool ended = false;
};

// The opening defaults of one successful OpenPrinterW call.
struct PrinterOpen {
    WString printer;
    WString datatype;        // empty when none was given
    const DEVMODEW* devMode; // as the caller passed it
    DWORD access;
    bool defaults; // false when the call gave no defaults at all
};

// Forgets every printer, driver, value, job, fault and count.
void Reset();

void SetDriverDirectory(const WString& path);
void AddDriver(const DriverSpec& driver);
void AddPrinter(const PrinterSpec& printer);

// Stores or reads a value directly, without counting a spooler call.
void PutData(const WString& printer, const WString& name, DWORD type, std::vector<BYTE> bytes);
bool FindData(const WString& printer, const WString& name, DataValue* value);
size_t DataCount(const WString& printer);

const std::vector<DataWrite>& DataWrites();
const std::vector<Job>& Jobs();
const std::vector<PrinterOpen>& Opens();

// Makes the nth call (1 = the next one) of op, counted from now, and the times - 1 calls after it
// fail with error.
void FailCall(Op op, unsigned nth, DWORD error, unsigned times = 1);
// Makes the nth WritePrinter call, counted from now, succeed having taken only `accepted` bytes.
void ShortenWrite(unsigned nth, DWORD accepted);
// Makes the nth allocation, counted from now, fail.
void FailAllocation(unsigned nth);

unsigned CallCount(Op op);
unsigned AllocationCount();
// Allocations not yet freed.
long LiveAllocations();
// Printer handles opened and not yet closed.
long OpenHandles();
void ResetCounts();

// Counts one allocation and tells whether it may succeed (false: an armed fault hits it).
bool TakeAllocation();
// Tracks blocks and heaps alive.
void NoteLive(long delta);
// Fills a new block of memory as the platform leaves it: zeros when asked for, else a pattern.
void FillNewBlock(void* block, SIZE_T bytes, bool zeroed);

// The user's default language.
void SetUserDefaultLangID(LANGID language);

// Makes a file exist for GetFileAttributesW, or not.
void SetFilePresent(const WString& path, bool present);

// The path GetModuleFileNameW answers for any module (empty: the call fails), and the names
// LoadLibraryW was asked for since the last ForgetLoadedLibraries.
void SetModulePath(const WString& path);
std::vector<WString> LoadedLibraries();
void ForgetLoadedLibraries();

} // namespace standin
