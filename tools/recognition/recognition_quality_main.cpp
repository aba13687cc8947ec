// How many drawn gestures come out as the gesture that was meant: hands replayed through the mouse
// monitor and the movement analysis at 20 ms polls on a 1920 x 1080 monitor, with the default
// thresholds. Deterministic for a given seed.
//
//   recognition_quality [--human] [--all] [--seed N] [--trace GESTURE]
//
// Every gesture of one to three strokes in four directions (diagonals off) and of one and two
// strokes in eight directions (diagonals on) is drawn. By default by synthetic hands: several
// stroke lengths and speeds, a slight bend in every stroke, a short hold before the release, and
// increasing jitter. With --human by human-like hands (HumanHand.h), whose strokes turn the way a
// hand turns them.
#include "recognition/HumanReport.h"
#include "recognition/RecognitionBench.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

namespace fg::recognition {
namespace {

constexpr int kLengths[] = {60, 120, 200};  // pixels per stroke
constexpr int kSpeeds[] = {4, 8, 16};       // average pixels per 20 ms poll
constexpr int kJitters[] = {0, 1, 2, 3, 4}; // pixels either way, per axis and poll
constexpr double kMaxBendDegrees = 10;      // each stroke turns by up to this much
constexpr int kHoldPolls = 3;               // still, button held, before the release
constexpr int kFailuresShown = 12;          // per noise level, unless --all
constexpr TPoint kCentre{960, 540};

struct Case {
    std::vector<MD> strokes;
    int length;
    int speed;
    int jitter;
    std::vector<double> bends; // degrees per stroke
    std::wstring Expected() const {
        std::wstring s;
        for (MD md : strokes)
            s += TMouseMovement::ToChar(md);
        return s;
    }
};

struct PointD {
    double x, y;
};

// Where a hand following the stroke is at each poll: a bend of constant curvature, traversed
// with the smooth start and stop of a practised movement (minimum jerk).
std::vector<PointD> StrokePolls(PointD from, MD md, int length, int speed, double bendDegrees) {
    const double heading = TMouseMovement::DirectionToAngle(md) * std::numbers::pi / 180;
    const double bend = bendDegrees * std::numbers::pi / 180;
    const double start = heading - bend / 2;
    const double k = bend / length;
    const int polls =
        std::max(2, static_cast<int>(std::lround(static_cast<double>(length) / speed)));
    std::vector<PointD> out;
    for (int i = 1; i <= polls; ++i) {
        const double t = static_cast<double>(i) / polls;
        const double u = length * (t * t * t * (10 - 15 * t + 6 * t * t));
        if (std::abs(k) < 1e-9) {
            out.push_back({from.x + u * std::cos(start), from.y + u * std::sin(start)});
        } else {
            out.push_back({from.x + (std::sin(start + k * u) - std::sin(start)) / k,
                           from.y - (std::cos(start + k * u) - std::cos(start)) / k});
        }
    }
    return out;
}

// The cursor at every poll from the press to the last held poll, centred on the monitor.
std::vector<TPoint> Path(const Case& c, Dice& dice) {
    std::vector<PointD> ideal{{0, 0}};
    for (std::size_t i = 0; i < c.strokes.size(); ++i) {
        const auto polls = StrokePolls(ideal.back(), c.strokes[i], c.length, c.speed, c.bends[i]);
        ideal.insert(ideal.end(), polls.begin(), polls.end());
    }
    for (int i = 0; i < kHoldPolls; ++i)
        ideal.push_back(ideal.back());

    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const PointD& p : ideal) {
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    }
    const double dx = kCentre.x - (minX + maxX) / 2, dy = kCentre.y - (minY + maxY) / 2;
    std::vector<TPoint> out;
    for (const PointD& p : ideal) {
        out.push_back(
            {static_cast<int>(std::lround(p.x + dx)) + dice.Between(-c.jitter, c.jitter),
             static_cast<int>(std::lround(p.y + dy)) + dice.Between(-c.jitter, c.jitter)});
    }
    return out;
}

int RunSet(const char* title, const std::vector<MD>& directions, int maxStrokes, bool diagonals,
           const ReportOptions& options) {
    const auto gestures = Gestures(directions, maxStrokes);
    const std::size_t perLevel = gestures.size() * std::size(kLengths) * std::size(kSpeeds);
    std::printf("\n%s: %zu gestures x %zu lengths x %zu speeds = %zu cases per jitter level\n",
                title, gestures.size(), std::size(kLengths), std::size(kSpeeds), perLevel);
    int totalFailures = 0;
    for (int jitter : kJitters) {
        Bench bench(Mode{diagonals});
        int correct = 0, cases = 0;
        int correctByLength[std::size(kLengths)] = {}, casesByLength[std::size(kLengths)] = {};
        std::vector<std::string> failures;
        for (std::size_t g = 0; g < gestures.size(); ++g)
            for (std::size_t l = 0; l < std::size(kLengths); ++l)
                for (std::size_t s = 0; s < std::size(kSpeeds); ++s) {
                    // Each case has dice of its own, so it draws alike whatever else runs.
                    Dice dice(options.seed * 1000003u +
                              static_cast<std::uint32_t>(((g * 7 + l) * 7 + s) * 7 + jitter));
                    Case c{gestures[g], kLengths[l], kSpeeds[s], jitter, {}};
                    for (std::size_t i = 0; i < c.strokes.size(); ++i)
                        c.bends.push_back((dice.Unit() * 2 - 1) * kMaxBendDegrees);
                    const std::wstring got = bench.Draw(Path(c, dice));
                    const bool ok = got == c.Expected();
                    ++cases, ++casesByLength[l];
                    if (ok) {
                        ++correct, ++correctByLength[l];
                        continue;
                    }
                    char bends[64] = "";
                    for (double b : c.bends)
                        std::snprintf(bends + std::strlen(bends), sizeof bends - std::strlen(bends),
                                      "%s%+.1f", bends[0] ? "/" : "", b);
                    char line[256];
                    std::snprintf(line, sizeof line,
                                  "    %-14s \"%s\" %3d px at %4d px/s, bend %s deg -> \"%s\"",
                                  Names(c.strokes).c_str(), Narrow(c.Expected()).c_str(), c.length,
                                  c.speed * 50, bends, Narrow(got).c_str());
                    failures.push_back(line);
                }
        std::printf("  jitter +-%d px: %5.1f%% (%d/%d)   by length:", jitter,
                    100.0 * correct / cases, correct, cases);
        for (std::size_t l = 0; l < std::size(kLengths); ++l)
            std::printf("  %d px %5.1f%%", kLengths[l],
                        100.0 * correctByLength[l] / casesByLength[l]);
        std::printf("\n");
        const std::size_t shown =
            options.all ? failures.size() : std::min<std::size_t>(failures.size(), kFailuresShown);
        for (std::size_t i = 0; i < shown; ++i)
            std::printf("%s\n", failures[i].c_str());
        if (shown < failures.size())
            std::printf("    ... and %zu more (--all lists them)\n", failures.size() - shown);
        totalFailures += static_cast<int>(failures.size());
    }
    return totalFailures;
}

int Main(int argc, char** argv) {
    ReportOptions options;
    bool human = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--human") == 0) {
            human = true;
        } else if (std::strcmp(argv[i], "--trace") == 0 && i + 1 < argc) {
            human = true;
            options.trace = argv[++i];
        } else if (std::strcmp(argv[i], "--all") == 0) {
            options.all = true;
        } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            options.seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else {
            std::fprintf(
                stderr,
                "usage: recognition_quality [--human] [--all] [--seed N] [--trace GESTURE]\n");
            return 2;
        }
    }
    if (human) {
        RunHumanReport(options);
        return 0;
    }
    std::printf(
        "Recognition quality: 1920 x 1080 monitor, 20 ms polls, default thresholds, seed %u\n",
        options.seed);
    std::printf("Strokes of 60/120/200 px at 200/400/800 px/s on average (smooth start and stop), "
                "each bent by up to +-%.0f deg,\nheld still for %d ms before the release; jitter "
                "is uniform per axis and poll.\n",
                kMaxBendDegrees, kHoldPolls * 20);
    using enum TMouseDirection;
    RunSet("Four directions, diagonals off", {mdUp, mdDown, mdLeft, mdRight}, 3, false, options);
    RunSet("Eight directions, diagonals on",
           {mdUp, mdDown, mdLeft, mdRight, mdNE, mdNW, mdSE, mdSW}, 2, true, options);
    return 0;
}

} // namespace
} // namespace fg::recognition

int main(int argc, char** argv) {
    return fg::recognition::Main(argc, argv);
}
