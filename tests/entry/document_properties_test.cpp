// Document requests without a sheet: size requests, the merged DEVMODE written in the caller's
// layout and never beyond it, the spooler's call without sheet information, the trivial exports.
#include <windows.h>

#include "entry/driver_ui.h"
#include "settings/printer_data.h"
#include "tests/support/devmode_bytes.h"
#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using namespace testdm;

// The caller's output: `size` bytes for the DEVMODE, then 64 guard bytes, all 0xA5 at first.
struct Output {
    explicit Output(size_t size) : bytes(size + 64, 0xA5), size(size) {}
    DEVMODEW* dm() { return reinterpret_cast<DEVMODEW*>(bytes.data()); }
    bool Untouched() const { return bytes == Bytes(bytes.size(), 0xA5); }
    bool GuardUntouched() const { return Bytes(bytes.begin() + size, bytes.end()) == Bytes(64, 0xA5); }
    DriverDevMode Whole() const {
        DriverDevMode d;
        std::memcpy(&d, bytes.data(), sizeof d);
        return d;
    }
    Bytes bytes;
    size_t size;
};

TEST(DocumentProperties, SizeRequestsAnswerTheDriverDevModeSizeAndWriteNothing) {
    TestPrinter printer(kKlv20);
    std::basic_string<WCHAR> device(kKlv20);
    DevModeBytes in = DevModeBytes::Of(Defaults(kKlv20).dm, 220, 1536, Record(700, 300));
    Output out(1756);
    EXPECT_EQ(DrvDocumentProperties(nullptr, printer.handle(), device.data(), out.dm(), in.dm(), 0),
              1756);
    for (DWORD mode : {DWORD{DM_COPY}, DWORD{DM_UPDATE}, DWORD{DM_PROMPT | DM_COPY}}) {
        EXPECT_EQ(DrvDocumentProperties(nullptr, printer.handle(), device.data(), nullptr, in.dm(),
                                        mode),
                  1756);
    }
    EXPECT_EQ(DrvAdvancedDocumentProperties(nullptr, printer.handle(), device.data(), nullptr,
                                            in.dm()),
              1756);
    EXPECT_TRUE(out.Untouched());
}

TEST(DocumentPropertySheets, WithoutSheetInformationAnswersLikeThePlainRequest) {
    TestPrinter printer(kKlv20);
    const PrinterSettings stored = Record(720, 410);
    ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);
    std::basic_string<WCHAR> device(kKlv20);
    const struct {
        HANDLE printer;
        DWORD mode;
        bool output;
        LONG answer;
        bool written;
    } cases[] = {
        {printer.handle(), DM_COPY, true, 1, true},   {printer.handle(), DM_UPDATE, true, 1, true},
        {printer.handle(), DM_MODIFY, true, 1, false}, {printer.handle(), 0, true, 1756, false},
        {printer.handle(), DM_COPY, false, 1756, false}, {nullptr, DM_COPY, true, -1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        Output out(1756);
        DOCUMENTPROPERTYHEADER header{};
        header.cbSize = sizeof header;
        header.hPrinter = c.printer;
        header.pszPrinterName = c.printer ? device.data() : nullptr;
        header.pdmOut = c.output ? out.dm() : nullptr;
        header.fMode = c.mode;
        EXPECT_EQ(DrvDocumentPropertySheets(nullptr, reinterpret_cast<LPARAM>(&header)), c.answer);
        EXPECT_EQ(header.cbOut, 1756u);
        EXPECT_TRUE(out.GuardUntouched());
        EXPECT_EQ(out.Untouched(), !c.written);
        if (c.written) {
            EXPECT_EQ(out.Whole().ps.UserDefinedX, 720);
        }
    }
    EXPECT_EQ(DrvDocumentPropertySheets(nullptr, 0), -1);
}

TEST(TrivialExports, UpgradeFailsQueriesAndPrinterEventsSucceed) {
    BYTE info[64] = {};
    for (LPBYTE p : {static_cast<LPBYTE>(info), static_cast<LPBYTE>(nullptr)}) {
        SetLastError(0);
        EXPECT_EQ(DrvUpgradePrinter(1, p), FALSE);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    DEVQUERYPRINT_INFO query{};
    EXPECT_EQ(DevQueryPrintEx(&query), TRUE);
    EXPECT_EQ(DevQueryPrintEx(nullptr), TRUE);
    WCHAR name[] = TEXT("VORIKA");
    for (INT event : {1, 4, 12, -1}) {
        EXPECT_EQ(DrvPrinterEvent(name, event, 0, 0), TRUE);
        EXPECT_EQ(DrvPrinterEvent(nullptr, event, 0xFFFFFFFF, 1), TRUE);
    }
}

} // namespace
