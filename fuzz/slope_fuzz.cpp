// The Slope correction page's rules and the test print on any record: any readings and switch,
// any base resolution, pattern, scroll code and click, and a DEVMODE whose device name need not
// end. The input is the DriverDevMode's bytes, then the pattern, scroll code and click point.
#include "fuzz/fuzz_input.h"
#include "pages/slope/slope_model.h"
#include "pages/slope/test_print.h"

namespace {

void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "slope_fuzz: %s\n", what);
        std::abort();
    }
}

void CheckJob(SHORT baseDpi, LONG pattern) {
    const TestPrintJob job = BuildTestPrintJob(baseDpi, pattern);
    Check(job.length > 0 && job.length <= kTestPrintJobMax, "job text longer than its room");
    Check(job.text[job.length - 1] == '\n', "job text not ended by a line feed");
    Check((job.text[0] == '@') == (baseDpi == kBaseDpiKlv20), "wrong job form for the base");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    DriverDevMode dm;
    input.Take(&dm, sizeof dm);
    const LONG pattern = input.TakeValue<LONG>();
    const int code = input.TakeValue<int>();
    const int x = input.TakeValue<int>();
    const int y = input.TakeValue<int>();

    const SlopeControls controls = GetSlopeControls(dm.ps);
    Check(controls.checked == (dm.ps.CorrectSlope != 0), "check box differs from the switch");
    if (dm.ps.Rear >= kSlopeMin && dm.ps.Rear <= kSlopeMax && dm.ps.Front >= kSlopeMin &&
        dm.ps.Front <= kSlopeMax) {
        Check(controls.frontRearRatio > -400 && controls.frontRearRatio < 400,
              "ratio of held readings out of range");
    }
    LONG stepped = 0;
    if (SpinReading(dm.ps.Left, code, &stepped)) {
        Check(stepped >= kSlopeMin && stepped <= kSlopeMax, "spin left the range");
    }
    Check(!RevealsServiceControls(x, y, false), "revealed without the chord");
    CheckJob(dm.ps.BaseDpi, pattern);
    // No printer exists here: the device name, ended or not, must only be read.
    Check(SendTestPrint(&dm, pattern).outcome == TestPrintOutcome::NoPrinter, "printed to nothing");
    return 0;
}
