// Every exported entry point that reaches the spooler or allocates, run once clean and then once
// with each of its spooler calls and allocations failed in turn: by handle and by printer name,
// with and without a caller's DEVMODE, with the cache's record idle. A faulted run gives the clean
// result or the entry point's failure, which writes nothing; some fault gives the failure; no
// record stays lent, the idle one stays alive; no memory and no printer handle leak.
// Host tree only: the stand-in spooler and allocators inject the faults.

#include "context/ui_context.h"
#include "entry/driver_ui.h"
#include "platform/posix/standin_control.h"
#include "tests/support/devmode_bytes.h"
#include "tests/support/test_sheet_host.h"

#include <functional>

namespace {

using namespace testdm;
using standin::Op;

constexpr unsigned kOps = static_cast<unsigned>(Op::Count);

enum Entry { Advanced, SpoolerCall, Caps, PrinterSheet, Conversion, kEntries };

// Asks an entry point with the printer's handle (null: by name only), its name, the caller's
// DEVMODE and an output; its answer, -1 for every failure. A sheet is confirmed as `shown`.
long Ask(Entry entry, HANDLE h, LPWSTR n, DEVMODEW* in, DEVMODEW* out, HANDLE printer,
         SHORT shown) {
    TestSheetHost host(true, true, shown);
    host.info.Result = CPSUI_OK; // the printer sheet's result when confirmed
    DOCUMENTPROPERTYHEADER header{sizeof header, 0, h, n, in, out, 0, DM_COPY};
    LONG size = 1756;
    switch (entry) {
    case Advanced:
        return DrvAdvancedDocumentProperties(nullptr, h, n, out, in) ? 1 : -1;
    case SpoolerCall:
        return DrvDocumentPropertySheets(nullptr, LPARAM(&header));
    case Caps:
        return static_cast<LONG>(DrvDeviceCapabilities(h, n, DC_PAPERSIZE, out, in));
    case PrinterSheet:
        return PrinterProperties(nullptr, printer) ? 1 : -1;
    default:
        return DrvConvertDevMode(n, nullptr, out, &size, CDM_DRIVER_DEFAULT) ? 1 : -1;
    }
}

using Result = std::pair<long, Bytes>; // the answer and the output buffer

// The clean run, then one run per spooler call and allocation of the clean run with that one
// failing (operation kOps stands for the allocations). A faulted run may also give `degraded`.
void Sweep(const std::function<Result()>& run, const Result& degraded) {
    const Result failed{-1, Bytes(1756, 0xA5)};
    const long live = standin::LiveAllocations();
    const long handles = standin::OpenHandles();
    standin::ResetCounts();
    const Result clean = run();
    ASSERT_NE(clean.first, -1);
    unsigned counts[kOps + 1] = {standin::AllocationCount()};
    for (unsigned op = 0; op < kOps; ++op) {
        counts[op + 1] = standin::CallCount(static_cast<Op>(op));
    }
    bool someFailed = false;
    for (unsigned op = 0; op <= kOps; ++op) {
        for (unsigned nth = 1; nth <= counts[op]; ++nth) {
            SCOPED_TRACE(testing::Message() << "operation " << op << " #" << nth);
            standin::ResetCounts();
            // Operation 0 is the allocations, then the spooler's calls; a fault not reached must
            // not hit the next run.
            standin::FailAllocation(op == 0 ? nth : 0);
            standin::FailCall(static_cast<Op>(op - (op > 0)), op > 0 ? nth : 0,
                              ERROR_ACCESS_DENIED);
            const Result got = run();
            standin::FailAllocation(0);
            standin::FailCall(static_cast<Op>(op - (op > 0)), 0, 0);
            EXPECT_TRUE(got == clean || got == failed || got == degraded) << got.first;
            someFailed |= got == failed;
            EXPECT_EQ(PeekCache().second, 0) << "a record is still lent";
            EXPECT_STREQ(PeekCache().first->szFileName, "klv20.tpd");
            EXPECT_EQ(standin::LiveAllocations(), live) << "leaked memory";
            EXPECT_EQ(standin::OpenHandles(), handles) << "leaked a printer handle";
        }
    }
    EXPECT_TRUE(someFailed) << "no fault made the request fail";
}

// On a printer with its settings stored.
TEST(EntryFaultSweep, EveryEntryPoint) {
    StoredPrinter printer;
    DriverDevMode caller = Defaults(kKlv20);
    caller.ps = StoredSettings(printer.handle(), kKlv20);
    // The caller's DEVMODE carries what is stored, and the user confirms what the sheet shows:
    // a save repeated under a fault stores the same. Capabilities of a printer that can't be
    // opened by its name are those of the defaults.
    Bytes defaultSize(1756, 0xA5);
    const LONG extent[2] = {500, 500};
    std::memcpy(defaultSize.data(), extent, sizeof extent);
    ReleaseUiData(FillUiData(printer.handle(), nullptr)); // an idle record, as after any request
    for (int entry = 0; entry < kEntries; ++entry) {
        for (HANDLE handle : {printer.handle(), HANDLE{}}) {
            for (DEVMODEW* in : {&caller.dm, static_cast<DEVMODEW*>(nullptr)}) {
                SCOPED_TRACE(testing::Message() << "entry " << entry << (handle ? "" : " by name")
                                                << (in ? " with a DEVMODE" : ""));
                auto run = [&] {
                    Bytes out(1756, 0xA5);
                    auto* pdmOut = reinterpret_cast<DEVMODEW*>(out.data());
                    return Result{Ask(Entry(entry), handle, printer.name(), in, pdmOut,
                                      printer.handle(), caller.ps.UserDefinedX),
                                  out};
                };
                const bool unopened = entry == Caps && !handle && !in;
                const Result degraded{1, unopened ? defaultSize : Bytes{}};
                Sweep(run, degraded);
                const DriverDevMode defaults = Defaults(kKlv20); // its driver's, not its name's
                if (entry == Conversion) {
                    EXPECT_EQ(run().second, Slice(&defaults, 0, sizeof defaults));
                }
            }
        }
    }
}

} // namespace
