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
    char text[kTestPrintJobMax + 1];
    const int length = BuildTestPrintJob(baseDpi, pattern, text);
    return std::string(text, length);
}

} // namespace

TEST(TestPrintJob, BarePjlLineForTheKlv20UniversalExitLanguageFirstOtherwise) {
    EXPECT_EQ(Job(1016, 2), "@PJL DO TESTPRINT=2\n");
    EXPECT_EQ(Job(1016, 2).size(), 20u);
    EXPECT_EQ(Job(1058, 0), "\x1b%-12345X\n@PJL DO TESTPRINT=0\n");
    EXPECT_EQ(Job(1058, 0).size(), 30u);
    EXPECT_EQ(Job(1016, -1), "@PJL DO TESTPRINT=-1\n");
    EXPECT_EQ(Job(0, 1), "\x1b%-12345X\n@PJL DO TESTPRINT=1\n");
    EXPECT_EQ(Job(1017, 1), "\x1b%-12345X\n@PJL DO TESTPRINT=1\n");
    // The longest pattern fills the job text exactly.
    EXPECT_EQ(Job(1058, INT32_MIN), "\x1b%-12345X\n@PJL DO TESTPRINT=-2147483648\n");
    EXPECT_EQ(Job(1058, INT32_MIN).size(), static_cast<size_t>(kTestPrintJobMax));
}

#ifndef _WIN32
namespace {

using standin::Op;

constexpr DWORD kDiskFull = 112;

class StandInTestPrint : public ::testing::Test {
  protected:
    StandInTestPrint() {
        SetDefaultDevMode(&dm_, printer_.name());
        dm_.ps.BaseDpi = 1016;
    }

    const standin::Job& OnlyJob() {
        EXPECT_EQ(standin::Jobs().size(), 1u);
        return standin::Jobs().front();
    }
    // Every printer the test print opened was closed again.
    void ExpectClosed() {
        EXPECT_EQ(standin::CallCount(Op::ClosePrinter), standin::CallCount(Op::OpenPrinter));
    }

    TestPrinter printer_{TEXT("Velmar VORIKA KLV-20")};
    DriverDevMode dm_;
};

} // namespace

TEST_F(StandInTestPrint, OneRawDocumentOfOnePageWithTheJobTextOpenedWithTheDevMode) {
    EXPECT_EQ(TestPrint(&dm_, 2), 1);
    const standin::Job& job = OnlyJob();
    EXPECT_EQ(job.printer, printer_.name());
    EXPECT_EQ(job.docName, standin::WString(TEXT("TestPrint")));
    EXPECT_EQ(job.datatype, standin::WString(TEXT("RAW")));
    EXPECT_EQ(std::string(job.bytes.begin(), job.bytes.end()), "@PJL DO TESTPRINT=2\n");
    EXPECT_EQ(job.pagesStarted, 1);
    EXPECT_EQ(job.pagesEnded, 1);
    EXPECT_TRUE(job.ended);
    EXPECT_EQ(standin::CallCount(Op::WritePrinter), 1u);
    // The fixture's own handle was opened first.
    ASSERT_EQ(standin::Opens().size(), 2u);
    const standin::PrinterOpen& open = standin::Opens().back();
    ASSERT_TRUE(open.defaults);
    EXPECT_EQ(open.datatype, standin::WString(TEXT("RAW")));
    EXPECT_EQ(open.devMode, &dm_.dm);
    EXPECT_EQ(open.access, 0xF000Cu);
    ExpectClosed();
}

TEST_F(StandInTestPrint, OtherModelsGetTheExitLanguageLineAndNegativePatternsTheirSign) {
    dm_.ps.BaseDpi = 1058;
    EXPECT_EQ(TestPrint(&dm_, -1), 1);
    const standin::Job& job = OnlyJob();
    EXPECT_EQ(std::string(job.bytes.begin(), job.bytes.end()),
              "\x1b%-12345X\n@PJL DO TESTPRINT=-1\n");
}

TEST_F(StandInTestPrint, ADeviceNameOfAllThirtyTwoCharactersNamesThePrinter) {
    const standin::WString longName(32, 'P');
    standin::AddPrinter({longName, TEXT("Velmar VORIKA KLV-20"), {}, false});
    for (int i = 0; i < 32; ++i) {
        dm_.dm.dmDeviceName[i] = 'P';
    }
    EXPECT_EQ(TestPrint(&dm_, 2), 1);
    EXPECT_EQ(OnlyJob().printer, longName);
}

TEST_F(StandInTestPrint, ANameThatNamesNoPrinterStartsNoDocument) {
    SetDefaultDevMode(&dm_, TEXT("No such printer"));
    const TestPrintReport report = SendTestPrint(&dm_, 2);
    EXPECT_EQ(report.outcome, TestPrintOutcome::NoPrinter);
    EXPECT_EQ(report.error, static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
    EXPECT_EQ(TestPrint(&dm_, 2), 0);
    EXPECT_EQ(TestPrint(nullptr, 2), 0);
    EXPECT_EQ(standin::CallCount(Op::StartDocPrinter), 0u);
    EXPECT_TRUE(standin::Jobs().empty());
}

TEST_F(StandInTestPrint, ARefusedDocumentStillClosesThePrinter) {
    standin::FailCall(Op::StartDocPrinter, 1, ERROR_ACCESS_DENIED);
    const TestPrintReport report = SendTestPrint(&dm_, 2);
    EXPECT_EQ(report.outcome, TestPrintOutcome::NoDocument);
    EXPECT_EQ(report.error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(standin::CallCount(Op::StartPagePrinter), 0u);
    EXPECT_EQ(standin::CallCount(Op::WritePrinter), 0u);
    EXPECT_EQ(standin::CallCount(Op::EndDocPrinter), 0u);
    EXPECT_EQ(standin::CallCount(Op::ClosePrinter), 1u);
}

TEST_F(StandInTestPrint, AWriteTakenOnlyInPartFailsThoughTheJobIsEnded) {
    standin::ShortenWrite(1, 5);
    const TestPrintReport report = SendTestPrint(&dm_, 2);
    EXPECT_EQ(report.outcome, TestPrintOutcome::WriteShort);
    EXPECT_EQ(report.length, 20u);
    EXPECT_EQ(report.written, 5u);
    const standin::Job& job = OnlyJob();
    EXPECT_EQ(std::string(job.bytes.begin(), job.bytes.end()), "@PJL ");
    EXPECT_EQ(job.pagesEnded, 1);
    EXPECT_TRUE(job.ended);
    ExpectClosed();

    standin::ShortenWrite(1, 5);
    EXPECT_EQ(TestPrint(&dm_, 2), 0);
}

TEST_F(StandInTestPrint, AFailedWriteStillEndsThePageAndTheDocument) {
    standin::FailCall(Op::WritePrinter, 1, kDiskFull);
    // The start of the page is not looked at either.
    standin::FailCall(Op::StartPagePrinter, 1, kDiskFull);
    const TestPrintReport report = SendTestPrint(&dm_, 2);
    EXPECT_EQ(report.outcome, TestPrintOutcome::WriteFailed);
    EXPECT_EQ(report.error, kDiskFull);
    EXPECT_EQ(standin::CallCount(Op::EndPagePrinter), 1u);
    EXPECT_TRUE(OnlyJob().ended);
    ExpectClosed();
}
#endif
