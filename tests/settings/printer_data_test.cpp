// The settings record in the printer's data: what a save stores, what a load takes from the whole
// block, the material blocks and the per-field values, and what damaged data, refused writes and
// a lack of memory do.
#include "settings/printer_data.h"

#include "tests/support/devmode_bytes.h"

#include "platform/posix/standin_control.h"

#include <array>
#include <tuple>

namespace {

using namespace testdm;

void ExpectLoaded(PrinterSettings* loaded, const PrinterSettings& expected) {
    ASSERT_NE(loaded, nullptr);
    ExpectSameBytes(loaded, &expected, sizeof expected);
    GlobalFree(loaded);
}

// A load from one enumeration of the printer's values, checked against a load whose enumeration
// the spooler refuses, which reads each value on its own: both ways take the same.
PrinterSettings* LoadBothWays(HANDLE h, LPCWSTR model) {
    PrinterSettings* enumerated = GetPrinterProperties(h, model);
    standin::FailCall(standin::Op::EnumPrinterDataEx, 1, ERROR_ACCESS_DENIED);
    if (enumerated != nullptr) {
        ExpectLoaded(GetPrinterProperties(h, model), *enumerated);
    }
    return enumerated;
}

// A record unlike any default, every byte unlike its neighbours, with our signature.
const PrinterSettings kDistinct = [] {
    PrinterSettings ps;
    std::memcpy(&ps, DevModeBytes(1536, 0, 0, 0, DevModeBytes::kPatterned).bytes.data(), 1536);
    ps.dwPrivData = kPriv;
    return ps;
}();

// The size value a DWORD, or 8 bytes when `announced` needs more than 32 bits.
void PutBlock(const TestPrinter& p, LPCWSTR block, const Bytes& data, uint64_t announced) {
    standin::PutData(p.name(), WString(block) + TEXT("Size"), REG_DWORD,
                     Slice(&announced, 0, announced >> 32 ? 8 : 4));
    standin::PutData(p.name(), block, REG_BINARY, data);
}

// What a set read entry by entry from its block holds: all but the reserved fields.
MaterialSet WithoutReserved(const void* block) {
    MaterialSet set;
    std::memcpy(&set, block, sizeof set);
    for (MaterialEntry& e : set.Entry) {
        e.Reserved = 0;
    }
    return set;
}

// A save stores the size values as DWORDs and every field as its own width in binary; a load takes
// the whole block as saved, reserved fields included; without it, the field values and material
// blocks together rebuild all but the reserved fields, whatever case the names were created with;
// a load of the defaults ignores the whole block. The base always follows the loading model.
TEST(PrinterDataSave, StoresEveryValueAndALoadTakesThemBack) {
    TestPrinter p(kKlv20);
    standin::PutData(p.name(), TEXT("GAMMA"), REG_BINARY, {}); // a save keeps this name
    EXPECT_EQ(SavePrinterProperties(p.handle(), &kDistinct, sizeof kDistinct), 1u);
    for (const auto& [name, size] : {std::pair{TEXT("PrinterDataSize"), DWORD{1536}},
                                     {TEXT("MaterialPhotoSetDataSize"), DWORD{720}}}) {
        standin::DataValue stored;
        EXPECT_TRUE(standin::FindData(p.name(), name, &stored));
        EXPECT_EQ(std::tie(stored.type, stored.bytes),
                  std::tuple(DWORD{REG_DWORD}, Slice(&size, 0, 4)));
    }
    PrinterSettings expected = kDistinct;
    for (const auto& [model, base] : {std::pair{kKlv20, 1016}, std::pair{kOtherModel, 1058}}) {
        expected.BaseDpi = static_cast<SHORT>(base);
        ExpectLoaded(LoadBothWays(p.handle(), model), expected);
    }
    expected.TextSet = WithoutReserved(&kDistinct.TextSet);
    expected.PhotoSet = WithoutReserved(&kDistinct.PhotoSet);
    const long live = standin::LiveAllocations();
    ExpectLoaded(DefaultPrinterProperties(p.handle(), kOtherModel), expected);
    standin::PutData(p.name(), TEXT("PrinterDataSize"), REG_DWORD, Bytes(4, 0));
    ExpectLoaded(LoadBothWays(p.handle(), kOtherModel), expected);
    // Each load gives back all it read but the record it answers.
    EXPECT_EQ(standin::LiveAllocations(), live);
}

// A block of another length than the driver writes, a data value shorter or longer than its size
// value, a size value beyond 64 KiB or wider than a DWORD and a per-field value of another width
// than its field all count as missing; a material block of up to 64 KiB gives its first entries.
TEST(PrinterDataLoad, DamagedValuesCountAsMissing) {
    const LPCWSTR W = TEXT("PrinterData"), T = TEXT("MaterialSetData");
    const LPCWSTR G = TEXT("Gamma"), C = TEXT("CmpMode");
    const std::tuple<LPCWSTR, DWORD, uint64_t> cases[] = {
        // value, its length, the size value stored before it (0: none; above 32 bits: 8 bytes)
        {W, 1000, 1000},   {W, 1000, 1536},       {W, 1536, 0},      {T, 500, 500}, {T, 1440, 720},
        {T, 65537, 65537}, {T, 720, 0x1000002D0}, {T, 65536, 65536}, {G, 1, 0},     {C, 8, 0},
    };
    for (const auto& [name, length, announced] : cases) {
        TestPrinter p(kKlv20);
        Bytes bytes = Slice(&kDistinct, 0, length < 1536 ? length : 1536);
        bytes.resize(length, 0x44);
        if (announced != 0) {
            PutBlock(p, name, bytes, announced);
        } else {
            standin::PutData(p.name(), name, REG_BINARY, bytes);
        }
        PrinterSettings expected = Defaults(kKlv20).ps;
        if (length == 65536) {
            expected.TextSet = WithoutReserved(&kDistinct);
        }
        SCOPED_TRACE(length);
        ExpectLoaded(LoadBothWays(p.handle(), kKlv20), expected);
    }
}

// A refused write is skipped and the sequence goes on; a refused size value keeps its block's
// data value from being written; only the whole block's refusals show in the answer. Writes in
// stored order: 33 fields, the text block's size and data (34, 35), the photo block's, 7 fields,
// the whole block's size and data (45, 46).
TEST(PrinterDataSave, ARefusedWriteIsSkippedAndTheSequenceGoesOn) {
    for (const auto& [refused, answer] :
         {std::pair{1u, 1u}, {34u, 1u}, {35u, 1u}, {45u, 0u}, {46u, 0u}}) {
        TestPrinter p(kKlv20);
        PutBlock(p, TEXT("MaterialSetData"), Bytes(720, 0x42), 720);
        standin::FailCall(standin::Op::SetPrinterData, refused, ERROR_ACCESS_DENIED);
        EXPECT_EQ(SavePrinterProperties(p.handle(), &kDistinct, 1536), answer) << refused;
        standin::DataValue text, width;
        ASSERT_TRUE(standin::FindData(p.name(), TEXT("MaterialSetData"), &text));
        EXPECT_EQ(text.bytes, refused == 34 || refused == 35 ? Bytes(720, 0x42)
                                                             : Slice(&kDistinct.TextSet, 0, 720));
        EXPECT_EQ(standin::FindData(p.name(), TEXT("UserDefinedX"), &width), refused != 1);
    }
}

// A block or value that cannot be had, for want of memory or because it cannot be read, is
// missing: the load goes on without it and frees what it took. The faults hit the reads of a
// spooler that cannot enumerate the printer's values, the way that reads each value alone.
TEST(PrinterDataMemory, AValueThatCannotBeHadCountsAsMissing) {
    const SHORT brightness = 21;
    const std::array<unsigned, 5> cases[] = {
        // whole block stored; failed allocation and read, 1-based from the load on (0: none);
        // the text set falls back to its defaults; the Brightness loaded. In turn: no memory
        // for the whole block; its data value unreadable; no memory for the text block; a read
        // failing after the whole block's size value and 32 fields; Brightness unreadable.
        {1, 1, 0, 0, 21}, {1, 0, 2, 0, 21}, {0, 2, 0, 1, 21}, {0, 0, 34, 1, 21}, {0, 0, 13, 0, 0},
    };
    for (const auto& [wholeStored, failedAllocation, failedRead, textDefault, loaded] : cases) {
        TestPrinter p(kKlv20);
        if (wholeStored) {
            PutBlock(p, TEXT("PrinterData"), Slice(&kDistinct, 0, 1536), 1536);
        }
        PutBlock(p, TEXT("MaterialSetData"), Slice(&kDistinct.PhotoSet, 0, 720), 720);
        PutBlock(p, TEXT("MaterialPhotoSetData"), Slice(&kDistinct.PhotoSet, 0, 720), 720);
        standin::PutData(p.name(), TEXT("Brightness"), REG_BINARY, Slice(&brightness, 0, 2));
        const long live = standin::LiveAllocations();
        standin::FailAllocation(failedAllocation);
        standin::FailCall(standin::Op::EnumPrinterDataEx, 1, ERROR_ACCESS_DENIED);
        standin::FailCall(standin::Op::GetPrinterData, failedRead, ERROR_INVALID_HANDLE);
        PrinterSettings expected = Defaults(kKlv20).ps;
        expected.Brightness = SHORT(loaded);
        expected.PhotoSet = WithoutReserved(&kDistinct.PhotoSet);
        expected.TextSet = textDefault ? expected.TextSet : expected.PhotoSet;
        SCOPED_TRACE(std::to_string(failedAllocation) + "/" + std::to_string(failedRead));
        ExpectLoaded(GetPrinterProperties(p.handle(), kKlv20), expected);
        EXPECT_EQ(standin::LiveAllocations(), live);
    }
}

// One enumeration answers a load, asked for its size first; values that grew between the two
// calls (the second asks for more again) are asked for again, three times at most; then each
// value is read alone.
TEST(PrinterDataLoad, OneEnumerationAnswersALoad) {
    TestPrinter p(kKlv20);
    ASSERT_EQ(SavePrinterProperties(p.handle(), &kDistinct, sizeof kDistinct), 1u);
    PrinterSettings expected = kDistinct;
    expected.BaseDpi = 1016;
    for (const auto& [grown, enumerations, alone] :
         {std::tuple{0u, 2u, false}, {1u, 3u, false}, {3u, 4u, true}}) {
        standin::ResetCounts();
        standin::FailCall(standin::Op::EnumPrinterDataEx, grown ? 2 : 0, ERROR_MORE_DATA, grown);
        ExpectLoaded(GetPrinterProperties(p.handle(), kKlv20), expected);
        EXPECT_EQ(standin::CallCount(standin::Op::EnumPrinterDataEx), enumerations);
        EXPECT_EQ(standin::CallCount(standin::Op::GetPrinterData) != 0, alone) << grown;
    }
}

} // namespace
