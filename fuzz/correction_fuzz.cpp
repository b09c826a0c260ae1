// Feeds arbitrary settings records and graph sides through the tone curve's points and the
// Image correction page's start: preset filling, list and preset indexes, the details dialog's
// working copy. The input is the side, the country code, then the record.
#include "fuzz/fuzz_input.h"
#include "pages/correction/correction_model.h"
#include "pages/correction/tone_curve.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input{data, size};
    const LONG side = input.TakeValue<LONG>();
    const INT country = input.TakeValue<uint8_t>();
    PrinterSettings ps;
    input.Take(&ps, sizeof ps);

    const ToneCurve curve = MakeToneCurve(ps, side);
    const GraphLine line = ReferenceLine(curve);
    FUZZ_CHECK(line.start.x >= 0 && line.start.y >= 0 && line.end.y <= curve.side);
    const LONG count = CurvePointCount(curve);
    FUZZ_CHECK(count >= 0 && count <= curve.side && curve.side <= kMaxGraphSide);
    for (LONG x = 0; x < count; ++x) {
        const CurvePoint point = CurvePointAt(curve, x);
        FUZZ_CHECK(point.y >= 0 && (x == 0 || point.y <= curve.side));
    }
    FillUnnamedPresets(&ps, country);
    const SHORT pass = NormaliseListIndex(ServiceList::PassMethod, ps.PassMethod);
    FUZZ_CHECK(pass < 0 || ServiceListName(ServiceList::PassMethod, pass, country == 81)[0] != 0);
    MaterialWorkCopy work;
    LoadWorkCopy(&work, ps); // reads the active set at the record's preset index
    BrowseWorkCopy(&work, -1);
    StoreWorkCopy(work, &ps);
    FUZZ_CHECK(ps.Material >= 0 && ps.Material < kMaterialCount && ps.PhotoSet.Entry[8].Name[0]);
    return 0;
}
