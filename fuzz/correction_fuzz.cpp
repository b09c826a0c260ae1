// Feeds arbitrary settings records and graph sides through the tone curve's points and the
// Image correction page's start: preset filling, list and preset indexes, the details dialog's
// working copy. The input is the side, the country code, then the record.
#include "fuzz/fuzz_input.h"
#include "pages/correction/correction_model.h"
#include "pages/correction/tone_curve.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const LONG side = input.TakeValue<LONG>();
    const INT country = input.TakeValue<uint8_t>();
    PrinterSettings ps;
    input.Take(&ps, sizeof ps);

    const ToneCurve curve = MakeToneCurve(ps, side);
    const GraphLine line = ReferenceLine(curve);
    FUZZ_CHECK(line.start.x >= 0 && line.start.y >= 0);
    FUZZ_CHECK(line.end.x <= curve.side && line.end.y <= curve.side);
    const LONG count = CurvePointCount(curve);
    FUZZ_CHECK(count >= 0 && count <= curve.side && curve.side <= kMaxGraphSide);
    for (LONG x = 0; x < count; ++x) {
        const CurvePoint point = CurvePointAt(curve, x);
        FUZZ_CHECK(point.y >= 0 && (x == 0 || point.y <= curve.side));
        FUZZ_CHECK(point.drawnY == point.y || point.drawnY == 0);
    }

    FillUnnamedPresets(&ps, country);
    const ServiceList lists[] = {ServiceList::PassMethod, ServiceList::DitherPat,
                                 ServiceList::Draft};
    const SHORT indexes[] = {ps.PassMethod, ps.DitherPat, ps.Draft};
    for (int i = 0; i < 3; ++i) {
        const SHORT index = NormaliseListIndex(lists[i], indexes[i]);
        FUZZ_CHECK(index < 0 || ServiceListName(lists[i], index, country == kCountryJapan)[0] != 0);
    }
    MaterialWorkCopy work;
    LoadWorkCopy(&work, ps); // reads the active set at the record's preset index
    BrowseWorkCopy(&work, -1);
    FUZZ_CHECK(work.current >= 0 && work.current < kMaterialCount);
    StoreWorkCopy(work, &ps);
    FUZZ_CHECK(ps.TextSet.Entry[0].Name[0] != 0 && ps.PhotoSet.Entry[8].Name[0] != 0);
    return 0;
}
