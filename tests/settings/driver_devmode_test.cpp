// The driver DEVMODE: defaults, resolution rule, derived public fields and the merge of a caller's
// DEVMODE.
#include <windows.h>

#include "settings/driver_devmode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

const LPCWSTR kKlv20 = TEXT("Velmar VORIKA KLV-20");
const LPCWSTR kOtherModel = TEXT("Velmar VORIKA KLV-10");

std::vector<uint16_t> Units(const WCHAR (&field)[32]) {
    return std::vector<uint16_t>(field, field + 32);
}

// A 32-unit text field holding the ASCII text, a NUL and zeros.
std::vector<uint16_t> Field32(const char* ascii) {
    std::vector<uint16_t> field(32, 0);
    for (size_t i = 0; ascii[i] != '\0'; ++i) {
        field.at(i) = static_cast<uint16_t>(ascii[i]);
    }
    return field;
}

void SetField32(WCHAR (&field)[32], const char* ascii) {
    const std::vector<uint16_t> units = Field32(ascii);
    for (size_t i = 0; i < 32; ++i) {
        field[i] = static_cast<WCHAR>(units[i]);
    }
}

// Names the first few differing byte offsets.
void ExpectSameBytes(const void* actual, const void* expected, size_t size) {
    const BYTE* a = static_cast<const BYTE*>(actual);
    const BYTE* e = static_cast<const BYTE*>(expected);
    int reported = 0;
    for (size_t i = 0; i < size && reported < 8; ++i) {
        if (a[i] != e[i]) {
            ADD_FAILURE() << "byte " << i << ": " << int(a[i]) << ", expected " << int(e[i]);
            ++reported;
        }
    }
}

struct ModelCase {
    const char* what;
    LPCWSTR name;
    const char* nameField; // expected dmDeviceName
    SHORT baseDpi;
    short dpi;  // FrameIdx2Dpi(base, 4)
    DWORD pels; // (dpi * 5000 / 254 + 5) / 10
    LONG text[3];
    LONG photo[3];
};

const ModelCase kModels[] = {
    {"KLV-20", kKlv20, "Velmar VORIKA KLV-20", 1016, 254, 500, {640, 840, 12}, {600, 950, 15}},
    {"other", kOtherModel, "Velmar VORIKA KLV-10", 1058, 265, 522, {400, 650, 12}, {420, 720, 15}},
    {"empty", TEXT(""), "", 1058, 265, 522, {400, 650, 12}, {420, 720, 15}},
    {"null", nullptr, "", 1058, 265, 522, {400, 650, 12}, {420, 720, 15}},
};

TEST(DefaultDevMode, PublicPartForEachModel) {
    for (const ModelCase& c : kModels) {
        SCOPED_TRACE(c.what);
        DriverDevMode dm;
        std::memset(&dm, 0xCD, sizeof dm);
        EXPECT_EQ(SetDefaultDevMode(&dm, c.name), TRUE);

        DEVMODEW expected;
        std::memset(&expected, 0, sizeof expected);
        SetField32(expected.dmDeviceName, c.nameField);
        expected.dmSpecVersion = 0x401;
        expected.dmDriverVersion = 0x11F;
        expected.dmSize = 220;
        expected.dmDriverExtra = 1536;
        expected.dmFields = 0x6C0E;
        expected.dmOrientation = 1;
        expected.dmPaperSize = 256;
        expected.dmPaperLength = 500;
        expected.dmPaperWidth = 500;
        expected.dmScale = 100;
        expected.dmCopies = 1;
        expected.dmDefaultSource = 256;
        expected.dmPrintQuality = c.dpi;
        expected.dmColor = 2;
        expected.dmDuplex = 1;
        expected.dmYResolution = c.dpi;
        expected.dmTTOption = 1;
        SetField32(expected.dmFormName, "user size");
        expected.dmLogPixels = 500;
        expected.dmBitsPerPel = 256;
        expected.dmPelsWidth = c.pels;
        expected.dmPelsHeight = c.pels;
        expected.dmDisplayFrequency = 60;
        ExpectSameBytes(&dm.dm, &expected, sizeof expected);
    }
}

TEST(DefaultDevMode, PrivatePartForEachModel) {
    for (const ModelCase& c : kModels) {
        SCOPED_TRACE(c.what);
        DriverDevMode dm;
        std::memset(&dm, 0xCD, sizeof dm);
        SetDefaultDevMode(&dm, c.name);

        PrinterSettings expected;
        std::memset(&expected, 0, sizeof expected);
        expected.UserDefinedX = 500;
        expected.UserDefinedY = 500;
        expected.Material = 1;
        expected.LimitX = 500;
        expected.LimitY = 500;
        expected.Gamma = -500;
        expected.PassMethod = 4;
        expected.BiDir = 1;
        expected.Draft = 3;
        expected.LowCut = 1;
        expected.LowCutPre = 40;
        expected.FrameDpiIdx = 4;
        expected.Rear = expected.Front = expected.Left = expected.Right = 10;
        expected.BaseDpi = c.baseDpi;
        for (int i = 0; i < kMaterialCount; ++i) {
            expected.TextSet.Entry[i].ImpactMin = c.text[0];
            expected.TextSet.Entry[i].ImpactMax = c.text[1];
            expected.TextSet.Entry[i].Speed = c.text[2];
            expected.PhotoSet.Entry[i].ImpactMin = c.photo[0];
            expected.PhotoSet.Entry[i].ImpactMax = c.photo[1];
            expected.PhotoSet.Entry[i].Speed = c.photo[2];
        }
        expected.ImpactPattern = 1;
        expected.EnableExtendedSize = 1;
        expected.dwPrivData = 0x56495250;
        expected.wOutFlags = 1991;
        ExpectSameBytes(&dm.ps, &expected, sizeof expected);
    }
}

TEST(DefaultDevMode, DeviceNameKeepsAtMost31Characters) {
    struct Case {
        LPCWSTR name;
        const char* field;
        SHORT baseDpi;
    };
    const Case cases[] = {
        // 40 characters: 31 kept, then NUL.
        {TEXT("Velmar VORIKA KLV-20 on the second floor"), "Velmar VORIKA KLV-20 on the sec", 1058},
        // 31 characters fit exactly.
        {TEXT("abcdefghijklmnopqrstuvwxyz01234"), "abcdefghijklmnopqrstuvwxyz01234", 1058},
        // 32 characters: the last one gives way to the NUL.
        {TEXT("abcdefghijklmnopqrstuvwxyz012345"), "abcdefghijklmnopqrstuvwxyz01234", 1058},
        {TEXT("KLV"), "KLV", 1058},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        DriverDevMode dm;
        std::memset(&dm, 0xCD, sizeof dm);
        SetDefaultDevMode(&dm, c.name);
        EXPECT_EQ(Units(dm.dm.dmDeviceName), Field32(c.field));
        EXPECT_EQ(dm.ps.BaseDpi, c.baseDpi);
    }
}

TEST(FrameIdx2Dpi, RoundsBaseOverIndex) {
    // Index 0 counts as 5.
    const LONG base1016[11] = {203, 1016, 508, 339, 254, 203, 169, 145, 127, 113, 102};
    const LONG base1058[11] = {212, 1058, 529, 353, 265, 212, 176, 151, 132, 118, 106};
    for (LONG idx = 0; idx <= 10; ++idx) {
        EXPECT_EQ(FrameIdx2Dpi(1016, idx), base1016[idx]) << "index " << idx;
        EXPECT_EQ(FrameIdx2Dpi(1058, idx), base1058[idx]) << "index " << idx;
    }
}

TEST(FrameIdx2Dpi, DividesSignedAndTruncating) {
    // q = 1016 * 256 / -4 = -65024; (q + 128) / 256 = -64896 / 256 = -253.5, truncated to -253.
    EXPECT_EQ(FrameIdx2Dpi(1016, -4), -253);
    // q = 270848 / -3 = -90282; (-90282 + 128) / 256 = -352.2, truncated to -352.
    EXPECT_EQ(FrameIdx2Dpi(1058, -3), -352);
    // q = 260096 / 300 = 866; (866 + 128) / 256 = 3.
    EXPECT_EQ(FrameIdx2Dpi(1016, 300), 3);
}

struct DerivedCase {
    SHORT baseDpi;
    SHORT frameIdx;
    SHORT x;
    SHORT y;
    short dpi;
    LONG dotsX;
    LONG dotsY;
};

// dots(n) = (dpi * n * 10 / 254 + 5) / 10, each division truncating toward zero.
const DerivedCase kDerived[] = {
    // 339 * 8000 / 254 = 10677; (10677 + 5) / 10 = 1068. 339 * 510 / 254 = 680; 685 / 10 = 68.
    {1016, 3, 800, 51, 339, 1068, 68},
    // 106 * 5000 / 254 = 2086 -> 209; 106 * 540 / 254 = 225, and (225 + 5) / 10 rounds up to 23.
    {1058, 10, 500, 54, 106, 209, 23},
    // Index 0 is read as 5: dpi 212. 212 * 5000 / 254 = 4173 -> 417; 212 * 2540 / 254 = 2120 ->
    // 212.
    {1058, 0, 500, 254, 212, 417, 212},
    // 1016 * 327670 / 254 = 1310680 -> 131068, which dmLogPixels keeps as 131068 - 65536 = 65532.
    {1016, 1, 32767, 500, 1016, 131068, 2000},
    // 254 * -1000 / 254 = -1000; (-1000 + 5) / 10 = -99.5, truncated to -99.
    {1016, 4, -100, 254, 254, -99, 254},
};

TEST(DerivedFields, FollowThePrivateRecord) {
    for (const DerivedCase& c : kDerived) {
        SCOPED_TRACE("base " + std::to_string(c.baseDpi) + " index " + std::to_string(c.frameIdx) +
                     " size " + std::to_string(c.x) + " x " + std::to_string(c.y));
        DriverDevMode dm;
        SetDefaultDevMode(&dm, kKlv20);
        dm.dm.dmFields = 0x12345678; // not touched by the rule
        dm.ps.BaseDpi = c.baseDpi;
        dm.ps.FrameDpiIdx = c.frameIdx;
        dm.ps.UserDefinedX = c.x;
        dm.ps.UserDefinedY = c.y;

        DriverDevMode expected = dm;
        expected.dm.dmPaperLength = c.y;
        expected.dm.dmPaperWidth = c.x;
        expected.dm.dmPrintQuality = c.dpi;
        expected.dm.dmYResolution = c.dpi;
        expected.dm.dmLogPixels = static_cast<WORD>(c.dotsX);
        expected.dm.dmPelsWidth = static_cast<DWORD>(c.dotsX);
        expected.dm.dmPelsHeight = static_cast<DWORD>(c.dotsY);

        SetDerivedFields(&dm);
        ExpectSameBytes(&dm, &expected, sizeof dm);
    }
}

// A caller's DEVMODE in a buffer of exactly dmSize + dmDriverExtra bytes.
class CallerDevMode {
  public:
    CallerDevMode(WORD size, WORD driverExtra) : bytes_(size + driverExtra, 0) {
        dm()->dmSpecVersion = 0x401;
        dm()->dmSize = size;
        dm()->dmDriverExtra = driverExtra;
    }
    DEVMODEW* dm() { return reinterpret_cast<DEVMODEW*>(bytes_.data()); }
    BYTE* priv() { return bytes_.data() + dm()->dmSize; }

  private:
    std::vector<BYTE> bytes_;
};

// The DEVMODE that receives the merge: base 1058, index 4 (dpi 265) and a 640 x 720 work size,
// so dots(640) = 265 * 6400 / 254 = 6677 -> 668 and dots(720) = 1908000 / 254 = 7511 -> 751.
DriverDevMode Target() {
    DriverDevMode dm;
    SetDefaultDevMode(&dm, kOtherModel);
    dm.ps.UserDefinedX = 640;
    dm.ps.UserDefinedY = 720;
    SetDerivedFields(&dm);
    return dm;
}

void ExpectDerived(const DEVMODEW& dm, short dpi, short x, short y, DWORD dotsX, DWORD dotsY) {
    EXPECT_EQ(dm.dmPrintQuality, dpi);
    EXPECT_EQ(dm.dmYResolution, dpi);
    EXPECT_EQ(dm.dmPaperWidth, x);
    EXPECT_EQ(dm.dmPaperLength, y);
    EXPECT_EQ(dm.dmPelsWidth, dotsX);
    EXPECT_EQ(dm.dmPelsHeight, dotsY);
    EXPECT_EQ(static_cast<DWORD>(dm.dmLogPixels), dotsX);
}

TEST(ValidateSetDevMode, NullInputChangesNothing) {
    DriverDevMode dm = Target();
    dm.ps.UserDefinedX = 300; // derived fields now stale; they must stay stale
    dm.ps.FrameDpiIdx = 7;
    dm.dm.dmColor = 1;
    dm.dm.dmFields = 0;
    const DriverDevMode before = dm;
    EXPECT_EQ(ValidateSetDevMode(&dm, nullptr), TRUE);
    ExpectSameBytes(&dm, &before, sizeof dm);
}

TEST(ValidateSetDevMode, FieldsWithoutTheirBitAreNotTaken) {
    DriverDevMode dm = Target();
    dm.dm.dmFields = 0;
    DriverDevMode expected = dm;
    expected.dm.dmFields = DM_COLOR;

    CallerDevMode in(220, 0);
    in.dm()->dmOrientation = 2;
    in.dm()->dmPaperSize = 9;
    in.dm()->dmPaperLength = 2970;
    in.dm()->dmPaperWidth = 2100;
    in.dm()->dmScale = 50;
    in.dm()->dmCopies = 5;
    in.dm()->dmDefaultSource = 7;
    in.dm()->dmPrintQuality = 600;
    in.dm()->dmYResolution = 600;
    SetField32(in.dm()->dmFormName, "A4");
    EXPECT_EQ(ValidateSetDevMode(&dm, in.dm()), TRUE);
    ExpectSameBytes(&dm, &expected, sizeof dm);
}

// Orientation, scale and copies: the bit is set and an out-of-range value is replaced.
TEST(ValidateSetDevMode, OrientationScaleAndCopiesAreRangeChecked) {
    struct Case {
        DWORD bit;
        short in;
        short out;
        short before; // a value different from out
    };
    const Case cases[] = {
        {DM_ORIENTATION, 0, 1, 2}, {DM_ORIENTATION, 1, 1, 2},  {DM_ORIENTATION, 2, 2, 1},
        {DM_ORIENTATION, 3, 1, 2}, {DM_ORIENTATION, -1, 1, 2}, {DM_SCALE, 0, 100, 50},
        {DM_SCALE, 1, 1, 50},      {DM_SCALE, 1000, 1000, 50}, {DM_SCALE, 1001, 100, 50},
        {DM_SCALE, -5, 100, 50},   {DM_COPIES, 0, 1, 7},       {DM_COPIES, 1, 1, 7},
        {DM_COPIES, 99, 99, 7},    {DM_COPIES, 100, 1, 7},     {DM_COPIES, -3, 1, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("bit " + std::to_string(c.bit) + " value " + std::to_string(c.in));
        DriverDevMode dm = Target();
        dm.dm.dmFields = 0;
        short& target = c.bit == DM_ORIENTATION ? dm.dm.dmOrientation
                        : c.bit == DM_SCALE     ? dm.dm.dmScale
                                                : dm.dm.dmCopies;
        target = c.before;

        CallerDevMode in(220, 0);
        in.dm()->dmFields = c.bit;
        in.dm()->dmOrientation = in.dm()->dmScale = in.dm()->dmCopies = c.in;
        ValidateSetDevMode(&dm, in.dm());
        EXPECT_EQ(target, c.out);
        EXPECT_EQ(dm.dm.dmFields, c.bit | DM_COLOR);
    }
}

TEST(ValidateSetDevMode, DefaultSourceIsCopiedUnchecked) {
    for (short source : {short{15}, short{-7}, short{0}, short{256}, short{32767}}) {
        DriverDevMode dm = Target();
        dm.dm.dmFields = 0;
        dm.dm.dmDefaultSource = 99;
        CallerDevMode in(220, 0);
        in.dm()->dmFields = DM_DEFAULTSOURCE;
        in.dm()->dmDefaultSource = source;
        ValidateSetDevMode(&dm, in.dm());
        EXPECT_EQ(dm.dm.dmDefaultSource, source);
        EXPECT_EQ(dm.dm.dmFields, static_cast<DWORD>(DM_DEFAULTSOURCE | DM_COLOR));
    }
}

TEST(ValidateSetDevMode, ResolutionBitIsSetButValuesFollowThePrivateRecord) {
    DriverDevMode dm = Target();
    dm.dm.dmFields = 0;
    CallerDevMode in(220, 0);
    in.dm()->dmFields = DM_YRESOLUTION | DM_PRINTQUALITY;
    in.dm()->dmYResolution = 600;
    in.dm()->dmPrintQuality = 300;
    ValidateSetDevMode(&dm, in.dm());
    EXPECT_EQ(dm.dm.dmFields, static_cast<DWORD>(DM_YRESOLUTION | DM_COLOR));
    ExpectDerived(dm.dm, 265, 640, 720, 668, 751);
}

// Length and width (both set and positive) block the form name, which blocks the paper size.
TEST(ValidateSetDevMode, PaperPrecedence) {
    const DWORD LW = DM_PAPERLENGTH | DM_PAPERWIDTH;
    struct Case {
        const char* what;
        DWORD fields;
        short length;
        short width;
        bool formTaken;
        bool sizeTaken;
        DWORD bitsSet;
    };
    const Case cases[] = {
        {"all, sizes positive", LW | DM_FORMNAME | DM_PAPERSIZE, 300, 200, false, false, LW},
        {"length and width only", LW, 300, 200, false, false, LW},
        {"length 0", LW | DM_FORMNAME | DM_PAPERSIZE, 0, 200, true, false, DM_FORMNAME},
        {"width negative", LW | DM_FORMNAME | DM_PAPERSIZE, 300, -5, true, false, DM_FORMNAME},
        {"width 0", LW | DM_FORMNAME | DM_PAPERSIZE, 300, 0, true, false, DM_FORMNAME},
        {"no length bit", DM_PAPERWIDTH | DM_FORMNAME, 300, 200, true, false, DM_FORMNAME},
        {"no width bit", DM_PAPERLENGTH | DM_FORMNAME, 300, 200, true, false, DM_FORMNAME},
        {"width bit and paper size", DM_PAPERWIDTH | DM_PAPERSIZE, 300, 200, false, true,
         DM_PAPERSIZE},
        {"zero sizes and paper size", LW | DM_PAPERSIZE, 0, 0, false, true, DM_PAPERSIZE},
        {"form name and paper size", DM_FORMNAME | DM_PAPERSIZE, 0, 0, true, false, DM_FORMNAME},
        {"paper size only", DM_PAPERSIZE, 300, 200, false, true, DM_PAPERSIZE},
        {"zero sizes only", LW, 0, 200, false, false, 0},
        {"no paper bits", 0, 300, 200, false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DriverDevMode dm = Target();
        dm.dm.dmFields = 0;
        CallerDevMode in(220, 0);
        in.dm()->dmFields = c.fields;
        in.dm()->dmPaperLength = c.length;
        in.dm()->dmPaperWidth = c.width;
        in.dm()->dmPaperSize = 9;
        SetField32(in.dm()->dmFormName, "A4");
        ValidateSetDevMode(&dm, in.dm());

        EXPECT_EQ(Units(dm.dm.dmFormName), Field32(c.formTaken ? "A4" : "user size"));
        EXPECT_EQ(dm.dm.dmPaperSize, c.sizeTaken ? 9 : 256);
        EXPECT_EQ(dm.dm.dmFields, c.bitsSet | DM_COLOR);
        // Length and width always come from the work size.
        EXPECT_EQ(dm.dm.dmPaperLength, 720);
        EXPECT_EQ(dm.dm.dmPaperWidth, 640);
    }
}

TEST(ValidateSetDevMode, FormNameIsCutTo31Characters) {
    DriverDevMode dm = Target();
    CallerDevMode in(220, 0);
    in.dm()->dmFields = DM_FORMNAME;
    for (WCHAR& unit : in.dm()->dmFormName) {
        unit = static_cast<WCHAR>('F'); // 32 characters, no NUL
    }
    ValidateSetDevMode(&dm, in.dm());
    std::vector<uint16_t> expected(31, 'F');
    expected.push_back(0);
    EXPECT_EQ(Units(dm.dm.dmFormName), expected);
}

TEST(ValidateSetDevMode, ColorIsAlwaysColour) {
    for (DWORD fields : {DWORD{0}, static_cast<DWORD>(DM_COLOR)}) {
        DriverDevMode dm = Target();
        dm.dm.dmFields = 0;
        dm.dm.dmColor = 1;
        CallerDevMode in(220, 0);
        in.dm()->dmFields = fields;
        in.dm()->dmColor = 1;
        ValidateSetDevMode(&dm, in.dm());
        EXPECT_EQ(dm.dm.dmColor, 2);
        EXPECT_EQ(dm.dm.dmFields, static_cast<DWORD>(DM_COLOR));
    }
}

TEST(ValidateSetDevMode, FieldsOutsideTheMergeAreNeverTaken) {
    DriverDevMode dm = Target();
    CallerDevMode in(220, 0);
    DEVMODEW* src = in.dm();
    src->dmFields = 0xFFFFFFFF;
    SetField32(src->dmDeviceName, "Someone else's printer");
    src->dmSpecVersion = 0x400;
    src->dmDriverVersion = 5;
    src->dmOrientation = 1;
    src->dmPaperLength = 300;
    src->dmPaperWidth = 200;
    src->dmScale = 100;
    src->dmCopies = 1;
    src->dmDuplex = 2;
    src->dmYResolution = 600;
    src->dmTTOption = 3;
    src->dmCollate = 1;
    src->dmLogPixels = 96;
    src->dmBitsPerPel = 24;
    src->dmDisplayFlags = 1;
    src->dmDisplayFrequency = 75;
    src->dmICMMethod = 2;
    src->dmMediaType = 3;
    src->dmDitherType = 4;
    EXPECT_EQ(ValidateSetDevMode(&dm, src), TRUE);

    EXPECT_EQ(Units(dm.dm.dmDeviceName), Field32("Velmar VORIKA KLV-10"));
    EXPECT_EQ(dm.dm.dmSpecVersion, 0x401);
    EXPECT_EQ(dm.dm.dmDriverVersion, 0x11F);
    EXPECT_EQ(dm.dm.dmSize, 220);
    EXPECT_EQ(dm.dm.dmDriverExtra, 1536);
    EXPECT_EQ(dm.dm.dmDuplex, 1);
    EXPECT_EQ(dm.dm.dmTTOption, 1);
    EXPECT_EQ(dm.dm.dmCollate, 0);
    EXPECT_EQ(dm.dm.dmBitsPerPel, 256u);
    EXPECT_EQ(dm.dm.dmDisplayFlags, 0u);
    EXPECT_EQ(dm.dm.dmDisplayFrequency, 60u);
    EXPECT_EQ(dm.dm.dmICMMethod, 0u);
    EXPECT_EQ(dm.dm.dmMediaType, 0u);
    EXPECT_EQ(dm.dm.dmDitherType, 0u);
    // Only the bits of the merged fields are added; duplex, collate and form name are not.
    EXPECT_EQ(dm.dm.dmFields,
              static_cast<DWORD>(0x6C0E | DM_ORIENTATION | DM_DEFAULTSOURCE | DM_YRESOLUTION |
                                 DM_PAPERLENGTH | DM_PAPERWIDTH | DM_SCALE | DM_COPIES | DM_COLOR));
    ExpectDerived(dm.dm, 265, 640, 720, 668, 751);
}

// A private record unlike the target's: base 1016, index 3 (dpi 339), 700 x 300.
// dots(700) = 339 * 7000 / 254 = 9342 -> 934; dots(300) = 339 * 3000 / 254 = 4003 -> 400.
PrinterSettings CallerRecord(DWORD signature) {
    PrinterSettings ps;
    SetDefaultPrinterSettings(&ps, 1016);
    ps.UserDefinedX = 700;
    ps.UserDefinedY = 300;
    ps.FrameDpiIdx = 3;
    ps.Gamma = 123;
    ps.TextSet.Entry[5].Reserved = 77;
    ps.PhotoSet.Entry[8].Name[0] = static_cast<WCHAR>('Z');
    ps.dwFlags = 0xAABBCCDD;
    ps.dwPrivData = signature;
    return ps;
}

TEST(ValidateSetDevMode, PrivatePartIsTakenOnlyWhenItIsOurs) {
    struct Case {
        const char* what;
        WORD size;
        WORD extra;
        DWORD signature;
        bool taken;
    };
    const Case cases[] = {
        {"full DEVMODE, signed", 220, 1536, 0x56495250, true},
        {"signature 0", 220, 1536, 0, false},
        {"other signature", 220, 1536, 0x56495251, false},
        {"private part one byte short", 220, 1535, 0x56495250, false},
        {"private part longer", 220, 1600, 0x56495250, false},
        {"private part of 8 bytes", 220, 8, 0x56495250, false},
        {"no private part", 220, 0, 0x56495250, false},
        // The private part lies behind the caller's public part, wherever that ends.
        {"public part of 188 bytes, signed", 188, 1536, 0x56495250, true},
        {"public part of 188 bytes, signature 0", 188, 1536, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DriverDevMode dm = Target();
        const PrinterSettings ownRecord = dm.ps;
        const PrinterSettings callerRecord = CallerRecord(c.signature);

        CallerDevMode in(c.size, c.extra);
        std::memcpy(in.priv(), &callerRecord, c.extra < 1536 ? c.extra : 1536);
        if (c.extra > 1536) {
            std::memset(in.priv() + 1536, 0x11, c.extra - 1536);
        }
        EXPECT_EQ(ValidateSetDevMode(&dm, in.dm()), TRUE);

        if (c.taken) {
            ExpectSameBytes(&dm.ps, &callerRecord, sizeof callerRecord);
            ExpectDerived(dm.dm, 339, 700, 300, 934, 400);
        } else {
            ExpectSameBytes(&dm.ps, &ownRecord, sizeof ownRecord);
            ExpectDerived(dm.dm, 265, 640, 720, 668, 751);
        }
    }
}

TEST(PrivatePart, LiesBehindTheDeclaredPublicSize) {
    CallerDevMode in(188, 1536);
    const PrinterSettings record = CallerRecord(0x56495250);
    std::memcpy(in.priv(), &record, sizeof record);
    const DEVMODEW* constDm = in.dm();
    EXPECT_EQ(PrivatePart(in.dm()), reinterpret_cast<BYTE*>(in.dm()) + 188);
    EXPECT_EQ(PrivatePart(constDm), reinterpret_cast<const BYTE*>(constDm) + 188);
    EXPECT_TRUE(HasValidPrivatePart(constDm, 1536));
    EXPECT_FALSE(HasValidPrivatePart(constDm, 1600));

    // A private part too short to hold the record is never ours, whatever length is asked for.
    CallerDevMode shortPart(220, 1535);
    const DWORD signature = 0x56495250;
    std::memcpy(shortPart.priv() + 1524, &signature, sizeof signature);
    EXPECT_FALSE(HasValidPrivatePart(shortPart.dm(), 1535));

    const PrinterSettings unsigned_ = CallerRecord(0x50524956); // "VIRP": byte order reversed
    std::memcpy(in.priv(), &unsigned_, sizeof unsigned_);
    EXPECT_FALSE(HasValidPrivatePart(constDm, 1536));
}

} // namespace
