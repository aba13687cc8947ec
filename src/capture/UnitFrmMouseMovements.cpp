#include "capture/UnitFrmMouseMovements.h"

#include "app/UnitFrmDebug.h"
#include "platform/IDesktop.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace fg {

namespace {

using MD = TMouseDirection;

void Log(const std::wstring& text) {
    AppendLog(L"[FMMovements] " + text);
}

std::wstring PointText(int x, int y) {
    return std::to_wstring(x) + L"," + std::to_wstring(y);
}

// Truncation toward zero, saturating instead of overflowing on values no screen can produce. The
// range is symmetric, so the absolute value of every result is defined.
int Trunc(double v) {
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= -static_cast<double>(INT_MAX)) return -INT_MAX;
    return static_cast<int>(v);
}

// A weight is a share of the newest value: a setting outside 0 to 1 acts as the nearer end (a
// negative weight would make the averages grow without bound), and one that is no number as 1,
// the newest value alone (the settings file never hands one over: such text reads as the
// default there).
double Weight(float w) {
    if (std::isnan(w)) return 1.0;
    return std::clamp(static_cast<double>(w), 0.0, 1.0);
}

// The weight keeps the single-precision value of the setting (0.8f is a little above 0.8), but the
// blend itself runs in double: a float weight times a small integer is exact there, so the result
// is the truncation of the true value on every compiler, and a repeated sample keeps an average
// exactly where it was.
int Blend(int newValue, int old, double weight) {
    if (newValue == 0) newValue = old;
    return Trunc(weight * newValue + (1.0 - weight) * old);
}

// Pixels per sample in 1/1800ths of the monitor's extent. Multiplying before dividing keeps the
// exact quotient: dividing first would turn a 69-pixel move on a 1080-pixel monitor into 114.99...
int ScaledSpeed(int delta, int extent) {
    return Trunc(delta * 1800.0 / extent);
}

void UpdateSign(int avg, int& binary, bool& swapped) {
    swapped = false;
    if (avg > 0) {
        swapped = binary <= 0;
        binary = 1;
    } else if (avg < 0) {
        swapped = binary >= 0;
        binary = -1;
    }
}

struct DiagonalWindow {
    int from, to; // degrees, to excluded
    bool east;
    MD diagonal, horz, vert;
};

constexpr DiagonalWindow kDiagonalWindows[] = {
    {295, 335, true, MD::mdNE, MD::mdRight, MD::mdUp},
    {25, 65, true, MD::mdSE, MD::mdRight, MD::mdDown},
    {205, 245, false, MD::mdNW, MD::mdLeft, MD::mdUp},
    {115, 155, false, MD::mdSW, MD::mdLeft, MD::mdDown},
};

// Precise corners. A turn of the path's heading by this much ends a stroke: a hand's drift and
// bend within a stroke stay well below it, and strokes meet at 45 degrees or more.
constexpr double kMinTurnDegrees = 20;
// With diagonals, a rounded corner sweeps through the directions between its two strokes: a new
// stroke (other than a reversal) counts once it has run this many times the shorter pixel
// threshold with its two halves heading alike within kMaxBendDegrees.
constexpr double kEstablishedLegs = 2;
constexpr double kMaxBendDegrees = 20;

bool IsDeadZoneOffset(int degrees) {
    return 16 < degrees && degrees < 24;
}

} // namespace

TMonitorGeometry MonitorGeometryAt(IDesktop& desktop, TPoint p) {
    TMonitorGeometry g;
    g.found = desktop.MonitorNearest(p, g.bounds);
    const int dpi = desktop.MonitorDpi(p);
    g.dpi = dpi > 0 ? dpi : kDesignDpi;
    return g;
}

TfrmMouseMovements::TfrmMouseMovements(const TMovementSettings& s) : settings(s) {
    // A gesture has a handful of strokes; reserving keeps the polling tick free of allocation.
    directionAngle.reserve(64);
}

void TfrmMouseMovements::Reset(const TMovementSettings& s) {
    settings = s;
    WasDown = false;
}

TMouseDirection TfrmMouseMovements::ReportMousePoint(TPoint P, bool IsDown,
                                                     const TMonitorGeometry& monitor) {
    cursor = P;
    if (!IsDown) {
        WasDown = false;
        return MD::mdNone;
    }
    if (!WasDown) {
        WasDown = true;
        InitVars(monitor.dpi);
        Log(L"First Down Detected.");
    }
    const bool outsideStartBox =
        std::abs(startingx - cursor.x) > xPixels || std::abs(startingy - cursor.y) > yPixels;
    if (!outsideStartBox) return MD::mdNone;

    TakeSample(monitor);
    AxisDirections();
    DirectionAverages();

    vertDirection = horzDirection = eastDirection = westDirection = MD::mdNone;
    if (AnyDirectionAverageAbove(settings.directionThreshold)) ClassifyAngle(true);
    DecideDirection();

    MoveAnchor();
    if (settings.PreciseCorners) FollowTurn();

    // The candidates of the first classification stay: a second look from the (maybe new) anchor
    // only overwrites what its angle decides.
    if (std::abs(storedY - cursor.y) > yPixels || std::abs(storedX - cursor.x) > xPixels) {
        ClassifyAngle(true);
        DecideDirection();
    }

    LongDeadZoneOverride();
    MD answer = StrokeLengthAnswer();
    if (settings.PreciseCorners && StillTurning(answer)) {
        Log(L" still turning");
        answer = MD::mdNone;
    }

    lastDetectedDirection = detectedDirection;
    lastAddDirection = answer;
    lastx = cursor.x;
    lasty = cursor.y;
    RecordStrokeAngle(answer);
    return answer;
}

bool TfrmMouseMovements::IsMoving() const {
    const bool outsideStartBox =
        std::abs(cursor.x - startingx) > xPixels || std::abs(cursor.y - startingy) > yPixels;
    return outsideStartBox && (xdelta != 0 || ydelta != 0);
}

// The list holds one entry per element of the gesture string the monitor builds: a new entry when
// the answer differs from the stroke recorded last (the monitor drops repeats and mdNone the same
// way), and while the same stroke goes on its entry follows it, so it ends as the angle from the
// anchor at the stroke's last answering sample. -1 for a missing position can never lie between
// two neighbouring directions, so no correction is ever based on a stroke that was not drawn.
// A gesture that begins at a monitor edge has that edge at position 0 of its string; the strokes
// recorded here start after it.
int TfrmMouseMovements::GetDirectionAngle(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= directionAngle.size()) return -1;
    return directionAngle[static_cast<std::size_t>(index)];
}

void TfrmMouseMovements::RecordStrokeAngle(TMouseDirection answer) {
    if (answer == MD::mdNone) return;
    const int angle = StrokeAngle();
    angleAnchor = {storedX, storedY};
    if (!directionAngle.empty() && answer == angleDirection) {
        directionAngle.back() = angle;
        return;
    }
    directionAngle.push_back(angle);
    angleDirection = answer;
}

void TfrmMouseMovements::InitVars(int dpi) {
    Log(L" - InitVars - ");
    xdelta = ydelta = 0;
    lastx = startingx = cursor.x;
    lasty = startingy = cursor.y;
    Log(L"Starting (x,y): " + PointText(startingx, startingy));
    ScalePixelThresholds(dpi);
    ResetAverages();
    xbinary = ybinary = 0;
    storedX = storedY = 0;
    detectedDirection = MD::mdNone;
    directionAngle.clear();
    angleDirection = MD::mdNone;
    turns.Clear();
}

// The thresholds are set for 96 DPI; the cursor moves in physical pixels. Scaled by the DPI of the
// monitor where the gesture starts, a stroke needs the same hand movement at every display scale
// (the distance a program that the system scales would need). The speed averages need nothing:
// they are fractions of the monitor's size already.
void TfrmMouseMovements::ScalePixelThresholds(int dpi) {
    if (dpi <= 0) dpi = kDesignDpi;
    xPixels = ScaleByDpi(settings.XPixelThreshold, dpi);
    yPixels = ScaleByDpi(settings.YPixelThreshold, dpi);
    if (dpi != kDesignDpi)
        Log(L"DPI " + std::to_wstring(dpi) + L": pixel thresholds " + PointText(xPixels, yPixels));
}

void TfrmMouseMovements::ResetAverages() {
    xavg = yavg = 0;
    leftcount = rightcount = upcount = downcount = 0;
    NEcount = NWcount = SEcount = SWcount = 0;
    leftavg = rightavg = upavg = downavg = 0;
    NEavg = NWavg = SEavg = SWavg = 0;
    xSwapped = ySwapped = false;
}

void TfrmMouseMovements::TakeSample(const TMonitorGeometry& monitor) {
    if (lastx == 0) lastx = cursor.x;
    if (lasty == 0) lasty = cursor.y;
    xdelta = cursor.x - lastx;
    ydelta = cursor.y - lasty;

    const TRect& bounds = monitor.bounds;
    // An empty rectangle is as useless as none and would divide by zero.
    if (!monitor.found || bounds.Width() <= 0 || bounds.Height() <= 0) {
        Log(L"MonitorFromRect failed");
        return;
    }
    // A sample along one axis only says nothing about the speed of the other; the averages wait
    // for a sample that moved on both.
    if (xdelta != 0 && ydelta != 0) {
        const double w = Weight(settings.deltaBias);
        xavg = Blend(ScaledSpeed(xdelta, bounds.Width()), xavg, w);
        yavg = Blend(ScaledSpeed(ydelta, bounds.Height()), yavg, w);
    }
    UpdateSign(xavg, xbinary, xSwapped);
    UpdateSign(yavg, ybinary, ySwapped);
}

void TfrmMouseMovements::AxisDirections() {
    vert = horz = MD::mdNone;
    const bool xMoving = std::abs(xavg) > settings.xThreshold;
    const bool yMoving = std::abs(yavg) > settings.yThreshold;
    if (xMoving) {
        if (xavg <= 0) {
            horz = MD::mdLeft;
            ++leftcount;
            rightcount = 0;
        } else {
            horz = MD::mdRight;
            ++rightcount;
            leftcount = 0;
        }
    }
    if (yMoving) {
        if (yavg < 0) {
            vert = MD::mdUp;
            ++upcount;
            downcount = 0;
        } else {
            vert = MD::mdDown;
            ++downcount;
            upcount = 0;
        }
    }
    eastquad = westquad = MD::mdNone;
    if (!xMoving || !yMoving) return;
    if (xavg <= 0 && yavg <= 0) {
        westquad = MD::mdNW;
        ++NWcount;
        SWcount = 0;
    } else if (xavg <= 0) {
        westquad = MD::mdSW;
        ++SWcount;
        NWcount = 0;
    } else if (yavg <= 0) {
        eastquad = MD::mdNE;
        ++NEcount;
        SEcount = 0;
    } else {
        eastquad = MD::mdSE;
        ++SEcount;
        NEcount = 0;
    }
}

void TfrmMouseMovements::DirectionAverages() {
    const double w = Weight(settings.directionBias);
    if (vert == MD::mdUp) upavg = Blend(upcount, upavg, w);
    if (vert == MD::mdDown) downavg = Blend(downcount, downavg, w);
    if (horz == MD::mdLeft) leftavg = Blend(leftcount, leftavg, w);
    if (horz == MD::mdRight) rightavg = Blend(rightcount, rightavg, w);
    if (!settings.EnableDiagonals) return;
    if (eastquad == MD::mdNE) NEavg = Blend(NEcount, NEavg, w);
    if (eastquad == MD::mdSE) SEavg = Blend(SEcount, SEavg, w);
    if (westquad == MD::mdNW) NWavg = Blend(NWcount, NWavg, w);
    if (westquad == MD::mdSW) SWavg = Blend(SWcount, SWavg, w);
}

bool TfrmMouseMovements::AnyDirectionAverageAbove(int threshold) const {
    for (const int avg : {leftavg, rightavg, upavg, downavg, NEavg, NWavg, SEavg, SWavg}) {
        if (avg > threshold) return true;
    }
    return false;
}

void TfrmMouseMovements::MoveAnchor() {
    if (storedX == 0 && storedY == 0) {
        storedX = lastx;
        storedY = lasty;
        Log(L" no stored data " + PointText(storedX, storedY));
        ResetAverages();
        return;
    }
    if (!xSwapped && !ySwapped) return;
    // A wobble close to the anchor is no reversal: moving the anchor there would make the
    // stroke's remaining length too short to count.
    if (storedX != 0 && storedY != 0 && std::abs(storedY - lasty) <= yPixels &&
        std::abs(storedX - lastx) <= xPixels) {
        return;
    }
    // The turning point is where the cursor was one sample before the reversal showed.
    storedX = lastx;
    storedY = lasty;
    Log(L" direction reversed x,y " + PointText(storedX, storedY));
    ResetAverages();
}

// The path since the anchor turned: the stroke before it ends at the turning point, and the one
// after it is measured from there, not from where the earlier stroke began. What the
// classification from the old anchor proposed no longer holds.
void TfrmMouseMovements::FollowTurn() {
    const TPoint anchor{storedX, storedY};
    if (!turns.StartsAt(anchor)) turns.Restart(anchor);
    turns.Add(cursor);
    const std::optional<TPoint> turn = turns.Turn(MinLeg(), kMinTurnDegrees);
    if (!turn) return;
    // The stroke that ends here keeps the angle it was drawn at, not the one its last answer saw
    // on the way into the next stroke.
    if (!directionAngle.empty() && angleAnchor == anchor)
        directionAngle.back() = HeadingDegrees(turn->x - anchor.x, turn->y - anchor.y);
    storedX = turn->x;
    storedY = turn->y;
    Log(L" heading turned x,y " + PointText(storedX, storedY));
    ResetAverages();
    vertDirection = horzDirection = eastDirection = westDirection = MD::mdNone;
    detectedDirection = MD::mdNone;
}

// The shortest stretch of path whose heading counts: the shorter pixel threshold.
double TfrmMouseMovements::MinLeg() const {
    return std::min(xPixels, yPixels);
}

// With diagonals only: between two perpendicular strokes lies no third direction of the four.
// A reversal needs no wait (it runs back towards the start box, where nothing is answered).
bool TfrmMouseMovements::StillTurning(TMouseDirection answer) const {
    if (!settings.EnableDiagonals || answer == MD::mdNone || angleDirection == MD::mdNone ||
        answer == angleDirection)
        return false;
    const int apart = std::abs(TMouseMovement::DirectionToAngle(answer) -
                               TMouseMovement::DirectionToAngle(angleDirection));
    if (apart == 180) return false;
    return !turns.Established(kEstablishedLegs * MinLeg(), kMaxBendDegrees);
}

// A long stroke that keeps running inside a dead zone is still a stroke: past 1.5 times the pixel
// thresholds its straight sector wins.
void TfrmMouseMovements::LongDeadZoneOverride() {
    if (storedX == 0 || storedY == 0 || detectedDirection != MD::mdNone) return;
    const bool far = std::abs(cursor.x - storedX) > Trunc(1.5 * xPixels) ||
                     std::abs(cursor.y - storedY) > Trunc(1.5 * yPixels);
    if (!far) return;
    ClassifyAngle(false);
    DecideDirection();
    Log(L"long dead zone override " + TMouseMovement::ToString(detectedDirection));
}

TMouseDirection TfrmMouseMovements::StrokeLengthAnswer() {
    const int dx = std::abs(storedX - cursor.x);
    const int dy = std::abs(storedY - cursor.y);
    switch (detectedDirection) {
    case MD::mdUp:
    case MD::mdDown:
        if (dy < yPixels) {
            Log(L" Pixel Failed ");
            return MD::mdNone;
        }
        break;
    case MD::mdLeft:
    case MD::mdRight:
        if (dx < xPixels) {
            Log(L" Pixel Failed ");
            return MD::mdNone;
        }
        break;
    case MD::mdNE:
    case MD::mdNW:
    case MD::mdSE:
    case MD::mdSW:
        // Deliberately the vertical threshold for both axes.
        if (dx + dy < Trunc(1.3 * yPixels)) {
            Log(L" Diagonal Pixel Failed ");
            return MD::mdNone;
        }
        break;
    default:
        break;
    }
    return detectedDirection;
}

// Whole degrees from the anchor to the cursor, 0 = right and growing clockwise as y grows
// downwards; -1 while there is no anchor. Converting radians per half-plane like this gives exactly
// 45, 135, 225 and 315 on the diagonals in double, and those values decide the sector boundaries.
int TfrmMouseMovements::StrokeAngle() const {
    if (storedX == 0 || storedY == 0) return -1;
    return HeadingDegrees(cursor.x - storedX, cursor.y - storedY);
}

int TfrmMouseMovements::HeadingDegrees(int dx, int dy) {
    if (dx == 0) return dy > 0 ? 90 : (dy < 0 ? 270 : 0);
    constexpr double pi = std::numbers::pi;
    const double q = std::atan(static_cast<double>(dy) / dx);
    if (dx > 0 && dy >= 0) return Trunc(q * 180.0 / pi);
    if (dx > 0) return Trunc((q + 2.0 * pi) * 180.0 / pi);
    return Trunc((q + pi) * 180.0 / pi);
}

void TfrmMouseMovements::ClassifyAngle(bool deadZones) {
    const int a = StrokeAngle();
    if (a == -1) return;
    if (a >= 315 || a < 45) {
        horzDirection = MD::mdRight;
    } else if (a < 135) {
        vertDirection = MD::mdDown;
    } else if (a < 225) {
        horzDirection = MD::mdLeft;
    } else {
        vertDirection = MD::mdUp;
    }
    if (!settings.EnableDiagonals) return;

    eastDirection = westDirection = MD::mdNone;
    for (const DiagonalWindow& window : kDiagonalWindows) {
        if (a < window.from || a >= window.to) continue;
        (window.east ? eastDirection : westDirection) = window.diagonal;
        horzDirection = window.horz;
        vertDirection = window.vert;
        break;
    }
    if (!deadZones) return;

    // Between a straight sector and a diagonal window the user's intent is unclear: no candidate.
    const int b = a % 90;
    bool dead = false;
    if (IsDeadZoneOffset(b)) {
        dead = true;
        Log(L"dead zone");
    }
    if (IsDeadZoneOffset(90 - b)) {
        dead = true;
        Log(L"dead zone");
    }
    if (dead) vertDirection = horzDirection = eastDirection = westDirection = MD::mdNone;
}

void TfrmMouseMovements::DecideDirection() {
    if (vertDirection == MD::mdNone || horzDirection == MD::mdNone) {
        detectedDirection = vertDirection == MD::mdNone ? horzDirection : vertDirection;
    } else if (!settings.EnableDiagonals) {
        detectedDirection = std::abs(xavg) <= std::abs(yavg) ? vertDirection : horzDirection;
    } else {
        detectedDirection = eastDirection != MD::mdNone ? eastDirection : westDirection;
    }
}

} // namespace fg
