// The settings record: model rule, field table, default record and the built-in material tables.
#include <windows.h>

#include "settings/printer_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ASCII text of a wide string; a code unit outside ASCII shows as '?'.
std::string Ascii(LPCWSTR text) {
    std::string out;
    for (; text != nullptr && *text != 0; ++text) {
        out += (*text < 0x80) ? static_cast<char>(*text) : '?';
    }
    return out;
}

// The 32 code units of a name field.
std::vector<uint16_t> Units(const WCHAR (&name)[32]) {
    return std::vector<uint16_t>(name, name + 32);
}

// The expected 32 code units of a name field: the text, a NUL, zeros to the end.
std::vector<uint16_t> NameField(const std::vector<uint16_t>& text) {
    std::vector<uint16_t> field(text);
    field.resize(32, 0);
    return field;
}

std::vector<uint16_t> NameField(const char* ascii) {
    std::vector<uint16_t> text;
    for (; *ascii != '\0'; ++ascii) {
        text.push_back(static_cast<uint16_t>(*ascii));
    }
    return NameField(text);
}

// Reads a field of the record as stored: little-endian, with the sign of its type.
int64_t ReadField(const PrinterSettings& ps, size_t offset, int size, bool isSigned) {
    const BYTE* p = reinterpret_cast<const BYTE*>(&ps) + offset;
    uint32_t raw = 0;
    for (int i = size - 1; i >= 0; --i) {
        raw = (raw << 8) | p[i];
    }
    if (!isSigned) {
        return raw;
    }
    if (size == 1) {
        return static_cast<int8_t>(raw);
    }
    if (size == 2) {
        return static_cast<int16_t>(raw);
    }
    return static_cast<int32_t>(raw);
}

// Every field outside the material sets, in the order the printer data stores them, with its
// place, width, signedness and the value of a record made from defaults.
struct FieldRow {
    const char* name;
    size_t offset;
    int size;
    bool isSigned;
    int64_t defaultValue;
};

constexpr int64_t kByModel = INT64_MIN; // BaseDpi follows the model rule

const FieldRow kFieldRows[] = {
    {"UserDefinedX", 0, 2, true, 500},  {"UserDefinedY", 2, 2, true, 500},
    {"Material", 4, 2, true, 1},        {"prtIndex", 6, 2, true, 0},
    {"OffsetX", 8, 2, true, 0},         {"OffsetY", 10, 2, true, 0},
    {"LimitX", 12, 2, true, 500},       {"LimitY", 14, 2, true, 500},
    {"UserUnit", 16, 2, true, 0},       {"DitherPat", 18, 2, true, 0},
    {"Gamma", 20, 2, true, -500},       {"Brightness", 22, 2, true, 0},
    {"Contrast", 24, 2, true, 0},       {"PassMethod", 26, 2, true, 4},
    {"BiDir", 28, 2, true, 1},          {"Mirror", 30, 2, true, 0},
    {"Nega", 32, 2, true, 0},           {"Draft", 34, 2, true, 3},
    {"LowCut", 36, 2, true, 1},         {"LowCutPre", 38, 2, true, 40},
    {"LowCutPost", 40, 2, true, 0},     {"FrameDpiIdx", 42, 2, true, 4},
    {"ULOrigin", 44, 1, false, 0},      {"ReverseDir", 45, 1, false, 0},
    {"CmpMode", 46, 1, false, 0},       {"FileOutput", 47, 1, false, 0},
    {"Rear", 48, 4, true, 10},          {"Front", 52, 4, true, 10},
    {"Left", 56, 4, true, 10},          {"Right", 60, 4, true, 10},
    {"BaseDpi", 66, 2, true, kByModel}, {"CorrectSlope", 64, 1, false, 0},
    {"Dummy1", 65, 1, false, 0},        {"ImpactPattern", 1508, 4, true, 1},
    {"dummy", 1512, 4, true, 0},        {"EnableExtendedSize", 1516, 4, true, 1},
    {"ExtendedSize", 1520, 4, true, 0}, {"dwPrivData", 1524, 4, false, 0x56495250},
    {"dwFlags", 1528, 4, false, 0},     {"wOutFlags", 1532, 4, false, 1991},
};
static_assert(sizeof(kFieldRows) / sizeof(kFieldRows[0]) == kSettingsFieldCount);

TEST(ModelRule, OnlyTheExactModelNameGivesTheHigherBase) {
    EXPECT_EQ(BaseDpiForModel(TEXT("Velmar VORIKA KLV-20")), 1016);

    const LPCWSTR others[] = {
        TEXT("velmar VORIKA KLV-20"),  TEXT("Velmar vorika klv-20"), TEXT("Velmar VORIKA KLV-20 "),
        TEXT(" Velmar VORIKA KLV-20"), TEXT("Velmar VORIKA KLV20"),  TEXT("Velmar VORIKA KLV-2"),
        TEXT("Velmar VORIKA KLV-200"), TEXT("Velmar VORIKA KLV-10"), TEXT(""),
    };
    for (LPCWSTR name : others) {
        EXPECT_EQ(BaseDpiForModel(name), 1058) << '"' << Ascii(name) << '"';
    }
    EXPECT_EQ(BaseDpiForModel(nullptr), 1058);
}

TEST(SettingsFields, FollowTheStoredOrderWithPlaceWidthAndSign) {
    for (int i = 0; i < kSettingsFieldCount; ++i) {
        const SettingsField& field = kSettingsFields[i];
        const FieldRow& row = kFieldRows[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Ascii(field.name), row.name);
        EXPECT_EQ(static_cast<size_t>(field.offset), row.offset);
        EXPECT_EQ(static_cast<int>(field.size), row.size);
        EXPECT_EQ(field.isSigned, row.isSigned);
        if (row.defaultValue != kByModel) {
            EXPECT_EQ(static_cast<int64_t>(field.defaultValue), row.defaultValue);
        }
    }
}

// Writing -1 through the field table touches exactly the field's bytes and reads back with the
// field's sign.
TEST(SettingsFields, GetAndSetWorkOnExactlyTheFieldsBytes) {
    for (int i = 0; i < kSettingsFieldCount; ++i) {
        const FieldRow& row = kFieldRows[i];
        SCOPED_TRACE(row.name);
        PrinterSettings ps;
        std::memset(&ps, 0x5A, sizeof ps);
        SetFieldValue(&ps, kSettingsFields[i], -1);

        const BYTE* bytes = reinterpret_cast<const BYTE*>(&ps);
        for (size_t b = 0; b < sizeof ps; ++b) {
            const bool inField = b >= row.offset && b < row.offset + row.size;
            ASSERT_EQ(static_cast<int>(bytes[b]), inField ? 0xFF : 0x5A) << "byte " << b;
        }
        const int64_t expected = row.isSigned ? -1 : (int64_t{1} << (8 * row.size)) - 1;
        EXPECT_EQ(GetFieldValue(ps, kSettingsFields[i]), expected);
    }
}

// Numbers of the sets in a record made from defaults: {impact minimum, impact maximum, speed}.
struct DefaultRecordCase {
    LPCWSTR model;
    SHORT baseDpi;
    LONG text[3];
    LONG photo[3];
};

void ExpectDefaultSet(const MaterialSet& set, const LONG (&numbers)[3]) {
    for (int i = 0; i < kMaterialCount; ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        const MaterialEntry& entry = set.Entry[i];
        EXPECT_EQ(entry.ImpactMin, numbers[0]);
        EXPECT_EQ(entry.ImpactMax, numbers[1]);
        EXPECT_EQ(entry.Speed, numbers[2]);
        EXPECT_EQ(entry.Reserved, 0);
        EXPECT_EQ(Units(entry.Name), NameField(""));
    }
}

TEST(DefaultRecord, EveryFieldHoldsItsDefaultForBothModels) {
    const DefaultRecordCase cases[] = {
        {TEXT("Velmar VORIKA KLV-20"), 1016, {640, 840, 12}, {600, 950, 15}},
        {TEXT("Velmar VORIKA KLV-10"), 1058, {400, 650, 12}, {420, 720, 15}},
    };
    for (const DefaultRecordCase& c : cases) {
        SCOPED_TRACE(Ascii(c.model));
        PrinterSettings ps;
        std::memset(&ps, 0xA5, sizeof ps); // every byte must be written
        SetDefaultPrinterSettings(&ps, BaseDpiForModel(c.model));

        for (const FieldRow& row : kFieldRows) {
            const int64_t expected = row.defaultValue == kByModel ? c.baseDpi : row.defaultValue;
            EXPECT_EQ(ReadField(ps, row.offset, row.size, row.isSigned), expected) << row.name;
        }
        {
            SCOPED_TRACE("text set");
            ExpectDefaultSet(ps.TextSet, c.text);
        }
        {
            SCOPED_TRACE("photo set");
            ExpectDefaultSet(ps.PhotoSet, c.photo);
        }
    }
}

// A base that is not 1016 counts as the other model, whatever its value.
TEST(DefaultRecord, MaterialSetNumbersFollowTheBase) {
    struct Case {
        BOOL photo;
        SHORT baseDpi;
        LONG numbers[3];
    };
    const Case cases[] = {
        {FALSE, 1016, {640, 840, 12}}, {FALSE, 1058, {400, 650, 12}}, {FALSE, 0, {400, 650, 12}},
        {TRUE, 1016, {600, 950, 15}},  {TRUE, 1058, {420, 720, 15}},  {TRUE, 1015, {420, 720, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.photo ? "photo " : "text ") + std::to_string(c.baseDpi));
        MaterialSet set;
        std::memset(&set, 0xA5, sizeof set);
        SetDefaultMaterialSet(&set, c.photo, c.baseDpi);
        ExpectDefaultSet(set, c.numbers);
    }
}

// Names of the built-in tables by index.
const char* const kEnglishText[kMaterialCount] = {
    "Aluminium", "Brass", "Stainless steel", "Acrylic", "Set-A", "Set-B", "Set-C", "Set-D", "Set-E",
};
const char* const kEnglishPhoto[kMaterialCount] = {
    "Aluminium", "Brass", "Stainless steel", "Acrylic", "Set-a", "Set-b", "Set-c", "Set-d", "Set-e",
};

// The Japanese names as UTF-16 code units; the user slots are "設定" and a full-width letter.
const std::vector<uint16_t> kAluminium = {0x30A2, 0x30EB, 0x30DF, 0x30CB, 0x30A6, 0x30E0};
const std::vector<uint16_t> kBrass = {0x771F, 0x936E};
const std::vector<uint16_t> kStainless = {0x30B9, 0x30C6, 0x30F3, 0x30EC, 0x30B9};
const std::vector<uint16_t> kAcrylic = {0x30A2, 0x30AF, 0x30EA, 0x30EB};
constexpr uint16_t kSettei[2] = {0x8A2D, 0x5B9A};

std::vector<uint16_t> JapaneseName(int index, bool photo) {
    switch (index) {
    case 0:
        return kAluminium;
    case 1:
        return kBrass;
    case 2:
        return kStainless;
    case 3:
        return kAcrylic;
    default: {
        // Full-width capital A is U+FF21, small a U+FF41.
        const uint16_t letter = static_cast<uint16_t>((photo ? 0xFF41 : 0xFF21) + (index - 4));
        return {kSettei[0], kSettei[1], letter};
    }
    }
}

// Impact minimum, impact maximum and speed for indexes 0, 1, 2, 3 and 4 .. 8.
using NumberColumn = LONG[5][3];
const NumberColumn kText1016 = {
    {640, 790, 12}, {640, 840, 12}, {640, 840, 12}, {640, 840, 12}, {640, 840, 12}};
const NumberColumn kPhoto1016 = {
    {600, 830, 15}, {600, 950, 15}, {600, 950, 15}, {600, 950, 15}, {600, 950, 15}};
const NumberColumn kTextOther = {
    {380, 480, 12}, {380, 540, 12}, {380, 600, 12}, {380, 540, 12}, {380, 540, 12}};
const NumberColumn kPhotoOther = {
    {380, 480, 15}, {380, 540, 15}, {380, 600, 15}, {380, 540, 15}, {380, 540, 15}};

struct BuiltInTableCase {
    const char* name;
    const MaterialSet* table;
    bool photo;
    bool japanese;
    const NumberColumn* numbers;
};

const BuiltInTableCase kBuiltInTables[] = {
    {"MaterialDef", &MaterialDef, false, false, &kText1016},
    {"MaterialDefJ", &MaterialDefJ, false, true, &kText1016},
    {"MaterialPhotoDef", &MaterialPhotoDef, true, false, &kPhoto1016},
    {"MaterialPhotoDefJ", &MaterialPhotoDefJ, true, true, &kPhoto1016},
    {"MaterialDef_60", &MaterialDef_60, false, false, &kTextOther},
    {"MaterialDefJ_60", &MaterialDefJ_60, false, true, &kTextOther},
    {"MaterialPhotoDef_60", &MaterialPhotoDef_60, true, false, &kPhotoOther},
    {"MaterialPhotoDefJ_60", &MaterialPhotoDefJ_60, true, true, &kPhotoOther},
};

TEST(BuiltInMaterialTables, NamesAndNumbers) {
    for (const BuiltInTableCase& t : kBuiltInTables) {
        for (int i = 0; i < kMaterialCount; ++i) {
            SCOPED_TRACE(std::string(t.name) + " entry " + std::to_string(i));
            const MaterialEntry& entry = t.table->Entry[i];
            const LONG(&numbers)[3] = (*t.numbers)[i < 4 ? i : 4];
            EXPECT_EQ(entry.ImpactMin, numbers[0]);
            EXPECT_EQ(entry.ImpactMax, numbers[1]);
            EXPECT_EQ(entry.Speed, numbers[2]);
            EXPECT_EQ(entry.Reserved, 0);
            const std::vector<uint16_t> expected =
                t.japanese ? NameField(JapaneseName(i, t.photo))
                           : NameField(t.photo ? kEnglishPhoto[i] : kEnglishText[i]);
            EXPECT_EQ(Units(entry.Name), expected);
        }
    }
}

// Base 1016 picks the tables without "_60"; country 81 picks the Japanese names.
TEST(BuiltInMaterialTables, SelectedByBaseAndCountry) {
    struct Case {
        BOOL photo;
        SHORT baseDpi;
        INT country;
        const MaterialSet* expected;
        const char* name;
    };
    const Case cases[] = {
        {FALSE, 1016, 81, &MaterialDefJ, "MaterialDefJ"},
        {FALSE, 1016, 1, &MaterialDef, "MaterialDef"},
        {FALSE, 1016, 0, &MaterialDef, "MaterialDef"},
        {FALSE, 1058, 81, &MaterialDefJ_60, "MaterialDefJ_60"},
        {FALSE, 1058, 1, &MaterialDef_60, "MaterialDef_60"},
        {FALSE, 1058, 0, &MaterialDef_60, "MaterialDef_60"},
        {FALSE, 508, 81, &MaterialDefJ_60, "MaterialDefJ_60"},
        {FALSE, 508, 1, &MaterialDef_60, "MaterialDef_60"},
        {FALSE, 508, 0, &MaterialDef_60, "MaterialDef_60"},
        {TRUE, 1016, 81, &MaterialPhotoDefJ, "MaterialPhotoDefJ"},
        {TRUE, 1016, 1, &MaterialPhotoDef, "MaterialPhotoDef"},
        {TRUE, 1016, 0, &MaterialPhotoDef, "MaterialPhotoDef"},
        {TRUE, 1058, 81, &MaterialPhotoDefJ_60, "MaterialPhotoDefJ_60"},
        {TRUE, 1058, 1, &MaterialPhotoDef_60, "MaterialPhotoDef_60"},
        {TRUE, 1058, 0, &MaterialPhotoDef_60, "MaterialPhotoDef_60"},
        {TRUE, 508, 81, &MaterialPhotoDefJ_60, "MaterialPhotoDefJ_60"},
        {TRUE, 508, 1, &MaterialPhotoDef_60, "MaterialPhotoDef_60"},
        {TRUE, 508, 0, &MaterialPhotoDef_60, "MaterialPhotoDef_60"},
        {TRUE, 1058, 82, &MaterialPhotoDef_60, "MaterialPhotoDef_60"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(&SelectMaterialTable(c.photo, c.baseDpi, c.country), c.expected)
            << (c.photo ? "photo" : "text") << " base " << c.baseDpi << " country " << c.country
            << " should be " << c.name;
    }

    // Base 1058 in Japan: photo preset 2 is "ステンレス" with 380 / 600 / 15.
    const MaterialEntry& stainless = SelectMaterialTable(TRUE, 1058, 81).Entry[2];
    EXPECT_EQ(Units(stainless.Name), NameField(kStainless));
    EXPECT_EQ(stainless.ImpactMin, 380);
    EXPECT_EQ(stainless.ImpactMax, 600);
    EXPECT_EQ(stainless.Speed, 15);
}

} // namespace
