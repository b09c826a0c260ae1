// Failing every spooler call and every allocation of one request in turn, on the stand-in
// spooler and allocators: count what a clean run uses, then repeat the request once per fault.
// Host tree only.
#pragma once
#ifndef _WIN32

#include <windows.h>

#include "entry/ppd_cache.h"
#include "platform/posix/standin_control.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace faults {

using standin::Op;

inline constexpr DWORD kInjectedError = ERROR_ACCESS_DENIED;
inline constexpr int kOpCount = static_cast<int>(Op::Count);

inline const char* const kOpNames[kOpCount] = {
    "OpenPrinter",
    "ClosePrinter",
    "GetPrinter",
    "GetPrinterDriver",
    "GetPrinterDriverDirectory",
    "GetPrinterData",
    "SetPrinterData",
    "StartDocPrinter",
    "StartPagePrinter",
    "EndPagePrinter",
    "EndDocPrinter",
    "WritePrinter",
};

// One fault: the nth call of a spooler operation, or the nth allocation.
struct Fault {
    bool allocation;
    Op op;
    unsigned nth;

    bool Hits(Op o, unsigned n) const { return !allocation && op == o && nth == n; }
    bool HitsAllocation(unsigned n) const { return allocation && nth == n; }
};

inline std::string Describe(const Fault& f) {
    return (f.allocation ? std::string("allocation") : std::string(kOpNames[int(f.op)])) + " #" +
           std::to_string(f.nth);
}

struct Usage {
    unsigned calls[kOpCount] = {};
    unsigned allocations = 0;
    unsigned Calls(Op op) const { return calls[static_cast<int>(op)]; }
    unsigned SpoolerCalls() const {
        unsigned total = 0;
        for (unsigned c : calls) {
            total += c;
        }
        return total;
    }
};

// The calls and allocations of one clean run.
inline Usage Measure(const std::function<void()>& run) {
    standin::ResetCounts();
    run();
    Usage u;
    for (int i = 0; i < kOpCount; ++i) {
        u.calls[i] = standin::CallCount(static_cast<Op>(i));
    }
    u.allocations = standin::AllocationCount();
    return u;
}

inline std::vector<Fault> EveryFault(const Usage& u) {
    std::vector<Fault> faults;
    for (int i = 0; i < kOpCount; ++i) {
        for (unsigned n = 1; n <= u.calls[i]; ++n) {
            faults.push_back({false, static_cast<Op>(i), n});
        }
    }
    for (unsigned n = 1; n <= u.allocations; ++n) {
        faults.push_back({true, Op::Count, n});
    }
    return faults;
}

inline void Arm(const Fault& f) {
    standin::ResetCounts();
    if (f.allocation) {
        standin::FailAllocation(f.nth);
    } else {
        standin::FailCall(f.op, f.nth, kInjectedError);
    }
}

// A fault that was not reached must not hit the next run.
inline void Disarm() {
    for (int i = 0; i < kOpCount; ++i) {
        standin::FailCall(static_cast<Op>(i), 0, 0);
    }
    standin::FailAllocation(0);
}

struct CacheView {
    PpdData* cached;
    WORD count;
};

inline CacheView PeekCache() {
    CacheView v{};
    PeekPpdCache(&v.cached, &v.count);
    return v;
}

// Building a UI context: until the device data record exists (private heap, context, driver
// information, record), a failing request has not touched the cache.
inline constexpr unsigned kAllocationsBeforeRecord = 4;

inline bool FailsBeforeRecordExists(const Fault& f) {
    return f.allocation ? f.nth <= kAllocationsBeforeRecord : f.op == Op::GetPrinterDriver;
}

// What a request does to an idle cached record.
enum class CacheUse {
    None,     // never touches the cache
    Replaces, // builds a UI context: a new record replaces the idle one once it exists
};

// Runs a request clean, then once per spooler call and allocation of the clean run with that one
// failing. check(fault) judges what the request answered (fault null: the clean run). After
// every run no record is lent, the cache holds what it must, and nothing leaked. Returns the
// clean run's usage; *faulted counts the faulted runs.
inline Usage Sweep(const std::function<void()>& run, const std::function<void(const Fault*)>& check,
                   CacheUse cache, unsigned* faulted) {
    auto judge = [&](const Fault* f, const CacheView& before, long live) {
        check(f);
        const CacheView after = PeekCache();
        EXPECT_EQ(after.count, 0) << "a record is still lent";
        if (cache == CacheUse::None || (f != nullptr && FailsBeforeRecordExists(*f))) {
            EXPECT_EQ(after.cached, before.cached) << "cache changed";
        } else {
            EXPECT_NE(after.cached, before.cached) << "the idle record was not replaced";
            EXPECT_NE(after.cached, nullptr);
        }
        EXPECT_EQ(standin::LiveAllocations(), live) << "leaked";
    };

    long live = standin::LiveAllocations();
    CacheView before = PeekCache();
    const Usage clean = Measure(run);
    judge(nullptr, before, live);

    const std::vector<Fault> all = EveryFault(clean);
    for (const Fault& f : all) {
        SCOPED_TRACE(Describe(f));
        live = standin::LiveAllocations();
        before = PeekCache();
        Arm(f);
        run();
        Disarm();
        judge(&f, before, live);
    }
    *faulted += static_cast<unsigned>(all.size());
    return clean;
}

} // namespace faults

#endif // _WIN32
