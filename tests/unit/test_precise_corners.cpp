// Precise corners: the analysis also ends a stroke where the path's heading turns. The geometry on
// its own, then the analysis on paths a hand draws, beside the classic analysis.
#include "app/UnitFrmDebug.h"
#include "capture/UnitFrmMouseMovements.h"
#include "capture/UnitStrokeTurns.h"
#include "fakes/FakePlatform.h"
#include "unit/SettingDefaults.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace fg {
namespace {

using enum TMouseDirection;

struct Segment {
    int dx, dy, steps; // pixels per sample, for so many samples
};

std::vector<TPoint> Walk(TPoint start, const std::vector<Segment>& segments) {
    std::vector<TPoint> path{start};
    for (const Segment& s : segments)
        for (int i = 0; i < s.steps; ++i)
            path.push_back({path.back().x + s.dx, path.back().y + s.dy});
    return path;
}

// Right for 96 pixels, then a quarter circle of radius 60 turning up, then up for 96: a corner
// drawn round, as a hand does that starts the next stroke before the last one ends.
std::vector<TPoint> RoundedRightThenUp(TPoint start) {
    std::vector<TPoint> path = Walk(start, {{12, 0, 8}});
    const TPoint c{path.back().x, path.back().y - 60};
    for (int deg = 10; deg <= 90; deg += 10) {
        const double a = deg * std::numbers::pi / 180;
        path.push_back({c.x + static_cast<int>(std::lround(60 * std::sin(a))),
                        c.y + static_cast<int>(std::lround(60 * std::cos(a)))});
    }
    const std::vector<TPoint> up = Walk(path.back(), {{0, -12, 8}});
    path.insert(path.end(), up.begin() + 1, up.end());
    return path;
}

// --- the geometry --------------------------------------------------------------------------------

TEST(StrokeTurns, TheTurningPointIsTakenOnceBothLegsAndTheTurnAreLargeEnough) {
    struct Case {
        const char* name;
        std::vector<TPoint> path; // path[0] is the anchor
        std::optional<TPoint> turn;
    };
    const std::vector<Case> cases = {
        {"a corner", Walk({0, 0}, {{10, 1, 5}, {1, 10, 3}}), TPoint{50, 5}},
        {"a reversal", Walk({0, 0}, {{10, 0, 5}, {-10, 1, 3}}), TPoint{50, 0}},
        {"a straight stroke with a tremor", Walk({0, 0}, {{10, 1, 3}, {10, -1, 3}, {10, 1, 3}}),
         std::nullopt},
        {"a bend of 15 degrees", Walk({0, 0}, {{10, 0, 5}, {29, 8, 2}}), std::nullopt},
        {"a turn of 24 degrees", Walk({0, 0}, {{10, 0, 5}, {9, 4, 3}}), TPoint{50, 0}},
        {"a second leg too short", Walk({0, 0}, {{10, 0, 5}, {0, 10, 2}}), std::nullopt},
        {"a first leg too short", Walk({0, 0}, {{10, 0, 2}, {0, 10, 5}}), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TStrokeTurns turns;
        turns.Restart(c.path[0]);
        std::optional<TPoint> turn;
        for (std::size_t i = 1; i < c.path.size() && !turn; ++i) {
            turns.Add(c.path[i]);
            turn = turns.Turn(25, 20);
        }
        EXPECT_EQ(turn, c.turn);
        if (turn) {
            EXPECT_TRUE(turns.StartsAt(*turn)); // the next stroke is measured from there
        }
    }
}

TEST(StrokeTurns, AStrokeIsEstablishedWhenLongAndStraightEnough) {
    const auto established = [](const std::vector<TPoint>& path) {
        TStrokeTurns turns;
        turns.Restart(path[0]);
        for (std::size_t i = 1; i < path.size(); ++i)
            turns.Add(path[i]);
        return turns.Established(50, 20);
    };
    EXPECT_TRUE(established(Walk({0, 0}, {{10, 2, 3}, {10, -1, 3}})));
    EXPECT_FALSE(established(Walk({0, 0}, {{10, 2, 3}, {10, -1, 1}}))); // 40 pixels
    EXPECT_FALSE(established(Walk({0, 0}, {{10, 0, 3}, {7, 7, 4}})));   // bent by 45 degrees
    TStrokeTurns none;
    EXPECT_FALSE(none.Established(0, 20));
}

// A stroke held far longer than its store: the oldest samples go, and a turn after them is still
// found at the corner.
TEST(StrokeTurns, AVeryLongStrokeStillFindsItsTurn) {
    TStrokeTurns turns;
    turns.Restart({0, 500});
    std::optional<TPoint> turn;
    for (const TPoint& p : Walk({0, 500}, {{1, 0, 3000}, {0, 10, 4}})) {
        turns.Add(p);
        if (!turn) turn = turns.Turn(25, 20);
    }
    EXPECT_EQ(turn, (TPoint{3000, 500}));
}

// --- the analysis --------------------------------------------------------------------------------

struct Drawn {
    std::wstring gesture;
    std::vector<std::wstring> log; // the analysis's lines, untagged
};

Drawn Draw(TfrmMouseMovements& mm, const std::vector<TPoint>& path) {
    const std::wstring marker = L"--- precise corners marker ---";
    AppendLog(marker);
    std::vector<TMouseDirection> answers;
    for (const TPoint& p : path)
        answers.push_back(test::Sample(mm, p, true));
    test::Sample(mm, path.back(), false);
    Drawn d{TMouseMovement::ToGestureString(answers), {}};
    const std::wstring tag = L"[FMMovements] ";
    for (const std::wstring& line : DebugHistory()) {
        if (line.ends_with(marker)) break;
        const std::size_t at = line.find(tag);
        if (at != std::wstring::npos) d.log.insert(d.log.begin(), line.substr(at + tag.size()));
    }
    return d;
}

bool Logged(const Drawn& d, const std::wstring& line) {
    return std::find(d.log.begin(), d.log.end(), line) != d.log.end();
}

class PreciseCorners : public testing::Test {
  protected:
    PreciseCorners() { precise.Reset(Settings(true, false)); }
    static TMovementSettings Settings(bool preciseCorners, bool diagonals) {
        TMovementSettings s = test::DefaultMovementSettings();
        s.PreciseCorners = preciseCorners;
        s.EnableDiagonals = diagonals;
        return s;
    }
    void Diagonals(bool on) {
        classic.Reset(Settings(false, on));
        precise.Reset(Settings(true, on));
    }

    fake::FakePlatform os;
    TfrmMouseMovements classic{Settings(false, false)}, precise;
};

// Each path: how the classic analysis reads it and how precise corners do.
TEST_F(PreciseCorners, ReadsTheStrokesAHandDraws) {
    struct Case {
        const char* name;
        bool diagonals;
        std::vector<TPoint> path;
        std::wstring classic, precise;
    };
    const std::vector<Case> cases = {
        // Right drifting down, down, left drifting down: the vertical average never changes sign,
        // and from the start the down stroke stays within the right sector.
        {"a drifting stroke turns without a reversal", false,
         Walk({500, 500}, {{12, 2, 10}, {1, 12, 8}, {-12, 2, 10}}), L"32", L"312"},
        {"a plain corner", false, Walk({500, 500}, {{0, -12, 8}, {12, 0, 8}}), L"03", L"03"},
        {"a reversal", false, Walk({500, 500}, {{12, 1, 8}, {-12, 1, 8}}), L"32", L"32"},
        {"a long bent stroke", false, Walk({500, 500}, {{12, 0, 8}, {12, 2, 8}, {12, 4, 8}}), L"3",
         L"3"},
        // With diagonals the round corner passes through up-right on its way.
        {"a round corner", true, RoundedRightThenUp({500, 500}), L"340", L"30"},
        {"a diagonal stroke between two others", true,
         Walk({500, 500}, {{12, 0, 8}, {0, 0, 3}, {9, -9, 8}, {0, 0, 3}, {0, -12, 8}}), L"340",
         L"340"},
        {"a turn of 45 degrees", true, Walk({500, 500}, {{12, 1, 8}, {9, 9, 8}}), L"36", L"36"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Diagonals(c.diagonals);
        EXPECT_EQ(Draw(classic, c.path).gesture, c.classic);
        EXPECT_EQ(Draw(precise, c.path).gesture, c.precise);
    }
}

// The down stroke of the drifting path is measured from the corner where it began: its anchor and
// its angle (which auto-correction asks for) are the stroke's own.
TEST_F(PreciseCorners, TheStrokeAfterATurnIsMeasuredFromTheTurningPoint) {
    const Drawn d = Draw(precise, Walk({500, 500}, {{12, 2, 10}, {1, 12, 8}, {-12, 2, 10}}));
    ASSERT_EQ(d.gesture, L"312");
    EXPECT_TRUE(Logged(d, L" heading turned x,y 620,520")) << testing::PrintToString(d.log);
    EXPECT_EQ(precise.GetDirectionAngle(0), 9);  // 120 right, 20 down
    EXPECT_EQ(precise.GetDirectionAngle(1), 85); // 8 right, 96 down
    EXPECT_GT(precise.GetDirectionAngle(2), 160);
    EXPECT_LT(precise.GetDirectionAngle(2), 180);
    EXPECT_EQ(precise.GetDirectionAngle(3), -1);
}

TEST_F(PreciseCorners, WithDiagonalsARoundCornerWaitsUntilTheNewStrokeRunsStraight) {
    Diagonals(true);
    const Drawn d = Draw(precise, RoundedRightThenUp({500, 500}));
    EXPECT_EQ(d.gesture, L"30");
    EXPECT_TRUE(Logged(d, L" still turning")) << testing::PrintToString(d.log);
}

// Off, the analysis is the classic one, also right after gestures drawn with it on: the same
// answers and the same log lines as an analysis that never had it.
TEST_F(PreciseCorners, OffLeavesTheClassicAnswersAndLog) {
    const std::vector<std::vector<TPoint>> paths = {
        Walk({500, 500}, {{12, 2, 10}, {1, 12, 8}, {-12, 2, 10}}),
        RoundedRightThenUp({500, 500}),
        Walk({300, 300}, {{9, 9, 8}, {12, -1, 6}, {-3, -12, 9}, {12, 12, 5}}),
    };
    for (const bool diagonals : {false, true}) {
        Diagonals(diagonals);
        for (const auto& path : paths) {
            precise.Reset(Settings(true, diagonals));
            Draw(precise, path);
            precise.Reset(Settings(false, diagonals));
            const Drawn expected = Draw(classic, path);
            const Drawn got = Draw(precise, path);
            EXPECT_EQ(got.gesture, expected.gesture);
            EXPECT_EQ(got.log, expected.log);
        }
    }
}

// Hand-edited settings at their extremes keep the geometry defined too (the tests run under the
// sanitizers): a wandering hand with jumps across the monitor answers strokes or nothing.
TEST_F(PreciseCorners, HostileSettingsKeepTheGeometryDefined) {
    std::vector<TPoint> path = Walk({500, 300}, {{10, 10, 20}, {-12, 0, 20}, {0, -12, 20}});
    for (const TPoint jump : {TPoint{1919, 1079}, TPoint{1, 1}, TPoint{1919, 1}, TPoint{960, 540}})
        path.push_back(jump);
    std::uint32_t seed = 7;
    for (int i = 0; i < 300; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int dx = static_cast<int>((seed >> 16) % 41) - 20;
        const int dy = static_cast<int>((seed >> 8) % 41) - 20;
        path.push_back({path.back().x + dx, path.back().y + dy});
    }
    for (const int pixels : {INT_MIN, -1, 0, 1, INT_MAX})
        for (const bool diagonals : {false, true}) {
            SCOPED_TRACE(testing::Message() << pixels << " pixels, diagonals " << diagonals);
            TMovementSettings s = Settings(true, diagonals);
            s.XPixelThreshold = s.YPixelThreshold = pixels;
            precise.Reset(s);
            for (const TPoint p : path) {
                const TMouseDirection md = test::Sample(precise, p, true);
                EXPECT_TRUE(md == mdNone || static_cast<int>(md) <= static_cast<int>(mdSW));
            }
            test::Sample(precise, path.back(), false);
        }
}

} // namespace
} // namespace fg
