#include "settings/printer_data.h"

#include <cstdint>
#include <cstring>

const PrinterRegInfo printerRegInfo[3] = {
    {TEXT("PrinterDataSize"), TEXT("PrinterData"), 0, sizeof(PrinterSettings)},
    {TEXT("MaterialSetDataSize"), TEXT("MaterialSetData"), offsetof(PrinterSettings, TextSet),
     sizeof(MaterialSet)},
    {TEXT("MaterialPhotoSetDataSize"), TEXT("MaterialPhotoSetData"),
     offsetof(PrinterSettings, PhotoSet), sizeof(MaterialSet)},
};

namespace {

// The printer's values in the order a save writes them and a load reads them: runs of fields of
// kSettingsFields, the base resolution (written, never read back: the model decides it) and the
// two material blocks. The whole-record block comes last on save and first on load.
struct StoredRun {
    enum Kind : BYTE { kFields, kModelDpi, kMaterialBlock } kind;
    int first; // a field index of kSettingsFields, or the block index of printerRegInfo
    int end;   // one past the last field of a run of fields
};

constexpr StoredRun kStoredOrder[] = {
    {StoredRun::kFields, 0, 30},    // "UserDefinedX" .. "Right"
    {StoredRun::kModelDpi, 30, 31}, // "BaseDpi"
    {StoredRun::kFields, 31, 33},   // "CorrectSlope", "Dummy1"
    {StoredRun::kMaterialBlock, kTextSetBlock, 0},
    {StoredRun::kMaterialBlock, kPhotoSetBlock, 0},
    {StoredRun::kFields, 33, kSettingsFieldCount}, // "ImpactPattern" .. "wOutFlags"
};

// No block this driver writes comes near this; a size value beyond it is damaged data, and
// taking it at its word would have us allocate whatever it claims.
constexpr DWORD kLargestBlock = 64 * 1024;

LPWSTR ValueName(LPCWSTR name) {
    return const_cast<LPWSTR>(name);
}

// Where a load finds the printer's values: in one enumeration of the key that holds them, or,
// when the spooler gave no such answer, one GetPrinterDataW call per value. Both give each
// value's bytes by the same rules, so what a load takes does not depend on the way it read.
struct StoredValues {
    HANDLE printer;
    const BYTE* answer; // the enumeration's buffer; null: read each value from the spooler
    DWORD bytes;        // the buffer's length
    DWORD count;        // the entries at its start
};

// The key GetPrinterDataW and SetPrinterDataW read and write.
constexpr WCHAR kDriverDataKey[] = TEXT("PrinterDriverData");

// The answer of a key without values.
const BYTE kNoValues = 0;

// The value names the driver stores are ASCII, and the registry compares names without case.
// The answer packs names behind data of any length, so a name's characters are read bytewise.
bool SameValueName(const BYTE* stored, DWORD storedChars, LPCWSTR wanted) {
    auto fold = [](WCHAR c) { return c >= 'A' && c <= 'Z' ? WCHAR(c - 'A' + 'a') : c; };
    for (DWORD i = 0;; ++i) {
        WCHAR c = 0;
        if (i < storedChars) {
            std::memcpy(&c, stored + i * sizeof c, sizeof c);
        }
        if (fold(c) != fold(wanted[i])) {
            return false;
        }
        if (c == 0) {
            return true;
        }
    }
}

bool InAnswer(const StoredValues& from, const BYTE* at, DWORD length) {
    const auto start = reinterpret_cast<uintptr_t>(from.answer);
    const auto where = reinterpret_cast<uintptr_t>(at);
    return where >= start && where - start <= from.bytes && length <= from.bytes - (where - start);
}

// The entry of that name in the answer; an entry whose name or data would lie outside the
// answer is not taken at its word.
bool FindInAnswer(const StoredValues& from, LPCWSTR name, PRINTER_ENUM_VALUESW* found) {
    for (DWORD i = 0; i < from.count; ++i) {
        std::memcpy(found, from.answer + i * sizeof *found, sizeof *found);
        const auto* foundName = reinterpret_cast<const BYTE*>(found->pValueName);
        if (InAnswer(from, foundName, found->cbValueName) &&
            InAnswer(from, found->pData, found->cbData) &&
            SameValueName(foundName, found->cbValueName / sizeof(WCHAR), name)) {
            return true;
        }
    }
    return false;
}

// One value into `size` bytes, answered as GetPrinterDataW answers: 2 when missing, 234 when
// longer than the buffer; the length stored through `stored` in both found cases.
DWORD ReadStoredValue(const StoredValues& from, LPCWSTR name, void* data, DWORD size,
                      LPDWORD stored) {
    if (from.answer == nullptr) {
        DWORD type = 0;
        return GetPrinterDataW(from.printer, ValueName(name), &type, static_cast<LPBYTE>(data),
                               size, stored);
    }
    PRINTER_ENUM_VALUESW found;
    if (!FindInAnswer(from, name, &found)) {
        return ERROR_FILE_NOT_FOUND;
    }
    *stored = found.cbData;
    if (found.cbData > size) {
        return ERROR_MORE_DATA;
    }
    if (found.cbData != 0) {
        std::memcpy(data, found.pData, found.cbData);
    }
    return ERROR_SUCCESS;
}

// The whole key in one answer, sized by asking first; a key that grew between the two calls is
// asked again. Without an answer (the spooler refused, or no memory) each value is read alone.
StoredValues EnumerateStoredValues(HANDLE hPrinter) {
    StoredValues none{hPrinter, nullptr, 0, 0};
    DWORD needed = 0;
    DWORD count = 0;
    DWORD result = EnumPrinterDataExW(hPrinter, kDriverDataKey, nullptr, 0, &needed, &count);
    for (int attempt = 0; attempt < 3 && result == ERROR_MORE_DATA; ++attempt) {
        auto* answer = static_cast<LPBYTE>(GlobalAlloc(GMEM_FIXED, needed));
        if (answer == nullptr) {
            return none;
        }
        const DWORD bytes = needed;
        result = EnumPrinterDataExW(hPrinter, kDriverDataKey, answer, bytes, &needed, &count);
        if (result == ERROR_SUCCESS && count <= bytes / sizeof(PRINTER_ENUM_VALUESW)) {
            return StoredValues{hPrinter, answer, bytes, count};
        }
        GlobalFree(answer);
    }
    // A key without values answers at once, with nothing; a printer that never had a value
    // stored may have no key at all (Wine's spooler makes it with the first value), and every
    // read of a value would answer that it is missing.
    const bool nothingStored = result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
    return nothingStored ? StoredValues{hPrinter, &kNoValues, 0, 0} : none;
}

void ReleaseStoredValues(const StoredValues& from) {
    if (from.answer != &kNoValues) {
        GlobalFree(const_cast<BYTE*>(from.answer));
    }
}

// Reads a value into a field of exactly `size` bytes. A missing value, a failed read and a value
// of another length all leave the field to its default: a shorter value would fill the field
// only in part.
bool ReadFieldValue(const StoredValues& from, LPCWSTR name, void* field, DWORD size) {
    BYTE bytes[4];
    DWORD stored = 0;
    if (ReadStoredValue(from, name, bytes, size, &stored) != ERROR_SUCCESS || stored != size) {
        return false;
    }
    std::memcpy(field, bytes, size);
    return true;
}

template <typename Field>
void LoadFieldValue(const StoredValues& from, Field* field, LPCWSTR name, Field defaultValue) {
    if (!ReadFieldValue(from, name, field, sizeof *field)) {
        *field = defaultValue;
    }
}

void WriteFieldValue(HANDLE hPrinter, LPCWSTR name, const void* field, DWORD size) {
    SetPrinterDataW(hPrinter, ValueName(name), REG_BINARY,
                    static_cast<LPBYTE>(const_cast<void*>(field)), size);
}

BYTE* FieldAt(PrinterSettings* ps, const SettingsField& field) {
    return reinterpret_cast<BYTE*>(ps) + field.offset;
}

const BYTE* FieldAt(const PrinterSettings* ps, const SettingsField& field) {
    return reinterpret_cast<const BYTE*>(ps) + field.offset;
}

void LoadField(const StoredValues& from, PrinterSettings* ps, const SettingsField& field) {
    BYTE* at = FieldAt(ps, field);
    switch (field.size) {
    case 1:
        LoadFieldValue(from, at, field.name, static_cast<BYTE>(field.defaultValue));
        break;
    case 2:
        LoadFieldValue(from, reinterpret_cast<SHORT*>(at), field.name,
                       static_cast<SHORT>(field.defaultValue));
        break;
    default:
        LoadFieldValue(from, reinterpret_cast<DWORD*>(at), field.name,
                       static_cast<DWORD>(field.defaultValue));
        break;
    }
}

void SaveField(HANDLE hPrinter, const PrinterSettings* ps, const SettingsField& field) {
    const BYTE* at = FieldAt(ps, field);
    switch (field.size) {
    case 1:
        SaveByteParams(hPrinter, at, field.name);
        break;
    case 2:
        SaveShortParams(hPrinter, reinterpret_cast<const SHORT*>(at), field.name);
        break;
    default:
        SaveLongParams(hPrinter, reinterpret_cast<const DWORD*>(at), field.name);
        break;
    }
}

LPBYTE ReadBlock(const StoredValues& from, LPDWORD pcbSize, int index) {
    const PrinterRegInfo& info = printerRegInfo[index];
    DWORD size = 0;
    DWORD needed = 0;
    if (ReadStoredValue(from, info.sizeName, &size, sizeof size, &needed) != ERROR_SUCCESS ||
        size == 0) {
        return nullptr;
    }
    // A block too short for what it must hold would leave part of its content undefined, and
    // this driver never writes one of another length: either counts as missing.
    if (size < info.size || size > kLargestBlock ||
        (index == kWholeRecordBlock && size != info.size)) {
        return nullptr;
    }
    auto data = static_cast<LPBYTE>(GlobalAlloc(GMEM_FIXED, size));
    if (data == nullptr) {
        return nullptr;
    }
    // A data value shorter than its size value says is as damaged as a short size value.
    if (ReadStoredValue(from, info.dataName, data, size, &needed) != ERROR_SUCCESS ||
        needed != size) {
        GlobalFree(data);
        return nullptr;
    }
    if (pcbSize != nullptr) {
        *pcbSize = size;
    }
    return data;
}

// A material set from its stored block, entry by entry: name, impact minimum, impact maximum and
// speed; the reserved field keeps 0. Without a usable block the set takes its defaults.
void LoadMaterialSet(const StoredValues& from, PrinterSettings* ps, int index) {
    const bool photo = index == kPhotoSetBlock;
    MaterialSet* set = photo ? &ps->PhotoSet : &ps->TextSet;
    DWORD size = 0;
    LPBYTE block = ReadBlock(from, &size, index);
    if (block == nullptr) {
        SetDefaultMaterialSet(set, photo, ps->BaseDpi);
        return;
    }
    for (int i = 0; i < kMaterialCount; ++i) {
        MaterialEntry stored;
        std::memcpy(&stored, block + i * sizeof(MaterialEntry), sizeof stored);
        MaterialEntry& e = set->Entry[i];
        std::memcpy(e.Name, stored.Name, sizeof e.Name);
        e.ImpactMin = stored.ImpactMin;
        e.ImpactMax = stored.ImpactMax;
        e.Speed = stored.Speed;
    }
    GlobalFree(block);
}

void SaveMaterialSet(HANDLE hPrinter, const BYTE* record, int index) {
    const PrinterRegInfo& info = printerRegInfo[index];
    SavePrinterDataToRegistry(hPrinter, record + info.offset, info.size, index);
}

// A record from the per-field values and material blocks, with defaults for what is missing.
PrinterSettings* BuildFromValues(const StoredValues& from, LPCWSTR modelName) {
    auto* ps = static_cast<PrinterSettings*>(GlobalAlloc(GMEM_FIXED, sizeof(PrinterSettings)));
    if (ps == nullptr) {
        return nullptr;
    }
    std::memset(ps, 0, sizeof *ps);
    for (const StoredRun& run : kStoredOrder) {
        switch (run.kind) {
        case StoredRun::kFields:
            for (int i = run.first; i < run.end; ++i) {
                LoadField(from, ps, kSettingsFields[i]);
            }
            break;
        case StoredRun::kModelDpi:
            ps->BaseDpi = BaseDpiForModel(modelName);
            break;
        case StoredRun::kMaterialBlock:
            LoadMaterialSet(from, ps, run.first);
            break;
        }
    }
    return ps;
}

} // namespace

void DefaultShortParams(HANDLE hPrinter, SHORT* field, LPCWSTR name, SHORT defaultValue) {
    LoadFieldValue(StoredValues{hPrinter, nullptr, 0, 0}, field, name, defaultValue);
}

void DefaultByteParams(HANDLE hPrinter, BYTE* field, LPCWSTR name, BYTE defaultValue) {
    LoadFieldValue(StoredValues{hPrinter, nullptr, 0, 0}, field, name, defaultValue);
}

void DefaultLongParams(HANDLE hPrinter, DWORD* field, LPCWSTR name, DWORD defaultValue) {
    LoadFieldValue(StoredValues{hPrinter, nullptr, 0, 0}, field, name, defaultValue);
}

LPBYTE GetPrinterDataFromRegistry(HANDLE hPrinter, LPDWORD pcbSize, int index) {
    return ReadBlock(StoredValues{hPrinter, nullptr, 0, 0}, pcbSize, index);
}

PrinterSettings* DefaultPrinterProperties(HANDLE hPrinter, LPCWSTR modelName) {
    const StoredValues stored = EnumerateStoredValues(hPrinter);
    PrinterSettings* ps = BuildFromValues(stored, modelName);
    ReleaseStoredValues(stored);
    return ps;
}

PrinterSettings* GetPrinterProperties(HANDLE hPrinter, LPCWSTR modelName) {
    const StoredValues stored = EnumerateStoredValues(hPrinter);
    auto* ps = reinterpret_cast<PrinterSettings*>(ReadBlock(stored, nullptr, kWholeRecordBlock));
    if (ps != nullptr) {
        ps->BaseDpi = BaseDpiForModel(modelName);
    } else {
        ps = BuildFromValues(stored, modelName);
    }
    ReleaseStoredValues(stored);
    return ps;
}

void SaveShortParams(HANDLE hPrinter, const SHORT* field, LPCWSTR name) {
    WriteFieldValue(hPrinter, name, field, sizeof *field);
}

void SaveByteParams(HANDLE hPrinter, const BYTE* field, LPCWSTR name) {
    WriteFieldValue(hPrinter, name, field, sizeof *field);
}

void SaveLongParams(HANDLE hPrinter, const DWORD* field, LPCWSTR name) {
    WriteFieldValue(hPrinter, name, field, sizeof *field);
}

DWORD SavePrinterDataToRegistry(HANDLE hPrinter, const BYTE* data, DWORD size, int index) {
    const PrinterRegInfo& info = printerRegInfo[index];
    if (SetPrinterDataW(hPrinter, ValueName(info.sizeName), REG_DWORD,
                        reinterpret_cast<LPBYTE>(&size), sizeof size) != ERROR_SUCCESS) {
        return 0;
    }
    return SetPrinterDataW(hPrinter, ValueName(info.dataName), REG_BINARY, const_cast<LPBYTE>(data),
                           size) == ERROR_SUCCESS
               ? 1
               : 0;
}

DWORD SavePrinterProperties(HANDLE hPrinter, const PrinterSettings* ps, DWORD size) {
    const auto* record = reinterpret_cast<const BYTE*>(ps);
    for (const StoredRun& run : kStoredOrder) {
        if (run.kind == StoredRun::kMaterialBlock) {
            SaveMaterialSet(hPrinter, record, run.first);
            continue;
        }
        for (int i = run.first; i < run.end; ++i) {
            SaveField(hPrinter, ps, kSettingsFields[i]);
        }
    }
    return SavePrinterDataToRegistry(hPrinter, record, size, kWholeRecordBlock);
}
