// The settings record: the model rule and the built-in material tables, checked on chosen rows and
// through the choice between them. (The signed reading of its fields: the console tool's listing.)
#include "settings/printer_settings.h"

#include "tests/support/devmode_bytes.h"

#include <array>

namespace {

TEST(ModelRule, OnlyTheExactModelNameGivesTheKlv20Base) {
    EXPECT_EQ(BaseDpiForModel(testdm::kKlv20), 1016);
    for (LPCWSTR name : {TEXT("velmar VORIKA KLV-20"), TEXT("Velmar VORIKA KLV-20 "),
                         TEXT("Velmar VORIKA KLV-2"), TEXT(""), static_cast<LPCWSTR>(nullptr)}) {
        EXPECT_EQ(BaseDpiForModel(name), 1058);
    }
}

// Entry 0 has its own numbers, entry 2 its own maximum, the rest share theirs; the Japanese
// tables carry the English ones' numbers. Base 1016 picks the tables without "_60", any other
// base those with it; country 81 alone picks the Japanese names.
TEST(BuiltInMaterialTables, NumbersOnChosenRowsAndTheChoiceBetweenThem) {
    const struct {
        const MaterialSet *english, *japanese;
        BOOL photo;
        SHORT base;
        LONG min0, max0, min, max, max2, speed;
    } tables[] = {
        {&MaterialDef, &MaterialDefJ, FALSE, 1016, 640, 790, 640, 840, 840, 12},
        {&MaterialPhotoDef, &MaterialPhotoDefJ, TRUE, 1016, 600, 830, 600, 950, 950, 15},
        {&MaterialDef_60, &MaterialDefJ_60, FALSE, 1058, 380, 480, 380, 540, 600, 12},
        {&MaterialPhotoDef_60, &MaterialPhotoDefJ_60, TRUE, 1015, 380, 480, 380, 540, 600, 15},
    };
    for (const auto& t : tables) {
        for (const MaterialSet* set : {t.english, t.japanese}) {
            const MaterialEntry* e = set->Entry;
            EXPECT_EQ(
                (std::array<LONG, 8>{e[0].ImpactMin, e[0].ImpactMax, e[0].Speed, e[2].ImpactMin,
                                     e[2].ImpactMax, e[8].ImpactMin, e[8].ImpactMax, e[8].Speed}),
                (std::array<LONG, 8>{t.min0, t.max0, t.speed, t.min, t.max2, t.min, t.max,
                                     t.speed}));
        }
        EXPECT_EQ(&SelectMaterialTable(t.photo, t.base, 81), t.japanese);
        for (INT country : {0, 80, 82}) {
            EXPECT_EQ(&SelectMaterialTable(t.photo, t.base, country), t.english);
        }
    }
}

} // namespace
