// The test-print job: its exact text for both models, and in the stand-in's spooler the job it
// makes, with what happens when the printer is missing or the spooler refuses or shortens a step.
#include "pages/slope/test_print.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#ifndef _WIN32
#include "platform/posix/standin_control.h"
#endif

TEST(TestPrintJob, BarePjlLineForTheKlv20UniversalExitLanguageFirstOtherwise) {
    const auto text = [](SHORT baseDpi, LONG pattern) {
        const TestPrintJob job = BuildTestPrintJob(baseDpi, pattern);
        return std::string(job.text, job.length);
    };
    EXPECT_EQ(text(1016, 2), "@PJL DO TESTPRINT=2\n");
    EXPECT_EQ(text(1058, 0), "\x1b%-12345X\n@PJL DO TESTPRINT=0\n");
    EXPECT_EQ(text(1016, -1), "@PJL DO TESTPRINT=-1\n");
    EXPECT_EQ(text(1017, 1), "\x1b%-12345X\n@PJL DO TESTPRINT=1\n");
    // The longest pattern fills the job's 40 bytes.
    EXPECT_EQ(text(0, INT32_MIN), "\x1b%-12345X\n@PJL DO TESTPRINT=-2147483648\n");
}

#ifndef _WIN32
TEST(StandInTestPrint, OneRawPageOfOneWriteEndedAndClosedWhateverTheSpoolerRefuses) {
    using standin::CallCount;
    using standin::Op;
    using O = TestPrintOutcome;
    enum Step { None, Unknown, Document, Write, Short };
    const struct {
        Step refused; // Unknown: the device name names no printer; Short: 5 bytes taken
        O outcome;
        DWORD error;
        unsigned docs;  // documents started, as printers opened and closed
        unsigned pages; // pages started and ended, as documents ended
        const char* bytes;
    } cases[] = {{None, O::Written, 0, 1, 1, "@PJL DO TESTPRINT=2\n"},
                 {Unknown, O::NoPrinter, ERROR_INVALID_PRINTER_NAME, 0, 0, nullptr},
                 {Document, O::NoDocument, ERROR_ACCESS_DENIED, 1, 0, nullptr},
                 {Write, O::WriteFailed, ERROR_ACCESS_DENIED, 1, 1, ""},
                 {Short, O::WriteShort, 0, 1, 1, "@PJL "}};
    // The device name is read to all its 32 characters, with no NUL after them.
    const standin::WString name(32, 'P');
    DriverDevMode dm;
    SetDefaultDevMode(&dm, nullptr);
    dm.ps.BaseDpi = 1016;
    std::copy(name.begin(), name.end(), dm.dm.dmDeviceName);
    for (const auto& c : cases) {
        standin::Reset();
        standin::AddPrinter({c.refused == Unknown ? name + TEXT("Q") : name, TEXT("m"), {}, false});
        const auto refuse = [&] {
            standin::FailCall(Op::StartDocPrinter, c.refused == Document, c.error);
            standin::FailCall(Op::WritePrinter, c.refused == Write, c.error);
            standin::ShortenWrite(c.refused == Short, 5);
            // Only the write decides: the start of a page is not looked at.
            standin::FailCall(Op::StartPagePrinter, 1, ERROR_ACCESS_DENIED);
        };
        refuse();
        const TestPrintReport report = SendTestPrint(&dm, 2);
        EXPECT_EQ(report.outcome, c.outcome) << c.refused;
        EXPECT_EQ(report.error, c.error) << c.refused;
        EXPECT_EQ(CallCount(Op::StartDocPrinter) + CallCount(Op::ClosePrinter), 2 * c.docs);
        EXPECT_EQ(CallCount(Op::StartPagePrinter) + CallCount(Op::EndPagePrinter) +
                      CallCount(Op::EndDocPrinter),
                  3 * c.pages);
        if (c.docs != 0) {
            const standin::PrinterOpen& open = standin::Opens().at(0);
            EXPECT_EQ(open.datatype + TEXT(" ") + open.printer, TEXT("RAW ") + name);
            EXPECT_EQ(open.devMode, &dm.dm);
            EXPECT_EQ(open.access, 0xF000Cu);
        }
        if (c.bytes != nullptr) {
            const standin::Job& job = standin::Jobs().at(0);
            EXPECT_EQ(job.docName + job.datatype, TEXT("TestPrintRAW"));
            EXPECT_EQ(std::string(job.bytes.begin(), job.bytes.end()), c.bytes);
            EXPECT_EQ(CallCount(Op::WritePrinter), 1u);
        }
        refuse();
        EXPECT_EQ(TestPrint(&dm, 2), c.refused == None ? 1 : 0) << c.refused;
    }
    EXPECT_EQ(TestPrint(nullptr, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}
#endif
