// DeviceCapabilitiesW as an application calls it, answered by the installed DLL.
//
// Wine's DeviceCapabilitiesW hands the driver a null printer handle and the printer's name as
// the device name. On this path the printer's stored settings cannot be read, so a query without
// a DEVMODE answers from the driver defaults of the device name; the stored settings are reached
// through DocumentPropertiesW (document_properties_test.cpp).
#include "tests/e2e/installed_driver.h"

#include "settings/printer_settings.h"

#include <gtest/gtest.h>

namespace {

constexpr BYTE kUntouched = 0xCD;
constexpr size_t kOutputRoom = 4096;

struct Answer {
    int result;
    std::vector<BYTE> out; // whatever the driver did not write keeps kUntouched
};

Answer AskCapability(LPCWSTR printer, WORD capability, const std::vector<BYTE>* devmode = nullptr) {
    Answer answer{0, std::vector<BYTE>(kOutputRoom, kUntouched)};
    answer.result = DeviceCapabilitiesW(
        printer, L"FILE:", capability, reinterpret_cast<LPWSTR>(answer.out.data()),
        devmode != nullptr ? reinterpret_cast<const DEVMODEW*>(devmode->data()) : nullptr);
    return answer;
}

int AskCount(LPCWSTR printer, WORD capability) {
    return DeviceCapabilitiesW(printer, L"FILE:", capability, nullptr, nullptr);
}

// The output starts with the expected bytes; everything after them is untouched.
void ExpectWritten(const Answer& answer, const std::vector<BYTE>& expected) {
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(answer.out[i], expected[i]) << "byte " << i;
    }
    for (size_t i = expected.size(); i < answer.out.size(); ++i) {
        ASSERT_EQ(answer.out[i], kUntouched) << "byte " << i;
    }
}

template <typename T> void Append(std::vector<BYTE>* bytes, T value) {
    const auto* p = reinterpret_cast<const BYTE*>(&value);
    bytes->insert(bytes->end(), p, p + sizeof value);
}

std::vector<BYTE> Resolutions(std::initializer_list<LONG> dpis) {
    std::vector<BYTE> bytes;
    for (LONG dpi : dpis) {
        Append(&bytes, dpi);
        Append(&bytes, dpi);
    }
    return bytes;
}

// Capabilities answered by a number alone: the output buffer stays untouched.
struct PlainCapability {
    WORD capability;
    int answer;
};

constexpr PlainCapability kPlainCapabilities[] = {
    {DC_FIELDS, 0x6C0E},
    {DC_MINEXTENT, 500 * 65536 + 500},
    {DC_MAXEXTENT, 500 * 65536 + 500},
    {DC_BINS, 0},
    {DC_DUPLEX, 0},
    {DC_SIZE, 220},
    {DC_EXTRA, 1536},
    {DC_VERSION, 0x401},
    {DC_DRIVER, 287},
    {DC_BINNAMES, 0},
    {DC_TRUETYPE, DCTT_BITMAP},
    {DC_ORIENTATION, 0},
    {DC_COPIES, 1},
    {0, -1},
    {19, -1},
};

TEST(DeviceCapabilitiesThroughSpooler, NumbersAloneWriteNothing) {
    for (const PlainCapability& c : kPlainCapabilities) {
        SCOPED_TRACE(c.capability);
        const Answer answer = AskCapability(kKlv20Printer, c.capability);
        EXPECT_EQ(answer.result, c.answer);
        ExpectWritten(answer, {});
        EXPECT_EQ(AskCount(kKlv20Printer, c.capability), c.answer);
    }
}

TEST(DeviceCapabilitiesThroughSpooler, PaperIsTheUserDefinedWorkSize) {
    Answer answer = AskCapability(kKlv20Printer, DC_PAPERS);
    EXPECT_EQ(answer.result, 1);
    ExpectWritten(answer, {0x00, 0x01}); // paper number 256

    answer = AskCapability(kKlv20Printer, DC_PAPERSIZE);
    EXPECT_EQ(answer.result, 1);
    std::vector<BYTE> size;
    Append<LONG>(&size, 500);
    Append<LONG>(&size, 500);
    ExpectWritten(answer, size);

    answer = AskCapability(kKlv20Printer, DC_PAPERNAMES);
    EXPECT_EQ(answer.result, 1);
    std::vector<BYTE> name;
    for (WCHAR c : std::wstring(L"User Size")) {
        Append(&name, c);
    }
    Append<WCHAR>(&name, 0);
    ExpectWritten(answer, name);

    for (WORD capability : {DC_PAPERS, DC_PAPERSIZE, DC_PAPERNAMES}) {
        EXPECT_EQ(AskCount(kKlv20Printer, capability), 1) << capability;
    }
}

TEST(DeviceCapabilitiesThroughSpooler, FileDependenciesAreAnEmptyList) {
    const Answer answer = AskCapability(kKlv20Printer, DC_FILEDEPENDENCIES);
    EXPECT_EQ(answer.result, 0);
    ExpectWritten(answer, {0x00, 0x00});
}

TEST(DeviceCapabilitiesThroughSpooler, ResolutionsFollowTheDeviceNamesBaseResolution) {
    // The KLV-20's own name gives base 1016; a KLV-20 printer under another name, like any other
    // model, gives 1058, because the device name here is the printer's name.
    const std::vector<BYTE> base1016 = Resolutions({339, 254, 203, 169, 145, 127, 113, 102});
    const std::vector<BYTE> base1058 = Resolutions({353, 265, 212, 176, 151, 132, 118, 106});
    const struct {
        LPCWSTR printer;
        const std::vector<BYTE>& pairs;
    } cases[] = {
        {kKlv20Printer, base1016}, {kRenamedKlv20Printer, base1058}, {kKlv30Printer, base1058}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.printer)));
        const Answer answer = AskCapability(c.printer, DC_ENUMRESOLUTIONS);
        EXPECT_EQ(answer.result, 8);
        ExpectWritten(answer, c.pairs);
        EXPECT_EQ(AskCount(c.printer, DC_ENUMRESOLUTIONS), 8);
    }
}

std::vector<BYTE> CallerDevMode(DWORD fields, bool signedPrivatePart) {
    std::vector<BYTE> bytes(220 + 1536, 0);
    auto* dm = reinterpret_cast<DEVMODEW*>(bytes.data());
    dm->dmSpecVersion = 0x401;
    dm->dmSize = 220;
    dm->dmDriverExtra = 1536;
    dm->dmFields = fields;
    dm->dmOrientation = 1;
    dm->dmCopies = 1;
    PrinterSettings ps{};
    ps.UserDefinedX = 640;
    ps.UserDefinedY = 320;
    ps.LimitX = 800;
    ps.LimitY = 500;
    ps.FrameDpiIdx = 4;
    ps.BaseDpi = 1058;
    ps.dwPrivData = signedPrivatePart ? 0x56495250 : 0;
    std::memcpy(bytes.data() + 220, &ps, sizeof ps);
    return bytes;
}

TEST(DeviceCapabilitiesThroughSpooler, CallerDevModeWithSignedPrivatePartIsAnswered) {
    const std::vector<BYTE> devmode = CallerDevMode(DM_ORIENTATION | DM_COPIES, true);

    Answer answer = AskCapability(kKlv20Printer, DC_FIELDS, &devmode);
    EXPECT_EQ(answer.result, 0x6C0E | DM_ORIENTATION | DM_COPIES);

    answer = AskCapability(kKlv20Printer, DC_PAPERSIZE, &devmode);
    EXPECT_EQ(answer.result, 1);
    std::vector<BYTE> size;
    Append<LONG>(&size, 640);
    Append<LONG>(&size, 320);
    ExpectWritten(answer, size);

    answer = AskCapability(kKlv20Printer, DC_MAXEXTENT, &devmode);
    EXPECT_EQ(answer.result, 500 * 65536 + 800);

    // The record's own base resolution, though the device name is the KLV-20's.
    answer = AskCapability(kKlv20Printer, DC_ENUMRESOLUTIONS, &devmode);
    EXPECT_EQ(answer.result, 8);
    ExpectWritten(answer, Resolutions({353, 265, 212, 176, 151, 132, 118, 106}));
}

TEST(DeviceCapabilitiesThroughSpooler, CallerDevModeWithoutSignatureGetsTheDefaults) {
    const std::vector<BYTE> devmode = CallerDevMode(0, false);

    Answer answer = AskCapability(kKlv20Printer, DC_PAPERSIZE, &devmode);
    EXPECT_EQ(answer.result, 1);
    std::vector<BYTE> size;
    Append<LONG>(&size, 500);
    Append<LONG>(&size, 500);
    ExpectWritten(answer, size);

    answer = AskCapability(kKlv20Printer, DC_MAXEXTENT, &devmode);
    EXPECT_EQ(answer.result, 500 * 65536 + 500);
}

} // namespace
