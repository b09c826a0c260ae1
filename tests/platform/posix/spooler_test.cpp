// The stand-in spooler answers like the platform's: sized reads, printer data, jobs, and the
// faults and counts that tests rely on.
#include "platform/posix/standin_control.h"

#include <gtest/gtest.h>

#include <cstring>

using standin::Op;
using standin::WString;

namespace {

class StandinSpooler : public ::testing::Test {
  protected:
    void SetUp() override {
        standin::Reset();
        standin::AddDriver({TEXT("Velmar VORIKA KLV-20"), TEXT("klv20.tpd"), TEXT("vorikaui.dll")});
        std::vector<BYTE> devMode(sizeof(DEVMODEW) + 8, 0xAB);
        standin::AddPrinter({TEXT("P1"), TEXT("Velmar VORIKA KLV-20"), devMode, false});
        ASSERT_TRUE(OpenPrinterW(name_.data(), &handle_, nullptr));
    }
    void TearDown() override {
        ClosePrinter(handle_);
        standin::Reset();
    }
    WString name_ = TEXT("P1");
    HANDLE handle_ = nullptr;
};

} // namespace

TEST_F(StandinSpooler, PrinterInfoIsASizedRead) {
    DWORD needed = 0;
    EXPECT_FALSE(GetPrinterW(handle_, 2, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    ASSERT_GT(needed, sizeof(PRINTER_INFO_2W));
    std::vector<BYTE> small(needed - 1);
    EXPECT_FALSE(GetPrinterW(handle_, 2, small.data(), needed - 1, &needed));
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(GetPrinterW(handle_, 2, buffer.data(), needed, &needed));
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    EXPECT_EQ(WString(info->pDriverName), WString(TEXT("Velmar VORIKA KLV-20")));
    ASSERT_NE(info->pDevMode, nullptr);
    EXPECT_EQ(reinterpret_cast<const BYTE*>(info->pDevMode)[sizeof(DEVMODEW) + 7], 0xAB);
    // Everything lies inside the caller's buffer.
    EXPECT_LE(reinterpret_cast<const BYTE*>(info->pDevMode) + sizeof(DEVMODEW) + 8,
              buffer.data() + buffer.size());
}

TEST_F(StandinSpooler, DriverInfoAndDirectoryAreSizedReads) {
    DWORD needed = 0;
    EXPECT_FALSE(GetPrinterDriverW(handle_, nullptr, 2, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(GetPrinterDriverW(handle_, nullptr, 2, buffer.data(), needed, &needed));
    const auto* info = reinterpret_cast<const DRIVER_INFO_2W*>(buffer.data());
    EXPECT_EQ(WString(info->pName), WString(TEXT("Velmar VORIKA KLV-20")));
    const WString dataFile = info->pDataFile;
    EXPECT_EQ(dataFile.substr(dataFile.size() - 9), WString(TEXT("klv20.tpd")));

    EXPECT_FALSE(GetPrinterDriverDirectoryW(nullptr, nullptr, 1, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    std::vector<BYTE> dir(needed);
    ASSERT_TRUE(GetPrinterDriverDirectoryW(nullptr, nullptr, 1, dir.data(), needed, &needed));
    EXPECT_EQ(needed % sizeof(WCHAR), 0u);
    EXPECT_EQ(reinterpret_cast<const WCHAR*>(dir.data())[needed / 2 - 1], 0);
}

TEST_F(StandinSpooler, PrinterDataKeepsTypeAndBytes) {
    BYTE bytes[3] = {1, 2, 3};
    WString name = TEXT("Value");
    ASSERT_EQ(SetPrinterDataW(handle_, name.data(), REG_BINARY, bytes, 3), 0u);
    BYTE out[4] = {};
    DWORD type = 0;
    DWORD needed = 0;
    EXPECT_EQ(GetPrinterDataW(handle_, name.data(), &type, out, 2, &needed),
              static_cast<DWORD>(ERROR_MORE_DATA));
    EXPECT_EQ(needed, 3u);
    EXPECT_EQ(GetPrinterDataW(handle_, name.data(), &type, out, 4, &needed), 0u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(std::memcmp(out, bytes, 3), 0);
    WString missing = TEXT("Missing");
    EXPECT_EQ(GetPrinterDataW(handle_, missing.data(), &type, out, 4, &needed),
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(StandinSpooler, ReadOnlyPrinterRefusesEveryWrite) {
    standin::AddPrinter({TEXT("P2"), TEXT("Velmar VORIKA KLV-20"), {}, true});
    WString p2 = TEXT("P2");
    HANDLE h = nullptr;
    ASSERT_TRUE(OpenPrinterW(p2.data(), &h, nullptr));
    BYTE b = 1;
    WString name = TEXT("Permission");
    EXPECT_EQ(SetPrinterDataW(h, name.data(), REG_DWORD, &b, 1),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(standin::DataCount(p2), 0u);
    ASSERT_EQ(standin::DataWrites().size(), 1u);
    EXPECT_EQ(standin::DataWrites()[0].result, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    ClosePrinter(h);
}

TEST_F(StandinSpooler, FaultHitsExactlyTheNthCall) {
    standin::ResetCounts();
    standin::FailCall(Op::GetPrinter, 2, ERROR_ACCESS_DENIED);
    DWORD needed = 0;
    GetPrinterW(handle_, 2, nullptr, 0, &needed);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    GetPrinterW(handle_, 2, nullptr, 0, &needed);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    GetPrinterW(handle_, 2, nullptr, 0, &needed);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(standin::CallCount(Op::GetPrinter), 3u);
}

TEST_F(StandinSpooler, AllocationFaultHitsExactlyTheNthAllocation) {
    standin::ResetCounts();
    const long live = standin::LiveAllocations();
    standin::FailAllocation(2);
    HGLOBAL a = GlobalAlloc(GMEM_FIXED, 16);
    HGLOBAL b = GlobalAlloc(GMEM_FIXED, 16);
    HGLOBAL c = GlobalAlloc(GMEM_FIXED, 16);
    EXPECT_NE(a, nullptr);
    EXPECT_EQ(b, nullptr);
    EXPECT_NE(c, nullptr);
    EXPECT_EQ(standin::AllocationCount(), 3u);
    EXPECT_EQ(standin::LiveAllocations(), live + 2);
    GlobalFree(a);
    GlobalFree(c);
    EXPECT_EQ(standin::LiveAllocations(), live);
}

TEST_F(StandinSpooler, RawJobRecordsBytesAndBoundaries) {
    WString doc = TEXT("TestPrint");
    WString raw = TEXT("RAW");
    DOC_INFO_1W info{doc.data(), nullptr, raw.data()};
    ASSERT_NE(StartDocPrinterW(handle_, 1, reinterpret_cast<LPBYTE>(&info)), 0u);
    ASSERT_TRUE(StartPagePrinter(handle_));
    char text[] = "@PJL\r\n";
    DWORD written = 0;
    ASSERT_TRUE(WritePrinter(handle_, text, 6, &written));
    EXPECT_EQ(written, 6u);
    ASSERT_TRUE(EndPagePrinter(handle_));
    ASSERT_TRUE(EndDocPrinter(handle_));
    ASSERT_EQ(standin::Jobs().size(), 1u);
    const standin::Job& job = standin::Jobs()[0];
    EXPECT_EQ(job.docName, doc);
    EXPECT_EQ(job.datatype, raw);
    EXPECT_EQ(std::string(job.bytes.begin(), job.bytes.end()), "@PJL\r\n");
    EXPECT_EQ(job.pagesStarted, 1);
    EXPECT_EQ(job.pagesEnded, 1);
    EXPECT_TRUE(job.ended);
}
