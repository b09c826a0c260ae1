// The rules of the Image correction page and its details dialog, without windows.
#include "pages/correction/correction_model.h"

#include "settings/wide_strings.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace {

using Text = std::u16string;

Text AsText(LPCWSTR text) {
    return Text(reinterpret_cast<const char16_t*>(text));
}

Text ShownGamma(LONG gamma) {
    WCHAR out[kGammaShowChars];
    FormatGamma(out, gamma);
    return AsText(out);
}

SHORT ReadGamma(const char16_t* text) {
    return ParseGamma(reinterpret_cast<LPCWSTR>(text), kGammaMax, kGammaMin);
}

PrinterSettings DefaultRecord(SHORT baseDpi) {
    PrinterSettings ps;
    SetDefaultPrinterSettings(&ps, baseDpi);
    return ps;
}

} // namespace

TEST(Gamma, TextIsReadIntoTheStoredForm) {
    const struct {
        const char16_t* text;
        SHORT stored;
    } cases[] = {
        {u"0.5", -500}, {u".25", -750},  {u"1", 0},      {u"2.345", 135}, {u"0.05", -900},
        {u"12", 899},   {u"", -900},     {u"1.5-", 50},  {u"-1", -900},   {u"1-", -900},
        {u"0.995", 0},  {u"0.994", -10}, {u"1.2x9", 20}, {u"x", -900},    {u"999999999", 899},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadGamma(c.text), c.stored) << static_cast<int>(&c - cases);
    }
    // Only nine characters are read: the tenth cannot round up.
    EXPECT_EQ(ParseGamma(reinterpret_cast<LPCWSTR>(u"0000001.559"), 899, -900), 50);
    EXPECT_EQ(ParseGamma(reinterpret_cast<LPCWSTR>(u"3"), 150, -100), 150);
}

TEST(Gamma, ShownInHundredths) {
    EXPECT_EQ(ShownGamma(-900), u"0.10");
    EXPECT_EQ(ShownGamma(-505), u"0.49");
    EXPECT_EQ(ShownGamma(-500), u"0.50");
    EXPECT_EQ(ShownGamma(-1), u"0.99");
    EXPECT_EQ(ShownGamma(0), u"1.00");
    EXPECT_EQ(ShownGamma(899), u"9.99");
    // Values from outside the page are shown as they are.
    EXPECT_EQ(ShownGamma(1000), u"11.00");
    EXPECT_EQ(ShownGamma(SHRT_MAX), u"328.67");
    EXPECT_EQ(ShownGamma(-1000), u"0.00");
    EXPECT_EQ(ShownGamma(-1500), u"0.-50");
    EXPECT_EQ(ShownGamma(SHRT_MIN), u"-31.-76");
}

TEST(Gamma, StepsStopAtOnePointZeroAndAtTheEnds) {
    const struct {
        LONG from, step;
        SHORT to;
    } cases[] = {
        {-10, 1, 0},       // line right from 0.99 gives 1.00
        {-50, 10, 0},      // page right from 0.95 gives 1.00, not 1.05
        {5, -10, 0},       // page left from 1.05 gives 1.00
        {0, -1, -10},      // line left from 1.00 gives 0.99
        {0, -10, -100},    // page left from 1.00 gives 0.90
        {0, 1, 1},         // line right from 1.00 gives 1.01
        {-850, -10, -900}, // page left from 0.15 gives 0.10
        {-900, -1, -900},  {895, 10, 899}, {899, 1, 899}, {-505, 0, -505},
        {-200, 10, -100},  {100, -10, 90}, {-20, 1, -10},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SpinGammaValue(c.from, c.step), c.to) << c.from << " by " << c.step;
    }
}

TEST(ScrollBars, CodesStepAndTheResultIsHeld) {
    EXPECT_EQ(ScrollCorrection(0, kScrollLineLeft, 0), -1);
    EXPECT_EQ(ScrollCorrection(0, kScrollLineRight, 0), 1);
    EXPECT_EQ(ScrollCorrection(0, kScrollPageLeft, 0), -10);
    EXPECT_EQ(ScrollCorrection(45, kScrollPageRight, 0), 50);
    EXPECT_EQ(ScrollCorrection(-45, kScrollPageLeft, 0), -50);
    EXPECT_EQ(ScrollCorrection(0, kScrollThumbPosition, 30), 30);
    EXPECT_EQ(ScrollCorrection(0, kScrollThumbTrack, -70), -50);
    EXPECT_EQ(ScrollCorrection(80, 8, 0), 50); // end of scroll: no step, only the limit
    EXPECT_EQ(ScrollCorrection(-7, 8, 0), -7);

    EXPECT_EQ(ScrollGamma(-10, kScrollLineRight, 0), 0);
    EXPECT_EQ(ScrollGamma(0, kScrollLineLeft, 0), -10);
    EXPECT_EQ(ScrollGamma(-50, kScrollPageRight, 0), 0);
    EXPECT_EQ(ScrollGamma(5, kScrollPageLeft, 0), 0);
    EXPECT_EQ(ScrollGamma(0, kScrollThumbTrack, -505), -505);
    EXPECT_EQ(ScrollGamma(0, kScrollThumbPosition, 123), 123);
    EXPECT_EQ(ScrollGamma(-333, 8, 0), -333);
    EXPECT_EQ(ScrollGamma(2000, 8, 0), 899);
    EXPECT_EQ(ScrollGamma(-2000, 8, 0), -900);

    EXPECT_TRUE(IsLowCutStep(kScrollLineLeft));
    EXPECT_TRUE(IsLowCutStep(kScrollLineRight));
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
    EXPECT_EQ(AsText(ServiceListName(ServiceList::PassMethod, 5, false)), u"Hybrid");
    EXPECT_EQ(AsText(ServiceListName(ServiceList::PassMethod, 4, true)), u"256 階調");
    EXPECT_EQ(AsText(ServiceListName(ServiceList::DitherPat, 3, true)), u"ポスター");
    EXPECT_EQ(AsText(ServiceListName(ServiceList::DitherPat, 0, false)), u"Scatter");
    EXPECT_EQ(AsText(ServiceListName(ServiceList::Draft, 3, false)), u"Diagonal");
    EXPECT_EQ(AsText(ServiceListName(ServiceList::Draft, 1, true)), u"横ﾀｲﾌﾟ");

    EXPECT_EQ(NormaliseMaterial(8), 8);
    EXPECT_EQ(NormaliseMaterial(9), 0);
    EXPECT_EQ(NormaliseMaterial(12), 0);
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
    EXPECT_EQ(steel.ImpactMin, 380);
    EXPECT_EQ(steel.ImpactMax, 600);
    EXPECT_EQ(steel.Speed, 15);
    EXPECT_EQ(steel.Reserved, 7);
    EXPECT_EQ(AsText(ps.TextSet.Entry[5].Name), u"Mine");
    EXPECT_EQ(ps.TextSet.Entry[5].ImpactMin, 777);
    EXPECT_EQ(AsText(ps.TextSet.Entry[4].Name), u"設定Ａ");

    PrinterSettings klv20 = DefaultRecord(kBaseDpiKlv20);
    FillUnnamedPresets(&klv20, 1);
    EXPECT_EQ(AsText(klv20.TextSet.Entry[0].Name), u"Aluminium");
    EXPECT_EQ(klv20.TextSet.Entry[0].ImpactMax, 790);
    EXPECT_EQ(AsText(klv20.PhotoSet.Entry[8].Name), u"Set-e");
    EXPECT_EQ(klv20.PhotoSet.Entry[8].ImpactMax, 950);
}

TEST(MaterialType, SwitchingSetsWhatSuitsTheType) {
    PrinterSettings ps = DefaultRecord(kBaseDpiKlv20);
    ps.LowCutPre = 70;
    ps.LowCutPost = 9;
    EXPECT_FALSE(SwitchMaterialType(&ps, 1));
    EXPECT_EQ(ps.LowCutPre, 70);

    EXPECT_TRUE(SwitchMaterialType(&ps, 0));
    EXPECT_EQ(ps.ImpactPattern, 0);
    EXPECT_EQ(ps.FrameDpiIdx, 5);
    EXPECT_EQ(ps.Draft, 0);
    EXPECT_EQ(ps.LowCut, 0);
    EXPECT_EQ(ps.LowCutPre, 70);
    EXPECT_EQ(ps.LowCutPost, 9);
    EXPECT_FALSE(SwitchMaterialType(&ps, 0));

    EXPECT_TRUE(SwitchMaterialType(&ps, 1));
    EXPECT_EQ(ps.ImpactPattern, 1);
    EXPECT_EQ(ps.FrameDpiIdx, 4);
    EXPECT_EQ(ps.Draft, 3);
    EXPECT_EQ(ps.LowCut, 1);
    EXPECT_EQ(ps.LowCutPre, 40);
    EXPECT_EQ(ps.LowCutPost, 0);
}

TEST(CorrectionRules, StandardValuesFlagsAndTheServiceCorner) {
    PrinterSettings ps = DefaultRecord(kBaseDpiKlv20);
    PrinterSettings expected = ps;
    ps.Brightness = 20;
    ps.Contrast = -30;
    ps.Gamma = 400;
    SetStandardCorrection(&ps);
    EXPECT_EQ(std::memcmp(&ps, &expected, sizeof ps), 0);

    EXPECT_EQ(ToggleFlag(0), 1);
    EXPECT_EQ(ToggleFlag(1), 0);
    EXPECT_EQ(ToggleFlag(-3), 0);

    EXPECT_TRUE(IsServiceCorner(5, 5));
    EXPECT_TRUE(IsServiceCorner(1, 15));
    EXPECT_TRUE(IsServiceCorner(15, 1));
    EXPECT_FALSE(IsServiceCorner(16, 5));
    EXPECT_FALSE(IsServiceCorner(5, 16));
    EXPECT_FALSE(IsServiceCorner(0, 5));
    EXPECT_FALSE(IsServiceCorner(5, 0));
}

TEST(DetailsWorkCopy, BrowsesEditsAndWritesBackTheActiveSet) {
    PrinterSettings ps = DefaultRecord(kBaseDpiKlv20);
    FillUnnamedPresets(&ps, 1);
    ps.PhotoSet.Entry[6].Reserved = 42;
    const MaterialSet textBefore = ps.TextSet;
    ps.Material = 7;
    MaterialWorkCopy work;
    LoadWorkCopy(&work, ps);
    EXPECT_EQ(work.current, 7);
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
    EXPECT_EQ(HoldImpact(1500), 1100);
    EXPECT_EQ(HoldImpact(50), 100);
    EXPECT_EQ(HoldImpact(0), 100);
    EXPECT_EQ(HoldImpact(640), 640);
    EXPECT_EQ(HoldImpact(UINT_MAX), 1100);
    EXPECT_EQ(HoldSpeed(0), 1);
    EXPECT_EQ(HoldSpeed(25), 18);
    EXPECT_EQ(HoldSpeed(12), 12);
    EXPECT_EQ(HoldSpeed(UINT_MAX), 18);

    MaterialEntry full{};
    for (WCHAR& c : full.Name) {
        c = 'x';
    }
    WCHAR text[kPresetNameChars + 1];
    PresetNameText(full, text);
    EXPECT_EQ(AsText(text), Text(32, u'x'));
}
