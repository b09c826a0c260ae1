// Runs an arbitrary 1536-byte settings record through the Material page's initialisation, one
// typed length and one spin, and draws its work view in an area of arbitrary corners. The input is
// the record, then the view area's four corners, a field selector and up to 9 typed characters.
#include "fuzz/fuzz_input.h"
#include "pages/material/material_model.h"
#include "pages/material/work_view_geometry.h"
#include "resources/resource.h"
#include "ui/numeric_field.h"

namespace {

constexpr int kFields[] = {IDC_WIDTH_EDIT, IDC_LENGTH_EDIT, IDC_OFFSET_X_EDIT, IDC_OFFSET_Y_EDIT};

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// What the page's initialisation computes and shows for a record.
void Initialise(PrinterSettings* ps) {
    ApplyOffsetRules(ps);
    WCHAR text[kShowChars];
    for (int id : kFields) {
        FormatUserUnit(text, IsInch(*ps), *LengthOfField(ps, id));
    }
    for (LONG divisor = kFirstFrameIdx; divisor <= kLastFrameIdx; ++divisor) {
        WCHAR entry[kResolutionChars];
        FormatResolutionEntry(entry, ps->BaseDpi, divisor);
    }
    ps->FrameDpiIdx = static_cast<SHORT>(SelectedFrameIdx(ps->FrameDpiIdx));
    Check(ps->FrameDpiIdx >= kFirstFrameIdx && ps->FrameDpiIdx <= kLastFrameIdx);
    const int compression = CompressionButton(*ps);
    Check(compression == 0 ||
          (compression >= IDC_COMPRESSION_NONE && compression <= IDC_COMPRESSION_TIFF));
}

// A typed length and a spin stay within the page's ranges.
void Edit(PrinterSettings* ps, int field, LPCWSTR text) {
    TakeOverLength(ps, field, text);
    SpinLength(ps, field, text, field % 2);
    const SHORT value = *LengthOfField(ps, field);
    if (IsWorkSizeField(field)) {
        Check(value >= kMinWorkSize && value <= kExtendedLimit);
    }
}

// Corners within a page larger than any the sheet shows.
LONG Corner(FuzzInput& input) {
    return input.TakeValue<int16_t>() % 1024;
}

struct MarkBounds {
    const WorkView* view;
    LONG count;
};

void CheckMark(void* context, LONG x, LONG y) {
    auto* bounds = static_cast<MarkBounds*>(context);
    const ViewBox& work = bounds->view->work;
    Check(x >= work.left && x < work.right && y >= work.top && y < work.bottom);
    ++bounds->count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    PrinterSettings ps;
    input.Take(&ps, sizeof ps);
    Initialise(&ps);

    ViewBox area;
    area.left = Corner(input);
    area.top = Corner(input);
    area.right = Corner(input);
    area.bottom = Corner(input);
    const WorkView view = ComputeWorkView(area, ps);
    MarkBounds bounds{&view, 0};
    ForEachMark(view, CheckMark, &bounds);

    const int field = kFields[input.TakeValue<uint8_t>() % 4];
    WCHAR text[kParseChars + 1] = {};
    input.Take(text, kParseChars * sizeof(WCHAR));
    Edit(&ps, field, text);
    return 0;
}
