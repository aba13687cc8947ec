// The samples of the stroke being drawn, from its anchor on: where the path turns, and whether
// the stroke since then runs straight. The geometry behind the analysis's precise corners.
#pragma once

#include "platform/Types.h"

#include <optional>
#include <vector>

namespace fg {

class TStrokeTurns {
  public:
    TStrokeTurns();

    // A stroke starts at this anchor; the samples before it are forgotten.
    void Restart(TPoint anchor);
    // No stroke: samples are ignored until the next restart.
    void Clear() { samples.clear(); }
    bool StartsAt(TPoint anchor) const;
    void Add(TPoint sample);

    // Once the path has turned by at least minDegrees between two legs of at least minLeg pixels
    // each: the turning point, which from then on starts the path. None while it runs on.
    std::optional<TPoint> Turn(double minLeg, double minDegrees);
    // The path from its start to the newest sample is at least minLength pixels long and its two
    // halves head the same way within maxDegrees: a stroke, not a hand still coming round.
    bool Established(double minLength, double maxDegrees) const;

  private:
    std::vector<TPoint> samples; // samples.front() is the anchor
};

} // namespace fg
