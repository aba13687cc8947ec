// Cost of one movement-analysis sample, the work the mouse monitor does every 20 ms while the right
// button is held.
#include "app/UnitFrmDebug.h"
#include "capture/UnitFrmMouseMovements.h"
#include "fakes/FakePlatform.h"
#include "unit/SettingDefaults.h"

#include <benchmark/benchmark.h>

namespace fg {
namespace {

// Each timed sample continues a stroke; the stroke is started afresh, untimed, before the cursor
// gets absurdly far from the monitor.
constexpr int kSamplesPerStroke = 4096;
constexpr int kWarmUpSamples = 8;

class Stroke {
  public:
    Stroke(int stepX, int stepY, bool diagonals) : mm(Settings(diagonals)), dx(stepX), dy(stepY) {}
    void Restart() {
        test::Sample(mm, p, false);
        p = {500, 500};
        test::Sample(mm, p, true);
        for (int i = 0; i < kWarmUpSamples; ++i)
            Next();
    }
    TMouseDirection Next() {
        p.x += dx;
        p.y += dy;
        return test::Sample(mm, p, true);
    }

  private:
    static TMovementSettings Settings(bool diagonals) {
        TMovementSettings s = test::DefaultMovementSettings();
        s.EnableDiagonals = diagonals;
        return s;
    }

    TfrmMouseMovements mm;
    TPoint p;
    int dx, dy;
};

// Log lines one sample of this stroke writes, so the output says which run pays for logging.
double LogLinesPerSample(Stroke& stroke) {
    const std::wstring marker = L"--- bench marker ---";
    stroke.Restart();
    AppendLog(marker);
    constexpr int kProbe = 16;
    for (int i = 0; i < kProbe; ++i)
        stroke.Next();
    int lines = 0;
    for (const std::wstring& line : DebugHistory()) {
        if (line.ends_with(marker)) break;
        ++lines;
    }
    return static_cast<double>(lines) / kProbe;
}

void RunStroke(benchmark::State& state, int stepX, int stepY, bool diagonals) {
    fake::FakePlatform os;
    Stroke stroke(stepX, stepY, diagonals);
    state.counters["log_lines_per_sample"] = LogLinesPerSample(stroke);
    stroke.Restart();
    int left = kSamplesPerStroke;
    for (auto _ : state) {
        if (left-- == 0) {
            state.PauseTiming();
            stroke.Restart();
            left = kSamplesPerStroke - 1;
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(stroke.Next());
    }
}

// A straight stroke to the right, about 6 degrees below the horizontal: answers Right and logs
// nothing, the usual sample.
void BM_SampleStraightStroke(benchmark::State& state) {
    RunStroke(state, 10, 1, false);
}

// About 20 degrees with diagonals on, past the long dead-zone distance: both classifications log
// "dead zone" and the override logs its line, three allocations of log text per sample.
void BM_SampleDeadZoneStrokeLogging(benchmark::State& state) {
    RunStroke(state, 11, 4, true);
}

BENCHMARK(BM_SampleStraightStroke);
BENCHMARK(BM_SampleDeadZoneStrokeLogging);

} // namespace
} // namespace fg
