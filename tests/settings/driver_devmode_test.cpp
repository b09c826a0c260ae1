// The driver DEVMODE: defaults, the resolution rule, the public fields derived from the private
// record and the merge of a caller's DEVMODE.
#include <windows.h>

#include "settings/driver_devmode.h"
#include "tests/support/devmode_bytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using namespace testdm;

void SetText(WCHAR* field, const char* ascii) {
    for (size_t i = 0; ascii[i] != '\0'; ++i) {
        field[i] = static_cast<WCHAR>(ascii[i]);
    }
}

TEST(DefaultDevMode, EveryByteForEachModel) {
    const struct {
        LPCWSTR name;
        const char* deviceName;
        SHORT base;
        short dpi;  // base / 4, rounded
        DWORD dots; // 50 mm at dpi
        LONG text[3], photo[3];
    } models[] = {
        {kKlv20, "Velmar VORIKA KLV-20", 1016, 254, 500, {640, 840, 12}, {600, 950, 15}},
        {kOtherModel, "Velmar VORIKA KLV-10", 1058, 265, 522, {400, 650, 12}, {420, 720, 15}},
        {nullptr, "", 1058, 265, 522, {400, 650, 12}, {420, 720, 15}},
        // A longer name keeps its first 31 characters and a NUL.
        {TEXT("abcdefghijklmnopqrstuvwxyz0123456789"), "abcdefghijklmnopqrstuvwxyz01234", 1058, 265,
         522, {400, 650, 12}, {420, 720, 15}},
    };
    for (const auto& m : models) {
        SCOPED_TRACE(m.deviceName);
        DriverDevMode dm;
        std::memset(&dm, 0xCD, sizeof dm);
        EXPECT_EQ(SetDefaultDevMode(&dm, m.name), TRUE);

        DriverDevMode e;
        std::memset(&e, 0, sizeof e);
        SetText(e.dm.dmDeviceName, m.deviceName);
        e.dm.dmSpecVersion = 0x401;
        e.dm.dmDriverVersion = 0x11F;
        e.dm.dmSize = 220;
        e.dm.dmDriverExtra = 1536;
        e.dm.dmFields = 0x6C0E;
        e.dm.dmOrientation = 1;
        e.dm.dmPaperSize = 256;
        e.dm.dmPaperLength = e.dm.dmPaperWidth = 500;
        e.dm.dmScale = 100;
        e.dm.dmCopies = 1;
        e.dm.dmDefaultSource = 256;
        e.dm.dmPrintQuality = e.dm.dmYResolution = m.dpi;
        e.dm.dmColor = 2;
        e.dm.dmDuplex = 1;
        e.dm.dmTTOption = 1;
        SetText(e.dm.dmFormName, "user size");
        e.dm.dmLogPixels = 500;
        e.dm.dmBitsPerPel = 256;
        e.dm.dmPelsWidth = e.dm.dmPelsHeight = m.dots;
        e.dm.dmDisplayFrequency = 60;
        PrinterSettings& ps = e.ps;
        ps.UserDefinedX = ps.UserDefinedY = ps.LimitX = ps.LimitY = 500;
        ps.Material = 1;
        ps.Gamma = -500;
        ps.PassMethod = 4;
        ps.BiDir = 1;
        ps.Draft = 3;
        ps.LowCut = 1;
        ps.LowCutPre = 40;
        ps.FrameDpiIdx = 4;
        ps.Rear = ps.Front = ps.Left = ps.Right = 10;
        ps.BaseDpi = m.base;
        for (int i = 0; i < kMaterialCount; ++i) {
            MaterialEntry& t = ps.TextSet.Entry[i];
            MaterialEntry& p = ps.PhotoSet.Entry[i];
            t.ImpactMin = m.text[0], t.ImpactMax = m.text[1], t.Speed = m.text[2];
            p.ImpactMin = m.photo[0], p.ImpactMax = m.photo[1], p.Speed = m.photo[2];
        }
        ps.ImpactPattern = 1;
        ps.EnableExtendedSize = 1;
        ps.dwPrivData = kPriv;
        ps.wOutFlags = 1991;
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
    EXPECT_EQ(FrameIdx2Dpi(1016, 300), 3);
}

// dots(n) = (dpi * n * 10 / 254 + 5) / 10, truncating; dmLogPixels keeps the width's low 16 bits.
TEST(DerivedFields, FollowThePrivateRecordAndNothingElse) {
    const struct {
        SHORT base, idx, x, y;
        short dpi;
        LONG dotsX, dotsY;
    } cases[] = {
        {1016, 3, 800, 51, 339, 1068, 68},      {1058, 10, 500, 54, 106, 209, 23},
        {1058, 0, 500, 254, 212, 417, 212},     {1016, 1, 32767, 500, 1016, 131068, 2000},
        {1016, 4, -100, 254, 254, -99, 254},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.base) + " / " + std::to_string(c.idx));
        DriverDevMode dm = Defaults(kKlv20);
        dm.dm.dmFields = 0x12345678;
        dm.ps.BaseDpi = c.base;
        dm.ps.FrameDpiIdx = c.idx;
        dm.ps.UserDefinedX = c.x;
        dm.ps.UserDefinedY = c.y;
        DriverDevMode expected = dm;
        expected.dm.dmPaperLength = c.y;
        expected.dm.dmPaperWidth = c.x;
        expected.dm.dmPrintQuality = expected.dm.dmYResolution = c.dpi;
        expected.dm.dmLogPixels = static_cast<WORD>(c.dotsX);
        expected.dm.dmPelsWidth = static_cast<DWORD>(c.dotsX);
        expected.dm.dmPelsHeight = static_cast<DWORD>(c.dotsY);
        SetDerivedFields(&dm);
        ExpectSameBytes(&dm, &expected, sizeof dm);
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

TEST(ValidateSetDevMode, NullInputChangesNothing) {
    DriverDevMode dm = Target();
    dm.ps.UserDefinedX = 300; // the derived fields are stale now and must stay so
    const DriverDevMode before = dm;
    EXPECT_EQ(ValidateSetDevMode(&dm, nullptr), TRUE);
    ExpectSameBytes(&dm, &before, sizeof dm);
}

// One public field at a time: the bit it needs, what the caller holds, what the merge keeps.
TEST(ValidateSetDevMode, PublicFieldsByTheirBitsAndRanges) {
    const DWORD LW = DM_PAPERLENGTH | DM_PAPERWIDTH;
    const struct {
        DWORD fields;
        short value; // orientation, scale, copies, source and both paper sizes
        bool formName;
        short orientation, scale, copies, source, paperSize; // after the merge
        bool formTaken;
        DWORD bitsAdded;
    } cases[] = {
        {0, 2, true, 1, 100, 1, 256, 256, false, 0},
        {DM_ORIENTATION, 2, false, 2, 100, 1, 256, 256, false, DM_ORIENTATION},
        {DM_ORIENTATION, 3, false, 1, 100, 1, 256, 256, false, DM_ORIENTATION},
        {DM_ORIENTATION, 0, false, 1, 100, 1, 256, 256, false, DM_ORIENTATION},
        {DM_SCALE, 1000, false, 1, 1000, 1, 256, 256, false, DM_SCALE},
        {DM_SCALE, 1001, false, 1, 100, 1, 256, 256, false, DM_SCALE},
        {DM_SCALE, 0, false, 1, 100, 1, 256, 256, false, DM_SCALE},
        {DM_SCALE, 1, false, 1, 1, 1, 256, 256, false, DM_SCALE},
        {DM_COPIES, 99, false, 1, 100, 99, 256, 256, false, DM_COPIES},
        {DM_COPIES, 100, false, 1, 100, 1, 256, 256, false, DM_COPIES},
        {DM_COPIES, 0, false, 1, 100, 1, 256, 256, false, DM_COPIES},
        {DM_DEFAULTSOURCE, -7, false, 1, 100, 1, -7, 256, false, DM_DEFAULTSOURCE},
        // Paper: length and width (both set, both positive) win over the form name, which wins
        // over the paper size; the sizes themselves always follow the private record.
        {LW | DM_FORMNAME | DM_PAPERSIZE, 9, true, 1, 100, 1, 256, 256, false, LW},
        {LW | DM_FORMNAME | DM_PAPERSIZE, 0, true, 1, 100, 1, 256, 256, true, DM_FORMNAME},
        {LW | DM_FORMNAME | DM_PAPERSIZE, -5, true, 1, 100, 1, 256, 256, true, DM_FORMNAME},
        {DM_PAPERWIDTH | DM_FORMNAME, 9, true, 1, 100, 1, 256, 256, true, DM_FORMNAME},
        {DM_PAPERLENGTH | DM_PAPERSIZE, 9, false, 1, 100, 1, 256, 9, false, DM_PAPERSIZE},
        {LW | DM_PAPERSIZE, 0, false, 1, 100, 1, 256, 0, false, DM_PAPERSIZE},
        {LW, 0, false, 1, 100, 1, 256, 256, false, 0},
        // The resolution bit is taken, its values follow the private record.
        {DM_YRESOLUTION | DM_PRINTQUALITY, 600, false, 1, 100, 1, 256, 256, false, DM_YRESOLUTION},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE("case " + std::to_string(i));
        DriverDevMode dm = Target();
        DevModeBytes in(220, 0, 0x401, 0, 0);
        DEVMODEW* src = in.dm();
        src->dmFields = c.fields;
        src->dmOrientation = src->dmScale = src->dmCopies = src->dmDefaultSource = c.value;
        src->dmPaperSize = src->dmPaperLength = src->dmPaperWidth = c.value;
        src->dmPrintQuality = src->dmYResolution = c.value;
        if (c.formName) {
            SetText(src->dmFormName, "A4");
        }
        ASSERT_EQ(ValidateSetDevMode(&dm, src), TRUE);
        EXPECT_EQ(dm.dm.dmOrientation, c.orientation);
        EXPECT_EQ(dm.dm.dmScale, c.scale);
        EXPECT_EQ(dm.dm.dmCopies, c.copies);
        EXPECT_EQ(dm.dm.dmDefaultSource, c.source);
        EXPECT_EQ(dm.dm.dmPaperSize, c.paperSize);
        EXPECT_EQ(Text(dm.dm.dmFormName, 32), c.formTaken ? u"A4" : u"user size");
        EXPECT_EQ(dm.dm.dmFields, c.bitsAdded | DM_COLOR);
        EXPECT_EQ(dm.dm.dmColor, DMCOLOR_COLOR);
        EXPECT_EQ(dm.dm.dmPaperWidth, 640);
        EXPECT_EQ(dm.dm.dmPaperLength, 720);
        EXPECT_EQ(dm.dm.dmPrintQuality, 265);
        EXPECT_EQ(dm.dm.dmYResolution, 265);
    }
}

// A bit counts only when the field it announces lies inside the caller's public part.
TEST(ValidateSetDevMode, ShortCallerHeaderAnnouncesOnlyWhatItHolds) {
    const WORD scaleEnd = offsetof(DEVMODEW, dmScale) + sizeof(short);
    for (WORD size : {scaleEnd, WORD(scaleEnd - 1), WORD(offsetof(DEVMODEW, dmFields) + 2)}) {
        SCOPED_TRACE(size);
        DriverDevMode dm = Target();
        DevModeBytes in(size, 0, 0x401, 0, 0);
        const DWORD fields = DM_SCALE | DM_YRESOLUTION | DM_FORMNAME;
        if (size >= offsetof(DEVMODEW, dmFields) + sizeof(DWORD)) {
            std::memcpy(in.bytes.data() + offsetof(DEVMODEW, dmFields), &fields, sizeof fields);
        }
        if (size == scaleEnd) {
            const short scale = 50;
            std::memcpy(in.bytes.data() + offsetof(DEVMODEW, dmScale), &scale, sizeof scale);
        }
        ValidateSetDevMode(&dm, in.dm());
        EXPECT_EQ(dm.dm.dmScale, size == scaleEnd ? 50 : 100);
        EXPECT_EQ(dm.dm.dmFields, (size == scaleEnd ? DWORD{DM_SCALE} : 0) | DM_COLOR);
    }
}

TEST(ValidateSetDevMode, PrivatePartIsTakenOnlyWhenItIsOurs) {
    const struct {
        WORD size, extra;
        DWORD signature;
        bool taken;
    } cases[] = {
        {220, 1536, kPriv, true}, {220, 1536, 0, false},    {220, 1536, kPriv + 1, false},
        {220, 1535, kPriv, false}, {220, 1600, kPriv, false}, {220, 0, kPriv, false},
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
        if (c.extra > 1536) {
            std::memset(in.bytes.data() + c.size + 1536, 0x11, c.extra - 1536);
        }
        EXPECT_EQ(ValidateSetDevMode(&dm, in.dm()), TRUE);
        ExpectSameBytes(&dm.ps, c.taken ? &caller : &own, sizeof own);
        EXPECT_EQ(dm.dm.dmPelsWidth, c.taken ? 934u : 668u);
        EXPECT_EQ(dm.dm.dmPelsHeight, c.taken ? 400u : 751u);
        EXPECT_EQ(dm.dm.dmPrintQuality, c.taken ? 339 : 265);
    }
}

} // namespace
