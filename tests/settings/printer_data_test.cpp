// The settings record in the printer's registry data: the whole block, the material blocks and
// the per-field values, what a load takes from each, the write order of a save, and what damaged
// data, refused writes and a lack of memory do.
#include <windows.h>
#include <winspool.h>

#include "settings/printer_data.h"
#include "tests/support/test_printer.h"

#ifndef _WIN32
#include "platform/posix/standin_control.h"
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

constexpr LPCWSTR kKlv20 = TEXT("Velmar VORIKA KLV-20");
constexpr LPCWSTR kOtherModel = TEXT("Velmar VORIKA KLV-10");

std::string Ascii(LPCWSTR text) {
    std::string out;
    for (; *text != 0; ++text) {
        out += (*text < 0x80) ? static_cast<char>(*text) : '?';
    }
    return out;
}

// Every value the driver keeps in a printer's data, in the order a save writes them.
enum Kind { kField, kModelField, kBlockSize, kBlock };

struct StoredValue {
    LPCWSTR name;
    Kind kind;
    WORD offset; // where the value's bytes lie in the record (not for a block size)
    WORD size;   // bytes stored
    LONG value;  // Field: its default; BlockSize: the block length it announces
};

// clang-format off
const StoredValue kStoredValues[] = {
    {TEXT("UserDefinedX"), kField, 0, 2, 500}, {TEXT("UserDefinedY"), kField, 2, 2, 500},
    {TEXT("Material"), kField, 4, 2, 1}, {TEXT("prtIndex"), kField, 6, 2, 0},
    {TEXT("OffsetX"), kField, 8, 2, 0}, {TEXT("OffsetY"), kField, 10, 2, 0},
    {TEXT("LimitX"), kField, 12, 2, 500}, {TEXT("LimitY"), kField, 14, 2, 500},
    {TEXT("UserUnit"), kField, 16, 2, 0}, {TEXT("DitherPat"), kField, 18, 2, 0},
    {TEXT("Gamma"), kField, 20, 2, -500}, {TEXT("Brightness"), kField, 22, 2, 0},
    {TEXT("Contrast"), kField, 24, 2, 0}, {TEXT("PassMethod"), kField, 26, 2, 4},
    {TEXT("BiDir"), kField, 28, 2, 1}, {TEXT("Mirror"), kField, 30, 2, 0},
    {TEXT("Nega"), kField, 32, 2, 0}, {TEXT("Draft"), kField, 34, 2, 3},
    {TEXT("LowCut"), kField, 36, 2, 1}, {TEXT("LowCutPre"), kField, 38, 2, 40},
    {TEXT("LowCutPost"), kField, 40, 2, 0}, {TEXT("FrameDpiIdx"), kField, 42, 2, 4},
    {TEXT("ULOrigin"), kField, 44, 1, 0}, {TEXT("ReverseDir"), kField, 45, 1, 0},
    {TEXT("CmpMode"), kField, 46, 1, 0}, {TEXT("FileOutput"), kField, 47, 1, 0},
    {TEXT("Rear"), kField, 48, 4, 10}, {TEXT("Front"), kField, 52, 4, 10},
    {TEXT("Left"), kField, 56, 4, 10}, {TEXT("Right"), kField, 60, 4, 10},
    {TEXT("BaseDpi"), kModelField, 66, 2, 0},
    {TEXT("CorrectSlope"), kField, 64, 1, 0}, {TEXT("Dummy1"), kField, 65, 1, 0},
    {TEXT("MaterialSetDataSize"), kBlockSize, 0, 4, 720},
    {TEXT("MaterialSetData"), kBlock, 68, 720, 0},
    {TEXT("MaterialPhotoSetDataSize"), kBlockSize, 0, 4, 720},
    {TEXT("MaterialPhotoSetData"), kBlock, 788, 720, 0},
    {TEXT("ImpactPattern"), kField, 1508, 4, 1}, {TEXT("dummy"), kField, 1512, 4, 0},
    {TEXT("EnableExtendedSize"), kField, 1516, 4, 1}, {TEXT("ExtendedSize"), kField, 1520, 4, 0},
    {TEXT("dwPrivData"), kField, 1524, 4, 0x56495250}, {TEXT("dwFlags"), kField, 1528, 4, 0},
    {TEXT("wOutFlags"), kField, 1532, 4, 1991},
    {TEXT("PrinterDataSize"), kBlockSize, 0, 4, 1536}, {TEXT("PrinterData"), kBlock, 0, 1536, 0},
};
// clang-format on
constexpr size_t kWriteCount = std::size(kStoredValues);
static_assert(kWriteCount == 46);

bool IsField(const StoredValue& v) {
    return v.kind == kField || v.kind == kModelField;
}

struct BlockNames {
    LPCWSTR size;
    LPCWSTR data;
};
constexpr BlockNames kWholeBlock = {TEXT("PrinterDataSize"), TEXT("PrinterData")};
constexpr BlockNames kTextBlock = {TEXT("MaterialSetDataSize"), TEXT("MaterialSetData")};
constexpr BlockNames kPhotoBlock = {TEXT("MaterialPhotoSetDataSize"), TEXT("MaterialPhotoSetData")};

Bytes Le(int64_t value, size_t size) {
    Bytes bytes;
    for (size_t i = 0; i < size; ++i) {
        bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
    }
    return bytes;
}

Bytes Slice(const void* base, size_t offset, size_t size) {
    const BYTE* at = static_cast<const BYTE*>(base) + offset;
    return Bytes(at, at + size);
}

Bytes AllOf(const PrinterSettings& ps) {
    return Slice(&ps, 0, sizeof ps);
}

DWORD TypeOf(const StoredValue& v) {
    return v.kind == kBlockSize ? REG_DWORD : REG_BINARY;
}

// The bytes a save stores under the value's name for this record.
Bytes StoredBytes(const StoredValue& v, const PrinterSettings& ps) {
    return v.kind == kBlockSize ? Le(v.value, 4) : Slice(&ps, v.offset, v.size);
}

std::vector<uint16_t> Units(const WCHAR (&name)[32]) {
    return std::vector<uint16_t>(name, name + 32);
}

// The text, then zeros to the end of the field; a text of 32 units fills it with no NUL.
void SetName(WCHAR (&name)[32], const std::string& ascii) {
    for (size_t i = 0; i < 32; ++i) {
        name[i] = i < ascii.size() ? static_cast<WCHAR>(ascii[i]) : 0;
    }
}

struct ModelCase {
    LPCWSTR model;
    SHORT baseDpi;
    LONG text[3]; // impact minimum, impact maximum, speed
    LONG photo[3];
};

const ModelCase kKlv20Case = {kKlv20, 1016, {640, 840, 12}, {600, 950, 15}};
const ModelCase kOtherCase = {kOtherModel, 1058, {400, 650, 12}, {420, 720, 15}};

void SetDefaultNumbers(MaterialSet* set, const LONG (&numbers)[3]) {
    std::memset(set, 0, sizeof *set);
    for (MaterialEntry& e : set->Entry) {
        e.ImpactMin = numbers[0];
        e.ImpactMax = numbers[1];
        e.Speed = numbers[2];
    }
}

// The record a printer with nothing stored gives under the model.
PrinterSettings DefaultRecord(const ModelCase& m) {
    PrinterSettings ps;
    std::memset(&ps, 0, sizeof ps);
    for (const StoredValue& v : kStoredValues) {
        if (v.kind == kField) {
            const Bytes bytes = Le(v.value, v.size);
            std::memcpy(reinterpret_cast<BYTE*>(&ps) + v.offset, bytes.data(), bytes.size());
        }
    }
    ps.BaseDpi = m.baseDpi;
    SetDefaultNumbers(&ps.TextSet, m.text);
    SetDefaultNumbers(&ps.PhotoSet, m.photo);
    return ps;
}

// A record whose every field differs from its default and from its neighbours, with names in
// both sets and a non-zero reserved field in every entry.
PrinterSettings DistinctRecord() {
    PrinterSettings ps;
    BYTE* bytes = reinterpret_cast<BYTE*>(&ps);
    for (size_t i = 0; i < sizeof ps; ++i) {
        bytes[i] = static_cast<BYTE>(i * 37 + 11);
    }
    for (int i = 0; i < kMaterialCount; ++i) {
        SetName(ps.TextSet.Entry[i].Name, "Engraving " + std::to_string(i));
        SetName(ps.PhotoSet.Entry[i].Name, "Photo " + std::to_string(i));
    }
    return ps;
}

// A set as an earlier save may have left it: numbers outside the pages' ranges, reserved fields
// set, and a last name of all 32 units.
MaterialSet StoredSet() {
    MaterialSet set;
    std::memset(&set, 0, sizeof set);
    for (int i = 0; i < kMaterialCount; ++i) {
        MaterialEntry& e = set.Entry[i];
        e.ImpactMin = 5 + i;
        e.ImpactMax = 2000 - i;
        e.Speed = 30 + i;
        e.Reserved = 0x7000 + i;
        SetName(e.Name, "Stored " + std::to_string(i));
    }
    SetName(set.Entry[8].Name, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdef");
    return set;
}

// What a set read entry by entry from a block holds: everything but the reserved field.
MaterialSet WithoutReserved(MaterialSet set) {
    for (MaterialEntry& e : set.Entry) {
        e.Reserved = 0;
    }
    return set;
}

void ExpectSet(const MaterialSet& actual, const MaterialSet& expected, const char* which) {
    for (int i = 0; i < kMaterialCount; ++i) {
        SCOPED_TRACE(std::string(which) + " entry " + std::to_string(i));
        const MaterialEntry& a = actual.Entry[i];
        const MaterialEntry& e = expected.Entry[i];
        EXPECT_EQ(a.ImpactMin, e.ImpactMin);
        EXPECT_EQ(a.ImpactMax, e.ImpactMax);
        EXPECT_EQ(a.Speed, e.Speed);
        EXPECT_EQ(a.Reserved, e.Reserved);
        EXPECT_EQ(Units(a.Name), Units(e.Name));
    }
}

// Field by field and entry by entry, which together cover all 1536 bytes.
void ExpectRecord(const PrinterSettings* actual, const PrinterSettings& expected) {
    ASSERT_NE(actual, nullptr);
    for (const StoredValue& v : kStoredValues) {
        if (IsField(v)) {
            EXPECT_EQ(Slice(actual, v.offset, v.size), Slice(&expected, v.offset, v.size))
                << Ascii(v.name);
        }
    }
    ExpectSet(actual->TextSet, expected.TextSet, "text");
    ExpectSet(actual->PhotoSet, expected.PhotoSet, "photo");
}

struct GlobalDeleter {
    void operator()(PrinterSettings* ps) const { GlobalFree(ps); }
};
using Record = std::unique_ptr<PrinterSettings, GlobalDeleter>;

Record Load(const TestPrinter& p, LPCWSTR model) {
    return Record(GetPrinterProperties(p.handle(), model));
}

void PutBlock(const TestPrinter& p, const BlockNames& block, const Bytes& data, DWORD announced) {
    p.PutDword(block.size, announced);
    p.Put(block.data, REG_BINARY, data);
}

} // namespace

TEST(PrinterDataLoad, NothingStoredGivesTheDefaultRecordOfTheModel) {
    for (const ModelCase& m : {kKlv20Case, kOtherCase}) {
        SCOPED_TRACE(Ascii(m.model));
        TestPrinter p(m.model);
        ExpectRecord(Load(p, m.model).get(), DefaultRecord(m));
        ExpectRecord(Record(DefaultPrinterProperties(p.handle(), m.model)).get(), DefaultRecord(m));
    }
}

TEST(PrinterDataLoad, SavedRecordComesBackWithTheBaseOfTheLoadingModel) {
    const struct {
        LPCWSTR savedUnder;
        LPCWSTR loadedUnder;
        SHORT baseDpi;
    } cases[] = {
        {kKlv20, kKlv20, 1016},
        {kKlv20, kOtherModel, 1058},
        {kOtherModel, kKlv20, 1016},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Ascii(c.savedUnder) + " loaded as " + Ascii(c.loadedUnder));
        TestPrinter p(c.savedUnder);
        const PrinterSettings saved = DistinctRecord();
        EXPECT_EQ(SavePrinterProperties(p.handle(), &saved, 1536), 1u);
        PrinterSettings expected = saved;
        expected.BaseDpi = c.baseDpi;
        ExpectRecord(Load(p, c.loadedUnder).get(), expected);
    }
}

TEST(PrinterDataLoad, TheWholeBlockWinsUnlessItsSizeIsZero) {
    const PrinterSettings whole = DistinctRecord();
    const MaterialSet stored = StoredSet();
    for (const DWORD announced : {1536u, 0u}) {
        SCOPED_TRACE(announced);
        TestPrinter p(kKlv20);
        PutBlock(p, kWholeBlock, AllOf(whole), announced);
        p.Put(TEXT("Brightness"), REG_BINARY, Le(33, 2));
        p.Put(TEXT("Material"), REG_BINARY, Le(7, 2));
        p.Put(TEXT("Rear"), REG_BINARY, Le(20, 4));
        PutBlock(p, kTextBlock, Slice(&stored, 0, sizeof stored), 720);

        PrinterSettings expected = whole;
        if (announced == 0) {
            expected = DefaultRecord(kKlv20Case);
            expected.Brightness = 33;
            expected.Material = 7;
            expected.Rear = 20;
            expected.TextSet = WithoutReserved(stored);
        }
        expected.BaseDpi = 1016;
        ExpectRecord(Load(p, kKlv20).get(), expected);
    }
}

// Each per-field value enters its own field as stored, whatever the pages' ranges (Brightness 80,
// Material 12); the stored "BaseDpi" is never taken.
TEST(PrinterDataLoad, EveryPerFieldValueLandsInItsOwnFieldButBaseDpiFollowsTheModel) {
    PrinterSettings source = DistinctRecord();
    source.Brightness = 80;
    source.Material = 12;
    for (const ModelCase& m : {kKlv20Case, kOtherCase}) {
        SCOPED_TRACE(Ascii(m.model));
        TestPrinter p(m.model);
        PrinterSettings expected = DefaultRecord(m);
        for (const StoredValue& v : kStoredValues) {
            if (IsField(v)) {
                p.Put(v.name, REG_BINARY, Slice(&source, v.offset, v.size));
            }
            if (v.kind == kField) {
                std::memcpy(reinterpret_cast<BYTE*>(&expected) + v.offset,
                            reinterpret_cast<const BYTE*>(&source) + v.offset, v.size);
            }
        }
        ExpectRecord(Load(p, m.model).get(), expected);
    }
}

// The saved "BaseDpi" is the record's own, but a load from the per-field values ignores it; the
// material sets come back through their blocks without the reserved fields.
TEST(PrinterDataLoad, PerFieldLoadAfterASaveTakesEverythingButBaseDpiAndReserved) {
    TestPrinter p(kKlv20);
    PrinterSettings saved = DistinctRecord();
    saved.BaseDpi = 1058;
    EXPECT_EQ(SavePrinterProperties(p.handle(), &saved, 1536), 1u);

    DWORD type = 0;
    Bytes bytes;
    ASSERT_TRUE(p.Get(TEXT("BaseDpi"), &type, &bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(bytes, Le(1058, 2));

    p.PutDword(TEXT("PrinterDataSize"), 0);
    PrinterSettings expected = saved;
    expected.BaseDpi = 1016;
    expected.TextSet = WithoutReserved(saved.TextSet);
    expected.PhotoSet = WithoutReserved(saved.PhotoSet);
    ExpectRecord(Load(p, kKlv20).get(), expected);
}

TEST(PrinterDataLoad, OneStoredMaterialBlockGivesItsSetTheOtherTakesDefaults) {
    const MaterialSet stored = StoredSet();
    for (const bool photo : {false, true}) {
        const ModelCase& m = photo ? kOtherCase : kKlv20Case;
        SCOPED_TRACE(photo ? "photo block" : "text block");
        TestPrinter p(m.model);
        PutBlock(p, photo ? kPhotoBlock : kTextBlock, Slice(&stored, 0, sizeof stored), 720);

        PrinterSettings expected = DefaultRecord(m);
        (photo ? expected.PhotoSet : expected.TextSet) = WithoutReserved(stored);
        const Record loaded = Load(p, m.model);
        ExpectRecord(loaded.get(), expected);
        ASSERT_NE(loaded, nullptr);
        const auto name = Units((photo ? loaded->PhotoSet : loaded->TextSet).Entry[8].Name);
        EXPECT_EQ(std::count(name.begin(), name.end(), 0), 0);
        EXPECT_EQ(name.back(), static_cast<uint16_t>('f'));
    }
}

// A block of another length than the driver writes, a data value shorter or longer than its size
// value, and a per-field value of another width than its field all count as missing.
TEST(PrinterDataLoad, DamagedValuesCountAsMissing) {
    const PrinterSettings whole = DistinctRecord();
    const MaterialSet set = StoredSet();
    const Bytes wholeBytes = AllOf(whole);
    const Bytes setBytes = Slice(&set, 0, sizeof set);
    const auto head = [](const Bytes& bytes, size_t n) {
        return Bytes(bytes.begin(), bytes.begin() + n);
    };
    Bytes longWhole = wholeBytes;
    longWhole.resize(2000, 0x33);
    Bytes longSet = setBytes;
    longSet.insert(longSet.end(), setBytes.begin(), setBytes.end());

    const struct {
        const char* what;
        LPCWSTR name;
        Bytes bytes;
        LPCWSTR sizeName; // null: no size value
        DWORD announced;
    } cases[] = {
        {"whole block of 1000 bytes", kWholeBlock.data, head(wholeBytes, 1000), kWholeBlock.size,
         1000},
        {"whole block data shorter", kWholeBlock.data, head(wholeBytes, 1000), kWholeBlock.size,
         1536},
        {"whole block of 2000 bytes", kWholeBlock.data, longWhole, kWholeBlock.size, 2000},
        {"whole block data longer", kWholeBlock.data, longWhole, kWholeBlock.size, 1536},
        {"whole block without size", kWholeBlock.data, wholeBytes, nullptr, 0},
        {"text block of 500 bytes", kTextBlock.data, head(setBytes, 500), kTextBlock.size, 500},
        {"text block data longer", kTextBlock.data, longSet, kTextBlock.size, 720},
        {"photo block data shorter", kPhotoBlock.data, head(setBytes, 600), kPhotoBlock.size, 720},
        {"1-byte Gamma", TEXT("Gamma"), {0x10}, nullptr, 0},
        {"4-byte Brightness", TEXT("Brightness"), {5, 0, 0, 0}, nullptr, 0},
        {"2-byte CmpMode", TEXT("CmpMode"), {2, 0}, nullptr, 0},
        {"8-byte Rear", TEXT("Rear"), {3, 0, 0, 0, 0, 0, 0, 0}, nullptr, 0},
        {"2-byte dwFlags", TEXT("dwFlags"), {1, 1}, nullptr, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestPrinter p(kKlv20);
        if (c.sizeName != nullptr) {
            p.PutDword(c.sizeName, c.announced);
        }
        p.Put(c.name, REG_BINARY, c.bytes);
        ExpectRecord(Load(p, kKlv20).get(), DefaultRecord(kKlv20Case));
    }
}

TEST(PrinterDataSave, WritesEveryValueInTheStoredOrderWithItsTypeAndBytes) {
    TestPrinter p(kOtherModel);
    const PrinterSettings saved = DistinctRecord();
#ifndef _WIN32
    const size_t before = standin::DataWrites().size();
#endif
    EXPECT_EQ(SavePrinterProperties(p.handle(), &saved, 1536), 1u);

    for (const StoredValue& v : kStoredValues) {
        SCOPED_TRACE(Ascii(v.name));
        DWORD type = 0;
        Bytes bytes;
        ASSERT_TRUE(p.Get(v.name, &type, &bytes));
        EXPECT_EQ(type, TypeOf(v));
        EXPECT_EQ(bytes.size(), static_cast<size_t>(v.size));
        EXPECT_EQ(bytes, StoredBytes(v, saved));
    }
#ifndef _WIN32
    const auto& writes = standin::DataWrites();
    ASSERT_EQ(writes.size() - before, kWriteCount);
    for (size_t i = 0; i < kWriteCount; ++i) {
        const StoredValue& v = kStoredValues[i];
        const standin::DataWrite& w = writes[before + i];
        SCOPED_TRACE("write " + std::to_string(i + 1));
        EXPECT_EQ(Ascii(w.name.c_str()), Ascii(v.name));
        EXPECT_EQ(w.type, TypeOf(v));
        EXPECT_EQ(w.bytes, StoredBytes(v, saved));
        EXPECT_EQ(w.result, static_cast<DWORD>(ERROR_SUCCESS));
    }
#endif
}

#ifndef _WIN32

namespace {

// The values a save attempts when the writes with these 1-based numbers are refused: a block
// whose size value was refused does not get its data value written.
std::vector<const StoredValue*> AttemptedWrites(const std::vector<size_t>& refused) {
    std::vector<const StoredValue*> attempted;
    for (size_t i = 0; i < kWriteCount; ++i) {
        const bool sizeRefused = std::find(refused.begin(), refused.end(), i) != refused.end();
        if (kStoredValues[i].kind == kBlock && sizeRefused) {
            continue; // i is the 1-based number of the size value just before
        }
        attempted.push_back(&kStoredValues[i]);
    }
    return attempted;
}

} // namespace

TEST(PrinterDataSave, ARefusingPrinterStillGetsEveryFieldAndEverySizeValue) {
    TestPrinter p(kKlv20);
    const standin::WString name = TEXT("VORIKA read-only printer");
    standin::AddPrinter({name, kKlv20, {}, true});
    HANDLE h = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(name.c_str()), &h, nullptr));
    const PrinterSettings saved = DistinctRecord();
    EXPECT_EQ(SavePrinterProperties(h, &saved, 1536), 0u);
    ClosePrinter(h);

    // Every size value is refused, so no block's data value is tried: 40 fields and 3 sizes.
    const auto expected = AttemptedWrites({34, 36, 45});
    ASSERT_EQ(expected.size(), 43u);
    const auto& writes = standin::DataWrites();
    ASSERT_EQ(writes.size(), expected.size());
    for (size_t i = 0; i < writes.size(); ++i) {
        EXPECT_EQ(Ascii(writes[i].name.c_str()), Ascii(expected[i]->name)) << i;
        EXPECT_EQ(writes[i].printer, name) << i;
        EXPECT_EQ(writes[i].result, static_cast<DWORD>(ERROR_ACCESS_DENIED)) << i;
    }
    EXPECT_EQ(standin::DataCount(name), 0u);
}

// Only a refusal inside the whole-record block shows in the result; a refused block size value
// leaves the data value stored before as it was.
TEST(PrinterDataSave, ARefusedWriteIsSkippedAndTheSequenceGoesOn) {
    const struct {
        size_t refused; // 1-based write number
        DWORD result;
    } cases[] = {{1, 1}, {31, 1}, {34, 1}, {35, 1}, {36, 1}, {44, 1}, {45, 0}, {46, 0}};
    const PrinterSettings saved = DistinctRecord();
    const Bytes oldSet(720, 0x42);
    for (const auto& c : cases) {
        SCOPED_TRACE("refused write " + std::to_string(c.refused));
        TestPrinter p(kKlv20);
        PutBlock(p, kTextBlock, oldSet, 720);
        const size_t before = standin::DataWrites().size();
        standin::FailCall(standin::Op::SetPrinterData, static_cast<unsigned>(c.refused),
                          ERROR_ACCESS_DENIED);
        EXPECT_EQ(SavePrinterProperties(p.handle(), &saved, 1536), c.result);

        const auto expected = AttemptedWrites({c.refused});
        const std::vector<standin::DataWrite> writes(standin::DataWrites().begin() + before,
                                                     standin::DataWrites().end());
        ASSERT_EQ(writes.size(), expected.size());
        for (size_t i = 0; i < writes.size(); ++i) {
            const StoredValue& v = *expected[i];
            EXPECT_EQ(Ascii(writes[i].name.c_str()), Ascii(v.name)) << i;
            const bool refused = i + 1 == c.refused;
            EXPECT_EQ(writes[i].result,
                      static_cast<DWORD>(refused ? ERROR_ACCESS_DENIED : ERROR_SUCCESS));
            standin::DataValue stored;
            if (!refused) {
                ASSERT_TRUE(standin::FindData(p.name(), v.name, &stored)) << i;
                EXPECT_EQ(stored.bytes, StoredBytes(v, saved)) << i;
            }
        }
        standin::DataValue text;
        ASSERT_TRUE(standin::FindData(p.name(), kTextBlock.data, &text));
        EXPECT_EQ(text.bytes, c.refused == 34 || c.refused == 35 ? oldSet : Slice(&saved, 68, 720));
    }
}

// Counts follow the load steps: the whole block is its size value and its data value, and its
// memory becomes the record. Without it: the whole block's size value (missing), then 32 fields
// (22 of 16 bits, 4 bytes, 4 of 32 bits, CorrectSlope and Dummy1; BaseDpi is not read), each
// material block's size value and (when stored) data value, then the 7 fields of 32 bits after
// the sets; the record and each stored material block take one allocation, blocks freed again.
TEST(PrinterDataCounts, LoadsAndSavesMakeExactlyTheCallsTheyNeed) {
    const PrinterSettings record = DistinctRecord();
    const struct {
        const char* what;
        bool whole;
        bool materialBlocks;
        unsigned reads;
        unsigned allocations;
    } cases[] = {
        {"whole block", true, false, 2, 1},
        {"per field with both material blocks", false, true, 1 + 32 + 4 + 7, 3},
        {"per field alone", false, false, 1 + 32 + 2 + 7, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestPrinter p(kKlv20);
        if (c.whole) {
            PutBlock(p, kWholeBlock, AllOf(record), 1536);
        }
        if (c.materialBlocks) {
            PutBlock(p, kTextBlock, Slice(&record, 68, 720), 720);
            PutBlock(p, kPhotoBlock, Slice(&record, 788, 720), 720);
        }
        standin::ResetCounts();
        const long live = standin::LiveAllocations();
        PrinterSettings* loaded = GetPrinterProperties(p.handle(), kKlv20);
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(standin::CallCount(standin::Op::GetPrinterData), c.reads);
        EXPECT_EQ(standin::CallCount(standin::Op::SetPrinterData), 0u);
        EXPECT_EQ(standin::AllocationCount(), c.allocations);
        EXPECT_EQ(standin::LiveAllocations(), live + 1);
        GlobalFree(loaded);
        EXPECT_EQ(standin::LiveAllocations(), live);

        standin::ResetCounts();
        EXPECT_EQ(SavePrinterProperties(p.handle(), &record, 1536), 1u);
        EXPECT_EQ(standin::CallCount(standin::Op::SetPrinterData), 46u);
        EXPECT_EQ(standin::CallCount(standin::Op::GetPrinterData), 0u);
        EXPECT_EQ(standin::AllocationCount(), 0u);
        EXPECT_EQ(standin::LiveAllocations(), live);
    }
}

TEST(PrinterDataMemory, NoMemoryForTheRecordGivesNullAndLeaksNothing) {
    TestPrinter p(kKlv20);
    PutBlock(p, kTextBlock, Bytes(720, 0x21), 720);
    const long live = standin::LiveAllocations();
    standin::FailAllocation(1);
    EXPECT_EQ(GetPrinterProperties(p.handle(), kKlv20), nullptr);
    EXPECT_EQ(standin::LiveAllocations(), live);
    standin::FailAllocation(1);
    EXPECT_EQ(DefaultPrinterProperties(p.handle(), kKlv20), nullptr);
    EXPECT_EQ(standin::LiveAllocations(), live);
}

// A whole block or material block that cannot be had, for want of memory or because its data
// value cannot be read, is missing, and so is a per-field value that cannot be read; the load goes
// on without it and frees what it took.
TEST(PrinterDataMemory, AValueThatCannotBeHadCountsAsMissing) {
    const PrinterSettings whole = DistinctRecord();
    const MaterialSet set = StoredSet();
    const struct {
        const char* what;
        bool wholeStored;
        unsigned failedAllocation; // 1-based from the load on; 0: none
        unsigned failedRead;       // 1-based from the load on; 0: none
        bool textDefault;
        SHORT brightness;
    } cases[] = {
        {"no memory for the whole block", true, 1, 0, false, 21},
        {"whole block data unreadable", true, 0, 2, false, 21},
        // The record is the first allocation, the text block the second.
        {"no memory for the text block", false, 2, 0, true, 21},
        // After the whole block's size value and 32 fields: the text block's size, its data.
        {"text block size unreadable", false, 0, 1 + 32 + 1, true, 21},
        {"text block data unreadable", false, 0, 1 + 32 + 2, true, 21},
        {"Brightness unreadable", false, 0, 1 + 12, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestPrinter p(kKlv20);
        if (c.wholeStored) {
            PutBlock(p, kWholeBlock, AllOf(whole), 1536);
        }
        PutBlock(p, kTextBlock, Slice(&set, 0, sizeof set), 720);
        PutBlock(p, kPhotoBlock, Slice(&set, 0, sizeof set), 720);
        p.Put(TEXT("Brightness"), REG_BINARY, Le(21, 2));

        const long live = standin::LiveAllocations();
        if (c.failedAllocation != 0) {
            standin::FailAllocation(c.failedAllocation);
        }
        if (c.failedRead != 0) {
            standin::FailCall(standin::Op::GetPrinterData, c.failedRead, ERROR_INVALID_HANDLE);
        }
        PrinterSettings expected = DefaultRecord(kKlv20Case);
        expected.Brightness = c.brightness;
        expected.TextSet = WithoutReserved(set);
        expected.PhotoSet = WithoutReserved(set);
        if (c.textDefault) {
            SetDefaultNumbers(&expected.TextSet, kKlv20Case.text);
        }
        ExpectRecord(Load(p, kKlv20).get(), expected);
        EXPECT_EQ(standin::LiveAllocations(), live);
    }
}

#endif
