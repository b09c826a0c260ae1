// The in-memory spooler of the stand-in: printers, drivers, printer data and raw jobs, with
// fault injection and call counting for tests.
#include "platform/posix/standin_control.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

namespace standin {
namespace {

// ASCII letters without their case, as the registry and the spooler name keys and values.
WCHAR Fold(WCHAR c) {
    return c >= 'A' && c <= 'Z' ? WCHAR(c - 'A' + 'a') : c;
}

// Value names compare without case; a value keeps the case it was created with.
struct NameLess {
    bool operator()(const WString& a, const WString& b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](WCHAR x, WCHAR y) { return Fold(x) < Fold(y); });
    }
};

struct Printer {
    PrinterSpec config;
    std::map<WString, DataValue, NameLess> data;
};

struct Handle {
    WString printer;
    bool docOpen = false;
    size_t job = 0;
};

struct Fault {
    unsigned remaining = 0; // calls to let pass before failing; 0 = none armed
    DWORD error = 0;
    unsigned times = 1; // calls failing in a row from there
};

struct State {
    std::mutex lock;
    WString driverDirectory = TEXT("C:\\windows\\system32\\spool\\drivers\\x64");
    std::vector<DriverSpec> drivers;
    std::map<WString, Printer> printers;
    std::vector<DataWrite> writes;
    std::vector<Job> jobs;
    std::vector<PrinterOpen> opens;
    unsigned shortWriteRemaining = 0;
    DWORD shortWriteAccepted = 0;
    unsigned calls[static_cast<int>(Op::Count)] = {};
    Fault faults[static_cast<int>(Op::Count)] = {};
};

State& S() {
    static State state;
    return state;
}

std::atomic<unsigned> allocations{0};
std::atomic<long> liveAllocations{0};
std::atomic<long> openHandles{0};
std::atomic<unsigned> allocationFault{0};

// Counts the call and tells whether an armed fault makes it fail (setting *error).
bool Enter(Op op, DWORD* error) {
    State& s = S();
    const int i = static_cast<int>(op);
    ++s.calls[i];
    Fault& f = s.faults[i];
    if (f.remaining != 0 && --f.remaining == 0) {
        *error = f.error;
        f.remaining = --f.times != 0 ? 1 : 0;
        return true;
    }
    return false;
}

Printer* FindPrinter(HANDLE h) {
    if (h == nullptr) {
        return nullptr;
    }
    auto it = S().printers.find(static_cast<Handle*>(h)->printer);
    return it == S().printers.end() ? nullptr : &it->second;
}

const DriverSpec* FindDriver(const WString& name) {
    for (const DriverSpec& d : S().drivers) {
        if (d.name == name) {
            return &d;
        }
    }
    return nullptr;
}

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

// Lays a record out like the spooler does: the fixed structure first, its strings and blocks
// packed behind it in the same buffer.
class Packer {
  public:
    explicit Packer(size_t fixed) : size_(fixed) {}
    size_t Reserve(size_t bytes) {
        const size_t at = (size_ + 7) & ~size_t{7};
        size_ = at + bytes;
        return at;
    }
    size_t ReserveString(const WString& s) { return Reserve((s.size() + 1) * sizeof(WCHAR)); }
    size_t size() const { return size_; }

  private:
    size_t size_;
};

LPWSTR PutString(LPBYTE buffer, size_t at, const WString& s) {
    auto* dst = reinterpret_cast<LPWSTR>(buffer + at);
    std::memcpy(dst, s.c_str(), (s.size() + 1) * sizeof(WCHAR));
    return dst;
}

// The sized-read answer: too small a buffer fails with 122 and the size needed.
bool CheckSize(size_t needed, DWORD cbBuf, LPBYTE buffer, LPDWORD pcbNeeded) {
    if (pcbNeeded != nullptr) {
        *pcbNeeded = static_cast<DWORD>(needed);
    }
    if (buffer == nullptr || cbBuf < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    return true;
}

} // namespace

void Reset() {
    State& s = S();
    std::lock_guard guard(s.lock);
    s.drivers.clear();
    s.printers.clear();
    s.writes.clear();
    s.jobs.clear();
    s.opens.clear();
    s.shortWriteRemaining = 0;
    std::fill(std::begin(s.calls), std::end(s.calls), 0u);
    std::fill(std::begin(s.faults), std::end(s.faults), Fault{});
    allocations = 0;
    allocationFault = 0;
}

void SetDriverDirectory(const WString& path) {
    std::lock_guard guard(S().lock);
    S().driverDirectory = path;
}

void AddDriver(const DriverSpec& driver) {
    std::lock_guard guard(S().lock);
    S().drivers.push_back(driver);
}

void AddPrinter(const PrinterSpec& printer) {
    std::lock_guard guard(S().lock);
    S().printers[printer.name] = Printer{printer, {}};
}

void PutData(const WString& printer, const WString& name, DWORD type, std::vector<BYTE> bytes) {
    std::lock_guard guard(S().lock);
    S().printers.at(printer).data[name] = DataValue{type, std::move(bytes)};
}

bool FindData(const WString& printer, const WString& name, DataValue* value) {
    std::lock_guard guard(S().lock);
    const auto& data = S().printers.at(printer).data;
    auto it = data.find(name);
    if (it == data.end()) {
        return false;
    }
    *value = it->second;
    return true;
}

size_t DataCount(const WString& printer) {
    std::lock_guard guard(S().lock);
    return S().printers.at(printer).data.size();
}

const std::vector<DataWrite>& DataWrites() {
    return S().writes;
}

const std::vector<Job>& Jobs() {
    return S().jobs;
}

const std::vector<PrinterOpen>& Opens() {
    return S().opens;
}

void ShortenWrite(unsigned nth, DWORD accepted) {
    std::lock_guard guard(S().lock);
    S().shortWriteRemaining = nth;
    S().shortWriteAccepted = accepted;
}

void FailCall(Op op, unsigned nth, DWORD error, unsigned times) {
    std::lock_guard guard(S().lock);
    S().faults[static_cast<int>(op)] = Fault{nth, error, times};
}

void FailAllocation(unsigned nth) {
    allocationFault = nth;
}

unsigned CallCount(Op op) {
    std::lock_guard guard(S().lock);
    return S().calls[static_cast<int>(op)];
}

unsigned AllocationCount() {
    return allocations;
}

long LiveAllocations() {
    return liveAllocations;
}

long OpenHandles() {
    return openHandles;
}

void ResetCounts() {
    std::lock_guard guard(S().lock);
    std::fill(std::begin(S().calls), std::end(S().calls), 0u);
    allocations = 0;
}

} // namespace standin

using namespace standin;

bool standin::TakeAllocation() {
    ++allocations;
    unsigned armed = allocationFault.load();
    while (armed != 0 && !allocationFault.compare_exchange_weak(armed, armed - 1)) {
    }
    return armed != 1;
}

void standin::NoteLive(long delta) {
    liveAllocations += delta;
}

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    if (!TakeAllocation()) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    void* memory = std::malloc(bytes ? bytes : 1);
    if (memory == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    standin::FillNewBlock(memory, bytes, (flags & GMEM_ZEROINIT) != 0);
    ++liveAllocations;
    return memory;
}

HGLOBAL GlobalFree(HGLOBAL memory) {
    if (memory != nullptr) {
        --liveAllocations;
        std::free(memory);
    }
    return nullptr;
}

BOOL OpenPrinterW(LPWSTR name, HANDLE* printer, PRINTER_DEFAULTSW* defaults) {
    std::lock_guard guard(S().lock);
    DWORD error;
    if (Enter(Op::OpenPrinter, &error)) {
        return Fail(error);
    }
    if (name == nullptr || printer == nullptr || S().printers.count(name) == 0) {
        return Fail(ERROR_INVALID_PRINTER_NAME);
    }
    *printer = new Handle{name};
    ++openHandles;
    PrinterOpen open{name, {}, nullptr, 0, defaults != nullptr};
    if (defaults != nullptr) {
        open.datatype = defaults->pDatatype != nullptr ? defaults->pDatatype : TEXT("");
        open.devMode = defaults->pDevMode;
        open.access = defaults->DesiredAccess;
    }
    S().opens.push_back(std::move(open));
    return TRUE;
}

BOOL ClosePrinter(HANDLE printer) {
    std::lock_guard guard(S().lock);
    DWORD error;
    const bool fail = Enter(Op::ClosePrinter, &error);
    if (printer != nullptr) {
        --openHandles;
    }
    delete static_cast<Handle*>(printer);
    return fail ? Fail(error) : TRUE;
}

BOOL GetPrinterW(HANDLE printer, DWORD level, LPBYTE buffer, DWORD cbBuf, LPDWORD pcbNeeded) {
    std::lock_guard guard(S().lock);
    DWORD error;
    if (Enter(Op::GetPrinter, &error)) {
        return Fail(error);
    }
    const Printer* p = FindPrinter(printer);
    if (p == nullptr) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    if (level != 2) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    Packer pack(sizeof(PRINTER_INFO_2W));
    const size_t name = pack.ReserveString(p->config.name);
    const size_t driver = pack.ReserveString(p->config.driverName);
    const size_t devMode = pack.Reserve(p->config.devMode.size());
    if (!CheckSize(pack.size(), cbBuf, buffer, pcbNeeded)) {
        return FALSE;
    }
    auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer);
    *info = PRINTER_INFO_2W{};
    info->pPrinterName = PutString(buffer, name, p->config.name);
    info->pDriverName = PutString(buffer, driver, p->config.driverName);
    if (!p->config.devMode.empty()) {
        std::memcpy(buffer + devMode, p->config.devMode.data(), p->config.devMode.size());
        info->pDevMode = reinterpret_cast<DEVMODEW*>(buffer + devMode);
    }
    return TRUE;
}

BOOL GetPrinterDriverW(HANDLE printer, LPWSTR, DWORD level, LPBYTE buffer, DWORD cbBuf,
                       LPDWORD pcbNeeded) {
    std::lock_guard guard(S().lock);
    DWORD error;
    if (Enter(Op::GetPrinterDriver, &error)) {
        return Fail(error);
    }
    const Printer* p = FindPrinter(printer);
    if (p == nullptr) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    const DriverSpec* d = FindDriver(p->config.driverName);
    if (d == nullptr) {
        return Fail(ERROR_FILE_NOT_FOUND);
    }
    if (level != 2) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    const WString environment = TEXT("Windows x64");
    const WString dir = S().driverDirectory + TEXT("\\3\\");
    const WString dataFile = dir + d->dataFile;
    const WString configFile = dir + d->configFile;
    const WString driverPath = dir + TEXT("klv20drv.dll");
    Packer pack(sizeof(DRIVER_INFO_2W));
    const size_t name = pack.ReserveString(d->name);
    const size_t env = pack.ReserveString(environment);
    const size_t path = pack.ReserveString(driverPath);
    const size_t data = pack.ReserveString(dataFile);
    const size_t config = pack.ReserveString(configFile);
    if (!CheckSize(pack.size(), cbBuf, buffer, pcbNeeded)) {
        return FALSE;
    }
    auto* info = reinterpret_cast<DRIVER_INFO_2W*>(buffer);
    info->cVersion = 3;
    info->pName = PutString(buffer, name, d->name);
    info->pEnvironment = PutString(buffer, env, environment);
    info->pDriverPath = PutString(buffer, path, driverPath);
    info->pDataFile = PutString(buffer, data, dataFile);
    info->pConfigFile = PutString(buffer, config, configFile);
    return TRUE;
}

BOOL GetPrinterDriverDirectoryW(LPWSTR, LPWSTR, DWORD level, LPBYTE buffer, DWORD cbBuf,
                                LPDWORD pcbNeeded) {
    std::lock_guard guard(S().lock);
    DWORD error;
    if (Enter(Op::GetPrinterDriverDirectory, &error)) {
        return Fail(error);
    }
    if (level != 1) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    const WString& dir = S().driverDirectory;
    const size_t needed = (dir.size() + 1) * sizeof(WCHAR);
    if (!CheckSize(needed, cbBuf, buffer, pcbNeeded)) {
        return FALSE;
    }
    PutString(buffer, 0, dir);
    return TRUE;
}

DWORD GetPrinterDataW(HANDLE printer, LPWSTR name, LPDWORD type, LPBYTE data, DWORD size,
                      LPDWORD pcbNeeded) {
    std::lock_guard guard(S().lock);
    DWORD error;
    if (Enter(Op::GetPrinterData, &error)) {
        return error;
    }
    const Printer* p = FindPrinter(printer);
    if (p == nullptr || name == nullptr || pcbNeeded == nullptr) {
        return p == nullptr ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER;
    }
    auto it = p->data.find(name);
    if (it == p->data.end()) {
        return ERROR_FILE_NOT_FOUND;
    }
    const DataValue& v = it->second;
    if (type != nullptr) {
        *type = v.type;
    }
    *pcbNeeded = static_cast<DWORD>(v.bytes.size());
    if (size < v.bytes.size()) {
        // The buffer's content is undefined then: the stand-in fills it in part, so that a caller
        // who reads it anyway shows.
        if (data != nullptr && size != 0) {
            std::memcpy(data, v.bytes.data(), size);
        }
        return ERROR_MORE_DATA;
    }
    if (!v.bytes.empty()) {
        std::memcpy(data, v.bytes.data(), v.bytes.size());
    }
    return ERROR_SUCCESS;
}

namespace {

// The spooler's registry keys are named without regard to case.
bool SameKeyName(LPCWSTR a, LPCWSTR b) {
    for (; *a != 0 && Fold(*a) == Fold(*b); ++a, ++b) {
    }
    return Fold(*a) == Fold(*b);
}

} // namespace

// Every value of the printer's data key (the one GetPrinterDataW and SetPrinterDataW use) in one
// answer: the array of entries first, each entry's name and data packed behind it. Too small a
// buffer answers 234 with the size needed. As in Wine's spooler the key comes with the first
// value stored: before that the answer is 2.
DWORD EnumPrinterDataExW(HANDLE printer, LPCWSTR key, LPBYTE values, DWORD cbValues,
                         LPDWORD pcbNeeded, LPDWORD pnValues) {
    std::lock_guard guard(S().lock);
    DWORD error;
    if (Enter(Op::EnumPrinterDataEx, &error)) {
        return error;
    }
    const Printer* p = FindPrinter(printer);
    if (p == nullptr || key == nullptr || pcbNeeded == nullptr || pnValues == nullptr) {
        return p == nullptr ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER;
    }
    if (!SameKeyName(key, TEXT("PrinterDriverData")) || p->data.empty()) {
        return ERROR_FILE_NOT_FOUND;
    }
    Packer pack(sizeof(PRINTER_ENUM_VALUESW) * p->data.size());
    std::vector<std::pair<size_t, size_t>> at; // each value's name and data
    for (const auto& [name, value] : p->data) {
        const size_t nameAt = pack.ReserveString(name);
        at.emplace_back(nameAt, pack.Reserve(value.bytes.size()));
    }
    *pcbNeeded = static_cast<DWORD>(pack.size());
    *pnValues = 0;
    if (cbValues < pack.size()) {
        return ERROR_MORE_DATA;
    }
    auto* entry = reinterpret_cast<PRINTER_ENUM_VALUESW*>(values);
    size_t i = 0;
    for (const auto& [name, value] : p->data) {
        entry->pValueName = PutString(values, at[i].first, name);
        entry->cbValueName = static_cast<DWORD>((name.size() + 1) * sizeof(WCHAR));
        entry->dwType = value.type;
        entry->pData = values + at[i].second;
        entry->cbData = static_cast<DWORD>(value.bytes.size());
        if (!value.bytes.empty()) {
            std::memcpy(entry->pData, value.bytes.data(), value.bytes.size());
        }
        ++entry, ++i;
    }
    *pnValues = static_cast<DWORD>(p->data.size());
    return ERROR_SUCCESS;
}

DWORD SetPrinterDataW(HANDLE printer, LPWSTR name, DWORD type, LPBYTE data, DWORD size) {
    std::lock_guard guard(S().lock);
    DWORD result = ERROR_SUCCESS;
    const bool injected = Enter(Op::SetPrinterData, &result);
    Printer* p = FindPrinter(printer);
    if (!injected) {
        if (p == nullptr || name == nullptr) {
            result = p == nullptr ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER;
        } else if (p->config.readOnly) {
            result = ERROR_ACCESS_DENIED;
        }
    }
    std::vector<BYTE> bytes(data, data + (data != nullptr ? size : 0));
    if (result == ERROR_SUCCESS) {
        p->data[name] = DataValue{type, bytes};
    }
    S().writes.push_back(DataWrite{p != nullptr ? p->config.name : WString{},
                                   name != nullptr ? WString{name} : WString{}, type,
                                   std::move(bytes), result});
    return result;
}

DWORD StartDocPrinterW(HANDLE printer, DWORD level, LPBYTE docInfo) {
    std::lock_guard guard(S().lock);
    DWORD error;
    if (Enter(Op::StartDocPrinter, &error)) {
        SetLastError(error);
        return 0;
    }
    if (FindPrinter(printer) == nullptr || level != 1 || docInfo == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const auto* info = reinterpret_cast<const DOC_INFO_1W*>(docInfo);
    auto* h = static_cast<Handle*>(printer);
    Job job;
    job.printer = h->printer;
    job.docName = info->pDocName != nullptr ? info->pDocName : TEXT("");
    job.datatype = info->pDatatype != nullptr ? info->pDatatype : TEXT("");
    S().jobs.push_back(std::move(job));
    h->docOpen = true;
    h->job = S().jobs.size() - 1;
    return static_cast<DWORD>(S().jobs.size());
}

namespace {

// The open job of a handle, or null after counting the call and applying a fault.
Job* JobCall(Op op, HANDLE printer) {
    DWORD error;
    if (Enter(op, &error)) {
        SetLastError(error);
        return nullptr;
    }
    auto* h = static_cast<Handle*>(printer);
    if (FindPrinter(printer) == nullptr || !h->docOpen) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &S().jobs[h->job];
}

} // namespace

BOOL StartPagePrinter(HANDLE printer) {
    std::lock_guard guard(S().lock);
    Job* job = JobCall(Op::StartPagePrinter, printer);
    return job != nullptr && ++job->pagesStarted > 0;
}

BOOL EndPagePrinter(HANDLE printer) {
    std::lock_guard guard(S().lock);
    Job* job = JobCall(Op::EndPagePrinter, printer);
    return job != nullptr && ++job->pagesEnded > 0;
}

BOOL EndDocPrinter(HANDLE printer) {
    std::lock_guard guard(S().lock);
    Job* job = JobCall(Op::EndDocPrinter, printer);
    if (job == nullptr) {
        return FALSE;
    }
    job->ended = true;
    static_cast<Handle*>(printer)->docOpen = false;
    return TRUE;
}

BOOL WritePrinter(HANDLE printer, LPVOID data, DWORD count, LPDWORD written) {
    std::lock_guard guard(S().lock);
    Job* job = JobCall(Op::WritePrinter, printer);
    if (written != nullptr) {
        *written = 0;
    }
    if (job == nullptr) {
        return FALSE;
    }
    if (S().shortWriteRemaining != 0 && --S().shortWriteRemaining == 0) {
        count = std::min(count, S().shortWriteAccepted);
    }
    const auto* bytes = static_cast<const BYTE*>(data);
    job->bytes.insert(job->bytes.end(), bytes, bytes + count);
    if (written != nullptr) {
        *written = count;
    }
    return TRUE;
}
