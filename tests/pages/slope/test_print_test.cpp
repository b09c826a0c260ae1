// The test-print job: its exact text for both models, and in the stand-in's spooler the job it
// makes, with what happens when the spooler refuses the printer, the document or the write.
#include "pages/slope/test_print.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#ifndef _WIN32
#include "platform/posix/standin_control.h"
#include "tests/support/test_printer.h"
#endif

namespace {

std::string Job(SHORT baseDpi, LONG pattern) {
    const TestPrintJob job = BuildTestPrintJob(baseDpi, pattern);
    return std::string(job.text, job.length);
}

} // namespace

TEST(TestPrintJob, BarePjlLineForTheKlv20UniversalExitLanguageFirstOtherwise) {
    EXPECT_EQ(Job(1016, 2), "@PJL DO TESTPRINT=2\n");
    EXPECT_EQ(Job(1058, 0), "\x1b%-12345X\n@PJL DO TESTPRINT=0\n");
    EXPECT_EQ(Job(1016, -1), "@PJL DO TESTPRINT=-1\n");
    EXPECT_EQ(Job(1017, 1), "\x1b%-12345X\n@PJL DO TESTPRINT=1\n");
    // The longest pattern fills the job text exactly.
    EXPECT_EQ(Job(0, INT32_MIN), "\x1b%-12345X\n@PJL DO TESTPRINT=-2147483648\n");
    EXPECT_EQ(Job(0, INT32_MIN).size(), static_cast<size_t>(kTestPrintJobMax));
}

#ifndef _WIN32
namespace {

using standin::Op;

std::string Bytes(const standin::Job& job) {
    return std::string(job.bytes.begin(), job.bytes.end());
}

class StandInTestPrint : public ::testing::Test {
  protected:
    StandInTestPrint() { SetDefaultDevMode(&dm_, printer_.name()); }

    TestPrinter printer_{TEXT("Velmar VORIKA KLV-20")};
    DriverDevMode dm_;
};

} // namespace

TEST_F(StandInTestPrint, OneRawDocumentOfOnePageToTheNamedPrinterOpenedWithTheDevMode) {
    // The device name is read to all its 32 characters, with no NUL after them.
    const standin::WString name(32, 'P');
    standin::AddPrinter({name, TEXT("Velmar VORIKA KLV-20"), {}, false});
    std::copy(name.begin(), name.end(), dm_.dm.dmDeviceName);
    dm_.ps.BaseDpi = 1016;
    EXPECT_EQ(TestPrint(&dm_, 2), 1);
    ASSERT_EQ(standin::Jobs().size(), 1u);
    const standin::Job& job = standin::Jobs()[0];
    EXPECT_EQ(job.printer + job.docName + job.datatype, name + TEXT("TestPrintRAW"));
    EXPECT_EQ(Bytes(job), "@PJL DO TESTPRINT=2\n");
    EXPECT_EQ(job.pagesStarted + job.pagesEnded, 2);
    EXPECT_TRUE(job.ended);
    EXPECT_EQ(standin::CallCount(Op::WritePrinter), 1u);
    const standin::PrinterOpen& open = standin::Opens().back();
    EXPECT_EQ(open.datatype, standin::WString(TEXT("RAW")));
    EXPECT_EQ(open.devMode, &dm_.dm);
    EXPECT_EQ(open.access, 0xF000Cu);
    EXPECT_EQ(standin::CallCount(Op::ClosePrinter), 1u);
    EXPECT_EQ(TestPrint(nullptr, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(StandInTestPrint, EveryRefusalAnswersZeroAndClosesWhatWasOpened) {
    struct Refusal {
        Op op;          // the call refused; WritePrinter with 0 error takes 5 bytes only
        DWORD error;
        TestPrintOutcome outcome;
        bool ended;     // the page and the document were ended
    };
    const Refusal refusals[] = {
        {Op::OpenPrinter, ERROR_INVALID_PRINTER_NAME, TestPrintOutcome::NoPrinter, false},
        {Op::StartDocPrinter, ERROR_ACCESS_DENIED, TestPrintOutcome::NoDocument, false},
        {Op::WritePrinter, ERROR_ACCESS_DENIED, TestPrintOutcome::WriteFailed, true},
        {Op::WritePrinter, 0, TestPrintOutcome::WriteShort, true},
    };
    for (const Refusal& r : refusals) {
        standin::Reset();
        standin::AddPrinter({printer_.name(), TEXT("Velmar VORIKA KLV-20"), {}, false});
        if (r.error == 0) {
            standin::ShortenWrite(1, 5);
        } else {
            standin::FailCall(r.op, 1, r.error);
        }
        // The start of the page is not looked at.
        standin::FailCall(Op::StartPagePrinter, 1, ERROR_ACCESS_DENIED);
        const TestPrintReport report = SendTestPrint(&dm_, 2);
        EXPECT_EQ(report.outcome, r.outcome);
        EXPECT_EQ(report.error, r.error);
        const unsigned opened = r.op == Op::OpenPrinter ? 0 : 1;
        EXPECT_EQ(standin::CallCount(Op::ClosePrinter), opened);
        EXPECT_EQ(standin::CallCount(Op::StartDocPrinter), opened);
        EXPECT_EQ(standin::CallCount(Op::EndPagePrinter), r.ended ? 1u : 0u);
        EXPECT_EQ(standin::CallCount(Op::EndDocPrinter), r.ended ? 1u : 0u);
    }
    EXPECT_EQ(Bytes(standin::Jobs().at(0)), "\x1b%-12");
    EXPECT_EQ(TestPrint(&dm_, 2), 1);
    standin::ShortenWrite(1, 29);
    EXPECT_EQ(TestPrint(&dm_, 2), 0);
}
#endif
