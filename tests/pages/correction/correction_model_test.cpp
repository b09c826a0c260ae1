// The rules of the Image correction page and its details dialog, without windows.
#include "pages/correction/correction_model.h"

#include "settings/wide_strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::u16string AsText(LPCWSTR text) {
    return reinterpret_cast<const char16_t*>(text);
}

std::u16string Shown(LONG gamma) {
    WCHAR out[kGammaShowChars];
    FormatGamma(out, gamma);
    return AsText(out);
}

// A list's names in one language, in the order of their stored indexes.
std::u16string Names(ServiceList list, bool japanese) {
    std::u16string names;
    for (int i = 0; i < ServiceListCount(list); ++i) {
        names += AsText(ServiceListName(list, i, japanese)) + u"|";
    }
    return names;
}

} // namespace

TEST(Gamma, ReadAndShown) {
    const struct {
        const char16_t *text, *shown;
        SHORT stored;
    } cases[] = {
        // the last three are longer than the nine characters read
        {u"0.5", u"0.50", -500},       {u".25", u"0.25", -750},      {u"1", u"1.00", 0},
        {u"2.345", u"2.35", 135},      {u"0.05", u"0.10", -900},     {u"12", u"9.99", 899},
        {u"", u"0.10", -900},          {u"1.5-", u"1.50", 50},       {u"-1", u"0.10", -900},
        {u"1-", u"0.10", -900},        {u"0.995", u"1.00", 0},       {u"0.994", u"0.99", -10},
        {u"1.2x9", u"1.20", 20},       {u"0.509", u"0.51", -490},    {u"999999999", u"9.99", 899},
        {u"0000001.559", u"1.50", 50}, {u"000000001.5", u"1.00", 0}, {u"000000001-", u"1.00", 0}};
    for (const auto& c : cases) {
        const SHORT stored = ParseGamma(reinterpret_cast<LPCWSTR>(c.text), kGammaMax, kGammaMin);
        EXPECT_EQ(stored, c.stored) << &c - cases;
        EXPECT_EQ(Shown(stored), c.shown) << &c - cases;
    }
    EXPECT_EQ(ParseGamma(TEXT("10"), SHRT_MAX, SHRT_MIN), 900);
    // A thumb can set any stored value; values from outside the page are shown as they are.
    EXPECT_EQ(Shown(-505), u"0.49");
    EXPECT_EQ(Shown(SHRT_MAX), u"328.67");
    EXPECT_EQ(Shown(-1500), u"0.-50");
}

TEST(ScrollBars, CodesStepAndTheResultIsHeld) {
    const struct {
        LONG value;
        int code;
        LONG thumb, correction, gamma;
    } cases[] = {
        // A gamma step is shown hundredths that never cross 1.00; below it one is ten units.
        // clang-format off
        {0, kScrollLineLeft, 0, -1, -10},     {0, kScrollLineRight, 0, 1, 1},
        {-10, kScrollLineRight, 0, -9, 0},    {-20, kScrollLineRight, 0, -19, -10},
        {-45, kScrollPageLeft, 0, -50, -145}, {45, kScrollPageRight, 0, 50, 55},
        {-50, kScrollPageRight, 0, -40, 0},   {5, kScrollPageLeft, 0, -5, 0},
        {0, kScrollPageLeft, 0, -10, -100},   {100, kScrollPageLeft, 0, 50, 90},
        {-850, kScrollPageLeft, 0, -50, -900}, {895, kScrollPageRight, 0, 50, 899},
        {0, kScrollThumbPosition, 30, 30, 30}, {0, kScrollThumbTrack, -505, -50, -505},
        {-7, 8, 7, -7, -7}, {2000, 8, 0, 50, 899}, {-2000, 8, 0, -50, -900}};
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(ScrollCorrection(c.value, c.code, c.thumb), c.correction) << &c - cases;
        EXPECT_EQ(ScrollGamma(c.value, c.code, c.thumb), c.gamma) << &c - cases;
    }
    EXPECT_TRUE(IsLowCutStep(kScrollLineLeft) && IsLowCutStep(kScrollLineRight));
    EXPECT_FALSE(IsLowCutStep(kScrollPageLeft));
    EXPECT_EQ(SpinLowCut(253, kScrollLineLeft), 255);
    EXPECT_EQ(SpinLowCut(3, kScrollLineRight), 0);
}

TEST(ServiceLists, IndexesPastTheListBecomeZeroAndNamesFollowTheCountry) {
    const std::pair<ServiceList, SHORT> lengths[] = {
        {ServiceList::PassMethod, 6}, {ServiceList::DitherPat, 4}, {ServiceList::Draft, 4}};
    for (const auto& [list, length] : lengths) {
        EXPECT_EQ(NormaliseListIndex(list, length - 1), length - 1);
        EXPECT_EQ(NormaliseListIndex(list, length), 0);
    }
    EXPECT_EQ(NormaliseListIndex(ServiceList::Draft, -1), -1);
    EXPECT_EQ(Names(ServiceList::PassMethod, false),
              u"2 Level|4 Level|8 Level|16 Level|256 Level|Hybrid|");
    EXPECT_EQ(Names(ServiceList::PassMethod, true),
              u"2 階調|4 階調|8 階調|16 階調|256 階調|ハイブリッド|");
    EXPECT_EQ(Names(ServiceList::DitherPat, false), u"Scatter|Cluster|Distribution|Poster|");
    EXPECT_EQ(Names(ServiceList::DitherPat, true),
              u"誤差拡散ディザ|組織化ディザ|誤差配分|ポスター|");
    EXPECT_EQ(Names(ServiceList::Draft, false), u"None|Horizontal|Vertical|Diagonal|");
    EXPECT_EQ(Names(ServiceList::Draft, true), u"しない|横ﾀｲﾌﾟ|縦ﾀｲﾌﾟ|斜めﾀｲﾌﾟ|");
    EXPECT_EQ(
        std::vector<SHORT>({NormaliseMaterial(8), NormaliseMaterial(9), NormaliseMaterial(-1)}),
        std::vector<SHORT>({8, 0, 0}));
}

TEST(MaterialPresets, UnnamedOnesAreFilledByModelAndCountry) {
    PrinterSettings ps;
    SetDefaultPrinterSettings(&ps, kBaseDpiOther);
    CopyStringW(ps.TextSet.Entry[5].Name, TEXT("Mine"), 32);
    ps.PhotoSet.Entry[2].Reserved = 7;
    FillUnnamedPresets(&ps, kCountryJapan);
    const MaterialEntry& steel = ps.PhotoSet.Entry[2];
    EXPECT_EQ(AsText(steel.Name), u"ステンレス");
    EXPECT_EQ(std::vector<LONG>({steel.ImpactMin, steel.ImpactMax, steel.Speed, steel.Reserved}),
              std::vector<LONG>({380, 600, 15, 7}));
    EXPECT_EQ(AsText(ps.TextSet.Entry[5].Name), u"Mine");
    EXPECT_EQ(ps.TextSet.Entry[5].ImpactMin, 400); // a named preset keeps its numbers too

    SetDefaultPrinterSettings(&ps, kBaseDpiKlv20);
    FillUnnamedPresets(&ps, 1);
    EXPECT_EQ(AsText(ps.TextSet.Entry[0].Name), u"Aluminium");
    EXPECT_EQ(ps.TextSet.Entry[0].ImpactMax, 790);
}

TEST(MaterialType, SwitchingSetsWhatSuitsTheTypeAndStandardResetsOnlyTheCorrection) {
    PrinterSettings ps;
    SetDefaultPrinterSettings(&ps, kBaseDpiKlv20);
    ps.LowCutPre = 70;
    ps.LowCutPost = 9;
    EXPECT_FALSE(SwitchMaterialType(&ps, 1));
    EXPECT_EQ(ps.LowCutPre, 70);
    const auto typeFields = [&] {
        return std::vector<LONG>(
            {ps.ImpactPattern, ps.FrameDpiIdx, ps.Draft, ps.LowCut, ps.LowCutPre, ps.LowCutPost});
    };
    EXPECT_TRUE(SwitchMaterialType(&ps, 0));
    EXPECT_EQ(typeFields(), std::vector<LONG>({0, 5, 0, 0, 70, 9}));
    EXPECT_TRUE(SwitchMaterialType(&ps, 1));
    EXPECT_EQ(typeFields(), std::vector<LONG>({1, 4, 3, 1, 40, 0}));

    const PrinterSettings expected = ps;
    ps.Brightness = 20;
    ps.Contrast = -30;
    ps.Gamma = 400;
    SetStandardCorrection(&ps);
    EXPECT_EQ(std::memcmp(&ps, &expected, sizeof ps), 0);
    EXPECT_EQ(std::vector<SHORT>({ToggleFlag(0), ToggleFlag(1), ToggleFlag(-3)}),
              std::vector<SHORT>({1, 0, 0}));
    EXPECT_TRUE(IsServiceCorner(1, 15) && IsServiceCorner(15, 1));
    EXPECT_FALSE(IsServiceCorner(16, 5) || IsServiceCorner(5, 16) || IsServiceCorner(0, 5) ||
                 IsServiceCorner(5, 0));
}

TEST(DetailsWorkCopy, BrowsesEditsAndWritesBackTheActiveSet) {
    PrinterSettings ps;
    SetDefaultPrinterSettings(&ps, kBaseDpiKlv20);
    FillUnnamedPresets(&ps, 1);
    ps.PhotoSet.Entry[6].Reserved = 42;
    const MaterialSet textBefore = ps.TextSet;
    ps.Material = 7;
    MaterialWorkCopy work;
    LoadWorkCopy(&work, ps);
    EXPECT_EQ(AsText(CurrentPreset(&work).Name), u"Set-d");
    BrowseWorkCopy(&work, 1);
    BrowseWorkCopy(&work, 1);
    EXPECT_EQ(work.current, 8);
    for (int i = 0; i < 9; ++i) {
        BrowseWorkCopy(&work, -1);
    }
    EXPECT_EQ(work.current, 0);
    EXPECT_FALSE(IsPresetEditable(3));
    EXPECT_TRUE(IsPresetEditable(4));

    work.current = 5;
    SetWorkName(&work, TEXT(""));
    work.current = 6;
    SetWorkName(&work, TEXT("0123456789012345678901234567890123"));
    CurrentPreset(&work).ImpactMin = 1100;
    StoreWorkCopy(work, &ps);
    EXPECT_EQ(ps.Material, 6);
    EXPECT_EQ(AsText(ps.PhotoSet.Entry[5].Name), u"---");
    EXPECT_EQ(AsText(ps.PhotoSet.Entry[6].Name), u"0123456789012345678901234567890");
    EXPECT_EQ(std::vector<LONG>({ps.PhotoSet.Entry[6].ImpactMin, ps.PhotoSet.Entry[6].Reserved}),
              std::vector<LONG>({1100, 42}));
    EXPECT_EQ(std::memcmp(&ps.TextSet, &textBefore, sizeof textBefore), 0);
    ps.Material = -3;
    LoadWorkCopy(&work, ps);
    EXPECT_EQ(work.current, 0);

    // Typed numbers, as impact and as speed.
    const UINT typed[][3] = {{1500, 1100, 18}, {50, 100, 18}, {0, 100, 1},
                             {640, 640, 18},   {12, 100, 12}, {UINT_MAX, 1100, 18}};
    for (const auto& c : typed) {
        EXPECT_EQ(HoldImpact(c[0]), static_cast<LONG>(c[1])) << c[0];
        EXPECT_EQ(HoldSpeed(c[0]), static_cast<LONG>(c[2])) << c[0];
    }
    MaterialEntry full{};
    std::fill(std::begin(full.Name), std::end(full.Name), 'x');
    WCHAR text[kPresetNameChars + 1];
    PresetNameText(full, text);
    EXPECT_EQ(AsText(text), std::u16string(32, u'x'));
}
