// A person's hand drawing a gesture, after the motor-control literature: each stroke a
// minimum-jerk movement (Flash and Hogan, 1985) whose duration follows Fitts' law, aimed a little
// off its direction and slightly bent, with a physiological tremor on top; the corners between
// strokes either held still for a moment or blended, the next stroke starting before the last
// one has ended (the superposition of Flash and Henis, 1991). The cursor is read in whole pixels
// every 20 ms from the first poll that sees the button down.
#pragma once

#include "recognition/RecognitionBench.h"

#include <vector>

namespace fg::recognition {

enum class Corner { dwell, blend };

struct LengthClass {
    const char* name;
    double shortest, longest; // pixels per stroke
};

constexpr LengthClass kLengthClasses[] = {
    {"short", 80, 160}, {"medium", 160, 280}, {"long", 280, 400}};

struct HandStroke {
    double headingDeg; // where the hand aims: the direction's angle and its drift
    double bendDeg;    // how far the heading turns along the stroke
    double length;     // pixels along the path
    double startMs;
    double durationMs;
};

struct Drawing {
    std::vector<HandStroke> strokes;
    double releaseMs;   // the button's release; the press is at 0
    double tremorPx[2]; // x and y amplitudes
    double tremorHz;
    double tremorPhase[2];
    double pollPhaseMs; // the first poll after the press, the first to see it down
};

// How a person draws these strokes, at a size of this class and with corners of this style.
Drawing PlanDrawing(const std::vector<MD>& strokes, const LengthClass& size, Corner corner,
                    Dice& dice);

// The cursor at every 20 ms poll from the press to the last poll before the release, placed at a
// random spot of the monitor well away from its edges.
std::vector<TPoint> CursorPolls(const Drawing& drawing, Dice& dice);

} // namespace fg::recognition
