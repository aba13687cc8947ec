// What the recognition tool's reports share: the real mouse monitor and movement analysis on the
// fakes, fed one cursor position per 20 ms poll on a 1920 x 1080 monitor with the settings file's
// defaults, and deterministic dice.
#pragma once

#include "actions/UnitTargetFocus.h"
#include "capture/UnitFrmMouseMonitor.h"
#include "capture/UnitFrmMouseMovements.h"
#include "capture/UnitFrmRatTrap.h"
#include "capture/UnitFrmScratchpad.h"
#include "capture/UnitRightButtonGate.h"
#include "fakes/FakePlatform.h"
#include "vocabulary/IGestureReceiver.h"

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace fg::recognition {

using MD = TMouseDirection;

constexpr TPoint kMonitorSize{1920, 1080};

// The random numbers are drawn from mt19937's own sequence, which the standard fixes, rather
// than through the library's distributions, which it does not: the figures are the same with
// every compiler.
class Dice {
  public:
    explicit Dice(std::uint32_t seed) : engine(seed) {}
    double Unit() { return static_cast<double>(engine()) / 4294967296.0; } // [0, 1)
    double Between(double lo, double hi) { return lo + (hi - lo) * Unit(); }
    int Between(int lo, int hi) {
        return lo + static_cast<int>(engine() % static_cast<unsigned>(hi - lo + 1));
    }
    int Sign() { return engine() % 2 ? 1 : -1; }

  private:
    std::mt19937 engine;
};

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

struct Mode {
    bool diagonals = false;
    bool preciseCorners = false;
};

// One desktop, one monitor and one analysis for a whole set: gestures follow each other as
// they do in use.
class Bench {
  public:
    explicit Bench(Mode mode);
    // The cursor at every poll from the press to the last poll before the release; the gesture
    // string the monitor sent.
    std::wstring Draw(const std::vector<TPoint>& path);
    // The same, printing every poll with what the analysis logged at it.
    std::wstring Trace(const std::vector<TPoint>& path);

  private:
    void Poll(TPoint p, bool down);
    bool tracing = false;

    fake::FakePlatform os;
    Receiver receiver;
    TFrmRatTrap ratTrap{os.desktop, os.input};
    TFrmScratchPad pad{os.desktop, os.input};
    TTargetFocus target;
    TRightButtonGate gate{TRightButtonGate::OnPlatform(
        os.desktop, os.input, [](HWindow) { return false; }, [](bool) {}, [] {})};
    std::unique_ptr<TFrmMouseMonitor> monitor;
};

// Every gesture of one to maxStrokes strokes in these directions, no stroke repeating the one
// before it, shortest first.
std::vector<std::vector<MD>> Gestures(const std::vector<MD>& directions, int maxStrokes);

std::wstring GestureString(const std::vector<MD>& strokes);
std::string Narrow(const std::wstring& s);
// "Up+Right".
std::string Names(const std::vector<MD>& strokes);

} // namespace fg::recognition
