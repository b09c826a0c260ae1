#include "pages/correction/tone_curve.h"

#include "pages/correction/correction_model.h"

#include <algorithm>
#include <cmath>

namespace {

// The graph shows the values the page would keep once the user leaves their fields. A record
// from a caller's DEVMODE or a hand-edited file may hold anything; held to the page's ranges,
// the slope terms stay 50 .. 150 and gamma at least 0.1, so nothing divides by zero, takes a
// power of a non-positive gamma or overflows.
struct CurveInputs {
    LONG brightness;
    LONG contrast;
    LONG gamma;
    LONG pre;
    LONG post;
};

CurveInputs HeldInputs(const PrinterSettings& ps) {
    return {HoldToRange(ps.Brightness, kCorrectionMin, kCorrectionMax),
            HoldToRange(ps.Contrast, kCorrectionMin, kCorrectionMax),
            HoldToRange(ps.Gamma, kGammaMin, kGammaMax),
            HoldToRange(ps.LowCutPre, kLowCutMin, kLowCutMax),
            HoldToRange(ps.LowCutPost, kLowCutMin, kLowCutMax)};
}

// The exact gamma of the stored form: thousandths below 1.00, hundredths above.
double GammaOf(LONG stored) {
    return stored < 0 ? (stored + 1000.0) * 0.001 : stored * 0.01 + 1.0;
}

} // namespace

LONG GraphSide(POINT topLeft, POINT bottomRight) {
    return std::min<LONG>(bottomRight.x - topLeft.x, bottomRight.y - topLeft.y);
}

ToneCurve MakeToneCurve(const PrinterSettings& ps, LONG side) {
    const CurveInputs in = HeldInputs(ps);
    ToneCurve curve{};
    curve.side = HoldToRange(side, 0, kMaxGraphSide);
    const LONG s = curve.side;
    curve.kn = in.contrast + 100;
    curve.kd = 100 - in.contrast;
    curve.rise = (curve.kn * s) / curve.kd;
    // The second term centres the ramp on the square; the first shifts it by brightness.
    curve.offset = ((curve.rise + s) * in.brightness + 100) / 200 + (s - curve.rise + 1) / 2;
    curve.exponent = 1.0 / GammaOf(in.gamma);
    curve.lowCut = ps.LowCut != 0;
    curve.cutInput = (in.pre * s) / 255;
    curve.cutOutput = (in.post * s) / 255;
    return curve;
}

GraphLine ReferenceLine(const ToneCurve& curve) {
    const LONG s = curve.side;
    const LONG o = curve.offset;
    GraphLine line{};
    line.start.x = std::max<LONG>(-((o * curve.kd) / curve.kn), 0);
    line.start.y = std::max<LONG>(o, 0);
    line.end.x = std::min<LONG>(((s - o) * curve.kd) / curve.kn, s);
    line.end.y = std::min<LONG>(curve.rise + o, s);
    return line;
}

CurvePoint CurvePointAt(const ToneCurve& curve, LONG x) {
    const double u = static_cast<double>(x) / curve.side;
    const double corrected = x == 0 ? 0.0 : std::pow(u, curve.exponent);
    // Gamma first, then the contrast slope, rounding, and the integer offset last.
    const double v = ((corrected * curve.side) * curve.kn) / curve.kd + 0.5;
    LONG y = std::max<LONG>(static_cast<LONG>(v) + curve.offset, 0);
    if (x >= 1) {
        y = std::min<LONG>(y, curve.side);
    }
    const bool cut = curve.lowCut && (x < curve.cutInput || y < curve.cutOutput);
    return {y, cut ? 0 : y};
}

LONG CurvePointCount(const ToneCurve& curve) {
    for (LONG x = 1; x < curve.side; ++x) {
        if (CurvePointAt(curve, x).y >= curve.side) {
            return x + 1;
        }
    }
    return curve.side;
}

POINT GraphToPixel(POINT origin, LONG side, LONG x, LONG y) {
    return {origin.x + x, origin.y + side - 1 - y};
}
