// DocumentPropertiesW as an application calls it, answered by the installed DLL: the size query,
// the merged DEVMODE in the caller's own layout, and where its private part comes from.
#include "tests/e2e/installed_driver.h"

#include "settings/printer_settings.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

constexpr LONG kDriverDevModeSize = 1756;
constexpr BYTE kUntouched = 0xCD;

struct Answer {
    LONG result;
    std::vector<BYTE> out; // 1756 bytes; whatever the driver did not write keeps kUntouched
};

// An application's call on an opened printer. The output buffer has room for the driver's whole
// DEVMODE, so that writing more than the caller's layout shows as changed bytes.
Answer AskDocumentProperties(LPCWSTR printerName, std::vector<BYTE>* input, DWORD mode) {
    OpenedPrinter printer(printerName);
    Answer answer{0, std::vector<BYTE>(kDriverDevModeSize, kUntouched)};
    answer.result = DocumentPropertiesW(
        nullptr, printer.handle(), const_cast<LPWSTR>(printerName),
        reinterpret_cast<DEVMODEW*>(answer.out.data()),
        input != nullptr ? reinterpret_cast<DEVMODEW*>(input->data()) : nullptr, mode);
    return answer;
}

const DEVMODEW& Public(const std::vector<BYTE>& bytes) {
    return *reinterpret_cast<const DEVMODEW*>(bytes.data());
}

PrinterSettings Private(const std::vector<BYTE>& bytes) {
    return At<PrinterSettings>(bytes, Public(bytes).dmSize);
}

// A caller's DEVMODE of the given layout: zeroed, with its header filled in.
std::vector<BYTE> CallerDevMode(WORD size, WORD extra, WORD specVersion, WORD driverVersion) {
    std::vector<BYTE> bytes(size + extra, 0);
    auto* dm = reinterpret_cast<DEVMODEW*>(bytes.data());
    lstrcpyW(dm->dmDeviceName, L"Some application's name");
    dm->dmSpecVersion = specVersion;
    dm->dmDriverVersion = driverVersion;
    dm->dmSize = size;
    dm->dmDriverExtra = extra;
    return bytes;
}

void PutPrivate(std::vector<BYTE>* bytes, const PrinterSettings& ps) {
    std::memcpy(bytes->data() + Public(*bytes).dmSize, &ps, sizeof ps);
}

// A private record as another copy of the driver would have written it.
PrinterSettings ForeignRecord() {
    PrinterSettings ps{};
    ps.UserDefinedX = 400;
    ps.UserDefinedY = 250;
    ps.LimitX = 800;
    ps.LimitY = 500;
    ps.Brightness = 12;
    ps.FrameDpiIdx = 3;
    ps.BaseDpi = 1016;
    ps.dwPrivData = 0x56495250;
    ps.wOutFlags = 7;
    return ps;
}

std::wstring Text(const WCHAR* field, size_t capacity) {
    size_t length = 0;
    while (length < capacity && field[length] != 0) {
        ++length;
    }
    return std::wstring(field, length);
}

void ExpectMaterialSet(const MaterialSet& set, LONG min, LONG max, LONG speed) {
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(set.Entry[i].ImpactMin, min);
        EXPECT_EQ(set.Entry[i].ImpactMax, max);
        EXPECT_EQ(set.Entry[i].Speed, speed);
        EXPECT_EQ(set.Entry[i].Reserved, 0);
        EXPECT_EQ(set.Entry[i].Name[0], 0);
    }
}

TEST(DocumentPropertiesThroughSpooler, SizeQueryAnswersTheDriverDevModeSizeAndWritesNothing) {
    std::vector<BYTE> input = CallerDevMode(220, 1536, 0x401, 0x11F);
    const Answer answer = AskDocumentProperties(kKlv20Printer, &input, 0);
    EXPECT_EQ(answer.result, kDriverDevModeSize);
    EXPECT_EQ(answer.out, std::vector<BYTE>(kDriverDevModeSize, kUntouched));

    OpenedPrinter printer(kKlv20Printer);
    EXPECT_EQ(DocumentPropertiesW(nullptr, printer.handle(), const_cast<LPWSTR>(kKlv20Printer),
                                  nullptr, nullptr, DM_OUT_BUFFER),
              kDriverDevModeSize);
}

// The defaults of a printer with nothing stored, by the model of its driver.
struct ModelDefaults {
    LPCWSTR printer;
    LPCWSTR driver;
    SHORT baseDpi;
    SHORT dpi;
    DWORD pels;
    LONG text[3];
    LONG photo[3];
};

constexpr ModelDefaults kModelDefaults[] = {
    {kKlv20Printer, kKlv20Model, 1016, 254, 500, {640, 840, 12}, {600, 950, 15}},
    {kKlv30Printer, kKlv30Model, 1058, 265, 522, {400, 650, 12}, {420, 720, 15}},
};

TEST(DocumentPropertiesThroughSpooler, WithoutCallerDevModeAnswersTheDefaultsOfTheDriversModel) {
    for (const ModelDefaults& m : kModelDefaults) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(m.driver)));
        const Answer answer = AskDocumentProperties(m.printer, nullptr, DM_OUT_BUFFER);
        ASSERT_EQ(answer.result, IDOK);
        const DEVMODEW& dm = Public(answer.out);
        // The device name is the driver's name, which also picks the base resolution.
        EXPECT_EQ(Text(dm.dmDeviceName, 32), m.driver);
        EXPECT_EQ(dm.dmSpecVersion, 0x401);
        EXPECT_EQ(dm.dmDriverVersion, 0x11F);
        EXPECT_EQ(dm.dmSize, 220);
        EXPECT_EQ(dm.dmDriverExtra, 1536);
        EXPECT_EQ(dm.dmFields, 0x6C0Eu);
        EXPECT_EQ(dm.dmOrientation, 1);
        EXPECT_EQ(dm.dmPaperSize, 256);
        EXPECT_EQ(dm.dmPaperLength, 500);
        EXPECT_EQ(dm.dmPaperWidth, 500);
        EXPECT_EQ(dm.dmScale, 100);
        EXPECT_EQ(dm.dmCopies, 1);
        EXPECT_EQ(dm.dmDefaultSource, 256);
        EXPECT_EQ(dm.dmPrintQuality, m.dpi);
        EXPECT_EQ(dm.dmColor, 2);
        EXPECT_EQ(dm.dmDuplex, 1);
        EXPECT_EQ(dm.dmYResolution, m.dpi);
        EXPECT_EQ(dm.dmTTOption, 1);
        EXPECT_EQ(Text(dm.dmFormName, 32), L"user size");
        EXPECT_EQ(dm.dmLogPixels, m.pels);
        EXPECT_EQ(dm.dmBitsPerPel, 256u);
        EXPECT_EQ(dm.dmPelsWidth, m.pels);
        EXPECT_EQ(dm.dmPelsHeight, m.pels);
        EXPECT_EQ(dm.dmDisplayFrequency, 60u);

        const PrinterSettings ps = Private(answer.out);
        EXPECT_EQ(ps.UserDefinedX, 500);
        EXPECT_EQ(ps.UserDefinedY, 500);
        EXPECT_EQ(ps.Material, 1);
        EXPECT_EQ(ps.Gamma, -500);
        EXPECT_EQ(ps.PassMethod, 4);
        EXPECT_EQ(ps.Draft, 3);
        EXPECT_EQ(ps.LowCutPre, 40);
        EXPECT_EQ(ps.FrameDpiIdx, 4);
        EXPECT_EQ(ps.Rear, 10);
        EXPECT_EQ(ps.Right, 10);
        EXPECT_EQ(ps.BaseDpi, m.baseDpi);
        ExpectMaterialSet(ps.TextSet, m.text[0], m.text[1], m.text[2]);
        ExpectMaterialSet(ps.PhotoSet, m.photo[0], m.photo[1], m.photo[2]);
        EXPECT_EQ(ps.ImpactPattern, 1);
        EXPECT_EQ(ps.EnableExtendedSize, 1);
        EXPECT_EQ(ps.dwPrivData, 0x56495250u);
        EXPECT_EQ(ps.wOutFlags, 1991u);
    }
}

TEST(DocumentPropertiesThroughSpooler, CallerDevModeIsMergedAndItsSignedPrivatePartTakenWhole) {
    std::vector<BYTE> input = CallerDevMode(220, 1536, 0x401, 0x11F);
    auto* in = reinterpret_cast<DEVMODEW*>(input.data());
    in->dmFields = DM_ORIENTATION | DM_COPIES | DM_SCALE | DM_DUPLEX | DM_PAPERLENGTH |
                   DM_PAPERWIDTH | DM_FORMNAME;
    in->dmOrientation = 2;
    in->dmCopies = 5;
    in->dmScale = 1001;
    in->dmDuplex = 2;
    in->dmPaperLength = 1000;
    in->dmPaperWidth = 900;
    lstrcpyW(in->dmFormName, L"A4");
    PutPrivate(&input, ForeignRecord());

    // A KLV-30 printer: the caller's record brings its own base resolution of 1016.
    const Answer answer =
        AskDocumentProperties(kKlv30Printer, &input, DM_IN_BUFFER | DM_OUT_BUFFER);
    ASSERT_EQ(answer.result, IDOK);
    const DEVMODEW& dm = Public(answer.out);
    EXPECT_EQ(Text(dm.dmDeviceName, 32), kKlv30Model);
    EXPECT_EQ(dm.dmSize, 220);
    EXPECT_EQ(dm.dmDriverExtra, 1536);
    EXPECT_EQ(dm.dmFields, 0x6C0Eu | DM_ORIENTATION | DM_COPIES | DM_SCALE);
    EXPECT_EQ(dm.dmOrientation, 2);
    EXPECT_EQ(dm.dmCopies, 5);
    EXPECT_EQ(dm.dmScale, 100);
    EXPECT_EQ(dm.dmDuplex, 1);
    EXPECT_EQ(Text(dm.dmFormName, 32), L"user size");
    // Paper and resolution follow the record: 1016 / 3 = 339 dpi, 40.0 by 25.0 mm.
    EXPECT_EQ(dm.dmPaperWidth, 400);
    EXPECT_EQ(dm.dmPaperLength, 250);
    EXPECT_EQ(dm.dmPrintQuality, 339);
    EXPECT_EQ(dm.dmYResolution, 339);
    EXPECT_EQ(dm.dmPelsWidth, 534u);
    EXPECT_EQ(dm.dmPelsHeight, 334u);
    EXPECT_EQ(dm.dmLogPixels, 534);

    const PrinterSettings expected = ForeignRecord();
    const PrinterSettings ps = Private(answer.out);
    EXPECT_EQ(std::memcmp(&ps, &expected, sizeof ps), 0);
}

// Stores a whole record in the printer's data: size value, then data value.
PrinterSettings StoreWholeRecord(const OpenedPrinter& printer) {
    PrinterSettings ps = ForeignRecord();
    ps.UserDefinedX = 321;
    ps.UserDefinedY = 123;
    ps.FrameDpiIdx = 5;
    ps.BaseDpi = 1234;
    ps.Brightness = -7;
    lstrcpyW(ps.TextSet.Entry[4].Name, L"Titanium");
    const DWORD size = sizeof ps;
    printer.Put(L"PrinterDataSize", REG_DWORD, &size, sizeof size);
    printer.Put(L"PrinterData", REG_BINARY, &ps, sizeof ps);
    return ps;
}

TEST(DocumentPropertiesThroughSpooler, WithoutCallerDevModeThePrintersStoredRecordIsTaken) {
    PrinterSettings stored;
    {
        OpenedPrinter printer(kStoredRecordPrinter);
        stored = StoreWholeRecord(printer);
    }
    const Answer answer = AskDocumentProperties(kStoredRecordPrinter, nullptr, DM_OUT_BUFFER);
    ASSERT_EQ(answer.result, IDOK);
    const PrinterSettings ps = Private(answer.out);
    // Every byte as stored except the base resolution, which follows the driver's model.
    EXPECT_EQ(ps.BaseDpi, 1016);
    stored.BaseDpi = 1016;
    EXPECT_EQ(std::memcmp(&ps, &stored, sizeof ps), 0);

    const DEVMODEW& dm = Public(answer.out);
    EXPECT_EQ(dm.dmPaperWidth, 321);
    EXPECT_EQ(dm.dmPaperLength, 123);
    EXPECT_EQ(dm.dmPrintQuality, 203);
    EXPECT_EQ(dm.dmPelsWidth, 257u);
    EXPECT_EQ(dm.dmPelsHeight, 98u);
}

TEST(DocumentPropertiesThroughSpooler, UnsignedCallerPrivatePartGivesDriverDefaultsNotStoredOnes) {
    {
        OpenedPrinter printer(kStoredRecordPrinter);
        StoreWholeRecord(printer);
    }
    std::vector<BYTE> input = CallerDevMode(220, 1536, 0x401, 0x11F);
    PrinterSettings unsigned_ = ForeignRecord();
    unsigned_.dwPrivData = 0;
    PutPrivate(&input, unsigned_);

    const Answer answer =
        AskDocumentProperties(kStoredRecordPrinter, &input, DM_IN_BUFFER | DM_OUT_BUFFER);
    ASSERT_EQ(answer.result, IDOK);
    const PrinterSettings ps = Private(answer.out);
    EXPECT_EQ(ps.UserDefinedX, 500);
    EXPECT_EQ(ps.UserDefinedY, 500);
    EXPECT_EQ(ps.FrameDpiIdx, 4);
    EXPECT_EQ(ps.Brightness, 0);
    EXPECT_EQ(ps.BaseDpi, 1016);
    EXPECT_EQ(ps.TextSet.Entry[4].Name[0], 0);
    EXPECT_EQ(ps.dwPrivData, 0x56495250u);
    EXPECT_EQ(ps.wOutFlags, 1991u);
    EXPECT_EQ(Public(answer.out).dmPaperWidth, 500);
    EXPECT_EQ(Public(answer.out).dmPrintQuality, 254);
}

TEST(DocumentPropertiesThroughSpooler, StoredFieldValuesFillTheRecordWhenNoWholeRecordIsStored) {
    {
        OpenedPrinter printer(kStoredFieldsPrinter);
        const SHORT width = 420;
        const SHORT brightness = 80;
        const SHORT baseDpi = 1058;
        const BYTE reverse = 1;
        const DWORD impact = 0;
        printer.Put(L"UserDefinedX", REG_BINARY, &width, sizeof width);
        printer.Put(L"Brightness", REG_BINARY, &brightness, sizeof brightness);
        printer.Put(L"BaseDpi", REG_BINARY, &baseDpi, sizeof baseDpi);
        printer.Put(L"ReverseDir", REG_BINARY, &reverse, sizeof reverse);
        printer.Put(L"ImpactPattern", REG_BINARY, &impact, sizeof impact);
    }
    const Answer answer = AskDocumentProperties(kStoredFieldsPrinter, nullptr, DM_OUT_BUFFER);
    ASSERT_EQ(answer.result, IDOK);
    const PrinterSettings ps = Private(answer.out);
    EXPECT_EQ(ps.UserDefinedX, 420);
    EXPECT_EQ(ps.Brightness, 80); // no range is applied on load
    EXPECT_EQ(ps.ReverseDir, 1);
    EXPECT_EQ(ps.ImpactPattern, 0);
    EXPECT_EQ(ps.BaseDpi, 1016); // never read back: the model decides
    EXPECT_EQ(ps.UserDefinedY, 500);
    EXPECT_EQ(ps.dwPrivData, 0x56495250u);
    ExpectMaterialSet(ps.TextSet, 640, 840, 12);
    EXPECT_EQ(Public(answer.out).dmPaperWidth, 420);
}

TEST(DocumentPropertiesThroughSpooler, OldCallerLayoutIsAnsweredIn188And8Bytes) {
    std::vector<BYTE> input = CallerDevMode(188, 8, 0x320, 0x350);
    auto* in = reinterpret_cast<DEVMODEW*>(input.data());
    in->dmFields = DM_ORIENTATION;
    in->dmOrientation = 2;
    const SHORT oldPrivate[4] = {111, 222, 3, 4};
    std::memcpy(input.data() + 188, oldPrivate, sizeof oldPrivate);

    const Answer answer =
        AskDocumentProperties(kKlv20Printer, &input, DM_IN_BUFFER | DM_OUT_BUFFER);
    ASSERT_EQ(answer.result, IDOK);
    const DEVMODEW& dm = Public(answer.out);
    EXPECT_EQ(dm.dmSpecVersion, 0x320);
    EXPECT_EQ(dm.dmDriverVersion, 0x350);
    EXPECT_EQ(dm.dmSize, 188);
    EXPECT_EQ(dm.dmDriverExtra, 8);
    EXPECT_EQ(Text(dm.dmDeviceName, 32), kKlv20Model);
    EXPECT_EQ(dm.dmFields, 0x6C0Eu | DM_ORIENTATION);
    EXPECT_EQ(dm.dmOrientation, 2);
    EXPECT_EQ(dm.dmPrintQuality, 254);
    EXPECT_EQ(dm.dmDisplayFrequency, 60u);
    // The first eight bytes of the driver's own record, not the caller's.
    EXPECT_EQ(At<SHORT>(answer.out, 188), 500);
    EXPECT_EQ(At<SHORT>(answer.out, 190), 500);
    EXPECT_EQ(At<SHORT>(answer.out, 192), 1);
    EXPECT_EQ(At<SHORT>(answer.out, 194), 0);
    for (size_t i = 196; i < answer.out.size(); ++i) {
        ASSERT_EQ(answer.out[i], kUntouched) << "byte " << i;
    }
}

TEST(DocumentPropertiesThroughSpooler, PublicOnly212ByteLayoutGetsNoPrivateBytes) {
    std::vector<BYTE> input = CallerDevMode(212, 0, 0x400, 0x100);
    auto* in = reinterpret_cast<DEVMODEW*>(input.data());
    in->dmFields = DM_COPIES;
    in->dmCopies = 99;

    const Answer answer =
        AskDocumentProperties(kKlv30Printer, &input, DM_IN_BUFFER | DM_OUT_BUFFER);
    ASSERT_EQ(answer.result, IDOK);
    const DEVMODEW& dm = Public(answer.out);
    EXPECT_EQ(dm.dmSpecVersion, 0x400);
    EXPECT_EQ(dm.dmDriverVersion, 0x100);
    EXPECT_EQ(dm.dmSize, 212);
    EXPECT_EQ(dm.dmDriverExtra, 0);
    EXPECT_EQ(dm.dmFields, 0x6C0Eu | DM_COPIES);
    EXPECT_EQ(dm.dmCopies, 99);
    EXPECT_EQ(dm.dmPrintQuality, 265);
    EXPECT_EQ(dm.dmPelsWidth, 522u);
    for (size_t i = 212; i < answer.out.size(); ++i) {
        ASSERT_EQ(answer.out[i], kUntouched) << "byte " << i;
    }
}

} // namespace
