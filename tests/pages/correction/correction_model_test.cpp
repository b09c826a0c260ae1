// The rules of the Image correction page and its details dialog, without windows.
#include "pages/correction/correction_model.h"

#include "settings/wide_strings.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <algorithm>
#include <string>
#include <vector>

namespace {

using Text = std::u16string;

Text AsText(LPCWSTR text) {
    return Text(reinterpret_cast<const char16_t*>(text));
}

PrinterSettings DefaultRecord(SHORT baseDpi) {
    PrinterSettings ps;
    SetDefaultPrinterSettings(&ps, baseDpi);
    return ps;
}

} // namespace

TEST(Gamma, ReadShownAndStepped) {
    const struct {
        const char16_t* text;
        SHORT stored;
    } reads[] = {{u"0.5", -500},   {u".25", -750},      {u"1", 0},
                 {u"2.345", 135},  {u"0.05", -900},     {u"12", 899},
                 {u"", -900},      {u"1.5-", 50},       {u"-1", -900},
                 {u"1-", -900},    {u"0.995", 0},       {u"0.994", -10},
                 {u"1.2x9", 20},   {u"999999999", 899}, {u"0000001.559", 50},
                 {u"0.509", -490}, {u"0000000015", 0},  {u"000000001-", 0}};
    for (const auto& c : reads) {
        EXPECT_EQ(ParseGamma(reinterpret_cast<LPCWSTR>(c.text), kGammaMax, kGammaMin), c.stored)
            << &c - reads;
    }
    EXPECT_EQ(ParseGamma(reinterpret_cast<LPCWSTR>(u"10"), SHRT_MAX, SHRT_MIN), 900);
    // Values from outside the page are shown as they are.
    const struct {
        LONG stored;
        const char16_t* shown;
    } shows[] = {{-900, u"0.10"},  {-505, u"0.49"},   {-1, u"0.99"},
                 {0, u"1.00"},     {899, u"9.99"},    {SHRT_MAX, u"328.67"},
                 {-1000, u"0.00"}, {-1500, u"0.-50"}, {SHRT_MIN, u"-31.-76"}};
    for (const auto& c : shows) {
        WCHAR out[kGammaShowChars];
        FormatGamma(out, c.stored);
        EXPECT_EQ(AsText(out), c.shown);
    }
    // A step never crosses 1.00; below it one shown hundredth is ten stored units.
    const struct {
        LONG from, step;
        SHORT to;
    } steps[] = {{-10, 1, 0},    {-50, 10, 0},    {5, -10, 0},       {0, -1, -10},
                 {0, -10, -100}, {0, 1, 1},       {-850, -10, -900}, {-900, -1, -900},
                 {895, 10, 899}, {-505, 0, -505}, {-200, 10, -100},  {100, -10, 90},
                 {-20, 1, -10}};
    for (const auto& c : steps) {
        EXPECT_EQ(SpinGammaValue(c.from, c.step), c.to) << c.from << " by " << c.step;
    }
}

TEST(ScrollBars, CodesStepAndTheResultIsHeld) {
    const struct {
        LONG value;
        int code;
        LONG thumb;
        LONG correction;
        SHORT gamma;
    } cases[] = {
        {0, kScrollLineLeft, 0, -1, -10},
        {0, kScrollLineRight, 0, 1, 1},
        {-10, kScrollLineRight, 0, -9, 0},
        {-45, kScrollPageLeft, 0, -50, -145},
        {45, kScrollPageRight, 0, 50, 55},
        {-50, kScrollPageRight, 0, -40, 0},
        {5, kScrollPageLeft, 0, -5, 0},
        {0, kScrollThumbPosition, 30, 30, 30},
        {0, kScrollThumbTrack, -505, -50, -505},
        {80, 8, 0, 50, 80},
        {-7, 8, 7, -7, -7},
        {2000, 8, 0, 50, 899},
        {-2000, 8, 0, -50, -900},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScrollCorrection(c.value, c.code, c.thumb), c.correction) << &c - cases;
        EXPECT_EQ(ScrollGamma(c.value, c.code, c.thumb), c.gamma) << &c - cases;
    }
    EXPECT_TRUE(IsLowCutStep(kScrollLineLeft) && IsLowCutStep(kScrollLineRight));
    EXPECT_FALSE(IsLowCutStep(kScrollPageLeft));
    EXPECT_EQ(SpinLowCut(253, kScrollLineLeft), 255);
    EXPECT_EQ(SpinLowCut(3, kScrollLineRight), 0);
    EXPECT_EQ(SpinLowCut(40, kScrollLineLeft), 45);
    EXPECT_EQ(SpinLowCut(40, kScrollLineRight), 35);
}

TEST(ServiceLists, IndexesPastTheListBecomeZero) {
    EXPECT_EQ(NormaliseListIndex(ServiceList::PassMethod, 5), 5);
    EXPECT_EQ(NormaliseListIndex(ServiceList::PassMethod, 6), 0);
    EXPECT_EQ(NormaliseListIndex(ServiceList::DitherPat, 3), 3);
    EXPECT_EQ(NormaliseListIndex(ServiceList::DitherPat, 4), 0);
    EXPECT_EQ(NormaliseListIndex(ServiceList::Draft, 4), 0);
    EXPECT_EQ(NormaliseListIndex(ServiceList::Draft, SHRT_MAX), 0);
    EXPECT_EQ(NormaliseListIndex(ServiceList::Draft, -1), -1);
    const struct {
        ServiceList list;
        const char16_t* names[2][6];
    } tables[] = {
        {ServiceList::PassMethod,
         {{u"2 Level", u"4 Level", u"8 Level", u"16 Level", u"256 Level", u"Hybrid"},
          {u"2 階調", u"4 階調", u"8 階調", u"16 階調", u"256 階調", u"ハイブリッド"}}},
        {ServiceList::DitherPat,
         {{u"Scatter", u"Cluster", u"Distribution", u"Poster"},
          {u"誤差拡散ディザ", u"組織化ディザ", u"誤差配分", u"ポスター"}}},
        {ServiceList::Draft,
         {{u"None", u"Horizontal", u"Vertical", u"Diagonal"},
          {u"しない", u"横ﾀｲﾌﾟ", u"縦ﾀｲﾌﾟ", u"斜めﾀｲﾌﾟ"}}},
    };
    for (const auto& table : tables) {
        for (int i = 0; i < ServiceListCount(table.list); ++i) {
            EXPECT_EQ(AsText(ServiceListName(table.list, i, false)), table.names[0][i]);
            EXPECT_EQ(AsText(ServiceListName(table.list, i, true)), table.names[1][i]);
        }
    }
    EXPECT_EQ(NormaliseMaterial(8), 8);
    EXPECT_EQ(NormaliseMaterial(9), 0);
    EXPECT_EQ(NormaliseMaterial(-1), 0);
}

TEST(MaterialPresets, UnnamedOnesAreFilledByModelAndCountry) {
    PrinterSettings ps = DefaultRecord(kBaseDpiOther);
    CopyStringW(ps.TextSet.Entry[5].Name, TEXT("Mine"), 32);
    ps.TextSet.Entry[5].ImpactMin = 777;
    ps.PhotoSet.Entry[2].Reserved = 7;
    FillUnnamedPresets(&ps, kCountryJapan);
    const MaterialEntry& steel = ps.PhotoSet.Entry[2];
    EXPECT_EQ(AsText(steel.Name), u"ステンレス");
    EXPECT_EQ(steel.ImpactMin * 10000 + steel.ImpactMax * 10 + steel.Speed, 3806015);
    EXPECT_EQ(steel.Reserved, 7);
    EXPECT_EQ(AsText(ps.TextSet.Entry[5].Name), u"Mine");
    EXPECT_EQ(ps.TextSet.Entry[5].ImpactMin, 777);
    EXPECT_EQ(AsText(ps.TextSet.Entry[4].Name), u"設定Ａ");
    EXPECT_EQ(AsText(ps.PhotoSet.Entry[0].Name), u"アルミニウム");
    EXPECT_EQ(ps.PhotoSet.Entry[0].ImpactMax, 480);

    PrinterSettings klv20 = DefaultRecord(kBaseDpiKlv20);
    FillUnnamedPresets(&klv20, 1);
    EXPECT_EQ(AsText(klv20.TextSet.Entry[0].Name), u"Aluminium");
    EXPECT_EQ(klv20.TextSet.Entry[0].ImpactMax, 790);
    EXPECT_EQ(AsText(klv20.PhotoSet.Entry[8].Name), u"Set-e");
}

TEST(MaterialType, SwitchingSetsWhatSuitsTheTypeAndStandardResetsOnlyTheCorrection) {
    PrinterSettings ps = DefaultRecord(kBaseDpiKlv20);
    ps.LowCutPre = 70;
    ps.LowCutPost = 9;
    EXPECT_FALSE(SwitchMaterialType(&ps, 1));
    EXPECT_EQ(ps.LowCutPre, 70);
    EXPECT_TRUE(SwitchMaterialType(&ps, 0));
    // ImpactPattern, FrameDpiIdx, Draft, LowCut, LowCutPre, LowCutPost.
    EXPECT_EQ(std::vector<LONG>({ps.ImpactPattern, ps.FrameDpiIdx, ps.Draft, ps.LowCut,
                                 ps.LowCutPre, ps.LowCutPost}),
              std::vector<LONG>({0, 5, 0, 0, 70, 9}));
    EXPECT_FALSE(SwitchMaterialType(&ps, 0));
    EXPECT_TRUE(SwitchMaterialType(&ps, 1));
    EXPECT_EQ(std::vector<LONG>({ps.ImpactPattern, ps.FrameDpiIdx, ps.Draft, ps.LowCut,
                                 ps.LowCutPre, ps.LowCutPost}),
              std::vector<LONG>({1, 4, 3, 1, 40, 0}));

    const PrinterSettings expected = ps;
    ps.Brightness = 20;
    ps.Contrast = -30;
    ps.Gamma = 400;
    SetStandardCorrection(&ps);
    EXPECT_EQ(std::memcmp(&ps, &expected, sizeof ps), 0);
    EXPECT_EQ(ToggleFlag(0) * 10 + ToggleFlag(1) + ToggleFlag(-3), 10);
}

TEST(CorrectionRules, TheServiceCornerIsInsideSixteenPixels) {
    EXPECT_TRUE(IsServiceCorner(5, 5) && IsServiceCorner(1, 15) && IsServiceCorner(15, 1));
    EXPECT_FALSE(IsServiceCorner(16, 5) || IsServiceCorner(5, 16));
    EXPECT_FALSE(IsServiceCorner(0, 5) || IsServiceCorner(5, 0));
}

TEST(DetailsWorkCopy, BrowsesEditsAndWritesBackTheActiveSet) {
    PrinterSettings ps = DefaultRecord(kBaseDpiKlv20);
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
    for (int i = 0; i < 10; ++i) {
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
    EXPECT_EQ(ps.PhotoSet.Entry[6].ImpactMin, 1100);
    EXPECT_EQ(ps.PhotoSet.Entry[6].Reserved, 42);
    EXPECT_EQ(std::memcmp(&ps.TextSet, &textBefore, sizeof textBefore), 0);

    ps.Material = -3;
    LoadWorkCopy(&work, ps);
    EXPECT_EQ(work.current, 0);
}

TEST(DetailsWorkCopy, TypedNumbersAreHeldAndNamesAlwaysEnd) {
    const UINT typed[] = {1500, 50, 0, 640, 12, 25, UINT_MAX};
    const LONG impact[] = {1100, 100, 100, 640, 100, 100, 1100};
    const LONG speed[] = {18, 18, 1, 18, 12, 18, 18};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(HoldImpact(typed[i]), impact[i]) << typed[i];
        EXPECT_EQ(HoldSpeed(typed[i]), speed[i]) << typed[i];
    }
    MaterialEntry full{};
    std::fill(std::begin(full.Name), std::end(full.Name), 'x');
    WCHAR text[kPresetNameChars + 1];
    PresetNameText(full, text);
    EXPECT_EQ(AsText(text), Text(32, u'x'));
}
