// The driver DEVMODE: defaults, the resolution rule, the public fields derived from the private
// record and the merge of a caller's DEVMODE.
#include <windows.h>

#include "settings/driver_devmode.h"
#include "tests/support/devmode_bytes.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

namespace {

using namespace testdm;

void SetText(WCHAR* field, const char* ascii) {
    for (size_t i = 0; ascii[i] != '\0'; ++i) {
        field[i] = static_cast<WCHAR>(ascii[i]);
    }
}

// Every byte of the defaults; a longer device name keeps its first 31 characters.
TEST(DefaultDevMode, EveryByteForEachModel) {
    const struct {
        LPCWSTR name;
        const char* deviceName;
        SHORT base, dpi; // dpi: base / 4, rounded
        DWORD dots;      // 50 mm at dpi
        LONG text[3], photo[3];
    } models[] = {
        {kKlv20, "Velmar VORIKA KLV-20", 1016, 254, 500, {640, 840, 12}, {600, 950, 15}},
        {nullptr, "", 1058, 265, 522, {400, 650, 12}, {420, 720, 15}},
        {TEXT("abcdefghijklmnopqrstuvwxyz0123456789"),
         "abcdefghijklmnopqrstuvwxyz01234",
         1058,
         265,
         522,
         {400, 650, 12},
         {420, 720, 15}},
    };
    for (const auto& m : models) {
        DriverDevMode dm;
        std::memset(&dm, 0xCD, sizeof dm);
        EXPECT_EQ(SetDefaultDevMode(&dm, m.name), TRUE);
        DriverDevMode e{};
        DEVMODEW& d = e.dm;
        SetText(d.dmDeviceName, m.deviceName);
        SetText(d.dmFormName, "user size");
        d.dmSpecVersion = 0x401, d.dmDriverVersion = 0x11F, d.dmSize = 220, d.dmDriverExtra = 1536;
        d.dmFields = 0x6C0E, d.dmOrientation = 1, d.dmPaperSize = 256, d.dmScale = 100;
        d.dmPaperLength = d.dmPaperWidth = d.dmLogPixels = 500, d.dmCopies = 1;
        d.dmDefaultSource = 256, d.dmPrintQuality = d.dmYResolution = m.dpi, d.dmColor = 2;
        d.dmDuplex = 1, d.dmTTOption = 1, d.dmBitsPerPel = 256, d.dmDisplayFrequency = 60;
        d.dmPelsWidth = d.dmPelsHeight = m.dots;
        PrinterSettings& ps = e.ps;
        ps.UserDefinedX = ps.UserDefinedY = ps.LimitX = ps.LimitY = 500, ps.Material = 1;
        ps.Gamma = -500, ps.PassMethod = 4, ps.BiDir = 1, ps.Draft = 3, ps.LowCut = 1;
        ps.LowCutPre = 40, ps.FrameDpiIdx = 4, ps.Rear = ps.Front = ps.Left = ps.Right = 10;
        ps.BaseDpi = m.base, ps.ImpactPattern = 1, ps.EnableExtendedSize = 1, ps.dwPrivData = kPriv;
        ps.wOutFlags = 1991;
        for (int i = 0; i < kMaterialCount; ++i) {
            MaterialEntry& t = ps.TextSet.Entry[i];
            MaterialEntry& p = ps.PhotoSet.Entry[i];
            t.ImpactMin = m.text[0], t.ImpactMax = m.text[1], t.Speed = m.text[2];
            p.ImpactMin = m.photo[0], p.ImpactMax = m.photo[1], p.Speed = m.photo[2];
        }
        SCOPED_TRACE(m.deviceName);
        ExpectSameBytes(&dm, &e, sizeof e);
    }
}

// base * 256 / index, plus 128, over 256, each division truncating toward zero; index 0 is 5.
TEST(FrameIdx2Dpi, RoundsBaseOverIndex) {
    const LONG base1016[11] = {203, 1016, 508, 339, 254, 203, 169, 145, 127, 113, 102};
    const LONG base1058[11] = {212, 1058, 529, 353, 265, 212, 176, 151, 132, 118, 106};
    for (LONG idx = 0; idx <= 10; ++idx) {
        EXPECT_EQ(FrameIdx2Dpi(1016, idx), base1016[idx]) << "index " << idx;
        EXPECT_EQ(FrameIdx2Dpi(1058, idx), base1058[idx]) << "index " << idx;
    }
    EXPECT_EQ(FrameIdx2Dpi(1016, -4), -253);
}

// dots(n) = (dpi * n * 10 / 254 + 5) / 10, truncating; dmLogPixels keeps the width's low 16 bits.
TEST(DerivedFields, FollowThePrivateRecordAndNothingElse) {
    const struct {
        SHORT base, idx, x, y, dpi;
        LONG dotsX, dotsY;
    } cases[] = {{1016, 3, 800, 51, 339, 1068, 68},
                 {1058, 10, 500, 54, 106, 209, 23},
                 {1058, 0, 500, 254, 212, 417, 212},
                 {1016, 1, 32767, 500, 1016, 131068, 2000},
                 {1016, 4, -100, 254, 254, -99, 254}};
    for (const auto& c : cases) {
        DriverDevMode dm = Defaults(kKlv20);
        dm.dm.dmFields = 0x12345678;
        dm.ps.BaseDpi = c.base, dm.ps.FrameDpiIdx = c.idx;
        dm.ps.UserDefinedX = c.x, dm.ps.UserDefinedY = c.y;
        DriverDevMode e = dm;
        e.dm.dmPaperLength = c.y, e.dm.dmPaperWidth = c.x;
        e.dm.dmPrintQuality = e.dm.dmYResolution = c.dpi;
        e.dm.dmLogPixels = static_cast<WORD>(c.dotsX);
        e.dm.dmPelsWidth = static_cast<DWORD>(c.dotsX), e.dm.dmPelsHeight = DWORD(c.dotsY);
        SetDerivedFields(&dm);
        SCOPED_TRACE(std::to_string(c.base) + " / " + std::to_string(c.idx));
        ExpectSameBytes(&dm, &e, sizeof dm);
    }
}

// The DEVMODE that receives a merge: base 1058, index 4 (265 dpi), 64 x 72 mm = 668 x 751 dots.
DriverDevMode Target() {
    DriverDevMode dm = Defaults(kOtherModel);
    dm.ps.UserDefinedX = 640;
    dm.ps.UserDefinedY = 720;
    SetDerivedFields(&dm);
    dm.dm.dmFields = 0;
    return dm;
}

// One public field at a time: the bits the caller sets, the value it holds in orientation, scale,
// copies, source, the paper fields and the resolution, and what the merge keeps. Paper: length
// and width (both set, both positive) win over the form name, which wins over the paper size;
// the sizes themselves and the resolution always follow the private record.
TEST(ValidateSetDevMode, PublicFieldsByTheirBitsAndRanges) {
    constexpr short kSameAsValue = 32767;
    const DWORD LW = DM_PAPERLENGTH | DM_PAPERWIDTH;
    const struct {
        DWORD fields;
        short value, orientation, scale, copies, source, paperSize;
        bool formName, formTaken;
        DWORD bitsAdded;
        short width = kSameAsValue;
    } cases[] = {
        {0, 2, 1, 100, 1, 256, 256, true, false, 0},
        {DM_ORIENTATION, 2, 2, 100, 1, 256, 256, false, false, DM_ORIENTATION},
        {DM_ORIENTATION, 3, 1, 100, 1, 256, 256, false, false, DM_ORIENTATION},
        {DM_ORIENTATION, 0, 1, 100, 1, 256, 256, false, false, DM_ORIENTATION},
        {DM_SCALE, 1000, 1, 1000, 1, 256, 256, false, false, DM_SCALE},
        {DM_SCALE, 1001, 1, 100, 1, 256, 256, false, false, DM_SCALE},
        {DM_SCALE, 1, 1, 1, 1, 256, 256, false, false, DM_SCALE},
        {DM_SCALE, 0, 1, 100, 1, 256, 256, false, false, DM_SCALE},
        {DM_COPIES, 99, 1, 100, 99, 256, 256, false, false, DM_COPIES},
        {DM_COPIES, 100, 1, 100, 1, 256, 256, false, false, DM_COPIES},
        {DM_COPIES, 0, 1, 100, 1, 256, 256, false, false, DM_COPIES},
        {DM_DEFAULTSOURCE, -7, 1, 100, 1, -7, 256, false, false, DM_DEFAULTSOURCE},
        {LW | DM_FORMNAME | DM_PAPERSIZE, 9, 1, 100, 1, 256, 256, true, false, LW},
        {LW | DM_FORMNAME | DM_PAPERSIZE, 0, 1, 100, 1, 256, 256, true, true, DM_FORMNAME},
        {LW | DM_FORMNAME | DM_PAPERSIZE, -5, 1, 100, 1, 256, 256, true, true, DM_FORMNAME},
        {LW | DM_FORMNAME, 0, 1, 100, 1, 256, 256, true, true, DM_FORMNAME, 9},
        {LW | DM_FORMNAME, 9, 1, 100, 1, 256, 256, true, true, DM_FORMNAME, 0},
        {DM_PAPERWIDTH | DM_FORMNAME, 9, 1, 100, 1, 256, 256, true, true, DM_FORMNAME},
        {DM_PAPERLENGTH | DM_PAPERSIZE, 9, 1, 100, 1, 256, 9, false, false, DM_PAPERSIZE},
        {LW | DM_PAPERSIZE, 0, 1, 100, 1, 256, 0, false, false, DM_PAPERSIZE},
        {LW, 0, 1, 100, 1, 256, 256, false, false, 0},
        {DM_YRESOLUTION, 600, 1, 100, 1, 256, 256, false, false, DM_YRESOLUTION},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        DriverDevMode dm = Target();
        DevModeBytes in(220, 0, 0x401, 0, 0);
        DEVMODEW* src = in.dm();
        src->dmFields = c.fields;
        src->dmOrientation = src->dmScale = src->dmCopies = src->dmDefaultSource = c.value;
        src->dmPaperSize = src->dmPaperLength = src->dmPaperWidth = c.value;
        src->dmPaperWidth = c.width == kSameAsValue ? c.value : c.width;
        src->dmPrintQuality = src->dmYResolution = c.value;
        if (c.formName) {
            SetText(src->dmFormName, "A4");
        }
        ASSERT_EQ(ValidateSetDevMode(&dm, src), TRUE);
        const DEVMODEW& d = dm.dm;
        EXPECT_EQ((std::array<short, 7>{d.dmOrientation, d.dmScale, d.dmCopies, d.dmDefaultSource,
                                        d.dmPaperSize, d.dmPaperWidth, d.dmPrintQuality}),
                  (std::array<short, 7>{c.orientation, c.scale, c.copies, c.source, c.paperSize,
                                        640, 265}));
        EXPECT_EQ(Text(d.dmFormName, 32), c.formTaken ? u"A4" : u"user size");
        EXPECT_EQ(d.dmFields, c.bitsAdded | DM_COLOR);
        EXPECT_EQ(d.dmColor, DMCOLOR_COLOR);
        EXPECT_EQ(d.dmYResolution, 265);
        EXPECT_EQ(d.dmPaperLength, 720);
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

TEST(ValidateSetDevMode, PrivatePartIsTakenOnlyWhenItIsOurs) {
    const struct {
        WORD size, extra;
        DWORD signature;
        bool taken;
    } cases[] = {
        {220, 1536, kPriv, true},       {220, 1536, 0, false},     {220, 1536, kPriv + 1, false},
        {220, 1535, kPriv, false},      {220, 1600, kPriv, false}, {220, 0, kPriv, false},
        {188, 1536, kPriv, true}, // the private part lies behind whatever public part
        {188, 1536, 0x50524956, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.size) + " + " + std::to_string(c.extra));
        DriverDevMode dm = Target();
        const PrinterSettings own = dm.ps;
        PrinterSettings caller = Record(700, 300, 3); // 339 dpi: 934 x 400 dots
        caller.dwPrivData = c.signature;
        DevModeBytes in = DevModeBytes::Of(dm.dm, c.size, c.extra, caller);
        EXPECT_EQ(ValidateSetDevMode(&dm, in.dm()), TRUE);
        ExpectSameBytes(&dm.ps, c.taken ? &caller : &own, sizeof own);
        EXPECT_EQ(dm.dm.dmPelsWidth, c.taken ? 934u : 668u);
        EXPECT_EQ(dm.dm.dmPelsHeight, c.taken ? 400u : 751u);
        EXPECT_EQ(dm.dm.dmPrintQuality, c.taken ? 339 : 265);
    }
}

} // namespace
