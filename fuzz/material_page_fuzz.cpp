// Runs an arbitrary 1536-byte settings record through the Material page's initialisation and its
// work view, then one typed and spun length. The input is the record, the view area's four
// corners, a field selector and up to 9 typed characters.
#include "fuzz/fuzz_input.h"
#include "pages/material/material_model.h"
#include "pages/material/work_view_geometry.h"
#include "resources/resource.h"
#include "ui/numeric_field.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The record changes and list texts of the page's initialisation.
void Initialise(PrinterSettings* ps) {
    ApplyOffsetRules(ps);
    for (LONG divisor = kFirstFrameIdx; divisor <= kLastFrameIdx; ++divisor) {
        WCHAR entry[kResolutionChars];
        FormatResolutionEntry(entry, ps->BaseDpi, divisor);
    }
    ps->FrameDpiIdx = static_cast<SHORT>(SelectedFrameIdx(ps->FrameDpiIdx));
    Check(ps->FrameDpiIdx >= kFirstFrameIdx && ps->FrameDpiIdx <= kLastFrameIdx);
}

// Every dot lies inside the work rectangle.
void CheckMark(void* view, LONG x, LONG y) {
    const ViewBox& work = static_cast<const WorkView*>(view)->work;
    Check(x >= work.left && x < work.right && y >= work.top && y < work.bottom);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    PrinterSettings ps;
    input.Take(&ps, sizeof ps);
    Initialise(&ps);

    // Corners within a page larger than any the sheet shows.
    LONG corners[4];
    for (LONG& corner : corners) {
        corner = input.TakeValue<int16_t>() % 1024;
    }
    WorkView view = ComputeWorkView({corners[0], corners[1], corners[2], corners[3]}, ps);
    ForEachMark(view, CheckMark, &view);

    static const int kFields[] = {IDC_WIDTH_EDIT, IDC_LENGTH_EDIT, IDC_OFFSET_X_EDIT,
                                  IDC_OFFSET_Y_EDIT};
    const int field = kFields[input.TakeValue<uint8_t>() % 4];
    WCHAR text[kParseChars + 1] = {};
    input.Take(text, kParseChars * sizeof(WCHAR));
    TakeOverLength(&ps, field, text);
    SpinLength(&ps, field, text, field % 2);
    if (IsWorkSizeField(field)) {
        const SHORT size = *LengthOfField(&ps, field);
        Check(size >= kMinWorkSize && size <= kExtendedLimit);
    }
    return 0;
}
