// Document requests without a sheet: size requests, the merged DEVMODE written in the caller's
// layout, the spooler's call without sheet information, and the trivial exports.
#include <windows.h>

#include "entry/driver_ui.h"
#include "settings/driver_devmode.h"
#include "settings/printer_data.h"
#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

LONG SimpleDocumentProperties(DOCUMENTPROPERTYHEADER* header);

namespace {

const LPCWSTR kKlv20 = TEXT("Velmar VORIKA KLV-20");
constexpr BYTE kSentinel = 0xA5;
constexpr size_t kGuardBytes = 64;

std::string Ascii(const WCHAR* text, size_t max) {
    std::string out;
    for (size_t i = 0; i < max && text[i] != 0; ++i) {
        out += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
    }
    return out;
}

PrinterSettings Record(SHORT x, SHORT y) {
    DriverDevMode d;
    SetDefaultDevMode(&d, kKlv20);
    d.ps.UserDefinedX = x;
    d.ps.UserDefinedY = y;
    return d.ps;
}

// A caller's DEVMODE: a header of its own layout and the first `extra` bytes of `ps`.
std::vector<BYTE> CallerDevMode(WORD size, WORD extra, WORD driverVersion,
                                const PrinterSettings& ps) {
    DriverDevMode d;
    SetDefaultDevMode(&d, TEXT("An application's idea of the name"));
    d.dm.dmSpecVersion = size == 188 ? 0x320 : 0x401;
    d.dm.dmSize = size;
    d.dm.dmDriverExtra = extra;
    d.dm.dmDriverVersion = driverVersion;
    std::vector<BYTE> bytes(size_t{size} + extra);
    std::memcpy(bytes.data(), &d.dm, size);
    std::memcpy(bytes.data() + size, &ps, extra);
    return bytes;
}

// The caller's output: `bytes` for the DEVMODE, then a guard that must stay untouched.
struct Output {
    explicit Output(size_t bytes) : size(bytes), buffer(bytes + kGuardBytes, kSentinel) {}
    DEVMODEW* dm() { return reinterpret_cast<DEVMODEW*>(buffer.data()); }
    bool Untouched() const { return buffer == std::vector<BYTE>(buffer.size(), kSentinel); }
    bool GuardUntouched() const {
        for (size_t i = size; i < buffer.size(); ++i) {
            if (buffer[i] != kSentinel) {
                return false;
            }
        }
        return true;
    }
    DriverDevMode Whole() const {
        DriverDevMode d;
        std::memcpy(&d, buffer.data(), sizeof d);
        return d;
    }
    size_t size;
    std::vector<BYTE> buffer;
};

TEST(DocumentProperties, SizeRequestsAnswerTheDriverDevModeSize) {
    TestPrinter printer(kKlv20);
    WString device(kKlv20);
    std::vector<BYTE> input = CallerDevMode(220, 1536, 287, Record(700, 300));
    auto* in = reinterpret_cast<DEVMODEW*>(input.data());
    Output out(1756);

    EXPECT_EQ(DrvDocumentProperties(nullptr, printer.handle(), device.data(), out.dm(), in, 0),
              1756);
    EXPECT_TRUE(out.Untouched()) << "fMode 0 wrote the output";
    for (DWORD mode : {DWORD{DM_COPY}, DWORD{DM_UPDATE}, DWORD{DM_PROMPT | DM_COPY}}) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(
            DrvDocumentProperties(nullptr, printer.handle(), device.data(), nullptr, in, mode),
            1756);
    }
    EXPECT_EQ(DrvAdvancedDocumentProperties(nullptr, printer.handle(), device.data(), nullptr, in),
              1756);
}

TEST(DocumentProperties, MergedDevModeInTheCallersLayout) {
    TestPrinter printer(kKlv20);
    WString device(kKlv20);
    const PrinterSettings stored = Record(720, 410);
    ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);

    for (DWORD mode : {DWORD{DM_COPY}, DWORD{DM_UPDATE}, DWORD{DM_COPY | DM_UPDATE},
                       DWORD{DM_COPY | DM_MODIFY}}) {
        SCOPED_TRACE(testing::Message() << "fMode " << mode);
        {
            SCOPED_TRACE("current layout with a valid private part");
            std::vector<BYTE> input = CallerDevMode(220, 1536, 287, Record(700, 300));
            Output out(1756);
            EXPECT_EQ(DrvDocumentProperties(nullptr, printer.handle(), device.data(), out.dm(),
                                            reinterpret_cast<DEVMODEW*>(input.data()), mode),
                      IDOK);
            EXPECT_TRUE(out.GuardUntouched());
            const DriverDevMode d = out.Whole();
            EXPECT_EQ(Ascii(d.dm.dmDeviceName, 32), "Velmar VORIKA KLV-20");
            EXPECT_EQ(d.dm.dmSpecVersion, 0x401);
            EXPECT_EQ(d.dm.dmSize, 220);
            EXPECT_EQ(d.dm.dmDriverVersion, 287);
            EXPECT_EQ(d.dm.dmDriverExtra, 1536);
            EXPECT_EQ(d.ps.UserDefinedX, 700);
            EXPECT_EQ(d.ps.UserDefinedY, 300);
            EXPECT_EQ(d.dm.dmPaperWidth, 700);
            EXPECT_EQ(d.dm.dmPaperLength, 300);
            EXPECT_EQ(d.ps.dwPrivData, 0x56495250u);
        }
        {
            SCOPED_TRACE("old 188 + 8 layout");
            std::vector<BYTE> input = CallerDevMode(188, 8, 0x350, Record(700, 300));
            Output out(196);
            EXPECT_EQ(DrvDocumentProperties(nullptr, printer.handle(), device.data(), out.dm(),
                                            reinterpret_cast<DEVMODEW*>(input.data()), mode),
                      IDOK);
            EXPECT_TRUE(out.GuardUntouched()) << "more than 196 bytes written";
            DEVMODEW header;
            std::memcpy(&header, out.buffer.data(), 188);
            EXPECT_EQ(Ascii(header.dmDeviceName, 32), "Velmar VORIKA KLV-20");
            EXPECT_EQ(header.dmSpecVersion, 0x320);
            EXPECT_EQ(header.dmSize, 188);
            EXPECT_EQ(header.dmDriverVersion, 0x350);
            EXPECT_EQ(header.dmDriverExtra, 8);
            // A short private part is not taken: the first 8 bytes of the driver defaults
            // (work size 500 x 500, material 1, first print index), never the stored ones.
            const std::vector<BYTE> privateBytes(out.buffer.begin() + 188,
                                                 out.buffer.begin() + 196);
            EXPECT_EQ(privateBytes, (std::vector<BYTE>{0xF4, 0x01, 0xF4, 0x01, 1, 0, 0, 0}));
        }
        {
            SCOPED_TRACE("no caller DEVMODE: the stored properties, whole");
            Output out(1756);
            EXPECT_EQ(DrvDocumentProperties(nullptr, printer.handle(), device.data(), out.dm(),
                                            nullptr, mode),
                      IDOK);
            EXPECT_TRUE(out.GuardUntouched());
            const DriverDevMode d = out.Whole();
            EXPECT_EQ(d.dm.dmSize, 220);
            EXPECT_EQ(d.dm.dmDriverExtra, 1536);
            EXPECT_EQ(d.ps.UserDefinedX, 720);
            EXPECT_EQ(d.ps.UserDefinedY, 410);
            EXPECT_EQ(d.dm.dmPaperWidth, 720);
            EXPECT_EQ(d.dm.dmPaperLength, 410);
        }
    }
}

TEST(DocumentProperties, ContextThatCannotBeBuiltAnswersMinusOne) {
    WString device(kKlv20);
    Output out(1756);
    EXPECT_EQ(DrvDocumentProperties(nullptr, nullptr, device.data(), out.dm(), nullptr, DM_COPY),
              -1);
    DOCUMENTPROPERTYHEADER header{};
    header.pdmOut = out.dm();
    header.fMode = DM_COPY;
    EXPECT_EQ(SimpleDocumentProperties(&header), -1);
    EXPECT_EQ(header.cbOut, 1756u);
    EXPECT_TRUE(out.Untouched());
}

TEST(DocumentPropertySheets, WithoutSheetInformationAnswersLikeThePlainRequest) {
    TestPrinter printer(kKlv20);
    const PrinterSettings stored = Record(720, 410);
    ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);
    WString device(kKlv20);

    struct Case {
        const char* what;
        DWORD mode;
        bool output;
        LONG answer;
        bool written;
    };
    const Case cases[] = {
        {"copy", DM_COPY, true, 1, true},           {"update", DM_UPDATE, true, 1, true},
        {"modify only", DM_MODIFY, true, 1, false}, {"mode 0", 0, true, 1756, false},
        {"no output", DM_COPY, false, 1756, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Output out(1756);
        DOCUMENTPROPERTYHEADER header{};
        header.cbSize = sizeof header;
        header.hPrinter = printer.handle();
        header.pszPrinterName = device.data();
        header.pdmOut = c.output ? out.dm() : nullptr;
        header.fMode = c.mode;
        EXPECT_EQ(DrvDocumentPropertySheets(nullptr, reinterpret_cast<LPARAM>(&header)), c.answer);
        EXPECT_EQ(header.cbOut, 1756u);
        EXPECT_TRUE(out.GuardUntouched());
        if (c.written) {
            EXPECT_EQ(out.Whole().ps.UserDefinedX, 720);
            EXPECT_EQ(out.Whole().dm.dmPaperLength, 410);
        } else {
            EXPECT_TRUE(out.Untouched());
        }
    }
    EXPECT_EQ(DrvDocumentPropertySheets(nullptr, 0), -1);
}

TEST(TrivialExports, UpgradeFailsJobsPrintEventsSucceed) {
    BYTE info[64] = {};
    SetLastError(0);
    EXPECT_EQ(DrvUpgradePrinter(1, info), FALSE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    SetLastError(0);
    EXPECT_EQ(DrvUpgradePrinter(2, nullptr), FALSE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    DEVQUERYPRINT_INFO query{};
    query.cbSize = sizeof query;
    query.Level = 1;
    EXPECT_EQ(DevQueryPrintEx(&query), TRUE);
    EXPECT_EQ(DevQueryPrintEx(nullptr), TRUE);

    WCHAR name[] = TEXT("VORIKA");
    for (INT event : {1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 0, -1}) {
        SCOPED_TRACE(event);
        EXPECT_EQ(DrvPrinterEvent(name, event, 0, 0), TRUE);
        EXPECT_EQ(DrvPrinterEvent(nullptr, event, 0xFFFFFFFF, 1), TRUE);
    }
}

} // namespace
