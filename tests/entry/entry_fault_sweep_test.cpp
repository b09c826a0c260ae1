// Every exported entry point that reaches the spooler or allocates, with every spooler call and
// every allocation of one call failed in turn: each run answers as the entry point's rules allow,
// lends no device data record and leaks nothing. Host tree only.
#ifndef _WIN32

#include <windows.h>

#include "entry/driver_ui.h"
#include "entry/ui_context.h"
#include "settings/driver_devmode.h"
#include "settings/printer_data.h"
#include "tests/entry/fault_harness.h"
#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace faults;

const LPCWSTR kKlv20 = TEXT("Velmar VORIKA KLV-20");
constexpr BYTE kSentinel = 0xA5;
constexpr DWORD kNotAnswered = static_cast<DWORD>(-1);
constexpr DWORD kSignature = 0x56495250;

// The settings the answers show: work size and its limits, tenths of a millimetre.
struct Work {
    SHORT x, y, limitX, limitY;
    bool operator==(const Work&) const = default;
};
constexpr Work kDefaults{500, 500, 500, 500};
constexpr Work kStored{720, 410, 800, 700};
constexpr Work kCallers{640, 330, 600, 650};

// How the printer holds kStored.
enum class Stored {
    WholeRecord, // saved as a whole: the whole block, the per-field values and material blocks
    PerField,    // only the four per-field values
};

const char* Name(Stored s) {
    return s == Stored::WholeRecord ? "whole record stored" : "per-field values stored";
}

void Store(const TestPrinter& printer, Stored how) {
    if (how == Stored::WholeRecord) {
        DriverDevMode d;
        SetDefaultDevMode(&d, kKlv20);
        d.ps.UserDefinedX = kStored.x;
        d.ps.UserDefinedY = kStored.y;
        d.ps.LimitX = kStored.limitX;
        d.ps.LimitY = kStored.limitY;
        ASSERT_EQ(SavePrinterProperties(printer.handle(), &d.ps, sizeof d.ps), 1u);
        return;
    }
    auto le16 = [](SHORT v) { return std::vector<BYTE>{BYTE(v), BYTE(v >> 8)}; };
    printer.Put(TEXT("UserDefinedX"), REG_BINARY, le16(kStored.x));
    printer.Put(TEXT("UserDefinedY"), REG_BINARY, le16(kStored.y));
    printer.Put(TEXT("LimitX"), REG_BINARY, le16(kStored.limitX));
    printer.Put(TEXT("LimitY"), REG_BINARY, le16(kStored.limitY));
}

// The stored settings as loaded while fault f hits; nothing when the loaded record can't be had.
// recordAllocation: the allocation that holds the whole block or the record built field by field.
// Without a whole block, the reads go "PrinterDataSize", "UserDefinedX", "UserDefinedY",
// "Material", "prtIndex", "OffsetX", "OffsetY", "LimitX", "LimitY", ...; a read that fails gives
// its field the default. With one, a failed read of it or no memory for it falls back to the
// per-field values, which hold the same settings.
std::optional<Work> Loaded(Stored how, const Fault* f, unsigned recordAllocation) {
    if (f == nullptr || how == Stored::WholeRecord) {
        return kStored;
    }
    if (f->HitsAllocation(recordAllocation)) {
        return std::nullopt;
    }
    Work w = kStored;
    if (f->Hits(Op::GetPrinterData, 2)) {
        w.x = kDefaults.x;
    } else if (f->Hits(Op::GetPrinterData, 3)) {
        w.y = kDefaults.y;
    } else if (f->Hits(Op::GetPrinterData, 8)) {
        w.limitX = kDefaults.limitX;
    } else if (f->Hits(Op::GetPrinterData, 9)) {
        w.limitY = kDefaults.limitY;
    }
    return w;
}

DriverDevMode CallersDevMode() {
    DriverDevMode d;
    SetDefaultDevMode(&d, kKlv20);
    d.ps.UserDefinedX = kCallers.x;
    d.ps.UserDefinedY = kCallers.y;
    d.ps.LimitX = kCallers.limitX;
    d.ps.LimitY = kCallers.limitY;
    return d;
}

// Leaves an idle record in the cache, so that a request that builds a UI context replaces one.
void WarmCache(HANDLE printer) {
    UiData* ui = FillUiData(printer, nullptr);
    ASSERT_NE(ui, nullptr);
    ReleaseUiData(ui);
}

void Report(const char* what, unsigned faulted) {
    ::testing::Test::RecordProperty(what, static_cast<int>(faulted));
}

// ---- Document requests without a sheet ----

enum class DocEntry { DocumentProperties, DocumentPropertySheets };

struct DocCase {
    DocEntry entry;
    DWORD fMode;
    bool input;
};

// Building the UI context: private heap, context, driver information, device data record,
// printer information, driver name copy; then, without a DEVMODE, the stored settings.
constexpr unsigned kContextAllocations = 6;

bool BuildsNoContext(const Fault& f) {
    return f.allocation ? f.nth <= kContextAllocations
                        : f.op == Op::GetPrinterDriver || f.op == Op::GetPrinter;
}

TEST(EntryFaultSweep, DocumentRequestsWithoutASheet) {
    const DocCase cases[] = {
        {DocEntry::DocumentProperties, DM_COPY, false},
        {DocEntry::DocumentProperties, DM_UPDATE, false},
        {DocEntry::DocumentProperties, DM_COPY, true},
        {DocEntry::DocumentProperties, DM_UPDATE, true},
        {DocEntry::DocumentPropertySheets, DM_COPY, false},
        {DocEntry::DocumentPropertySheets, DM_UPDATE, false},
        {DocEntry::DocumentPropertySheets, DM_COPY, true},
        {DocEntry::DocumentPropertySheets, DM_UPDATE, true},
    };
    unsigned faulted = 0;
    for (Stored how : {Stored::WholeRecord, Stored::PerField}) {
        for (const DocCase& c : cases) {
            SCOPED_TRACE(std::string(Name(how)) +
                         (c.entry == DocEntry::DocumentProperties ? ", DrvDocumentProperties"
                                                                  : ", DrvDocumentPropertySheets") +
                         (c.fMode == DM_COPY ? " DM_COPY" : " DM_UPDATE") +
                         (c.input ? " with input" : " without input"));
            TestPrinter printer(kKlv20);
            Store(printer, how);
            WarmCache(printer.handle());
            DriverDevMode input = CallersDevMode();
            DEVMODEW* pdmIn = c.input ? &input.dm : nullptr;
            std::vector<BYTE> out(kDriverDevModeSize);
            auto* pdmOut = reinterpret_cast<DEVMODEW*>(out.data());
            DOCUMENTPROPERTYHEADER header{};
            LONG answer = 0;

            auto run = [&] {
                std::fill(out.begin(), out.end(), kSentinel);
                if (c.entry == DocEntry::DocumentProperties) {
                    answer = DrvDocumentProperties(nullptr, printer.handle(),
                                                   const_cast<LPWSTR>(printer.model()), pdmOut,
                                                   pdmIn, c.fMode);
                } else {
                    header = {};
                    header.cbSize = sizeof header;
                    header.hPrinter = printer.handle();
                    header.pszPrinterName = const_cast<LPWSTR>(printer.model());
                    header.pdmIn = pdmIn;
                    header.pdmOut = pdmOut;
                    header.fMode = c.fMode;
                    answer = DrvDocumentPropertySheets(nullptr, reinterpret_cast<LPARAM>(&header));
                }
            };
            constexpr unsigned kSettingsAllocation = kContextAllocations + 1;
            auto check = [&](const Fault* f) {
                if (c.entry == DocEntry::DocumentPropertySheets) {
                    EXPECT_EQ(header.cbOut, kDriverDevModeSize);
                }
                std::optional<Work> expected = kCallers;
                if (f != nullptr && BuildsNoContext(*f)) {
                    expected.reset();
                } else if (!c.input) {
                    expected = Loaded(how, f, kSettingsAllocation);
                }
                if (!expected) {
                    EXPECT_EQ(answer, -1);
                    EXPECT_EQ(out, std::vector<BYTE>(out.size(), kSentinel))
                        << "output written by a failed request";
                    return;
                }
                EXPECT_EQ(answer, c.entry == DocEntry::DocumentProperties ? IDOK : 1);
                DriverDevMode got;
                std::memcpy(&got, out.data(), sizeof got);
                EXPECT_EQ(got.dm.dmSize, sizeof(DEVMODEW));
                EXPECT_EQ(got.dm.dmDriverExtra, sizeof(PrinterSettings));
                EXPECT_EQ(got.ps.dwPrivData, kSignature);
                EXPECT_EQ(
                    (Work{got.ps.UserDefinedX, got.ps.UserDefinedY, got.ps.LimitX, got.ps.LimitY}),
                    *expected);
                EXPECT_EQ(got.dm.dmPaperWidth, expected->x);
                EXPECT_EQ(got.dm.dmPaperLength, expected->y);
            };
            const Usage clean = Sweep(run, check, CacheUse::Replaces, &faulted);
            // The spooler calls the rules fix: two sized reads each of the driver and printer
            // information, then (without a DEVMODE) the stored settings.
            EXPECT_EQ(clean.Calls(Op::GetPrinterDriver), 2u);
            EXPECT_EQ(clean.Calls(Op::GetPrinter), 2u);
            EXPECT_EQ(clean.Calls(Op::GetPrinterData), c.input                      ? 0u
                                                       : how == Stored::WholeRecord ? 2u
                                                                                    : 42u);
            EXPECT_EQ(clean.SpoolerCalls(), 4 + clean.Calls(Op::GetPrinterData));
            EXPECT_EQ(clean.allocations, c.input ? kContextAllocations : kSettingsAllocation);
        }
    }
    Report("faulted_runs", faulted);
}

// Requests that answer before reaching the spooler: no call, no allocation, nothing written.
TEST(EntryFaultSweep, DocumentRequestsThatReachNothing) {
    TestPrinter printer(kKlv20);
    WarmCache(printer.handle());
    DriverDevMode input = CallersDevMode();
    std::vector<BYTE> out(kDriverDevModeSize);
    auto* pdmOut = reinterpret_cast<DEVMODEW*>(out.data());
    LPWSTR device = const_cast<LPWSTR>(printer.model());
    HANDLE h = printer.handle();
    struct Case {
        const char* what;
        std::function<LONG()> call;
        LONG answer;
    };
    const Case cases[] = {
        // The sheet is not built yet: a prompt answers -1, the advanced request "not done".
        {"prompt",
         [&] {
             return DrvDocumentProperties(nullptr, h, device, pdmOut, nullptr, DM_PROMPT | DM_COPY);
         },
         -1},
        {"advanced",
         [&] { return DrvAdvancedDocumentProperties(nullptr, h, device, pdmOut, nullptr); }, 0},
        {"advanced, input",
         [&] { return DrvAdvancedDocumentProperties(nullptr, h, device, pdmOut, &input.dm); }, 0},
        {"advanced, no output",
         [&] { return DrvAdvancedDocumentProperties(nullptr, h, device, nullptr, nullptr); },
         LONG{kDriverDevModeSize}},
        {"mode 0", [&] { return DrvDocumentProperties(nullptr, h, device, pdmOut, nullptr, 0); },
         LONG{kDriverDevModeSize}},
        {"no output",
         [&] { return DrvDocumentProperties(nullptr, h, device, nullptr, nullptr, DM_COPY); },
         LONG{kDriverDevModeSize}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::fill(out.begin(), out.end(), kSentinel);
        LONG answer = 0;
        unsigned faulted = 0;
        const Usage clean =
            Sweep([&] { answer = c.call(); }, [&](const Fault*) { EXPECT_EQ(answer, c.answer); },
                  CacheUse::None, &faulted);
        EXPECT_EQ(clean.SpoolerCalls(), 0u);
        EXPECT_EQ(clean.allocations, 0u);
        EXPECT_EQ(out, std::vector<BYTE>(out.size(), kSentinel));
    }
}

// ---- Device capabilities ----

std::vector<BYTE> Le(std::initializer_list<LONG> values, size_t width) {
    std::vector<BYTE> bytes;
    for (LONG v : values) {
        for (size_t i = 0; i < width; ++i) {
            bytes.push_back(static_cast<BYTE>(static_cast<DWORD>(v) >> (8 * i)));
        }
    }
    return bytes;
}

struct CapAnswer {
    DWORD answer;
    std::vector<BYTE> written;
};

// The answer table of the device capabilities, for a device named "Velmar VORIKA KLV-20" (base
// 1016 dpi) and the driver's default public fields.
CapAnswer Expected(WORD capability, const Work& w) {
    const DWORD extent = (DWORD(WORD(w.limitY)) << 16) | WORD(w.limitX);
    switch (capability) {
    case DC_FIELDS:
        return {0x6C0E, {}};
    case DC_PAPERS:
        return {1, Le({256}, 2)};
    case DC_PAPERSIZE:
        return {1, Le({w.x, w.y}, 4)};
    case DC_MINEXTENT:
        return {extent, {}};
    case DC_MAXEXTENT:
        return {extent, {}};
    case DC_BINS:
        return {0, {}};
    case DC_DUPLEX:
        return {0, {}};
    case DC_SIZE:
        return {220, {}};
    case DC_EXTRA:
        return {1536, {}};
    case DC_VERSION:
        return {0x401, {}};
    case DC_DRIVER:
        return {287, {}};
    case DC_BINNAMES:
        return {0, {}};
    case DC_ENUMRESOLUTIONS:
        return {8,
                Le({339, 339, 254, 254, 203, 203, 169, 169, 145, 145, 127, 127, 113, 113, 102, 102},
                   4)};
    case DC_FILEDEPENDENCIES:
        return {0, Le({0}, 2)};
    case DC_TRUETYPE:
        return {1, {}};
    case DC_PAPERNAMES: {
        std::vector<BYTE> name;
        for (char ch : std::string("User Size")) {
            name.push_back(static_cast<BYTE>(ch));
            name.push_back(0);
        }
        name.insert(name.end(), {0, 0});
        return {1, name};
    }
    case DC_ORIENTATION:
        return {0, {}};
    case DC_COPIES:
        return {1, {}};
    default:
        return {kNotAnswered, {}};
    }
}

TEST(EntryFaultSweep, DeviceCapabilities) {
    constexpr unsigned kTempAllocation = 1;
    constexpr unsigned kSettingsAllocation = 2;
    unsigned faulted = 0;
    // Without a DEVMODE, the printer's settings stored both ways; with the caller's DEVMODE.
    const std::optional<Stored> sources[] = {Stored::WholeRecord, Stored::PerField, std::nullopt};
    for (const std::optional<Stored>& how : sources) {
        TestPrinter printer(kKlv20);
        if (how) {
            Store(printer, *how);
        }
        DriverDevMode input = CallersDevMode();
        DEVMODEW* pdm = how ? nullptr : &input.dm;
        for (WORD capability = 1; capability <= 18; ++capability) {
            SCOPED_TRACE((how ? Name(*how) : "caller's DEVMODE") + std::string(", capability ") +
                         std::to_string(capability));
            std::vector<BYTE> out(256);
            DWORD answer = 0;
            auto run = [&] {
                std::fill(out.begin(), out.end(), kSentinel);
                answer =
                    DrvDeviceCapabilities(printer.handle(), const_cast<LPWSTR>(printer.model()),
                                          capability, out.data(), pdm);
            };
            auto check = [&](const Fault* f) {
                CapAnswer expected{kNotAnswered, {}};
                if (f == nullptr || !f->HitsAllocation(kTempAllocation)) {
                    // Without the stored settings the defaults stay.
                    const Work w =
                        how ? Loaded(*how, f, kSettingsAllocation).value_or(kDefaults) : kCallers;
                    expected = Expected(capability, w);
                }
                EXPECT_EQ(answer, expected.answer);
                std::vector<BYTE> written = expected.written;
                written.resize(out.size(), kSentinel);
                EXPECT_EQ(out, written);
            };
            const Usage clean = Sweep(run, check, CacheUse::None, &faulted);
            EXPECT_EQ(clean.SpoolerCalls(), clean.Calls(Op::GetPrinterData));
            EXPECT_EQ(clean.Calls(Op::GetPrinterData), !how                          ? 0u
                                                       : *how == Stored::WholeRecord ? 2u
                                                                                     : 42u);
            EXPECT_EQ(clean.allocations, how ? kSettingsAllocation : kTempAllocation);
        }
    }
    Report("faulted_runs", faulted);
}

// ---- DEVMODE conversions ----

TEST(EntryFaultSweep, ConvertDevMode) {
    TestPrinter printer(kKlv20);
    WarmCache(printer.handle());
    WString name(printer.name());
    DriverDevMode input = CallersDevMode();
    struct Case {
        const char* what;
        DWORD fMode;
        LONG size;    // of the output on entry
        bool header;  // the output's header prepared as the driver's layout
        BOOL answer;  // clean
        LONG sizeOut; // clean
        DWORD error;  // clean, when it fails
        Usage usage;  // of a clean run
    };
    Usage none;
    Usage defaults; // open, two sized reads of the driver information, close
    defaults.calls[int(Op::OpenPrinter)] = 1;
    defaults.calls[int(Op::GetPrinterDriver)] = 2;
    defaults.calls[int(Op::ClosePrinter)] = 1;
    defaults.allocations = 2; // driver information, device data record
    const Case cases[] = {
        {"CDM_CONVERT", CDM_CONVERT, 1756, true, TRUE, 1756, 0, none},
        {"CDM_CONVERT, short", CDM_CONVERT, 1000, true, FALSE, 1000, ERROR_INVALID_PARAMETER, none},
        {"CDM_CONVERT351", CDM_CONVERT351, 196, false, TRUE, 196, 0, none},
        {"CDM_CONVERT351, short", CDM_CONVERT351, 195, false, FALSE, 196, ERROR_INSUFFICIENT_BUFFER,
         none},
        {"CDM_DRIVER_DEFAULT", CDM_DRIVER_DEFAULT, 1756, false, TRUE, 1756, 0, defaults},
        {"CDM_DRIVER_DEFAULT, short", CDM_DRIVER_DEFAULT, 1755, false, FALSE, 1756,
         ERROR_INSUFFICIENT_BUFFER, none},
        {"other mode", 8, 1756, false, FALSE, 1756, 0, none},
    };
    unsigned faulted = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<BYTE> out(kDriverDevModeSize);
        auto* pdmOut = reinterpret_cast<DEVMODEW*>(out.data());
        LONG size = 0;
        BOOL answer = FALSE;
        DWORD error = 0;
        auto run = [&] {
            std::fill(out.begin(), out.end(), kSentinel);
            if (c.header) {
                pdmOut->dmSize = sizeof(DEVMODEW);
                pdmOut->dmDriverExtra = sizeof(PrinterSettings);
            }
            size = c.size;
            SetLastError(0);
            answer = DrvConvertDevMode(name.data(), &input.dm, pdmOut, &size, c.fMode);
            error = GetLastError();
        };
        auto check = [&](const Fault* f) {
            // Closing the printer is the last step of writing the defaults; its result is not
            // looked at. Any other fault stops it, with the size already set.
            const bool done = c.answer && (f == nullptr || f->Hits(Op::ClosePrinter, 1));
            EXPECT_EQ(answer, done ? TRUE : FALSE);
            EXPECT_EQ(size, c.sizeOut);
            if (!done) {
                if (f == nullptr) {
                    EXPECT_EQ(error, c.error);
                }
                std::vector<BYTE> untouched(out.size(), kSentinel);
                if (c.header) {
                    std::memcpy(untouched.data(), out.data(), sizeof(DEVMODEW));
                }
                EXPECT_EQ(out, untouched) << "output written by a failed request";
                return;
            }
            DriverDevMode got;
            std::memcpy(&got, out.data(), sizeof got);
            if (c.fMode == CDM_CONVERT351) {
                // The old layout: the first 188 public bytes and the first 8 private ones.
                EXPECT_EQ(got.dm.dmSize, 188);
                EXPECT_EQ(got.dm.dmDriverExtra, 8);
                EXPECT_EQ(got.dm.dmSpecVersion, 0x320);
                EXPECT_EQ(got.dm.dmDriverVersion, 848);
                SHORT work[2];
                std::memcpy(work, out.data() + 188, sizeof work);
                EXPECT_EQ(work[0], kCallers.x);
                EXPECT_EQ(work[1], kCallers.y);
                EXPECT_EQ(out[196], kSentinel);
                return;
            }
            EXPECT_EQ(got.dm.dmSize, 220);
            EXPECT_EQ(got.dm.dmDriverExtra, 1536);
            EXPECT_EQ(got.ps.dwPrivData, kSignature);
            const Work w{got.ps.UserDefinedX, got.ps.UserDefinedY, got.ps.LimitX, got.ps.LimitY};
            EXPECT_EQ(w, c.fMode == CDM_CONVERT ? kCallers : kDefaults);
            if (c.fMode == CDM_DRIVER_DEFAULT) {
                EXPECT_EQ(WString(got.dm.dmDeviceName), WString(printer.model()));
            }
        };
        const Usage clean = Sweep(run, check, CacheUse::None, &faulted);
        for (int op = 0; op < kOpCount; ++op) {
            EXPECT_EQ(clean.calls[op], c.usage.calls[op]) << kOpNames[op];
        }
        EXPECT_EQ(clean.allocations, c.usage.allocations);
    }
    Report("faulted_runs", faulted);
}

} // namespace

#endif // _WIN32
