// The test print in the stand-in's spooler: the exact job for both models, the printer it goes to
// and how it is opened, and what happens when the printer is missing or the spooler refuses or
// shortens a step.
#ifndef _WIN32
#include "pages/slope/test_print.h"

#include "platform/posix/standin_control.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

TEST(StandInTestPrint, OneJobOfOnePageEndedAndClosedWhateverTheSpoolerRefuses) {
    using standin::Op;
    using O = TestPrintOutcome;
    // Unknown: the name names no printer; Short: the write takes 5 bytes.
    enum Step { None, Unknown, Document, Write, Short };
    // clang-format off
    // The step refused, the model's base resolution, the pattern; the outcome, its error and the
    // job's bytes (null: no job).
    const std::tuple<Step, SHORT, LONG, O, DWORD, const char*> cases[] = {
        {None, 1016, 2, O::Written, 0, "@PJL DO TESTPRINT=2\n"},
        // The other model's form; the longest pattern fills the job's 40 bytes.
        {None, 0, INT32_MIN, O::Written, 0, "\x1b%-12345X\n@PJL DO TESTPRINT=-2147483648\n"},
        {Unknown, 1016, 2, O::NoPrinter, ERROR_INVALID_PRINTER_NAME, nullptr},
        {Document, 1016, 2, O::NoDocument, ERROR_ACCESS_DENIED, nullptr},
        {Write, 1016, 2, O::WriteFailed, ERROR_ACCESS_DENIED, ""},
        {Short, 1016, 2, O::WriteShort, 0, "@PJL "}};
    // clang-format on
    // The job goes to the printer named, longer than a DEVMODE's device name, never to the one
    // that the device name (the driver's) happens to name.
    const standin::WString name(40, 'P');
    const standin::WString model = TEXT("Velmar VORIKA KLV-20");
    DriverDevMode dm;
    SetDefaultDevMode(&dm, model.c_str());
    for (const auto& [refused, baseDpi, pattern, outcome, error, bytes] : cases) {
        standin::Reset();
        standin::AddPrinter({model, model, {}, false});
        standin::AddPrinter({refused == Unknown ? name + TEXT("Q") : name, model, {}, false});
        dm.ps.BaseDpi = baseDpi;
        standin::FailCall(Op::StartDocPrinter, refused == Document, error);
        standin::FailCall(Op::WritePrinter, refused == Write, error);
        standin::ShortenWrite(refused == Short, 5);
        const TestPrintReport report = SendTestPrint(name.c_str(), &dm, pattern);
        EXPECT_EQ(std::pair(report.outcome, report.error), std::pair(outcome, error));
        EXPECT_EQ(standin::CallCount(Op::ClosePrinter), standin::Opens().size()) << refused;
        ASSERT_EQ(standin::Jobs().size(), bytes == nullptr ? 0u : 1u) << refused;
        if (bytes != nullptr) {
            // Opened for use only: full access is for administrators.
            const standin::PrinterOpen& open = standin::Opens().at(0);
            const standin::Job& job = standin::Jobs().at(0);
            EXPECT_EQ(open.datatype + open.printer + job.docName + job.datatype,
                      TEXT("RAW") + name + TEXT("TestPrintRAW"));
            EXPECT_EQ(std::tuple(open.devMode, open.access,
                                 std::string(job.bytes.begin(), job.bytes.end())),
                      std::tuple(&dm.dm, DWORD{PRINTER_ACCESS_USE}, std::string(bytes)));
            EXPECT_TRUE(job.ended && job.pagesEnded == 1 && job.pagesStarted == 1);
        }
    }
    // No name would open the print server; no record, nothing to print.
    const size_t opened = standin::Opens().size();
    EXPECT_EQ(TestPrint(nullptr, &dm, 2) + TestPrint(name.c_str(), nullptr, 2), 0);
    EXPECT_EQ(standin::Opens().size(), opened);
}
#endif
