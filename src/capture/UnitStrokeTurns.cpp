#include "capture/UnitStrokeTurns.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fg {

namespace {

// Twenty seconds of a stroke at 20 ms polls. A turn lies among the newer samples, so when the
// list is full the older half after the anchor goes, without an allocation.
constexpr std::size_t kMaxSamples = 1024;

double Distance(TPoint a, TPoint b) {
    return std::hypot(static_cast<double>(b.x - a.x), static_cast<double>(b.y - a.y));
}

// Degrees between the headings a -> b and b -> c; 0 when a leg has no length (and no heading).
double TurnDegrees(TPoint a, TPoint b, TPoint c) {
    const double ux = b.x - a.x, uy = b.y - a.y, vx = c.x - b.x, vy = c.y - b.y;
    const double legs = std::hypot(ux, uy) * std::hypot(vx, vy);
    if (legs == 0) return 0;
    const double cosine = (ux * vx + uy * vy) / legs;
    return std::acos(std::clamp(cosine, -1.0, 1.0)) * 180 / std::numbers::pi;
}

} // namespace

TStrokeTurns::TStrokeTurns() {
    samples.reserve(kMaxSamples);
}

void TStrokeTurns::Restart(TPoint anchor) {
    samples.clear();
    samples.push_back(anchor);
}

bool TStrokeTurns::StartsAt(TPoint anchor) const {
    return !samples.empty() && samples.front() == anchor;
}

void TStrokeTurns::Add(TPoint sample) {
    if (samples.empty()) return; // no stroke yet
    if (samples.size() == kMaxSamples)
        samples.erase(samples.begin() + 1, samples.begin() + kMaxSamples / 2);
    samples.push_back(sample);
}

// The turning point is the sample that makes the longest detour on the way from the anchor to the
// newest sample (|AT| + |TC| - |AC|): the corner of a turn and the tip of a reversal alike, and
// one that a hand's tremor on a straight stroke moves by a pixel or two only.
std::optional<TPoint> TStrokeTurns::Turn(double minLeg, double minDegrees) {
    if (samples.size() < 3) return std::nullopt;
    const TPoint a = samples.front(), c = samples.back();
    const double direct = Distance(a, c);
    std::size_t best = 0;
    double longest = 0;
    for (std::size_t i = 1; i + 1 < samples.size(); ++i) {
        const double detour = Distance(a, samples[i]) + Distance(samples[i], c) - direct;
        if (detour > longest) longest = detour, best = i;
    }
    if (best == 0) return std::nullopt;
    const TPoint t = samples[best];
    if (Distance(a, t) < minLeg || Distance(t, c) < minLeg || TurnDegrees(a, t, c) < minDegrees)
        return std::nullopt;
    samples.erase(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(best));
    return t;
}

// The halves meet at the sample nearest to half the distance from the anchor.
bool TStrokeTurns::Established(double minLength, double maxDegrees) const {
    if (samples.empty()) return false;
    const TPoint a = samples.front(), c = samples.back();
    const double length = Distance(a, c);
    if (length < minLength) return false;
    std::size_t middle = 0;
    double off = length;
    for (std::size_t i = 1; i + 1 < samples.size(); ++i) {
        const double o = std::abs(Distance(a, samples[i]) - length / 2);
        if (o < off) off = o, middle = i;
    }
    return middle == 0 || TurnDegrees(a, samples[middle], c) <= maxDegrees;
}

} // namespace fg
