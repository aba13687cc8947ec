#include "recognition/HumanReport.h"

#include "recognition/HumanHand.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace fg::recognition {

namespace {

constexpr int kDrawingsPerStyle = 10; // of each length class and corner style
constexpr std::size_t kConfusionsShown = 10;
constexpr std::size_t kFailuresShown = 12;
constexpr Corner kCorners[] = {Corner::dwell, Corner::blend};
const char* const kCornerNames[] = {"dwell", "blend"};

struct NamedMode {
    const char* name;
    Mode mode;
};

struct Tally {
    int ok = 0, all = 0;
    void Add(bool good) { ok += good, ++all; }
};

// One mode's results on one set of gestures.
struct Results {
    std::map<std::string, Tally> rows;
    std::map<std::pair<std::string, std::string>, int> confusions; // (meant, sent) -> drawings
};

struct DrawingCase {
    std::vector<MD> strokes;
    std::string meant;  // the gesture string
    std::size_t length; // index into kLengthClasses
    std::size_t corner; // index into kCorners
    std::vector<TPoint> polls;
};

std::string Percent(const Tally& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%5.1f%%", t.all ? 100.0 * t.ok / t.all : 0.0);
    return text;
}

std::string StrokeRow(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " stroke" : " strokes");
}

// The rows a drawing counts in, in the order they are printed.
std::vector<std::string> RowsOf(const DrawingCase& c) {
    const std::string strokes = StrokeRow(c.strokes.size());
    std::vector<std::string> rows{"all", strokes};
    const std::string length = std::string("length: ") + kLengthClasses[c.length].name;
    rows.push_back(length);
    if (c.strokes.size() > 1) {
        rows.push_back(strokes + ", " + kCornerNames[c.corner] + " corners");
        rows.push_back(std::string("corners: ") + kCornerNames[c.corner]);
        rows.push_back(std::string("corners: ") + kCornerNames[c.corner] + ", " +
                       kLengthClasses[c.length].name);
    }
    return rows;
}

std::string Describe(const DrawingCase& d, const std::string& sent) {
    char text[160];
    std::snprintf(text, sizeof text, "%-18s \"%s\" %s, %s corners -> \"%s\"",
                  Names(d.strokes).c_str(), d.meant.c_str(), kLengthClasses[d.length].name,
                  kCornerNames[d.corner], sent.c_str());
    return text;
}

void PrintRows(const std::vector<NamedMode>& modes, const std::vector<Results>& results,
               const std::vector<std::string>& order) {
    std::printf("  %-30s", "");
    for (const NamedMode& m : modes)
        std::printf("  %-18s", m.name);
    std::printf("\n");
    for (const std::string& row : order) {
        std::printf("  %-30s", row.c_str());
        for (const Results& r : results) {
            const Tally& t = r.rows.at(row);
            char cell[32];
            std::snprintf(cell, sizeof cell, "%s (%d/%d)", Percent(t).c_str(), t.ok, t.all);
            std::printf("  %-18s", cell);
        }
        std::printf("\n");
    }
}

void PrintConfusions(const char* mode, const Results& r) {
    std::vector<std::pair<int, std::pair<std::string, std::string>>> sorted;
    for (const auto& [what, count] : r.confusions)
        sorted.push_back({-count, what});
    std::sort(sorted.begin(), sorted.end());
    std::printf("  confusions, %s (meant -> sent x drawings):", mode);
    if (sorted.empty()) std::printf(" none");
    for (std::size_t i = 0; i < std::min(sorted.size(), kConfusionsShown); ++i)
        std::printf("%s %s -> %s x%d", i % 5 == 0 ? "\n   " : ",", sorted[i].second.first.c_str(),
                    sorted[i].second.second.empty() ? "(none)" : sorted[i].second.second.c_str(),
                    -sorted[i].first);
    if (sorted.size() > kConfusionsShown) std::printf("  ... %zu kinds in all", sorted.size());
    std::printf("\n");
}

// Every gesture drawn kDrawingsPerStyle times at each length class and corner style.
std::vector<DrawingCase>
DrawingsOf(std::uint32_t setId, const std::vector<std::vector<MD>>& gestures, std::uint32_t seed) {
    std::vector<DrawingCase> drawings;
    for (std::size_t g = 0; g < gestures.size(); ++g)
        for (std::size_t l = 0; l < std::size(kLengthClasses); ++l)
            for (std::size_t c = 0; c < std::size(kCorners); ++c)
                for (int r = 0; r < kDrawingsPerStyle; ++r) {
                    // Each drawing has dice of its own, so it is drawn alike whatever else runs.
                    const std::uint32_t id = static_cast<std::uint32_t>(
                        (((setId * 1000 + g) * 3 + l) * 2 + c) * kDrawingsPerStyle + r);
                    Dice dice(seed * 1000003u + id);
                    DrawingCase d{gestures[g], Narrow(GestureString(gestures[g])), l, c, {}};
                    d.polls = CursorPolls(
                        PlanDrawing(d.strokes, kLengthClasses[l], kCorners[c], dice), dice);
                    drawings.push_back(std::move(d));
                }
    return drawings;
}

// The rows in the order they are printed: overall, by strokes, by length, by corners.
std::vector<std::string> RowOrder(const std::vector<DrawingCase>& drawings) {
    std::vector<std::string> order;
    for (const DrawingCase& d : drawings)
        for (const std::string& row : RowsOf(d))
            if (std::find(order.begin(), order.end(), row) == order.end()) order.push_back(row);
    const auto rank = [](const std::string& s) {
        if (s == "all") return 0;
        if (s.starts_with("length")) return 2;
        if (s.starts_with("corners")) return s.find(',') == std::string::npos ? 3 : 4;
        return 1;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](const std::string& a, const std::string& b) { return rank(a) < rank(b); });
    return order;
}

// What precise corners (sent[1]) get wrong: the drawings the classic analysis (sent[0]) got
// right, every one with --all, and the replay of one that --trace names.
void PrintPreciseFailures(const std::vector<DrawingCase>& drawings,
                          const std::vector<std::vector<std::string>>& sent, const Mode& precise,
                          const ReportOptions& options) {
    std::vector<std::string> lost;
    for (std::size_t i = 0; i < drawings.size(); ++i)
        if (sent[0][i] == drawings[i].meant && sent[1][i] != drawings[i].meant)
            lost.push_back(Describe(drawings[i], sent[1][i]));
    if (options.all) {
        std::printf("  every failure, precise corners:\n");
        for (std::size_t i = 0; i < drawings.size(); ++i)
            if (sent[1][i] != drawings[i].meant)
                std::printf("    %s\n", Describe(drawings[i], sent[1][i]).c_str());
    }
    for (std::size_t i = 0; options.trace && i < drawings.size(); ++i) {
        if (drawings[i].meant != options.trace || sent[1][i] == drawings[i].meant) continue;
        std::printf("  trace, precise corners: %s\n", Describe(drawings[i], sent[1][i]).c_str());
        Bench(precise).Trace(drawings[i].polls);
        break;
    }
    std::printf("  recognised by classic, not by precise corners: %zu\n", lost.size());
    const std::size_t shown = options.all ? lost.size() : std::min(lost.size(), kFailuresShown);
    for (std::size_t i = 0; i < shown; ++i)
        std::printf("    %s\n", lost[i].c_str());
    if (shown < lost.size()) std::printf("    ... and %zu more (--all)\n", lost.size() - shown);
}

void RunSet(const char* title, std::uint32_t setId, const std::vector<MD>& directions,
            int maxStrokes, bool diagonals, const ReportOptions& options) {
    const std::vector<NamedMode> modes = {{"classic", Mode{diagonals, false}},
                                          {"precise corners", Mode{diagonals, true}}};
    const auto gestures = Gestures(directions, maxStrokes);
    const int perGesture = kDrawingsPerStyle * static_cast<int>(std::size(kLengthClasses)) * 2;
    std::printf("\n%s: %zu gestures x %d drawings\n", title, gestures.size(), perGesture);
    const std::vector<DrawingCase> drawings = DrawingsOf(setId, gestures, options.seed);

    // Every mode draws them all on a bench of its own (a bench is the platform while it lives).
    std::vector<Results> results(modes.size());
    std::vector<std::vector<std::string>> sent(modes.size());
    for (std::size_t m = 0; m < modes.size(); ++m) {
        Bench bench(modes[m].mode);
        for (const DrawingCase& d : drawings) {
            sent[m].push_back(Narrow(bench.Draw(d.polls)));
            const bool ok = sent[m].back() == d.meant;
            for (const std::string& row : RowsOf(d))
                results[m].rows[row].Add(ok);
            if (!ok) ++results[m].confusions[{d.meant, sent[m].back()}];
        }
    }
    PrintRows(modes, results, RowOrder(drawings));
    for (std::size_t m = 0; m < modes.size(); ++m)
        PrintConfusions(modes[m].name, results[m]);
    PrintPreciseFailures(drawings, sent, modes[1].mode, options);
}

} // namespace

void RunHumanReport(const ReportOptions& options) {
    std::printf("Human-like hands: 1920 x 1080 monitor, 20 ms polls, default thresholds, seed %u\n",
                options.seed);
    std::printf(
        "Minimum-jerk strokes of 80-400 px (short 80-160, medium 160-280, long 280-400) lasting\n"
        "200-480 ms by Fitts' law (+-10%%), aimed 0-15 deg off and bent by up to 10 deg, with an\n"
        "8-12 Hz tremor of 0.5-2 px; corners held still for 40-160 ms (dwell) or the next stroke\n"
        "started 20-50%% of the last one early (blend); whole pixels.\n");
    using enum TMouseDirection;
    RunSet("Four directions, diagonals off", 1, {mdUp, mdDown, mdLeft, mdRight}, 3, false, options);
    RunSet("Eight directions, diagonals on", 2,
           {mdUp, mdDown, mdLeft, mdRight, mdNE, mdNW, mdSE, mdSW}, 2, true, options);
}

} // namespace fg::recognition
