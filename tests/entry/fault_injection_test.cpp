// Every spooler call and every allocation of a request failed in turn: the request answers as it
// must, the device data cache is left as it must be, and nothing leaks. Host tree only: the
// stand-in spooler and allocators count calls and fail them on demand.
#ifndef _WIN32

#include <windows.h>

#include "entry/driver_ui.h"
#include "entry/ui_context.h"
#include "platform/posix/standin_control.h"
#include "tests/entry/fault_harness.h"
#include "settings/printer_data.h"
#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using namespace faults;

const LPCWSTR kKlv20 = TEXT("Velmar VORIKA KLV-20");

PrinterSettings StoredRecord() {
    DriverDevMode d;
    SetDefaultDevMode(&d, kKlv20);
    d.ps.UserDefinedX = 720;
    d.ps.UserDefinedY = 410;
    return d.ps;
}

// Leaves an idle record in the cache, so that every request below replaces one.
void WarmCache(HANDLE printer) {
    UiData* ui = FillUiData(printer, nullptr);
    ASSERT_NE(ui, nullptr);
    ReleaseUiData(ui);
}

TEST(FaultInjection, FillUiDataFromStoredProperties) {
    TestPrinter printer(kKlv20);
    const PrinterSettings stored = StoredRecord();
    ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);
    WarmCache(printer.handle());

    const Usage clean = Measure([&] { ReleaseUiData(FillUiData(printer.handle(), nullptr)); });
    // Two sized reads, then the stored whole record (its size, then its data).
    EXPECT_EQ(clean.Calls(Op::GetPrinterDriver), 2u);
    EXPECT_EQ(clean.Calls(Op::GetPrinter), 2u);
    EXPECT_EQ(clean.Calls(Op::GetPrinterData), 2u);
    // Heap, context, driver information, record, printer information, driver name, stored block.
    EXPECT_EQ(clean.allocations, 7u);

    for (const Fault& f : EveryFault(clean)) {
        SCOPED_TRACE(Describe(f));
        const long live = standin::LiveAllocations();
        const CacheView before = PeekCache();
        Arm(f);
        UiData* ui = FillUiData(printer.handle(), nullptr);
        Disarm();
        // Reading the stored properties falls back to the per-field values, which hold the same
        // settings; only a missing record or spooler information stops the request.
        const bool storedRead = f.allocation ? f.nth == 7 : f.op == Op::GetPrinterData;
        if (storedRead) {
            ASSERT_NE(ui, nullptr);
            EXPECT_EQ(ui->devmode.ps.UserDefinedX, 720);
            EXPECT_EQ(ui->devmode.ps.UserDefinedY, 410);
            EXPECT_EQ(PeekCache().count, 1);
            ReleaseUiData(ui);
        } else {
            EXPECT_EQ(ui, nullptr);
        }
        const CacheView after = PeekCache();
        EXPECT_EQ(after.count, 0);
        if (FailsBeforeRecordExists(f)) {
            EXPECT_EQ(after.cached, before.cached) << "cache changed by a request that failed";
        } else {
            EXPECT_NE(after.cached, before.cached) << "the idle record was not replaced";
            EXPECT_NE(after.cached, nullptr);
        }
        EXPECT_EQ(standin::LiveAllocations(), live) << "leaked";
    }
}

TEST(FaultInjection, FillUiDataWhileTheCachedRecordIsLent) {
    TestPrinter printer(kKlv20);
    DriverDevMode caller;
    SetDefaultDevMode(&caller, kKlv20);
    caller.ps.UserDefinedX = 640;
    UiData* holder = FillUiData(printer.handle(), nullptr);
    ASSERT_NE(holder, nullptr);
    const CacheView lent = PeekCache();
    ASSERT_EQ(lent.cached, holder->pPpdData);
    ASSERT_EQ(lent.count, 1);

    const Usage clean = Measure([&] { ReleaseUiData(FillUiData(printer.handle(), &caller.dm)); });
    EXPECT_EQ(clean.Calls(Op::GetPrinterData), 0u) << "stored properties read despite a DEVMODE";
    EXPECT_EQ(clean.allocations, 6u);

    for (const Fault& f : EveryFault(clean)) {
        SCOPED_TRACE(Describe(f));
        const long live = standin::LiveAllocations();
        Arm(f);
        UiData* ui = FillUiData(printer.handle(), &caller.dm);
        Disarm();
        EXPECT_EQ(ui, nullptr);
        if (ui != nullptr) {
            ReleaseUiData(ui);
        }
        EXPECT_EQ(PeekCache().cached, lent.cached);
        EXPECT_EQ(PeekCache().count, 1);
        EXPECT_EQ(standin::LiveAllocations(), live) << "leaked";
    }
    ReleaseUiData(holder);
}

TEST(FaultInjection, LoadPpdFileLeavesTheCacheAlone) {
    TestPrinter printer(kKlv20);
    WarmCache(printer.handle());
    const Usage clean = Measure([&] { UnloadPpdFile(LoadPpdFile(printer.handle())); });
    EXPECT_EQ(clean.Calls(Op::GetPrinterDriver), 2u);
    EXPECT_EQ(clean.allocations, 2u);

    for (const Fault& f : EveryFault(clean)) {
        SCOPED_TRACE(Describe(f));
        const long live = standin::LiveAllocations();
        const CacheView before = PeekCache();
        Arm(f);
        EXPECT_EQ(LoadPpdFile(printer.handle()), nullptr);
        Disarm();
        EXPECT_EQ(PeekCache().cached, before.cached);
        EXPECT_EQ(PeekCache().count, before.count);
        EXPECT_EQ(standin::LiveAllocations(), live) << "leaked";
    }
}

TEST(FaultInjection, SizedReadsAnswerNullAndKeepTheSpoolersError) {
    TestPrinter printer(kKlv20);
    struct Read {
        const char* what;
        LPBYTE (*read)(HANDLE, DWORD);
        Op op;
    };
    const Read reads[] = {{"MyGetPrinter", MyGetPrinter, Op::GetPrinter},
                          {"MyGetPrinterDriver", MyGetPrinterDriver, Op::GetPrinterDriver}};
    for (const Read& r : reads) {
        SCOPED_TRACE(r.what);
        const Usage clean = Measure([&] { GlobalFree(r.read(printer.handle(), 2)); });
        EXPECT_EQ(clean.Calls(r.op), 2u) << "not one ask for the size and one for the data";
        EXPECT_EQ(clean.allocations, 1u);

        for (const Fault& f : EveryFault(clean)) {
            SCOPED_TRACE(Describe(f));
            const long live = standin::LiveAllocations();
            SetLastError(0);
            Arm(f);
            EXPECT_EQ(r.read(printer.handle(), 2), nullptr);
            Disarm();
            if (!f.allocation) {
                EXPECT_EQ(GetLastError(), kInjectedError);
            }
            EXPECT_EQ(standin::LiveAllocations(), live) << "leaked";
        }
    }
}

TEST(FaultInjection, DeviceCapabilitiesAnswerOrNotAnswered) {
    TestPrinter printer(kKlv20);
    const PrinterSettings stored = StoredRecord();
    ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);
    WarmCache(printer.handle());
    WString device(kKlv20);
    auto ask = [&](LONG* paper) {
        return DrvDeviceCapabilities(printer.handle(), device.data(), DC_PAPERSIZE, paper, nullptr);
    };
    LONG paper[3] = {};
    const Usage clean = Measure([&] { ask(paper); });
    EXPECT_EQ(clean.allocations, 2u); // the temporary DEVMODE, the stored block

    for (const Fault& f : EveryFault(clean)) {
        SCOPED_TRACE(Describe(f));
        const long live = standin::LiveAllocations();
        const CacheView before = PeekCache();
        LONG out[3] = {-7, -7, -7};
        Arm(f);
        const DWORD answer = ask(out);
        Disarm();
        if (f.allocation && f.nth == 1) {
            EXPECT_EQ(answer, static_cast<DWORD>(-1));
            EXPECT_EQ(out[0], -7);
            EXPECT_EQ(out[1], -7);
        } else {
            // The stored settings still arrive through the per-field values.
            EXPECT_EQ(answer, 1u);
            EXPECT_EQ(out[0], 720);
            EXPECT_EQ(out[1], 410);
        }
        EXPECT_EQ(out[2], -7);
        EXPECT_EQ(PeekCache().cached, before.cached);
        EXPECT_EQ(PeekCache().count, before.count);
        EXPECT_EQ(standin::LiveAllocations(), live) << "leaked";
    }
}

TEST(FaultInjection, DriverDefaultsFailWithoutWriting) {
    TestPrinter printer(kKlv20);
    WarmCache(printer.handle());
    WString name(printer.name());
    std::vector<BYTE> out(1756);
    auto convert = [&](LONG* size) {
        return DrvConvertDevMode(name.data(), nullptr, reinterpret_cast<DEVMODEW*>(out.data()),
                                 size, CDM_DRIVER_DEFAULT);
    };
    LONG size = 1756;
    const Usage clean = Measure([&] { convert(&size); });
    EXPECT_EQ(clean.Calls(Op::OpenPrinter), 1u);
    EXPECT_EQ(clean.Calls(Op::GetPrinterDriver), 2u);
    EXPECT_EQ(clean.Calls(Op::ClosePrinter), 1u);
    EXPECT_EQ(clean.allocations, 2u); // driver information, device data record

    for (const Fault& f : EveryFault(clean)) {
        SCOPED_TRACE(Describe(f));
        const long live = standin::LiveAllocations();
        const CacheView before = PeekCache();
        std::fill(out.begin(), out.end(), BYTE{0xA5});
        size = 1756;
        Arm(f);
        const BOOL converted = convert(&size);
        Disarm();
        EXPECT_EQ(size, 1756);
        // Closing the printer is the last step; its result is not looked at.
        if (!f.allocation && f.op == Op::ClosePrinter) {
            EXPECT_EQ(converted, TRUE);
            DriverDevMode written;
            std::memcpy(&written, out.data(), sizeof written);
            EXPECT_EQ(written.ps.dwPrivData, 0x56495250u);
        } else {
            EXPECT_EQ(converted, FALSE);
            EXPECT_EQ(out, std::vector<BYTE>(1756, 0xA5)) << "output written by a failed request";
        }
        EXPECT_EQ(PeekCache().cached, before.cached);
        EXPECT_EQ(PeekCache().count, before.count);
        EXPECT_EQ(standin::LiveAllocations(), live) << "leaked";
    }
}

} // namespace

#endif // _WIN32
