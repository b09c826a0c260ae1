// The settings record in the printer's data: what a save stores, what a load takes from the whole
// block, the material blocks and the per-field values, and what damaged data, refused writes and
// a lack of memory do.
#include <windows.h>
#include <winspool.h>

#include "settings/printer_data.h"
#include "tests/support/devmode_bytes.h"
#include "tests/support/test_printer.h"

#ifndef _WIN32
#include "platform/posix/standin_control.h"
#endif

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>

namespace {

using namespace testdm;

struct GlobalDeleter {
    void operator()(PrinterSettings* ps) const { GlobalFree(ps); }
};
using Loaded = std::unique_ptr<PrinterSettings, GlobalDeleter>;

Loaded Load(const TestPrinter& p, LPCWSTR model) {
    return Loaded(GetPrinterProperties(p.handle(), model));
}

void ExpectRecord(const PrinterSettings* actual, const PrinterSettings& expected) {
    ASSERT_NE(actual, nullptr);
    ExpectSameBytes(actual, &expected, sizeof expected);
}

Bytes Le(DWORD value, size_t size) {
    return Slice(&value, 0, size);
}

void PutBlock(const TestPrinter& p, LPCWSTR block, const Bytes& data, DWORD announced) {
    p.PutDword((std::basic_string<WCHAR>(block) + TEXT("Size")).c_str(), announced);
    p.Put(block, REG_BINARY, data);
}

// What a set read entry by entry from its block holds: all but the reserved fields.
MaterialSet WithoutReserved(MaterialSet set) {
    for (MaterialEntry& e : set.Entry) {
        e.Reserved = 0;
    }
    return set;
}

TEST(PrinterDataLoad, NothingStoredGivesTheDefaultRecordOfTheModel) {
    for (LPCWSTR model : {kKlv20, kOtherModel}) {
        TestPrinter p(model);
        ExpectRecord(Load(p, model).get(), Defaults(model).ps);
        ExpectRecord(Loaded(DefaultPrinterProperties(p.handle(), model)).get(), Defaults(model).ps);
    }
}

// A save stores the whole block, the two material blocks (each after its size value) and every
// field with its own width. A load takes the whole block as saved, reserved fields included;
// without it, the field values and material blocks together rebuild all but the reserved fields.
// The base always follows the loading model.
TEST(PrinterDataSave, StoresEveryValueAndALoadTakesThemBack) {
    TestPrinter p(kKlv20);
    PrinterSettings saved = DistinctRecord();
    saved.BaseDpi = 1058;
    EXPECT_EQ(SavePrinterProperties(p.handle(), &saved, sizeof saved), 1u);
    const std::tuple<LPCWSTR, DWORD, Bytes> values[] = {
        {TEXT("PrinterDataSize"), REG_DWORD, Le(1536, 4)},
        {TEXT("PrinterData"), REG_BINARY, Slice(&saved, 0, 1536)},
        {TEXT("MaterialSetDataSize"), REG_DWORD, Le(720, 4)},
        {TEXT("MaterialSetData"), REG_BINARY, Slice(&saved.TextSet, 0, 720)},
        {TEXT("MaterialPhotoSetData"), REG_BINARY, Slice(&saved.PhotoSet, 0, 720)},
        {TEXT("Gamma"), REG_BINARY, Slice(&saved.Gamma, 0, 2)},
        {TEXT("CmpMode"), REG_BINARY, Slice(&saved.CmpMode, 0, 1)},
        {TEXT("Right"), REG_BINARY, Slice(&saved.Right, 0, 4)},
        {TEXT("BaseDpi"), REG_BINARY, Slice(&saved.BaseDpi, 0, 2)},
        {TEXT("wOutFlags"), REG_BINARY, Slice(&saved.wOutFlags, 0, 4)},
    };
    for (const auto& [name, type, bytes] : values) {
        DWORD storedType = 0;
        Bytes stored;
        ASSERT_TRUE(p.Get(name, &storedType, &stored));
        EXPECT_EQ(storedType, type);
        EXPECT_EQ(stored, bytes);
    }
    PrinterSettings expected = saved;
    for (const auto& [model, base] : {std::pair{kKlv20, 1016}, std::pair{kOtherModel, 1058}}) {
        expected.BaseDpi = static_cast<SHORT>(base);
        ExpectRecord(Load(p, model).get(), expected);
    }
    p.PutDword(TEXT("PrinterDataSize"), 0);
    expected.TextSet = WithoutReserved(saved.TextSet);
    expected.PhotoSet = WithoutReserved(saved.PhotoSet);
    ExpectRecord(Load(p, kOtherModel).get(), expected);
}

// A block of another length than the driver writes, a data value shorter or longer than its size
// value, and a per-field value of another width than its field all count as missing.
TEST(PrinterDataLoad, DamagedValuesCountAsMissing) {
    const PrinterSettings record = DistinctRecord();
    const Bytes whole = Slice(&record, 0, 1536);
    const Bytes set = Slice(&record.TextSet, 0, 720);
    const auto head = [](const Bytes& b, size_t n) { return Bytes(b.begin(), b.begin() + n); };
    Bytes longWhole = whole;
    longWhole.resize(2000, 0x33);
    Bytes longSet = set;
    longSet.resize(1440, 0x44);
    const std::tuple<LPCWSTR, Bytes, DWORD> cases[] = {
        // size value 0: none stored
        {TEXT("PrinterData"), head(whole, 1000), 1000},
        {TEXT("PrinterData"), head(whole, 1000), 1536},
        {TEXT("PrinterData"), longWhole, 2000},
        {TEXT("PrinterData"), whole, 0},
        {TEXT("MaterialSetData"), head(set, 500), 500},
        {TEXT("MaterialSetData"), longSet, 720},
        {TEXT("MaterialSetData"), set, 0x7FFFFFFF},
        {TEXT("MaterialPhotoSetData"), head(set, 600), 720},
        {TEXT("Gamma"), {0x10}, 0},
        {TEXT("CmpMode"), {2, 0}, 0},
        {TEXT("Rear"), {3, 0, 0, 0, 0, 0, 0, 0}, 0},
    };
    for (const auto& [name, bytes, announced] : cases) {
        SCOPED_TRACE(bytes.size());
        TestPrinter p(kKlv20);
        if (announced != 0) {
            PutBlock(p, name, bytes, announced);
        } else {
            p.Put(name, REG_BINARY, bytes);
        }
        ExpectRecord(Load(p, kKlv20).get(), Defaults(kKlv20).ps);
    }
}

#ifndef _WIN32

// A refused write is skipped and the sequence goes on; a refused size value keeps its block's
// data value from being written; only the whole block's refusals show in the answer.
TEST(PrinterDataSave, ARefusedWriteIsSkippedAndTheSequenceGoesOn) {
    // The refused write's 1-based number, the answer, the writes tried.
    const std::tuple<unsigned, DWORD, size_t> cases[] = {
        {1, 1, 46}, {34, 1, 45}, {35, 1, 46}, {45, 0, 45}, {46, 0, 46}};
    const PrinterSettings saved = DistinctRecord();
    for (const auto& [refused, answer, writes] : cases) {
        SCOPED_TRACE(refused);
        TestPrinter p(kKlv20);
        PutBlock(p, TEXT("MaterialSetData"), Bytes(720, 0x42), 720);
        const size_t before = standin::DataWrites().size();
        standin::FailCall(standin::Op::SetPrinterData, refused, ERROR_ACCESS_DENIED);
        EXPECT_EQ(SavePrinterProperties(p.handle(), &saved, 1536), answer);
        EXPECT_EQ(standin::DataWrites().size() - before, writes);
        EXPECT_EQ(standin::DataWrites().back().result,
                  refused >= 45 ? DWORD{ERROR_ACCESS_DENIED} : DWORD{ERROR_SUCCESS});
        standin::DataValue text;
        ASSERT_TRUE(standin::FindData(p.name(), TEXT("MaterialSetData"), &text));
        EXPECT_EQ(text.bytes, refused == 34 || refused == 35 ? Bytes(720, 0x42)
                                                             : Slice(&saved.TextSet, 0, 720));
    }
}

// A block or value that cannot be had, for want of memory or because it cannot be read, is
// missing: the load goes on without it and frees what it took.
TEST(PrinterDataMemory, AValueThatCannotBeHadCountsAsMissing) {
    const PrinterSettings record = DistinctRecord();
    // Whole block stored; the failed allocation and read, 1-based from the load on (0: none);
    // whether the text set falls back to its defaults; the Brightness loaded.
    const std::tuple<bool, unsigned, unsigned, bool, SHORT> cases[] = {
        {true, 1, 0, false, 21},          // no memory for the whole block
        {true, 0, 2, false, 21},          // its data value unreadable
        {false, 2, 0, true, 21},          // the record first, then the text block
        {false, 0, 1 + 32 + 1, true, 21}, // after the whole block's size value and 32 fields
        {false, 0, 1 + 12, false, 0},     // Brightness
    };
    for (const auto& [wholeStored, failedAllocation, failedRead, textDefault, brightness] : cases) {
        SCOPED_TRACE(std::to_string(failedAllocation) + "/" + std::to_string(failedRead));
        TestPrinter p(kKlv20);
        if (wholeStored) {
            PutBlock(p, TEXT("PrinterData"), Slice(&record, 0, 1536), 1536);
        }
        PutBlock(p, TEXT("MaterialSetData"), Slice(&record.PhotoSet, 0, 720), 720);
        PutBlock(p, TEXT("MaterialPhotoSetData"), Slice(&record.PhotoSet, 0, 720), 720);
        p.Put(TEXT("Brightness"), REG_BINARY, Le(21, 2));
        const long live = standin::LiveAllocations();
        standin::FailAllocation(failedAllocation);
        standin::FailCall(standin::Op::GetPrinterData, failedRead, ERROR_INVALID_HANDLE);
        PrinterSettings expected = Defaults(kKlv20).ps;
        expected.Brightness = brightness;
        expected.PhotoSet = WithoutReserved(record.PhotoSet);
        if (!textDefault) {
            expected.TextSet = expected.PhotoSet;
        }
        ExpectRecord(Load(p, kKlv20).get(), expected);
        EXPECT_EQ(standin::LiveAllocations(), live);
    }
}

#endif

} // namespace
