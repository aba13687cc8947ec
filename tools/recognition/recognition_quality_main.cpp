// How many drawn gestures come out as the gesture that was meant: synthetic hands replayed through
// the mouse monitor and the movement analysis at 20 ms polls on a 1920 x 1080 monitor, with the
// default thresholds. Deterministic for a given seed.
//
//   recognition_quality [--all] [--seed N]
//
// Every gesture of one to three strokes in four directions (diagonals off) and of one and two
// strokes in eight directions (diagonals on) is drawn with several stroke lengths and speeds, a
// slight bend in every stroke, a short hold before the release, and increasing jitter.
#include "actions/UnitFrmDummyWatchForExplorerPopup.h"
#include "actions/UnitTargetFocus.h"
#include "app/UnitMisc.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "capture/UnitFrmMouseMovements.h"
#include "capture/UnitFrmRatTrap.h"
#include "capture/UnitFrmScratchpad.h"
#include "capture/UnitRightButtonGate.h"
#include "fakes/FakePlatform.h"
#include "unit/SettingDefaults.h"
#include "vocabulary/IGestureReceiver.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace fg {
namespace {

using MD = TMouseDirection;

constexpr int kLengths[] = {60, 120, 200};  // pixels per stroke
constexpr int kSpeeds[] = {4, 8, 16};       // average pixels per 20 ms poll
constexpr int kJitters[] = {0, 1, 2, 3, 4}; // pixels either way, per axis and poll
constexpr double kMaxBendDegrees = 10;      // each stroke turns by up to this much
constexpr int kHoldPolls = 3;               // still, button held, before the release
constexpr int kFailuresShown = 12;          // per noise level, unless --all
constexpr TPoint kCentre{960, 540};

// The dispatcher's end of it: what was sent, nothing run.
class Receiver : public IGestureReceiver {
  public:
    bool ProgramIsDisabled() override { return false; }
    void ReportDisableGestures() override {}
    void ReportEnableGestures() override {}
    void ReportFirstDirection(TMouseDirection) override {}
    bool ReportGestures(const std::wstring& g, bool) override {
        received = g;
        return false;
    }
    bool ReportGesturesDiagonal(const std::wstring& g) override {
        received = g;
        return false;
    }
    std::wstring received;
};

// The random numbers are drawn from mt19937's own sequence, which the standard fixes, rather
// than through the library's distributions, which it does not: the figures are the same with
// every compiler.
class Dice {
  public:
    explicit Dice(std::uint32_t seed) : engine(seed) {}
    double Unit() { return static_cast<double>(engine()) / 4294967296.0; } // [0, 1)
    int Between(int lo, int hi) {
        return lo + static_cast<int>(engine() % static_cast<unsigned>(hi - lo + 1));
    }

  private:
    std::mt19937 engine;
};

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

// One desktop, one monitor and one analysis for a whole set: gestures follow each other as
// they do in use.
class Bench {
  public:
    explicit Bench(bool diagonals) {
        os.system.processes = {{70, L"notepad.exe"}};
        os.desktop.foreground = os.desktop.AddWindow(7, 70);
        TMouseMonitorParts parts;
        parts.movements = &mm;
        parts.gestures = &receiver;
        parts.ratTrap = &ratTrap;
        parts.scratchpad = &pad;
        parts.watch = &watch;
        parts.target = &target;
        parts.gate = &gate; // off, as by default
        monitor = std::make_unique<TFrmMouseMonitor>(parts);
        monitor->CheckParts();
        test::UseDefaultSettings(*monitor);
        monitor->prEnableDiagonals(diagonals);
        os.clock.Advance(70);
    }

    std::wstring Draw(const std::vector<TPoint>& path) {
        receiver.received.clear();
        for (const TPoint& p : path)
            Poll(p, true);
        Poll(path.back(), false);
        Poll(path.back(), false); // an idle poll between gestures
        return receiver.received;
    }

  private:
    void Poll(TPoint p, bool down) {
        os.input.cursor = p;
        down ? os.input.Press(vk::RBUTTON) : os.input.Release(vk::RBUTTON);
        const TTimer& t = monitor->timMouse;
        os.clock.Advance(t.Enabled() ? t.Interval() : 60);
    }

    fake::FakePlatform os;
    TfrmMouseMovements mm;
    Receiver receiver;
    TFrmRatTrap ratTrap;
    TFrmScratchPad pad;
    TfrmDummyWatchForExplorerPopup watch;
    TTargetFocus target;
    TRightButtonGate gate{TRightButtonGate::OnPlatform([](bool) {}, [] {})};
    std::unique_ptr<TFrmMouseMonitor> monitor;
};

std::vector<std::vector<MD>> Gestures(const std::vector<MD>& directions, int maxStrokes) {
    std::vector<std::vector<MD>> out;
    std::vector<std::vector<MD>> level{{}};
    for (int n = 1; n <= maxStrokes; ++n) {
        std::vector<std::vector<MD>> next;
        for (const auto& g : level)
            for (MD md : directions)
                if (g.empty() || g.back() != md) {
                    next.push_back(g);
                    next.back().push_back(md);
                }
        out.insert(out.end(), next.begin(), next.end());
        level = next;
    }
    return out;
}

std::string Narrow(const std::wstring& s) {
    return std::string(s.begin(), s.end());
}

std::string Names(const std::vector<MD>& strokes) {
    std::string s;
    for (MD md : strokes)
        s += (s.empty() ? "" : "+") + Narrow(TMouseMovement::ToString(md));
    return s;
}

struct Options {
    bool all = false;
    std::uint32_t seed = 1;
};

int RunSet(const char* title, const std::vector<MD>& directions, int maxStrokes, bool diagonals,
           const Options& options) {
    const auto gestures = Gestures(directions, maxStrokes);
    const std::size_t perLevel = gestures.size() * std::size(kLengths) * std::size(kSpeeds);
    std::printf("\n%s: %zu gestures x %zu lengths x %zu speeds = %zu cases per jitter level\n",
                title, gestures.size(), std::size(kLengths), std::size(kSpeeds), perLevel);
    int totalFailures = 0;
    for (int jitter : kJitters) {
        Bench bench(diagonals);
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
    Options options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--all") == 0) {
            options.all = true;
        } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            options.seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else {
            std::fprintf(stderr, "usage: recognition_quality [--all] [--seed N]\n");
            return 2;
        }
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
} // namespace fg

int main(int argc, char** argv) {
    return fg::Main(argc, argv);
}
