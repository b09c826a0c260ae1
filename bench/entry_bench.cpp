// Per-call time of the entry points on the stand-in spooler, with the spooler calls and
// allocations of one call as counters. Run on demand (scripts/bench); not a test.
#include <windows.h>

#include "bench/capability_names.h"
#include "entry/driver_ui.h"
#include "platform/posix/standin_control.h"
#include "settings/driver_devmode.h"
#include "settings/printer_data.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using standin::Op;
using standin::WString;

const WString kModel = TEXT("Velmar VORIKA KLV-20");
const WString kPrinterName = TEXT("VORIKA bench printer");

enum class Stored { Nothing, WholeRecord };

const char* Name(Stored s) {
    return s == Stored::Nothing ? "nothing stored" : "whole record stored";
}

// A printer of the driver in the stand-in spooler, with its stored settings as asked.
class BenchPrinter {
  public:
    explicit BenchPrinter(Stored stored) {
        standin::Reset();
        standin::AddDriver({kModel, TEXT("klv20.tpd"), TEXT("vorikaui.dll")});
        standin::AddPrinter({kPrinterName, kModel, {}, false});
        WString name = kPrinterName;
        OpenPrinterW(name.data(), &handle_, nullptr);
        if (stored == Stored::WholeRecord) {
            DriverDevMode d;
            SetDefaultDevMode(&d, kModel.c_str());
            SavePrinterProperties(handle_, &d.ps, sizeof d.ps);
        }
    }
    ~BenchPrinter() {
        ClosePrinter(handle_);
        standin::Reset();
    }
    BenchPrinter(const BenchPrinter&) = delete;
    BenchPrinter& operator=(const BenchPrinter&) = delete;
    HANDLE handle() const { return handle_; }

  private:
    HANDLE handle_ = nullptr;
};

unsigned SpoolerCalls() {
    unsigned total = 0;
    for (int op = 0; op < static_cast<int>(Op::Count); ++op) {
        total += standin::CallCount(static_cast<Op>(op));
    }
    return total;
}

// Times call() and reports the spooler calls and allocations of one call.
void Run(benchmark::State& state, const std::function<void()>& call) {
    call(); // the first call fills the device data cache, as in a running process
    standin::ResetCounts();
    for (auto _ : state) {
        call();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["spooler_calls"] = SpoolerCalls() / n;
    state.counters["allocations"] = standin::AllocationCount() / n;
}

DriverDevMode CallersDevMode() {
    DriverDevMode d;
    SetDefaultDevMode(&d, kModel.c_str());
    return d;
}

void DeviceCapabilities(benchmark::State& state, WORD capability, const Stored* stored) {
    BenchPrinter printer(stored != nullptr ? *stored : Stored::Nothing);
    DriverDevMode input = CallersDevMode();
    DEVMODEW* pdm = stored != nullptr ? nullptr : &input.dm;
    WString device = kModel;
    std::vector<BYTE> out(256);
    Run(state, [&] {
        benchmark::DoNotOptimize(
            DrvDeviceCapabilities(printer.handle(), device.data(), capability, out.data(), pdm));
    });
}

void DocumentPropertiesCopy(benchmark::State& state, const Stored* stored) {
    BenchPrinter printer(stored != nullptr ? *stored : Stored::Nothing);
    DriverDevMode input = CallersDevMode();
    DEVMODEW* pdmIn = stored != nullptr ? nullptr : &input.dm;
    WString device = kModel;
    std::vector<BYTE> out(kDriverDevModeSize);
    Run(state, [&] {
        benchmark::DoNotOptimize(DrvDocumentProperties(nullptr, printer.handle(), device.data(),
                                                       reinterpret_cast<DEVMODEW*>(out.data()),
                                                       pdmIn, DM_COPY));
    });
}

void ConvertDevMode(benchmark::State& state, DWORD fMode) {
    BenchPrinter printer(Stored::Nothing);
    DriverDevMode input = CallersDevMode();
    WString name = kPrinterName;
    std::vector<BYTE> out(kDriverDevModeSize);
    auto* pdmOut = reinterpret_cast<DEVMODEW*>(out.data());
    const LONG size = fMode == CDM_CONVERT351 ? 196 : kDriverDevModeSize;
    Run(state, [&] {
        // The caller prepares the output's header for a plain conversion.
        pdmOut->dmSize = sizeof(DEVMODEW);
        pdmOut->dmDriverExtra = sizeof(PrinterSettings);
        LONG needed = size;
        benchmark::DoNotOptimize(DrvConvertDevMode(name.data(), &input.dm, pdmOut, &needed, fMode));
    });
}

const Stored kNothing = Stored::Nothing;
const Stored kWhole = Stored::WholeRecord;

void Register() {
    for (WORD capability = 1; capability <= 18; ++capability) {
        const std::string base =
            std::string("DrvDeviceCapabilities/") + kCapabilityNames[capability];
        for (const Stored* stored : {&kNothing, &kWhole, static_cast<const Stored*>(nullptr)}) {
            const std::string name =
                base + "/" + (stored != nullptr ? Name(*stored) : "with DEVMODE");
            benchmark::RegisterBenchmark(name.c_str(), DeviceCapabilities, capability, stored);
        }
    }
    for (const Stored* stored : {&kNothing, &kWhole, static_cast<const Stored*>(nullptr)}) {
        const std::string name = std::string("DrvDocumentProperties/DM_COPY/") +
                                 (stored != nullptr ? Name(*stored) : "with input DEVMODE");
        benchmark::RegisterBenchmark(name.c_str(), DocumentPropertiesCopy, stored);
    }
    const std::pair<const char*, DWORD> modes[] = {{"CDM_CONVERT", CDM_CONVERT},
                                                   {"CDM_CONVERT351", CDM_CONVERT351},
                                                   {"CDM_DRIVER_DEFAULT", CDM_DRIVER_DEFAULT},
                                                   {"other mode (8)", 8}};
    for (const auto& [label, mode] : modes) {
        benchmark::RegisterBenchmark((std::string("DrvConvertDevMode/") + label).c_str(),
                                     ConvertDevMode, mode);
    }
}

} // namespace

int main(int argc, char** argv) {
    // The entry points run inside a started module, as in a process that loaded the DLL.
    DllInitialize(nullptr, DLL_PROCESS_ATTACH, nullptr);
    Register();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DllInitialize(nullptr, DLL_PROCESS_DETACH, nullptr);
    return 0;
}
