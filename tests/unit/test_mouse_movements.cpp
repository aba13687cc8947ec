#include "capture/UnitFrmMouseMovements.h"

#include "app/UnitFrmDebug.h"
#include "fakes/FakePlatform.h"
#include "unit/SettingDefaults.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace fg {
namespace {

using enum TMouseDirection;

const std::wstring kTag = L"[FMMovements] ";

// Collects the lines logged after it was created, oldest first, without the time prefix. A marker
// line rather than a count, because the history drops its oldest lines once it is full.
class LogWatch {
  public:
    LogWatch() { AppendLog(kMarker); }
    std::vector<std::wstring> Lines() const {
        std::vector<std::wstring> lines;
        for (const std::wstring& line : DebugHistory()) {
            const std::size_t at = line.find(L":(x) ");
            const std::wstring text = at == std::wstring::npos ? line : line.substr(at + 5);
            if (text == kMarker) break;
            lines.insert(lines.begin(), text);
        }
        return lines;
    }

  private:
    static constexpr const wchar_t* kMarker = L"--- movements test marker ---";
};

std::vector<std::wstring> Tagged(const std::vector<std::wstring>& lines) {
    std::vector<std::wstring> tagged;
    for (const std::wstring& line : lines)
        tagged.push_back(kTag + line);
    return tagged;
}

std::wstring Name(TMouseDirection md) {
    return TMouseMovement::ToString(md);
}

struct Sample {
    TPoint p;
    TMouseDirection answer;
    std::vector<std::wstring> logs{}; // every line logged at this sample, untagged
};

struct Settings {
    bool diagonals = false;
    int axisThreshold = 3; // xThreshold and yThreshold
    bool monitor = true;
};

struct PathCase {
    const char* name;
    Settings settings;
    TPoint down; // the first sample, where the button went down
    std::vector<Sample> samples;
    TPoint anchor;           // after the last sample
    std::vector<int> angles; // GetDirectionAngle(0, 1, ...); -1 beyond
};

const Settings kDefaults{};
const Settings kDiagonals{true};

const std::wstring kAnchor500 = L" no stored data 500,500";
const std::wstring kDeadZone = L"dead zone";
const std::wstring kPixelFailed = L" Pixel Failed ";

// Every row runs on a 1920 x 1080 monitor with the default thresholds unless its settings say
// otherwise. The expected answers were worked out by hand from the analysis steps.
const std::vector<PathCase> kPaths = {
    {"StartBoxThenUp",
     kDefaults,
     {500, 500},
     {{{500, 480}, mdNone}, {{500, 470}, mdUp, {kAnchor500}}},
     {500, 500},
     {270}},
    {"RightOncePastThirtyPixels",
     kDefaults,
     {500, 500},
     {{{530, 500}, mdNone}, {{531, 500}, mdRight, {kAnchor500}}},
     {500, 500},
     {0}},
    // Up, then nothing inside the start box, then up again: still one stroke for the gesture.
    {"BackInStartBoxAnswersNothing",
     kDefaults,
     {500, 500},
     {{{500, 470}, mdUp, {kAnchor500}},
      {{505, 480}, mdNone},
      {{500, 500}, mdNone},
      {{500, 460}, mdUp},
      {{500, 440}, mdUp}},
     {500, 500},
     {270}},
    {"HeldStrokeKeepsItsDirection",
     kDefaults,
     {500, 500},
     {{{520, 500}, mdNone},
      {{540, 501}, mdRight, {kAnchor500}},
      {{560, 502}, mdRight},
      {{560, 502}, mdRight},
      {{560, 502}, mdRight},
      {{560, 502}, mdRight}},
     {500, 500},
     {1}},
    {"FortyFiveDegreesIsSEWithDiagonals",
     kDiagonals,
     {500, 500},
     {{{510, 510}, mdNone},
      {{520, 520}, mdNone},
      {{530, 530}, mdSE, {kAnchor500}},
      {{540, 540}, mdSE}},
     {500, 500},
     {45}},
    {"FortyFiveDegreesIsDownWithoutDiagonals",
     kDefaults,
     {500, 500},
     {{{510, 510}, mdNone},
      {{520, 520}, mdNone},
      {{530, 530}, mdDown, {kAnchor500}},
      {{540, 540}, mdDown}},
     {500, 500},
     {45}},
    {"OneThirtyFiveDegreesIsLeft",
     kDefaults,
     {500, 500},
     {{{490, 510}, mdNone}, {{480, 520}, mdNone}, {{470, 530}, mdLeft, {kAnchor500}}},
     {500, 500},
     {135}},
    {"TwoTwentyFiveDegreesIsUp",
     kDefaults,
     {500, 500},
     {{{490, 490}, mdNone}, {{480, 480}, mdNone}, {{470, 470}, mdUp, {kAnchor500}}},
     {500, 500},
     {225}},
    // About 20 degrees: nothing until more than 45 pixels right of the anchor. Once the direction
    // averages count, both classifications see the dead zone before the override.
    {"DeadZoneUntilLongOverrideRight",
     kDiagonals,
     {500, 500},
     {{{511, 504}, mdNone},
      {{522, 508}, mdNone},
      {{533, 512}, mdNone, {kAnchor500, kDeadZone}},
      {{544, 516}, mdNone, {kDeadZone}},
      {{545, 516}, mdNone, {kDeadZone, kDeadZone}},
      {{546, 517}, mdRight, {kDeadZone, kDeadZone, L"long dead zone override Right"}},
      {{557, 521}, mdRight, {kDeadZone, kDeadZone, L"long dead zone override Right"}}},
     {500, 500},
     {20}},
    // About 70 degrees: the override comes once more than 37 pixels below the anchor.
    {"DeadZoneUntilLongOverrideDown",
     kDiagonals,
     {500, 500},
     {{{504, 511}, mdNone},
      {{508, 522}, mdNone},
      {{512, 533}, mdNone, {kAnchor500, kDeadZone}},
      {{513, 537}, mdNone, {kDeadZone}},
      {{514, 538}, mdDown, {kDeadZone, L"long dead zone override Down"}},
      {{518, 549}, mdDown, {kDeadZone, kDeadZone, L"long dead zone override Down"}}},
     {500, 500},
     {69}},
    {"NoDeadZoneWithoutDiagonals",
     kDefaults,
     {500, 500},
     {{{511, 504}, mdNone}, {{522, 508}, mdNone}, {{533, 512}, mdRight, {kAnchor500}}},
     {500, 500},
     {19}},
    // The edges of the dead zones, one jump from the start each (angle in the name).
    {"DeadZoneEdge16",
     kDiagonals,
     {500, 500},
     {{{541, 512}, mdRight, {kAnchor500}}},
     {500, 500},
     {16}},
    {"DeadZoneEdge17",
     kDiagonals,
     {500, 500},
     {{{541, 513}, mdNone, {kAnchor500, kDeadZone}}},
     {500, 500},
     {}},
    {"DeadZoneEdge23",
     kDiagonals,
     {500, 500},
     {{{541, 518}, mdNone, {kAnchor500, kDeadZone}}},
     {500, 500},
     {}},
    {"DeadZoneEdge24",
     kDiagonals,
     {500, 500},
     {{{541, 519}, mdRight, {kAnchor500}}},
     {500, 500},
     {24}},
    {"DeadZoneEdge73",
     kDiagonals,
     {500, 500},
     {{{511, 536}, mdNone, {kAnchor500, kDeadZone}}},
     {500, 500},
     {}},
    {"DeadZoneEdge74",
     kDiagonals,
     {500, 500},
     {{{510, 536}, mdDown, {kAnchor500}}},
     {500, 500},
     {74}},
    {"DeadZoneEdge288",
     kDiagonals,
     {500, 500},
     {{{512, 464}, mdNone, {kAnchor500, kDeadZone}}},
     {500, 500},
     {}},
    // Right to (600, 510), then back the same way: the x average changes sign at (590, 509), so
    // the anchor moves to the turning point and the stroke is still too short there.
    {"ReversalMovesAnchorToTurningPoint",
     kDefaults,
     {500, 500},
     {{{510, 501}, mdNone},
      {{520, 502}, mdNone},
      {{530, 503}, mdNone},
      {{540, 504}, mdRight, {kAnchor500}},
      {{550, 505}, mdRight},
      {{560, 506}, mdRight},
      {{570, 507}, mdRight},
      {{580, 508}, mdRight},
      {{590, 509}, mdRight},
      {{600, 510}, mdRight},
      {{590, 509}, mdNone, {L" direction reversed x,y 600,510", kPixelFailed}},
      {{580, 508}, mdNone},
      {{570, 507}, mdLeft},
      {{560, 506}, mdLeft},
      {{550, 505}, mdLeft},
      {{540, 504}, mdLeft},
      {{530, 503}, mdNone},
      {{520, 502}, mdNone},
      {{510, 501}, mdNone},
      {{500, 500}, mdNone}},
     {600, 510},
     {5, 185}},
    // The averages only take samples that moved on both axes: going back along a horizontal line
    // never shows the reversal, so the stroke stays Right until the start box.
    {"HorizontalReturnIsNoReversal",
     kDefaults,
     {500, 500},
     {{{540, 504}, mdRight, {kAnchor500}},
      {{550, 505}, mdRight},
      {{560, 506}, mdRight},
      {{570, 510}, mdRight},
      {{560, 510}, mdRight},
      {{550, 510}, mdRight},
      {{540, 510}, mdRight},
      {{530, 510}, mdNone}},
     {500, 500},
     {14}},
    // The y average changes sign again one sample after the turn, while the previous position is
    // still within the pixel thresholds of the turning point: the anchor stays there. The next
    // sample, level, updates no average, so the swap is not seen again from farther away.
    {"WobbleNearTurningPointKeepsAnchor",
     kDefaults,
     {500, 500},
     {{{540, 504}, mdRight, {kAnchor500}},
      {{550, 505}, mdRight},
      {{560, 506}, mdRight},
      {{570, 507}, mdRight},
      {{580, 508}, mdRight},
      {{590, 509}, mdRight},
      {{600, 510}, mdRight},
      {{590, 505}, mdNone, {L" direction reversed x,y 600,510", kPixelFailed}},
      {{565, 510}, mdLeft},
      {{555, 510}, mdLeft},
      {{545, 509}, mdLeft}},
     {600, 510},
     {5, 181}},
    // The first classification still measures from the old anchor (45 degrees: Down); the anchor
    // then moves to the turning point, and the second one, from there at 153 degrees, adds Left
    // without clearing Down. With both axes set and the averages just reset, the tie goes to the
    // vertical.
    {"FirstCandidateSurvivesReversal",
     kDefaults,
     {500, 500},
     {{{540, 504}, mdRight, {kAnchor500}},
      {{550, 505}, mdRight},
      {{560, 506}, mdRight},
      {{570, 507}, mdRight},
      {{580, 508}, mdRight},
      {{590, 509}, mdRight},
      {{600, 510}, mdRight},
      {{540, 540}, mdDown, {L" direction reversed x,y 600,510"}},
      {{530, 545}, mdLeft}},
     {600, 510},
     {5, 153, 153}},
    // Up with a slight drift right, then bending right without either axis changing sign: the
    // anchor stays at the start, and Right begins exactly at 315 degrees (96 right, 96 up).
    {"BendFromUpToRightAt315",
     kDefaults,
     {500, 500},
     {{{502, 490}, mdNone},
      {{504, 480}, mdNone},
      {{506, 470}, mdUp, {kAnchor500}},
      {{508, 460}, mdUp},
      {{516, 420}, mdUp},
      {{526, 418}, mdUp},
      {{576, 408}, mdUp},
      {{586, 406}, mdUp},
      {{596, 404}, mdRight},
      {{606, 402}, mdRight},
      {{616, 400}, mdRight}},
     {500, 500},
     {312, 319}},
    {"DiagonalTooShortAfterTurn",
     {true, 1},
     {500, 500},
     {{{540, 504}, mdRight, {kAnchor500}},
      {{550, 505}, mdRight},
      {{560, 506}, mdRight},
      {{555, 511}, mdNone, {L" direction reversed x,y 560,506", kPixelFailed}},
      {{550, 516}, mdNone},
      {{545, 521}, mdNone, {L" Diagonal Pixel Failed "}},
      {{540, 526}, mdSW}},
     {560, 506},
     {5, 135}},
    // Without a monitor the averages stay empty, but the angle from the anchor still decides.
    {"MissingMonitorIsLoggedAndAnalysisGoesOn",
     {false, 3, false},
     {500, 500},
     {{{500, 470}, mdUp, {L"MonitorFromRect failed", kAnchor500}},
      {{510, 440}, mdUp, {L"MonitorFromRect failed"}},
      {{531, 400}, mdUp, {L"MonitorFromRect failed"}}},
     {500, 500},
     {287}},
};

void PrintTo(const PathCase& path, std::ostream* os) {
    *os << path.name;
}

class SampledPath : public testing::TestWithParam<PathCase> {};

TEST_P(SampledPath, AnswersLogsAnchorAndAngles) {
    const PathCase& path = GetParam();
    fake::FakePlatform os;
    if (!path.settings.monitor) os.desktop.monitors.clear();
    TMovementSettings settings = test::DefaultMovementSettings();
    settings.EnableDiagonals = path.settings.diagonals;
    settings.xThreshold = settings.yThreshold = path.settings.axisThreshold;
    TfrmMouseMovements mm(settings);

    {
        LogWatch log;
        EXPECT_EQ(test::Sample(mm, path.down, true), mdNone);
        const std::wstring start =
            std::to_wstring(path.down.x) + L"," + std::to_wstring(path.down.y);
        EXPECT_EQ(log.Lines(), Tagged({L" - InitVars - ", L"Starting (x,y): " + start,
                                       L"First Down Detected."}));
    }
    std::vector<TMouseDirection> answers;
    for (const Sample& s : path.samples) {
        SCOPED_TRACE(testing::Message() << "sample " << s.p.x << "," << s.p.y);
        LogWatch log;
        const TMouseDirection answer = test::Sample(mm, s.p, true);
        EXPECT_EQ(Name(answer), Name(s.answer));
        EXPECT_EQ(log.Lines(), Tagged(s.logs));
        answers.push_back(answer);
    }
    EXPECT_EQ(mm.GetStoredPoint(), path.anchor);
    EXPECT_EQ(mm.GetStartingPoint(), path.down);

    // One angle per character of the gesture string the monitor would build from these answers.
    ASSERT_EQ(path.angles.size(), TMouseMovement::ToGestureString(answers).size());
    for (std::size_t i = 0; i < path.angles.size(); ++i) {
        EXPECT_EQ(mm.GetDirectionAngle(static_cast<int>(i)), path.angles[i]) << "stroke " << i;
    }
    EXPECT_EQ(mm.GetDirectionAngle(static_cast<int>(path.angles.size())), -1);
}

INSTANTIATE_TEST_SUITE_P(Movements, SampledPath, testing::ValuesIn(kPaths),
                         [](const testing::TestParamInfo<PathCase>& row) {
                             return std::string(row.param.name);
                         });

// The dispatcher asks for the angles after the release, so the release keeps them; only the next
// press starts afresh.
TEST(TfrmMouseMovements, StateLastsUntilTheNextPress) {
    fake::FakePlatform os;
    TfrmMouseMovements mm(test::DefaultMovementSettings());
    test::Sample(mm, {500, 500}, true);
    test::Sample(mm, {500, 470}, true);
    {
        LogWatch log;
        EXPECT_EQ(test::Sample(mm, {400, 300}, false), mdNone);
        EXPECT_EQ(log.Lines(), std::vector<std::wstring>{});
    }
    EXPECT_EQ(mm.GetDirectionAngle(0), 270);
    EXPECT_EQ(mm.GetDirectionAngle(-1), -1);
    EXPECT_EQ(mm.GetStartingPoint(), (TPoint{500, 500}));
    EXPECT_EQ(mm.GetStoredPoint(), (TPoint{500, 500}));

    LogWatch log;
    EXPECT_EQ(test::Sample(mm, {800, 800}, true), mdNone);
    EXPECT_EQ(log.Lines(),
              Tagged({L" - InitVars - ", L"Starting (x,y): 800,800", L"First Down Detected."}));
    EXPECT_EQ(mm.GetDirectionAngle(0), -1);
    EXPECT_EQ(mm.GetStoredPoint(), (TPoint{0, 0}));
    EXPECT_EQ(test::Sample(mm, {831, 800}, true), mdRight);
    EXPECT_EQ(mm.GetStoredPoint(), (TPoint{800, 800}));
    EXPECT_EQ(mm.GetDirectionAngle(0), 0);
}

TEST(TfrmMouseMovements, IsMovingNeedsLeavingTheStartBoxAndMotion) {
    fake::FakePlatform os;
    TfrmMouseMovements mm(test::DefaultMovementSettings());
    test::Sample(mm, {500, 500}, true);
    EXPECT_FALSE(mm.IsMoving());
    test::Sample(mm, {520, 500}, true); // inside the box
    EXPECT_FALSE(mm.IsMoving());
    test::Sample(mm, {531, 500}, true);
    EXPECT_TRUE(mm.IsMoving());
    test::Sample(mm, {531, 500}, true); // held still
    EXPECT_FALSE(mm.IsMoving());
    test::Sample(mm, {531, 470}, true);
    EXPECT_TRUE(mm.IsMoving());
    test::Sample(mm, {510, 490}, true); // back inside: the last delta is stale but ignored
    EXPECT_FALSE(mm.IsMoving());
}

// The settings come from a file the user may edit by hand. Whatever it holds, the arithmetic stays
// defined (these tests run under the sanitizers) and every answer is a stroke or none. A weight
// acts as its nearest end of 0 to 1, and a weight that is no number as 1.
TEST(TfrmMouseMovements, HostileSettingsKeepTheAnalysisDefined) {
    using M = TMovementSettings;
    // From (500, 300): 51 polls of +10,+10, then left, then up, then jumps across the monitor,
    // then a wandering hand whose changing speeds make the weights matter.
    std::vector<TPoint> path{{500, 300}};
    const auto walk = [&](int dx, int dy, int polls) {
        for (int i = 0; i < polls; ++i)
            path.push_back({path.back().x + dx, path.back().y + dy});
    };
    walk(10, 10, 51);
    walk(-12, 0, 20);
    walk(0, -12, 20);
    for (const TPoint jump : {TPoint{1919, 1079}, TPoint{1, 1}, TPoint{1919, 1}, TPoint{960, 540}})
        path.push_back(jump);
    std::uint32_t seed = 7;
    const auto next = [&](int spread) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<std::uint32_t>(2 * spread + 1)) - spread;
    };
    for (int i = 0; i < 300; ++i) {
        const int speed = 2 + (i / 25) % 4 * 6; // 2, 8, 14 or 20 pixels either way
        walk(next(speed), next(speed), 1);
    }

    fake::FakePlatform os;
    const auto answers = [&](const std::function<void(M&)>& set, bool diagonals) {
        M settings = test::DefaultMovementSettings();
        settings.EnableDiagonals = diagonals;
        set(settings);
        TfrmMouseMovements mm(settings);
        std::vector<TMouseDirection> out;
        for (const TPoint p : path)
            out.push_back(test::Sample(mm, p, true));
        test::Sample(mm, path.back(), false);
        for (const TMouseDirection md : out)
            EXPECT_TRUE(md == mdNone || static_cast<int>(md) <= static_cast<int>(mdSW))
                << "a monitor position";
        return out;
    };

    constexpr float inf = std::numeric_limits<float>::infinity();
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    struct Weight {
        float value, actsAs;
    };
    const Weight weights[] = {{-0.5f, 0.0f}, {-1e30f, 0.0f}, {-inf, 0.0f}, {1.5f, 1.0f},
                              {1e30f, 1.0f}, {inf, 1.0f},    {0.0f, 0.0f}, {1.0f, 1.0f}};
    for (float M::*field : {&M::deltaBias, &M::directionBias}) {
        for (const bool diagonals : {false, true}) {
            for (const Weight& w : weights) {
                SCOPED_TRACE(testing::Message()
                             << "weight " << w.value << " diagonals " << diagonals);
                EXPECT_EQ(answers([&](M& m) { m.*field = w.value; }, diagonals),
                          answers([&](M& m) { m.*field = w.actsAs; }, diagonals));
            }
            EXPECT_EQ(answers([&](M& m) { m.*field = nan; }, diagonals),
                      answers([&](M& m) { m.*field = 1.0f; }, diagonals));
        }
    }

    const int whole[] = {INT_MIN, INT_MIN + 1, -1, 0, INT_MAX};
    for (int M::*field : {&M::xThreshold, &M::yThreshold, &M::XPixelThreshold, &M::YPixelThreshold,
                          &M::directionThreshold})
        for (const int v : whole)
            for (const bool diagonals : {false, true})
                answers([&](M& m) { m.*field = v; }, diagonals);
    // Every setting hostile at once.
    answers(
        [&](M& m) {
            m.deltaBias = m.directionBias = -0.5f;
            m.xThreshold = m.yThreshold = m.XPixelThreshold = m.YPixelThreshold = INT_MIN;
            m.directionThreshold = INT_MIN;
        },
        true);
}

} // namespace
} // namespace fg
