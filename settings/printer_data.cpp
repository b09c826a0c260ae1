#include "settings/printer_data.h"

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

// Reads a value into a field of exactly `size` bytes. A missing value, a failed read and a value
// of another length all leave the field to its default: a shorter value would fill the field
// only in part.
bool ReadFieldValue(HANDLE hPrinter, LPCWSTR name, void* field, DWORD size) {
    BYTE bytes[4];
    DWORD type = 0;
    DWORD stored = 0;
    if (GetPrinterDataW(hPrinter, ValueName(name), &type, bytes, size, &stored) != ERROR_SUCCESS ||
        stored != size) {
        return false;
    }
    std::memcpy(field, bytes, size);
    return true;
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

void LoadField(HANDLE hPrinter, PrinterSettings* ps, const SettingsField& field) {
    BYTE* at = FieldAt(ps, field);
    switch (field.size) {
    case 1:
        DefaultByteParams(hPrinter, at, field.name, static_cast<BYTE>(field.defaultValue));
        break;
    case 2:
        DefaultShortParams(hPrinter, reinterpret_cast<SHORT*>(at), field.name,
                           static_cast<SHORT>(field.defaultValue));
        break;
    default:
        DefaultLongParams(hPrinter, reinterpret_cast<DWORD*>(at), field.name,
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

// A material set from its stored block, entry by entry: name, impact minimum, impact maximum and
// speed; the reserved field keeps 0. Without a usable block the set takes its defaults.
void LoadMaterialSet(HANDLE hPrinter, PrinterSettings* ps, int index) {
    const bool photo = index == kPhotoSetBlock;
    MaterialSet* set = photo ? &ps->PhotoSet : &ps->TextSet;
    DWORD size = 0;
    LPBYTE block = GetPrinterDataFromRegistry(hPrinter, &size, index);
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

} // namespace

void DefaultShortParams(HANDLE hPrinter, SHORT* field, LPCWSTR name, SHORT defaultValue) {
    if (!ReadFieldValue(hPrinter, name, field, sizeof *field)) {
        *field = defaultValue;
    }
}

void DefaultByteParams(HANDLE hPrinter, BYTE* field, LPCWSTR name, BYTE defaultValue) {
    if (!ReadFieldValue(hPrinter, name, field, sizeof *field)) {
        *field = defaultValue;
    }
}

void DefaultLongParams(HANDLE hPrinter, DWORD* field, LPCWSTR name, DWORD defaultValue) {
    if (!ReadFieldValue(hPrinter, name, field, sizeof *field)) {
        *field = defaultValue;
    }
}

LPBYTE GetPrinterDataFromRegistry(HANDLE hPrinter, LPDWORD pcbSize, int index) {
    const PrinterRegInfo& info = printerRegInfo[index];
    DWORD size = 0;
    DWORD type = 0;
    DWORD needed = 0;
    if (GetPrinterDataW(hPrinter, ValueName(info.sizeName), &type, reinterpret_cast<LPBYTE>(&size),
                        sizeof size, &needed) != ERROR_SUCCESS ||
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
    if (GetPrinterDataW(hPrinter, ValueName(info.dataName), &type, data, size, &needed) !=
            ERROR_SUCCESS ||
        needed != size) {
        GlobalFree(data);
        return nullptr;
    }
    if (pcbSize != nullptr) {
        *pcbSize = size;
    }
    return data;
}

PrinterSettings* DefaultPrinterProperties(HANDLE hPrinter, LPCWSTR modelName) {
    auto* ps = static_cast<PrinterSettings*>(GlobalAlloc(GMEM_FIXED, sizeof(PrinterSettings)));
    if (ps == nullptr) {
        return nullptr;
    }
    std::memset(ps, 0, sizeof *ps);
    for (const StoredRun& run : kStoredOrder) {
        switch (run.kind) {
        case StoredRun::kFields:
            for (int i = run.first; i < run.end; ++i) {
                LoadField(hPrinter, ps, kSettingsFields[i]);
            }
            break;
        case StoredRun::kModelDpi:
            ps->BaseDpi = BaseDpiForModel(modelName);
            break;
        case StoredRun::kMaterialBlock:
            LoadMaterialSet(hPrinter, ps, run.first);
            break;
        }
    }
    return ps;
}

PrinterSettings* GetPrinterProperties(HANDLE hPrinter, LPCWSTR modelName) {
    auto* ps = reinterpret_cast<PrinterSettings*>(
        GetPrinterDataFromRegistry(hPrinter, nullptr, kWholeRecordBlock));
    if (ps == nullptr) {
        return DefaultPrinterProperties(hPrinter, modelName);
    }
    ps->BaseDpi = BaseDpiForModel(modelName);
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
