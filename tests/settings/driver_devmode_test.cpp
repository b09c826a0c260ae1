// The driver DEVMODE: defaults, the resolution rule, the public fields derived from the private
// record and the merge of a caller's DEVMODE.
#include "settings/driver_devmode.h"

#include "tests/support/devmode_bytes.h"

#include <array>
#include <tuple>

namespace {

using namespace testdm;

// Every byte of the defaults: the KLV-20 has base 1016 (254 dpi, 50 mm = 500 dots), any other
// name base 1058 (265 dpi, 522 dots) and other material numbers.
TEST(DefaultDevMode, EveryByteForEachModel) {
    for (const bool klv20 : {true, false}) {
        DriverDevMode dm;
        std::memset(&dm, 0xCD, sizeof dm);
        EXPECT_EQ(SetDefaultDevMode(&dm, klv20 ? kKlv20 : nullptr), TRUE);
        DriverDevMode e{};
        DEVMODEW& d = e.dm;
        std::memcpy(d.dmDeviceName, kKlv20, klv20 ? 40 : 0);
        std::memcpy(d.dmFormName, TEXT("user size"), 18);
        d.dmSpecVersion = 0x401, d.dmDriverVersion = 0x11F, d.dmSize = 220, d.dmDriverExtra = 1536;
        d.dmFields = 0x6C0E, d.dmOrientation = 1, d.dmPaperSize = 256, d.dmScale = 100;
        d.dmPaperLength = d.dmPaperWidth = d.dmLogPixels = 500, d.dmCopies = 1;
        d.dmDefaultSource = 256, d.dmPrintQuality = d.dmYResolution = klv20 ? 254 : 265;
        d.dmColor = 2, d.dmDuplex = 1, d.dmTTOption = 1, d.dmBitsPerPel = 256;
        d.dmPelsWidth = d.dmPelsHeight = klv20 ? 500 : 522, d.dmDisplayFrequency = 60;
        PrinterSettings& ps = e.ps;
        ps.UserDefinedX = ps.UserDefinedY = ps.LimitX = ps.LimitY = 500, ps.Material = 1;
        ps.Gamma = -500, ps.PassMethod = 4, ps.BiDir = 1, ps.Draft = 3, ps.LowCut = 1;
        ps.LowCutPre = 40, ps.FrameDpiIdx = 4, ps.Rear = ps.Front = ps.Left = ps.Right = 10;
        ps.BaseDpi = klv20 ? 1016 : 1058, ps.ImpactPattern = 1, ps.EnableExtendedSize = 1;
        ps.dwPrivData = kPriv, ps.wOutFlags = 1991;
        for (int i = 0; i < kMaterialCount; ++i) {
            ps.TextSet.Entry[i] = {klv20 ? 640 : 400, klv20 ? 840 : 650, 12, 0, {}};
            ps.PhotoSet.Entry[i] = {klv20 ? 600 : 420, klv20 ? 950 : 720, 15, 0, {}};
        }
        ExpectSameBytes(&dm, &e, sizeof e);
    }
}

// dpi = base over index (0 read as 5), rounded; dots(n) = (dpi * n * 10 / 254 + 5) / 10,
// truncating (52 at 339 dpi: 694 tenths, so 69); dmLogPixels keeps the width's low 16 bits;
// nothing else changes.
TEST(DerivedFields, FollowThePrivateRecordAndNothingElse) {
    // base, index, x, y, dpi, dots x, dots y; the last: 1407 / 256ths, 5.496, rounds to 5
    // clang-format off
    const std::array<int, 7> cases[] = {
        {1016, 3, 800, 52, 339, 1068, 69},      {1058, 10, 500, 54, 106, 209, 23},
        {1058, 0, 500, 254, 212, 417, 212},     {1016, 1, 32767, 500, 1016, 131068, 2000},
        {1016, -4, 254, 254, -253, -252, -252}, {1413, 257, 254, 254, 5, 5, 5}};
    // clang-format on
    for (const auto& [base, idx, x, y, dpi, dotsX, dotsY] : cases) {
        DriverDevMode dm = Defaults(kKlv20);
        dm.dm.dmFields = 0x12345678, dm.ps.BaseDpi = SHORT(base), dm.ps.FrameDpiIdx = SHORT(idx);
        dm.ps.UserDefinedX = SHORT(x), dm.ps.UserDefinedY = SHORT(y);
        DriverDevMode e = dm;
        e.dm.dmPaperLength = SHORT(y), e.dm.dmPaperWidth = SHORT(x);
        e.dm.dmPrintQuality = e.dm.dmYResolution = SHORT(dpi), e.dm.dmLogPixels = WORD(dotsX);
        e.dm.dmPelsWidth = DWORD(dotsX), e.dm.dmPelsHeight = DWORD(dotsY);
        SetDerivedFields(&dm);
        ExpectSameBytes(&dm, &e, sizeof dm);
    }
}

// The DEVMODE that receives a merge: base 1058, index 4 (265 dpi), 64 x 72 mm.
DriverDevMode Target() {
    DriverDevMode dm = Defaults(kOtherModel);
    dm.ps.UserDefinedX = 640, dm.ps.UserDefinedY = 720;
    SetDerivedFields(&dm);
    dm.dm.dmFields = 0;
    return dm;
}

// One rule at a time: the caller's bits, the value it holds in every field but the width, then
// the width (the form name is "A4"); the value the announced range rule keeps, and the bits added
// besides DM_COLOR. Paper: length and width (both set, both positive) win over the form
// name, which wins over the paper size; the sizes and the resolution follow the private record.
TEST(ValidateSetDevMode, PublicFieldsByTheirBitsAndRanges) {
    const DWORD LW = DM_PAPERLENGTH | DM_PAPERWIDTH, F = DM_FORMNAME, P = DM_PAPERSIZE;
    const DWORD O = DM_ORIENTATION, S = DM_SCALE, C = DM_COPIES, D = DM_DEFAULTSOURCE;
    const DWORD L = DM_PAPERLENGTH, Y = DM_YRESOLUTION;
    // announced fields, the value of each field but the width, the width, the value kept, added
    const std::tuple<DWORD, short, short, short, DWORD> cases[] = {
        {LW | F, 0, 9, 0, F},      {O, 2, 2, 2, O},          {O, 3, 3, 1, O},
        {S, 1000, 1000, 1000, S},  {S, 1001, 1001, 100, S},  {S, 1, 1, 1, S},
        {S, 0, 0, 100, S},         {C, 99, 99, 99, C},       {C, 100, 100, 1, C},
        {C, 0, 0, 1, C},           {D, -7, -7, -7, D},       {Y, 600, 600, 0, Y},
        {LW | F | P, 9, 9, 0, LW}, {LW | F | P, 0, 0, 0, F}, {LW | F, 9, 0, 0, F},
        {L | P, 9, 9, 0, P},       {LW | P, 0, 0, 0, P},     {LW, 0, 0, 0, 0},
    };
    for (const auto& [fields, value, width, keptValue, added] : cases) {
        DriverDevMode dm = Target();
        DevModeBytes in(220, 0, 0x401, 0, 0);
        DEVMODEW* src = in.dm();
        src->dmFields = fields;
        src->dmOrientation = src->dmScale = src->dmCopies = src->dmDefaultSource = value;
        src->dmPaperSize = src->dmPaperLength = src->dmPrintQuality = src->dmYResolution = value;
        src->dmPaperWidth = width;
        std::memcpy(src->dmFormName, TEXT("A4"), 4);
        ASSERT_EQ(ValidateSetDevMode(&dm, src), TRUE);
        const DEVMODEW& d = dm.dm;
        auto kept = [&, fields = fields, keptValue = keptValue](DWORD bit, short otherwise) {
            return fields & bit ? keptValue : otherwise;
        };
        EXPECT_EQ((std::array<short, 9>{d.dmOrientation, d.dmScale, d.dmCopies, d.dmDefaultSource,
                                        d.dmPaperSize, d.dmPaperWidth, d.dmPaperLength,
                                        d.dmPrintQuality, d.dmYResolution}),
                  (std::array<short, 9>{kept(O, 1), kept(S, 100), kept(C, 1), kept(D, 256),
                                        added & P ? value : short(256), 640, 720, 265, 265}))
            << fields << " " << value;
        EXPECT_EQ(Text(d.dmFormName), added & F ? u"A4" : u"user size");
        EXPECT_EQ(d.dmFields, added | DM_COLOR);
        EXPECT_EQ(d.dmColor, DMCOLOR_COLOR);
    }
}

// A bit counts only when the field it announces lies inside the caller's public part.
TEST(ValidateSetDevMode, ShortCallerHeaderAnnouncesOnlyWhatItHolds) {
    const WORD scaleEnd = offsetof(DEVMODEW, dmScale) + sizeof(short);
    for (WORD size : {scaleEnd, WORD(scaleEnd - 1), WORD(offsetof(DEVMODEW, dmFields) + 2)}) {
        DriverDevMode dm = Target();
        DevModeBytes in(size, 0, 0x401, 0, 0);
        const DWORD fields = DM_SCALE | DM_YRESOLUTION | DM_FORMNAME;
        const short scale = 50;
        std::memcpy(in.bytes.data() + offsetof(DEVMODEW, dmFields), &fields, size > 74 ? 4 : 2);
        if (size > offsetof(DEVMODEW, dmScale)) {
            std::memcpy(in.bytes.data() + offsetof(DEVMODEW, dmScale), &scale, size - 84u);
        }
        ValidateSetDevMode(&dm, in.dm());
        EXPECT_EQ(dm.dm.dmScale, size == scaleEnd ? 50 : 100) << size;
        EXPECT_EQ(dm.dm.dmFields, (size == scaleEnd ? DWORD{DM_SCALE} : 0) | DM_COLOR) << size;
    }
}

} // namespace
