#include "recognition/HumanHand.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fg::recognition {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kPollMs = 20;     // while the button is down
constexpr double kIdlePollMs = 60; // before: the press is seen within this time
constexpr double kMaxDriftDeg = 15;
constexpr double kMaxBendDeg = 10;
// Fitts' law, MT = a + b log2(D / 80 px): 200 ms at 80 px, 480 ms at 400 px.
constexpr double kFittsA = 200;
const double kFittsB = 280 / std::log2(5.0);
constexpr double kDurationSpread = 0.1; // one movement to the next, either way
constexpr double kDwellMs[] = {40, 160};
constexpr double kBlendShare[] = {0.2, 0.5}; // of the stroke before, started early
constexpr double kStillAfterPressMs[] = {0, 60};
constexpr double kHoldBeforeReleaseMs[] = {20, 100};
constexpr double kTremorPx[] = {0.5, 2};
constexpr double kTremorHz[] = {8, 12};
constexpr int kEdgeMargin = 100; // pixels kept clear of every edge: no edge gestures here

// The minimum-jerk share of the way covered at share t of the time.
double MinimumJerk(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * t * (10 - 15 * t + 6 * t * t);
}

struct PointD {
    double x, y;
};

// How far the stroke has taken the hand at this time: an arc of constant curvature.
PointD Displacement(const HandStroke& s, double ms) {
    const double u = s.length * MinimumJerk((ms - s.startMs) / s.durationMs);
    const double bend = s.bendDeg * kPi / 180;
    const double start = s.headingDeg * kPi / 180 - bend / 2;
    if (std::abs(bend) < 1e-9) return {u * std::cos(start), u * std::sin(start)};
    const double k = bend / s.length;
    return {(std::sin(start + k * u) - std::sin(start)) / k,
            -(std::cos(start + k * u) - std::cos(start)) / k};
}

PointD HandAt(const Drawing& d, double ms) {
    PointD p{0, 0};
    for (const HandStroke& s : d.strokes) {
        const PointD q = Displacement(s, ms);
        p.x += q.x, p.y += q.y;
    }
    const double w = 2 * kPi * d.tremorHz * ms / 1000;
    p.x += d.tremorPx[0] * std::sin(w + d.tremorPhase[0]);
    p.y += d.tremorPx[1] * std::sin(w + d.tremorPhase[1]);
    return p;
}

} // namespace

Drawing PlanDrawing(const std::vector<MD>& strokes, const LengthClass& size, Corner corner,
                    Dice& dice) {
    Drawing d{};
    double t = dice.Between(kStillAfterPressMs[0], kStillAfterPressMs[1]);
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        HandStroke s;
        s.headingDeg = TMouseMovement::DirectionToAngle(strokes[i]) +
                       dice.Sign() * dice.Between(0.0, kMaxDriftDeg);
        s.bendDeg = dice.Between(-kMaxBendDeg, kMaxBendDeg);
        s.length = dice.Between(size.shortest, size.longest);
        s.durationMs = (kFittsA + kFittsB * std::log2(s.length / 80)) *
                       dice.Between(1 - kDurationSpread, 1 + kDurationSpread);
        if (i > 0) {
            const HandStroke& before = d.strokes.back();
            t = corner == Corner::dwell
                    ? t + dice.Between(kDwellMs[0], kDwellMs[1])
                    : t - before.durationMs * dice.Between(kBlendShare[0], kBlendShare[1]);
        }
        s.startMs = t;
        t += s.durationMs;
        d.strokes.push_back(s);
    }
    d.releaseMs = t + dice.Between(kHoldBeforeReleaseMs[0], kHoldBeforeReleaseMs[1]);
    for (int axis = 0; axis < 2; ++axis) {
        d.tremorPx[axis] = dice.Between(kTremorPx[0], kTremorPx[1]);
        d.tremorPhase[axis] = dice.Between(0.0, 2 * kPi);
    }
    d.tremorHz = dice.Between(kTremorHz[0], kTremorHz[1]);
    d.pollPhaseMs = dice.Between(0.0, kIdlePollMs);
    return d;
}

std::vector<TPoint> CursorPolls(const Drawing& drawing, Dice& dice) {
    std::vector<PointD> hand;
    for (double ms = drawing.pollPhaseMs; ms < drawing.releaseMs; ms += kPollMs)
        hand.push_back(HandAt(drawing, ms));

    PointD low = hand.front(), high = hand.front();
    for (const PointD& p : hand) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    const auto offset = [&](double lo, double hi, int extent) {
        const double from = kEdgeMargin - lo, to = extent - kEdgeMargin - hi;
        return from < to ? dice.Between(from, to) : (from + to) / 2;
    };
    const double dx = offset(low.x, high.x, kMonitorSize.x);
    const double dy = offset(low.y, high.y, kMonitorSize.y);
    std::vector<TPoint> out;
    for (const PointD& p : hand)
        out.push_back(
            {static_cast<int>(std::lround(p.x + dx)), static_cast<int>(std::lround(p.y + dy))});
    return out;
}

} // namespace fg::recognition
