// The rules of the Image correction page and its details dialog, without windows.
#include "pages/correction/correction_model.h"

#include "settings/wide_strings.h"
#include "tests/support/devmode_bytes.h"

#include <climits>

namespace {

using testdm::Text;

std::u16string Shown(LONG gamma) {
    WCHAR out[kGammaShowChars];
    FormatGamma(out, gamma);
    return Text(out);
}

} // namespace

TEST(Gamma, ReadShownAndScrolled) {
    const struct {
        const char16_t *text, *shown;
        SHORT stored;
    } cases[] = {
        // the last two are longer than the nine characters read
        {u"0.5", u"0.50", -500}, {u"2.345", u"2.35", 135},      {u"12", u"9.99", 899},
        {u"-1", u"0.10", -900},  {u"0.995", u"1.00", 0},        {u"0.994", u"0.99", -10},
        {u"1.2x9", u"1.20", 20}, {u"0000001.559", u"1.50", 50}, {u"000000001.5", u"1.00", 0}};
    for (const auto& c : cases) {
        const SHORT stored = ParseGamma(reinterpret_cast<LPCWSTR>(c.text), kGammaMax, kGammaMin);
        EXPECT_EQ(stored, c.stored) << &c - cases;
        EXPECT_EQ(Shown(stored), c.shown) << &c - cases;
    }
    // A thumb can set any stored value; values from outside the page are shown as they are.
    EXPECT_EQ(Shown(-505) + Shown(-1500), u"0.490.-50");
    // Left as shown, a stored gamma stays, unless outside the range; another text is read.
    const auto take = [](LPCWSTR text, SHORT held) {
        return TakeGammaText(text, held, kGammaMax, kGammaMin);
    };
    EXPECT_EQ(std::vector<SHORT>(
                  {take(TEXT("0.49"), -505), take(TEXT("0.48"), -505), take(TEXT("10.50"), 950)}),
              (std::vector<SHORT>{-505, -520, 899}));

    // The scroll bars' codes step, and the result is held.
    const struct {
        LONG value;
        int code;
        LONG thumb, correction, gamma;
    } scrolls[] = {
        // A gamma step is shown hundredths that never cross 1.00; below it one is ten units.
        // clang-format off
        {0, kScrollLineLeft, 0, -1, -10},     {0, kScrollLineRight, 0, 1, 1},
        {-10, kScrollLineRight, 0, -9, 0},    {-45, kScrollPageLeft, 0, -50, -145},
        {45, kScrollPageRight, 0, 50, 55},    {-50, kScrollPageRight, 0, -40, 0},
        {5, kScrollPageLeft, 0, -5, 0},       {-850, kScrollPageLeft, 0, -50, -900},
        {895, kScrollPageRight, 0, 50, 899},  {0, kScrollThumbPosition, 30, 30, 30},
        {0, kScrollThumbTrack, -505, -50, -505}, {-7, 8, 7, -7, -7}};
    // clang-format on
    for (const auto& c : scrolls) {
        EXPECT_EQ(ScrollCorrection(c.value, c.code, c.thumb), c.correction) << &c - scrolls;
        EXPECT_EQ(ScrollGamma(c.value, c.code, c.thumb), c.gamma) << &c - scrolls;
    }
    EXPECT_EQ(std::vector<int>({IsLowCutStep(kScrollLineLeft), IsLowCutStep(kScrollLineRight),
                                IsLowCutStep(kScrollPageLeft), SpinLowCut(253, kScrollLineLeft),
                                SpinLowCut(3, kScrollLineRight)}),
              std::vector<int>({1, 1, 0, 255, 0}));
}

TEST(ServiceListsPresetsAndType, IndexesPastTheListBecomeZeroNamesFollowTheCountryTypesSwitch) {
    using enum ServiceList;
    const auto at = [](ServiceList list, SHORT index) { return NormaliseListIndex(list, index); };
    EXPECT_EQ(std::vector<SHORT>({at(PassMethod, 5), at(PassMethod, 6), at(DitherPat, 3),
                                  at(DitherPat, 4), at(Draft, 3), at(Draft, 4), at(Draft, -1)}),
              (std::vector<SHORT>{5, 0, 3, 0, 3, 0, -1}));
    EXPECT_EQ(
        Text(ServiceListName(PassMethod, 5, true)) + Text(ServiceListName(PassMethod, 4, false)) +
            Text(ServiceListName(DitherPat, 3, false)) + Text(ServiceListName(Draft, 3, true)),
        u"ハイブリッド256 LevelPoster斜めﾀｲﾌﾟ");
    EXPECT_EQ(
        std::vector<SHORT>({NormaliseMaterial(8), NormaliseMaterial(9), NormaliseMaterial(-1)}),
        std::vector<SHORT>({8, 0, 0}));

    PrinterSettings ps;
    SetDefaultPrinterSettings(&ps, kBaseDpiOther);
    CopyStringW(ps.TextSet.Entry[5].Name, TEXT("Mine"), 32);
    ps.PhotoSet.Entry[2].Reserved = 7;
    FillUnnamedPresets(&ps, kCountryJapan);
    const MaterialEntry& steel = ps.PhotoSet.Entry[2];
    const MaterialEntry& mine = ps.TextSet.Entry[5]; // a named preset keeps its numbers too
    EXPECT_EQ(Text(steel.Name) + Text(mine.Name), u"ステンレスMine");
    EXPECT_EQ(std::vector<LONG>({steel.ImpactMax, steel.Reserved, mine.ImpactMin}),
              std::vector<LONG>({600, 7, 400}));
    SetDefaultPrinterSettings(&ps, kBaseDpiKlv20);
    FillUnnamedPresets(&ps, 1); // each set from its own table
    EXPECT_EQ(Text(ps.TextSet.Entry[4].Name) + Text(ps.PhotoSet.Entry[4].Name), u"Set-ASet-a");

    // Switching the material type sets what suits the type; Standard resets only the correction.
    SetDefaultPrinterSettings(&ps, kBaseDpiKlv20);
    ps.LowCutPre = 70, ps.LowCutPost = 9;
    const auto typeFields = [&] {
        return std::vector<LONG>(
            {ps.ImpactPattern, ps.FrameDpiIdx, ps.Draft, ps.LowCut, ps.LowCutPre, ps.LowCutPost});
    };
    EXPECT_FALSE(SwitchMaterialType(&ps, 1));
    EXPECT_TRUE(SwitchMaterialType(&ps, 0));
    EXPECT_EQ(typeFields(), std::vector<LONG>({0, 5, 0, 0, 70, 9}));
    EXPECT_TRUE(SwitchMaterialType(&ps, 1));
    EXPECT_EQ(typeFields(), std::vector<LONG>({1, 4, 3, 1, 40, 0}));
    const PrinterSettings expected = ps;
    ps.Brightness = ps.Contrast = 20, ps.Gamma = 400;
    SetStandardCorrection(&ps);
    EXPECT_EQ(std::memcmp(&ps, &expected, sizeof ps), 0);
    EXPECT_EQ(std::vector<SHORT>({ToggleFlag(0), ToggleFlag(1), ToggleFlag(-3)}),
              std::vector<SHORT>({1, 0, 0}));
    EXPECT_TRUE(IsServiceCorner(15, 15) && !IsServiceCorner(16, 5) && !IsServiceCorner(5, 16));
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
    EXPECT_EQ(Text(CurrentPreset(&work).Name), u"Set-d");
    for (const auto& [step, shown] : {std::pair{1, 8}, {1, 8}, {-9, 0}, {-1, 0}}) {
        BrowseWorkCopy(&work, step);
        EXPECT_EQ(work.current, shown);
    }
    EXPECT_TRUE(!IsPresetEditable(3) && IsPresetEditable(4));
    SetWorkName(&(work.current = 5, work), TEXT(""));
    SetWorkName(&(work.current = 6, work), TEXT("0123456789012345678901234567890123"));
    CurrentPreset(&work).ImpactMin = 1100;
    StoreWorkCopy(work, &ps);
    const MaterialEntry& stored = ps.PhotoSet.Entry[6];
    EXPECT_EQ(Text(ps.PhotoSet.Entry[5].Name) + Text(stored.Name),
              u"---0123456789012345678901234567890");
    EXPECT_EQ(std::vector<LONG>({ps.Material, stored.ImpactMin, stored.Reserved}),
              std::vector<LONG>({6, 1100, 42}));
    EXPECT_EQ(std::memcmp(&ps.TextSet, &textBefore, sizeof textBefore), 0);

    // Typed numbers, as impact and as speed.
    EXPECT_EQ(
        std::vector<LONG>({HoldImpact(1101), HoldImpact(0), HoldImpact(640), HoldImpact(UINT_MAX),
                           HoldSpeed(19), HoldSpeed(0), HoldSpeed(UINT_MAX)}),
        (std::vector<LONG>{1100, 100, 640, 1100, 18, 1, 18}));
    MaterialEntry full{};
    std::fill(std::begin(full.Name), std::end(full.Name), 'x');
    WCHAR text[kPresetNameChars + 1];
    PresetNameText(full, text); // a full name is ended behind its 32 characters
    EXPECT_EQ(Text(text, std::size(text)), std::u16string(32, u'x'));
}
