// Every exported entry point that reaches the spooler or allocates, run once clean and then once
// with each of its spooler calls and allocations failed in turn. A faulted run gives the clean
// answer or one of the answers the entry point's rules allow on failure, writes nothing when it
// fails, lends no device data record, keeps an idle record alive or replaces it, and leaks
// nothing. Host tree only: the stand-in spooler and allocators inject the faults.
#ifndef _WIN32

#include <windows.h>

#include "entry/driver_ui.h"
#include "entry/ui_context.h"
#include "platform/posix/standin_control.h"
#include "settings/printer_data.h"
#include "tests/support/devmode_bytes.h"
#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace {

using namespace testdm;
using standin::Op;

constexpr int kOps = static_cast<int>(Op::Count);

// What one run gave back: its answer and the caller's output bytes.
struct Result {
    long answer;
    Bytes output;
    bool operator==(const Result&) const = default;
};

std::pair<PpdData*, WORD> PeekCache() {
    std::pair<PpdData*, WORD> v{};
    PeekPpdCache(&v.first, &v.second);
    return v;
}

// Runs the request clean, then once per spooler call and allocation of the clean run with that
// one failing (the last "operation" stands for the allocations). `allowed` are the answers a
// failure may give besides the clean one; some fault must give the first. A request that builds
// a UI context (`replaces`) leaves a new idle record when it got as far as making one.
void Sweep(const char* what, const std::function<Result()>& run, const std::vector<Result>& allowed,
           bool replaces) {
    SCOPED_TRACE(what);
    const long live = standin::LiveAllocations();
    standin::ResetCounts();
    const Result clean = run();
    unsigned counts[kOps + 1];
    for (int op = 0; op < kOps; ++op) {
        counts[op] = standin::CallCount(static_cast<Op>(op));
    }
    counts[kOps] = standin::AllocationCount();
    unsigned failures = 0;
    for (int op = 0; op <= kOps; ++op) {
        for (unsigned nth = 1; nth <= counts[op]; ++nth) {
            SCOPED_TRACE("operation " + std::to_string(op) + " #" + std::to_string(nth));
            const auto before = PeekCache();
            standin::ResetCounts();
            if (op == kOps) {
                standin::FailAllocation(nth);
            } else {
                standin::FailCall(static_cast<Op>(op), nth, ERROR_ACCESS_DENIED);
            }
            const Result got = run();
            standin::FailAllocation(0); // a fault not reached must not hit the next run
            for (int o = 0; o < kOps; ++o) {
                standin::FailCall(static_cast<Op>(o), 0, 0);
            }
            EXPECT_TRUE(got == clean ||
                        std::find(allowed.begin(), allowed.end(), got) != allowed.end())
                << "answer " << got.answer << " (clean: " << clean.answer << ")";
            failures += got == allowed.front();
            const auto after = PeekCache();
            EXPECT_EQ(after.second, before.second) << "a record is still lent";
            EXPECT_TRUE(replaces || after.first == before.first);
            ASSERT_NE(after.first, nullptr);
            EXPECT_STREQ(after.first->szFileName, "klv20.tpd");
            EXPECT_EQ(standin::LiveAllocations(), live) << "leaked";
        }
    }
    EXPECT_GT(failures, 0u) << "no fault made the request fail";
}

// A printer whose settings are stored whole or not at all, and an idle record in the cache.
class EntryFaultSweep : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        if (GetParam()) {
            ASSERT_EQ(SavePrinterProperties(printer_.handle(), &stored_, sizeof stored_), 1u);
        }
        ReleaseUiData(FillUiData(printer_.handle(), nullptr));
        caller_.ps = Record(640, 330);
    }
    TestPrinter printer_{kKlv20};
    PrinterSettings stored_ = Record(720, 410);
    DriverDevMode caller_ = Defaults(kKlv20);
    LPWSTR device_ = const_cast<LPWSTR>(kKlv20);
};

INSTANTIATE_TEST_SUITE_P(StoredOrNot, EntryFaultSweep, ::testing::Bool());

TEST_P(EntryFaultSweep, DocumentRequests) {
    for (DEVMODEW* in : {static_cast<DEVMODEW*>(nullptr), &caller_.dm}) {
        auto run = [&] {
            Bytes out(1756, 0xA5);
            const LONG answer =
                DrvDocumentProperties(nullptr, printer_.handle(), device_,
                                      reinterpret_cast<DEVMODEW*>(out.data()), in, DM_COPY);
            return Result{answer, out};
        };
        EXPECT_EQ(run().answer, IDOK);
        Sweep(in ? "with a caller's DEVMODE" : "without", run, {{-1, Bytes(1756, 0xA5)}}, true);
        // With a context held the next request gets a record of its own, and the faults must
        // leave the lent one lent.
        UiData* held = FillUiData(printer_.handle(), nullptr);
        ASSERT_NE(held, nullptr);
        Sweep("while a context is open", run, {{-1, Bytes(1756, 0xA5)}}, false);
        ReleaseUiData(held);
    }
}

// A stored record that cannot be read gives way to the same settings in its field values.
TEST_P(EntryFaultSweep, DeviceCapabilities) {
    for (DEVMODEW* in : {static_cast<DEVMODEW*>(nullptr), &caller_.dm}) {
        auto run = [&] {
            Bytes out(16, 0xA5);
            const DWORD answer =
                DrvDeviceCapabilities(printer_.handle(), device_, DC_PAPERSIZE, out.data(), in);
            return Result{static_cast<long>(answer), out};
        };
        Sweep("capabilities", run, {{long{0xFFFFFFFF}, Bytes(16, 0xA5)}}, false);
    }
}

TEST_P(EntryFaultSweep, DriverDefaultConversion) {
    WString name(printer_.name());
    auto run = [&] {
        Bytes out(1756, 0xA5);
        LONG size = 1756;
        const BOOL answer =
            DrvConvertDevMode(name.data(), nullptr, reinterpret_cast<DEVMODEW*>(out.data()), &size,
                              CDM_DRIVER_DEFAULT);
        EXPECT_EQ(size, 1756);
        return Result{answer, out};
    };
    const DriverDevMode defaults = Defaults(kKlv20);
    EXPECT_EQ(run(), (Result{TRUE, Slice(&defaults, 0, sizeof defaults)}));
    Sweep("driver defaults", run, {{FALSE, Bytes(1756, 0xA5)}}, false);
}

} // namespace

#endif
