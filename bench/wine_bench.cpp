// The built DLL's entry points against Wine's spooler, each timed in the same run as the bare
// spooler calls its steps have to make, so that the ratio shows what the driver adds. Loads the
// vorikaui.dll beside this program by path and calls its exports directly with a real printer
// handle. Needs two printers of the driver, installed by `vorikactl install --printer NAME` (see
// scripts/bench): one with nothing stored, one that this program gives a stored whole record.
//
//   wine_bench [--rounds N] [--batch-ms M] [--only TEXT] [--verbose]
//              [PRINTER_NOTHING_STORED PRINTER_WHOLE_RECORD]
#include <windows.h>
#include <winspool.h>

#include "bench/capability_names.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

using WString = std::wstring;

constexpr LPCWSTR kModel = L"Velmar VORIKA KLV-20";
constexpr DWORD kDevModeBytes = 1756;
constexpr DWORD kPublicBytes = 220;
constexpr DWORD kPrivateBytes = 1536;
constexpr DWORD kCdmConvert = 1, kCdmConvert351 = 2, kCdmDriverDefault = 4;

using DocumentPropertiesFn = LONG(WINAPI*)(HWND, HANDLE, LPWSTR, DEVMODEW*, DEVMODEW*, DWORD);
using DeviceCapabilitiesFn = DWORD(WINAPI*)(HANDLE, LPWSTR, WORD, LPVOID, DEVMODEW*);
using ConvertDevModeFn = BOOL(WINAPI*)(LPWSTR, DEVMODEW*, DEVMODEW*, LONG*, DWORD);

DocumentPropertiesFn pDocumentProperties;
DeviceCapabilitiesFn pDeviceCapabilities;
ConvertDevModeFn pConvertDevMode;

template <typename Fn> Fn Export(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// ---- The bare spooler calls of the driver's steps ----

std::vector<BYTE> gInfo(4096);

// The fewest calls that give the stored settings: one enumeration of the printer's data key,
// asked for its size first and read only when there is something to read.
void BareStoredValues(HANDLE h) {
    DWORD needed = 0, count = 0;
    if (EnumPrinterDataExW(h, L"PrinterDriverData", nullptr, 0, &needed, &count) ==
        ERROR_MORE_DATA) {
        if (needed > gInfo.size()) {
            gInfo.resize(needed);
        }
        EnumPrinterDataExW(h, L"PrinterDriverData", gInfo.data(), needed, &needed, &count);
    }
}

// A sized read: the size, then the data.
template <typename Get> void SizedRead(Get get) {
    DWORD needed = 0;
    get(nullptr, 0, &needed);
    if (needed > gInfo.size()) {
        gInfo.resize(needed);
    }
    get(gInfo.data(), needed, &needed);
}

void BareDriverInfo(HANDLE h) {
    SizedRead([h](LPBYTE b, DWORD n, DWORD* needed) {
        return GetPrinterDriverW(h, nullptr, 2, b, n, needed);
    });
}

void BarePrinterInfo(HANDLE h) {
    SizedRead([h](LPBYTE b, DWORD n, DWORD* needed) { return GetPrinterW(h, 2, b, n, needed); });
}

// ---- Timing ----

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency;
}

// Microseconds per call of `batch` calls.
double TimeBatch(const std::function<void()>& call, int batch) {
    const double start = Now();
    for (int i = 0; i < batch; ++i) {
        call();
    }
    return (Now() - start) * 1e6 / batch;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

int gRounds = 31;
double gBatchMs = 4;
bool gVerbose = false;
std::wstring gOnly; // measure only the cases whose entry point and case text contain it

struct Case {
    std::string entry;
    std::string what;
    std::function<void()> call;
    std::function<void()> bare; // empty: no spooler call to pair with
};

// Rounds of one batch of the entry point and one of its bare spooler calls, the two adjacent in
// time and in alternating order, so that a load on the machine hits both alike.
void Measure(const Case& c) {
    for (int i = 0; i < 3; ++i) {
        c.call();
        if (c.bare) {
            c.bare();
        }
    }
    const double once = std::max(TimeBatch(c.call, 1), 0.05);
    const int batch = std::max(1, static_cast<int>(gBatchMs * 1000 / once));
    std::vector<double> entry, bare, ratio;
    for (int r = 0; r < gRounds; ++r) {
        double e = 0, b = 0;
        if (r % 2 == 0) {
            e = TimeBatch(c.call, batch);
            b = c.bare ? TimeBatch(c.bare, batch) : 0;
        } else {
            b = c.bare ? TimeBatch(c.bare, batch) : 0;
            e = TimeBatch(c.call, batch);
        }
        entry.push_back(e);
        if (gVerbose) {
            std::printf("    round %2d: entry %.2f µs, bare %.2f µs (batch %d)\n", r, e, b, batch);
        }
        if (c.bare) {
            bare.push_back(b);
            ratio.push_back(e / b);
        }
    }
    if (c.bare) {
        std::printf("| %s | %s | %.2f | %.2f | %.3f |\n", c.entry.c_str(), c.what.c_str(),
                    Median(entry), Median(bare), Median(ratio));
    } else {
        std::printf("| %s | %s | %.3f | — | — |\n", c.entry.c_str(), c.what.c_str(), Median(entry));
    }
    std::fflush(stdout);
}

// ---- Set-up ----

WString ModuleDirectory() {
    WCHAR path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    WString dir(path, length);
    dir.erase(dir.find_last_of(L"\\/") + 1);
    return dir;
}

HANDLE Open(const WString& name) {
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE h = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(name.c_str()), &h, &defaults)) {
        std::fprintf(stderr, "wine_bench: cannot open printer %ls (%lu)\n", name.c_str(),
                     GetLastError());
        std::exit(1);
    }
    return h;
}

bool HasValue(HANDLE h, LPCWSTR name) {
    DWORD type = 0, needed = 0, value = 0;
    return GetPrinterDataW(h, const_cast<LPWSTR>(name), &type, reinterpret_cast<LPBYTE>(&value),
                           sizeof value, &needed) == ERROR_SUCCESS;
}

// Stores the driver's default record as the printer's whole record.
void StoreWholeRecord(HANDLE h, const WString& name) {
    std::vector<BYTE> defaults(kDevModeBytes);
    LONG size = kDevModeBytes;
    if (!pConvertDevMode(const_cast<LPWSTR>(name.c_str()), nullptr,
                         reinterpret_cast<DEVMODEW*>(defaults.data()), &size, kCdmDriverDefault)) {
        std::fprintf(stderr, "wine_bench: no driver defaults for %ls\n", name.c_str());
        std::exit(1);
    }
    DWORD bytes = kPrivateBytes;
    if (SetPrinterDataW(h, const_cast<LPWSTR>(L"PrinterDataSize"), REG_DWORD,
                        reinterpret_cast<LPBYTE>(&bytes), sizeof bytes) != ERROR_SUCCESS ||
        SetPrinterDataW(h, const_cast<LPWSTR>(L"PrinterData"), REG_BINARY,
                        defaults.data() + kPublicBytes, kPrivateBytes) != ERROR_SUCCESS) {
        std::fprintf(stderr, "wine_bench: cannot store the whole record\n");
        std::exit(1);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<WString> printers;
    for (int i = 1; i < argc; ++i) {
        const WString arg = argv[i];
        if (arg == L"--rounds" && i + 1 < argc) {
            gRounds = std::max(1, _wtoi(argv[++i]));
        } else if (arg == L"--batch-ms" && i + 1 < argc) {
            gBatchMs = std::max(0.1, _wtof(argv[++i]));
        } else if (arg == L"--only" && i + 1 < argc) {
            gOnly = argv[++i];
        } else if (arg == L"--verbose") {
            gVerbose = true;
        } else {
            printers.push_back(arg);
        }
    }
    if (printers.empty()) {
        printers = {L"VORIKA bench", L"VORIKA bench stored"};
    }
    if (printers.size() != 2) {
        std::fprintf(stderr, "usage: wine_bench [--rounds N] [--batch-ms M] [PRINTER PRINTER]\n");
        return 2;
    }

    const WString dll = ModuleDirectory() + L"vorikaui.dll";
    HMODULE module = LoadLibraryW(dll.c_str());
    if (module == nullptr) {
        std::fprintf(stderr, "wine_bench: cannot load %ls (%lu)\n", dll.c_str(), GetLastError());
        return 1;
    }
    pDocumentProperties = Export<DocumentPropertiesFn>(module, "DrvDocumentProperties");
    pDeviceCapabilities = Export<DeviceCapabilitiesFn>(module, "DrvDeviceCapabilities");
    pConvertDevMode = Export<ConvertDevModeFn>(module, "DrvConvertDevMode");
    if (!pDocumentProperties || !pDeviceCapabilities || !pConvertDevMode) {
        std::fprintf(stderr, "wine_bench: an export is missing\n");
        return 1;
    }

    const WString& nothingName = printers[0];
    const WString& storedName = printers[1];
    HANDLE nothing = Open(nothingName);
    HANDLE stored = Open(storedName);
    if (HasValue(nothing, L"PrinterDataSize")) {
        std::fprintf(stderr, "wine_bench: %ls has a stored record; install a fresh printer\n",
                     nothingName.c_str());
        return 1;
    }
    StoreWholeRecord(stored, storedName);

    // The caller's DEVMODE: the driver's defaults.
    std::vector<BYTE> input(kDevModeBytes);
    {
        LONG size = kDevModeBytes;
        pConvertDevMode(const_cast<LPWSTR>(nothingName.c_str()), nullptr,
                        reinterpret_cast<DEVMODEW*>(input.data()), &size, kCdmDriverDefault);
    }
    auto* pdmInput = reinterpret_cast<DEVMODEW*>(input.data());
    std::vector<BYTE> out(kDevModeBytes);
    auto* pdmOut = reinterpret_cast<DEVMODEW*>(out.data());
    WString deviceName = kModel;
    LPWSTR device = deviceName.data();

    std::vector<Case> cases;
    auto document = [&](HANDLE h, DEVMODEW* in) {
        return [=] { pDocumentProperties(nullptr, h, device, pdmOut, in, DM_COPY); };
    };
    cases.push_back({"DrvDocumentProperties(DM_COPY)", "no input, nothing stored",
                     document(nothing, nullptr), [=] {
                         BareDriverInfo(nothing);
                         BarePrinterInfo(nothing);
                         BareStoredValues(nothing);
                     }});
    cases.push_back({"DrvDocumentProperties(DM_COPY)", "no input, whole record stored",
                     document(stored, nullptr), [=] {
                         BareDriverInfo(stored);
                         BarePrinterInfo(stored);
                         BareStoredValues(stored);
                     }});
    cases.push_back(
        {"DrvDocumentProperties(DM_COPY)", "input DEVMODE", document(nothing, pdmInput), [=] {
             BareDriverInfo(nothing);
             BarePrinterInfo(nothing);
         }});

    std::vector<BYTE> capsOut(256);
    for (WORD cap = 1; cap <= 18; ++cap) {
        const std::string entry = std::string("DrvDeviceCapabilities ") + kCapabilityNames[cap];
        auto caps = [&, cap](HANDLE h, DEVMODEW* dm) {
            return [=, &capsOut] { pDeviceCapabilities(h, device, cap, capsOut.data(), dm); };
        };
        cases.push_back({entry, "no DEVMODE, nothing stored", caps(nothing, nullptr),
                         [=] { BareStoredValues(nothing); }});
        cases.push_back({entry, "no DEVMODE, whole record stored", caps(stored, nullptr),
                         [=] { BareStoredValues(stored); }});
        cases.push_back({entry, "DEVMODE", caps(nothing, pdmInput), {}});
    }

    auto convert = [&](DWORD mode, LONG size) {
        return [=] {
            pdmOut->dmSize = static_cast<WORD>(kPublicBytes);
            pdmOut->dmDriverExtra = static_cast<WORD>(kPrivateBytes);
            LONG needed = size;
            pConvertDevMode(const_cast<LPWSTR>(nothingName.c_str()), pdmInput, pdmOut, &needed,
                            mode);
        };
    };
    cases.push_back({"DrvConvertDevMode", "CDM_CONVERT", convert(kCdmConvert, kDevModeBytes), {}});
    cases.push_back({"DrvConvertDevMode", "CDM_CONVERT351", convert(kCdmConvert351, 196), {}});
    cases.push_back(
        {"DrvConvertDevMode", "CDM_DRIVER_DEFAULT", convert(kCdmDriverDefault, kDevModeBytes), [=] {
             HANDLE h = nullptr;
             if (OpenPrinterW(const_cast<LPWSTR>(nothingName.c_str()), &h, nullptr)) {
                 BareDriverInfo(h);
                 ClosePrinter(h);
             }
         }});
    cases.push_back({"DrvConvertDevMode", "other mode (8)", convert(8, kDevModeBytes), {}});

    // A split of what the driver adds to its spooler calls: the allocations of a document
    // request without input (private heap, context, driver name; driver information, device data
    // record, printer information, stored record), without the spooler.
    cases.push_back({"(split) allocations of DrvDocumentProperties",
                     "no spooler call",
                     [] {
                         HANDLE heap = HeapCreate(0, 8192, 0);
                         void* context = HeapAlloc(heap, HEAP_ZERO_MEMORY, 1900);
                         void* name = HeapAlloc(heap, 0, 64);
                         HGLOBAL blocks[] = {
                             GlobalAlloc(GMEM_FIXED, 512), GlobalAlloc(GMEM_FIXED, 40),
                             GlobalAlloc(GMEM_FIXED, 1024), GlobalAlloc(GMEM_FIXED, kPrivateBytes)};
                         for (HGLOBAL b : blocks) {
                             GlobalFree(b);
                         }
                         HeapFree(heap, 0, name);
                         HeapFree(heap, 0, context);
                         HeapDestroy(heap);
                     },
                     {}});

    cases.push_back({"(split) private heap",
                     "create, destroy",
                     [] { HeapDestroy(HeapCreate(0, 8192, 0)); },
                     {}});
    cases.push_back({"(split) private heap",
                     "create, 2 blocks, destroy",
                     [] {
                         HANDLE heap = HeapCreate(0, 8192, 0);
                         HeapAlloc(heap, HEAP_ZERO_MEMORY, 1900);
                         HeapAlloc(heap, 0, 64);
                         HeapDestroy(heap);
                     },
                     {}});
    cases.push_back({"(split) global blocks",
                     "4 allocated and freed",
                     [] {
                         HGLOBAL blocks[] = {
                             GlobalAlloc(GMEM_FIXED, 512), GlobalAlloc(GMEM_FIXED, 40),
                             GlobalAlloc(GMEM_FIXED, 1024), GlobalAlloc(GMEM_FIXED, kPrivateBytes)};
                         for (HGLOBAL b : blocks) {
                             GlobalFree(b);
                         }
                     },
                     {}});

    std::printf("| entry point | case | entry µs/call | bare spooler µs/call | ratio |\n");
    std::printf("|---|---|---|---|---|\n");
    for (const Case& c : cases) {
        const std::string text = c.entry + " " + c.what;
        if (!gOnly.empty() && WString(text.begin(), text.end()).find(gOnly) == WString::npos) {
            continue;
        }
        Measure(c);
    }
    ClosePrinter(stored);
    ClosePrinter(nothing);
    return 0;
}
