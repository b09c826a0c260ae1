// Runs an arbitrary 1536-byte settings record through the Material page's initialisation and its
// work view, then one typed and spun length, the typed text through the typing filter and the
// length as shown. The input is the record, the view area's four corners, a field selector and up
// to 127 typed characters.
#include "fuzz/fuzz_input.h"
#include "pages/material/material_model.h"
#include "pages/material/work_view_geometry.h"
#include "resources/resource.h"
#include "ui/numeric_field.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input{data, size};
    PrinterSettings ps;
    input.Take(&ps, sizeof ps);
    ApplyOffsetRules(&ps);
    WCHAR entry[kResolutionChars];
    FormatResolutionEntry(entry, ps.BaseDpi, SelectedFrameIdx(ps.FrameDpiIdx));

    // Corners within a page larger than any the sheet shows; every dot lies inside the work.
    const auto corner = [&]() -> LONG { return input.TakeValue<int16_t>() % 1024; };
    WorkView view = ComputeWorkView({corner(), corner(), corner(), corner()}, ps);
    ForEachMark(
        view,
        [](void* v, LONG x, LONG y) {
            const ViewBox& w = static_cast<const WorkView*>(v)->work;
            FUZZ_CHECK(x >= w.left && x < w.right && y >= w.top && y < w.bottom);
        },
        &view);

    const int fields[] = {IDC_WIDTH_EDIT, IDC_LENGTH_EDIT, IDC_OFFSET_X_EDIT, IDC_OFFSET_Y_EDIT};
    const int field = fields[input.TakeValue<uint8_t>() % 4];
    WCHAR text[kFilterChars + 1] = {};
    input.Take(text, kFilterChars * sizeof(WCHAR));
    TakeOverLength(&ps, field, text); // reads the first kParseChars characters, NUL or not
    SpinLength(&ps, field, text, field % 2);
    const SHORT length = *LengthOfField(&ps, field);
    FUZZ_CHECK(!IsWorkSizeField(field) || (length >= kMinWorkSize && length <= kExtendedLimit));

    // What the typing filter keeps and what it counts as removed make up the text; a length as the
    // field shows it fits the field and reads back as itself.
    WCHAR kept[kFilterChars + 1];
    FUZZ_CHECK(FilterNumericText(text, kept) + lstrlenW(kept) == lstrlenW(text));
    WCHAR shown[kShowChars];
    FormatUserUnit(shown, field % 2, length); // a stack buffer: a longer text reaches the sanitizer
    FormatLong(shown, length);
    FUZZ_CHECK(length < 0 || ParseLong(shown, INT32_MAX, 0) == length);
    return 0;
}
