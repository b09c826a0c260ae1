// The settings record: the model rule, the signed reading of its fields and the built-in material
// tables, checked on chosen rows and through the choice between them.
#include <windows.h>

#include "settings/printer_settings.h"
#include "tests/support/devmode_bytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using testdm::Text;

TEST(ModelRule, OnlyTheExactModelNameGivesTheKlv20Base) {
    EXPECT_EQ(BaseDpiForModel(TEXT("Velmar VORIKA KLV-20")), 1016);
    for (LPCWSTR name : {TEXT("velmar VORIKA KLV-20"), TEXT("Velmar VORIKA KLV-20 "),
                         TEXT(" Velmar VORIKA KLV-20"), TEXT("Velmar VORIKA KLV20"),
                         TEXT("Velmar VORIKA KLV-2"), TEXT("Velmar VORIKA KLV-200"), TEXT(""),
                         static_cast<LPCWSTR>(nullptr)}) {
        EXPECT_EQ(BaseDpiForModel(name), 1058);
    }
}

// The tool prints stored values with the sign of their field: bytes and DWORDs unsigned, the
// rest signed.
TEST(SettingsFields, ValuesReadWithTheSignOfTheirType) {
    const struct {
        const char16_t* name;
        int64_t allOnes;
    } cases[] = {{u"Gamma", -1}, {u"CmpMode", 255}, {u"Rear", -1}, {u"dwFlags", 0xFFFFFFFF}};
    for (const auto& c : cases) {
        const SettingsField* field = nullptr;
        for (const SettingsField& f : kSettingsFields) {
            field = Text(f.name, 64) == c.name ? &f : field;
        }
        ASSERT_NE(field, nullptr);
        PrinterSettings ps;
        std::memset(&ps, 0, sizeof ps);
        SetFieldValue(&ps, *field, -1);
        EXPECT_EQ(GetFieldValue(ps, *field), c.allOnes);
        std::memset(&ps, 0xFF, sizeof ps);
        SetFieldValue(&ps, *field, 0x1234502);
        EXPECT_EQ(GetFieldValue(ps, *field) & 0xFF, 2) << "low byte first";
    }
}

// Entry 0 has its own numbers, entry 2 its own maximum on the other model, the rest share theirs;
// the Japanese tables carry the English ones' numbers.
TEST(BuiltInMaterialTables, NumbersOnChosenRows) {
    const struct {
        const MaterialSet* table;
        const MaterialSet* japanese;
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
            SCOPED_TRACE("entry " + std::to_string(r.entry));
            EXPECT_EQ(e.ImpactMin, r.min);
            EXPECT_EQ(e.ImpactMax, r.max);
            EXPECT_EQ(e.Speed, r.speed);
            EXPECT_EQ(e.Reserved, 0);
        }
    }
}

TEST(BuiltInMaterialTables, NamesOnChosenRows) {
    const struct {
        const MaterialSet* table;
        int entry;
        const char16_t* name;
    } rows[] = {
        {&MaterialDef, 2, u"Stainless steel"}, {&MaterialDef_60, 4, u"Set-A"},
        {&MaterialPhotoDef, 0, u"Aluminium"},  {&MaterialPhotoDef_60, 8, u"Set-e"},
        {&MaterialDefJ, 1, u"\u771F\u936E"},   {&MaterialDefJ_60, 8, u"\u8A2D\u5B9A\uFF25"},
        {&MaterialPhotoDefJ, 3, u"アクリル"},  {&MaterialPhotoDefJ_60, 4, u"\u8A2D\u5B9A\uFF41"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(Text(r.table->Entry[r.entry].Name, 32), r.name) << "entry " << r.entry;
        EXPECT_EQ(r.table->Entry[r.entry].Name[31], 0);
    }
}

// Base 1016 picks the tables without "_60", any other base those with it; country 81 alone picks
// the Japanese names.
TEST(BuiltInMaterialTables, ChosenByBaseAndCountry) {
    const struct {
        BOOL photo;
        SHORT base;
        INT country;
        const MaterialSet* expected;
    } cases[] = {
        {FALSE, 1016, 81, &MaterialDefJ},         {FALSE, 1016, 1, &MaterialDef},
        {FALSE, 1058, 81, &MaterialDefJ_60},      {FALSE, 508, 0, &MaterialDef_60},
        {TRUE, 1016, 81, &MaterialPhotoDefJ},     {TRUE, 1016, 0, &MaterialPhotoDef},
        {TRUE, 1058, 82, &MaterialPhotoDef_60},   {TRUE, 1015, 81, &MaterialPhotoDefJ_60},
        {TRUE, 1058, 80, &MaterialPhotoDef_60},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(&SelectMaterialTable(c.photo, c.base, c.country), c.expected)
            << (c.photo ? "photo" : "text") << " base " << c.base << " country " << c.country;
    }
}

} // namespace
