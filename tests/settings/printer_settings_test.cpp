// The settings record: the model rule, the signed reading of its fields and the built-in material
// tables, checked on chosen rows and through the choice between them.
#include <windows.h>

#include "settings/printer_settings.h"
#include "tests/support/devmode_bytes.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace {

using testdm::Text;

TEST(ModelRule, OnlyTheExactModelNameGivesTheKlv20Base) {
    EXPECT_EQ(BaseDpiForModel(TEXT("Velmar VORIKA KLV-20")), 1016);
    for (LPCWSTR name : {TEXT("velmar VORIKA KLV-20"), TEXT("Velmar VORIKA KLV-20 "),
                         TEXT("Velmar VORIKA KLV-2"), TEXT(""), static_cast<LPCWSTR>(nullptr)}) {
        EXPECT_EQ(BaseDpiForModel(name), 1058);
    }
}

// The tool shows stored values with the sign of their field: bytes and DWORDs unsigned, the rest
// signed; the low byte is stored first.
TEST(SettingsFields, ValuesReadWithTheSignOfTheirType) {
    const std::pair<const char16_t*, int64_t> cases[] = {
        {u"Gamma", -1}, {u"CmpMode", 255}, {u"Rear", -1}, {u"dwFlags", 0xFFFFFFFF}};
    for (const auto& [name, allOnes] : cases) {
        const SettingsField* field = nullptr;
        for (const SettingsField& f : kSettingsFields) {
            field = Text(f.name, 64) == name ? &f : field;
        }
        ASSERT_NE(field, nullptr);
        PrinterSettings ps{};
        SetFieldValue(&ps, *field, -1);
        EXPECT_EQ(GetFieldValue(ps, *field), allOnes);
        SetFieldValue(&ps, *field, 0x1234502);
        EXPECT_EQ(GetFieldValue(ps, *field) & 0xFF, 2);
    }
}

// Entry 0 has its own numbers, entry 2 its own maximum on the other model, the rest share theirs;
// the Japanese tables carry the English ones' numbers.
TEST(BuiltInMaterialTables, NumbersOnChosenRows) {
    const struct {
        const MaterialSet *table, *japanese;
        int entry;
        LONG min, max, speed;
    } rows[] = {
        {&MaterialDef, &MaterialDefJ, 0, 640, 790, 12},
        {&MaterialDef, &MaterialDefJ, 2, 640, 840, 12},
        {&MaterialDef, &MaterialDefJ, 8, 640, 840, 12},
        {&MaterialPhotoDef, &MaterialPhotoDefJ, 0, 600, 830, 15},
        {&MaterialPhotoDef, &MaterialPhotoDefJ, 2, 600, 950, 15},
        {&MaterialPhotoDef, &MaterialPhotoDefJ, 8, 600, 950, 15},
        {&MaterialDef_60, &MaterialDefJ_60, 0, 380, 480, 12},
        {&MaterialDef_60, &MaterialDefJ_60, 2, 380, 600, 12},
        {&MaterialDef_60, &MaterialDefJ_60, 8, 380, 540, 12},
        {&MaterialPhotoDef_60, &MaterialPhotoDefJ_60, 0, 380, 480, 15},
        {&MaterialPhotoDef_60, &MaterialPhotoDefJ_60, 2, 380, 600, 15},
        {&MaterialPhotoDef_60, &MaterialPhotoDefJ_60, 3, 380, 540, 15},
    };
    for (const auto& r : rows) {
        for (const MaterialSet* t : {r.table, r.japanese}) {
            const MaterialEntry& e = t->Entry[r.entry];
            EXPECT_EQ((std::array<LONG, 4>{e.ImpactMin, e.ImpactMax, e.Speed, e.Reserved}),
                      (std::array<LONG, 4>{r.min, r.max, r.speed, 0}))
                << "entry " << r.entry;
        }
    }
}

// Base 1016 picks the tables without "_60", any other base those with it; country 81 alone picks
// the Japanese names.
TEST(BuiltInMaterialTables, ChosenByBaseAndCountry) {
    const std::tuple<BOOL, SHORT, INT, const MaterialSet*> cases[] = {
        {FALSE, 1016, 81, &MaterialDefJ},       {FALSE, 1016, 1, &MaterialDef},
        {FALSE, 1058, 81, &MaterialDefJ_60},    {FALSE, 508, 0, &MaterialDef_60},
        {TRUE, 1016, 81, &MaterialPhotoDefJ},   {TRUE, 1016, 0, &MaterialPhotoDef},
        {TRUE, 1058, 82, &MaterialPhotoDef_60}, {TRUE, 1015, 81, &MaterialPhotoDefJ_60},
        {TRUE, 1058, 80, &MaterialPhotoDef_60},
    };
    for (const auto& [photo, base, country, expected] : cases) {
        EXPECT_EQ(&SelectMaterialTable(photo, base, country), expected)
            << photo << " " << base << " " << country;
    }
}

} // namespace
