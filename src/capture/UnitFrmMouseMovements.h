// The movement analysis: turns the cursor samples that the mouse monitor takes while the right
// button is held into at most one stroke direction per sample. It reaches nothing outside itself:
// whoever feeds it hands over its settings and, with each sample, the monitor the sample lies on.
#pragma once

#include "capture/UnitStrokeTurns.h"
#include "platform/Dpi.h"
#include "platform/Types.h"
#include "vocabulary/UnitMouseMovement.h"

#include <string>
#include <vector>

namespace fg {

class IDesktop;

// What the analysis is tuned by: the values of the settings file ("defaults.ini" holds every
// default). The pixel thresholds are in 96-DPI pixels.
struct TMovementSettings {
    int xThreshold = 0;
    int yThreshold = 0;
    int XPixelThreshold = 0;
    int YPixelThreshold = 0;
    float deltaBias = 0;
    float directionBias = 0;
    int directionThreshold = 0;
    bool EnableDiagonals = false;
    // Besides a reversal of the averaged speeds, a turn of the path's heading moves the anchor to
    // the turning point (off: the classic analysis alone, to the byte).
    bool PreciseCorners = false;
};

// The monitor nearest to a sample, as the desktop names it.
struct TMonitorGeometry {
    TRect bounds;
    int dpi = kDesignDpi;
    bool found = false; // the desktop named no monitor
};

// What the desktop says about the monitor nearest to p (a DPI of 0 or less counts as 96).
TMonitorGeometry MonitorGeometryAt(IDesktop& desktop, TPoint p);

class TfrmMouseMovements {
  public:
    explicit TfrmMouseMovements(const TMovementSettings& settings = {}); // FormCreate
    // The settings of the next gesture: the next pressed sample starts one afresh. What the last
    // gesture left (its angles, its points) stays readable until then.
    void Reset(const TMovementSettings& settings);
    const TMovementSettings& Settings() const { return settings; }

    // One sample, with the monitor nearest to P: a stroke direction recognised at P, otherwise
    // mdNone (never a monitor position). The first pressed sample starts a gesture; its monitor's
    // DPI scales the pixel thresholds for the whole gesture. A released sample needs no monitor.
    TMouseDirection ReportMousePoint(TPoint P, bool IsDown, const TMonitorGeometry& monitor = {});
    // Outside the start box and the last analysed sample moved: time to start the trail.
    bool IsMoving() const;
    TPoint GetStartingPoint() const { return {startingx, startingy}; }
    // The angle (screen degrees) at which the stroke at this zero-based position of the gesture
    // string was drawn; -1 when the gesture has no stroke there.
    int GetDirectionAngle(int index) const;
    // The anchor the stroke angles are measured from; (0, 0) before the first analysed sample.
    TPoint GetStoredPoint() const { return {storedX, storedY}; }

  private:
    void InitVars(int dpi);
    void ScalePixelThresholds(int dpi);
    void ResetAverages();
    void TakeSample(const TMonitorGeometry& monitor);
    void AxisDirections();
    void DirectionAverages();
    bool AnyDirectionAverageAbove(int threshold) const;
    void MoveAnchor();
    void FollowTurn();
    double MinLeg() const;
    bool StillTurning(TMouseDirection answer) const;
    void LongDeadZoneOverride();
    TMouseDirection StrokeLengthAnswer();
    void RecordStrokeAngle(TMouseDirection answer);
    int StrokeAngle() const;
    static int HeadingDegrees(int dx, int dy);
    void ClassifyAngle(bool deadZones);
    void DecideDirection();

    TMovementSettings settings;
    TPoint cursor; // P of the current call

    // The pixel thresholds at the DPI of the monitor where the gesture started.
    int xPixels = 0, yPixels = 0;
    int startingx = 0, startingy = 0;
    int lastx = 0, lasty = 0; // 0 counts as unset
    int xdelta = 0, ydelta = 0;
    int xavg = 0, yavg = 0;       // 1/1800ths of the monitor's width / height per sample
    int xbinary = 0, ybinary = 0; // -1, 0 (no sign yet) or 1
    bool xSwapped = false, ySwapped = false;
    int storedX = 0, storedY = 0; // the anchor; (0, 0) is none
    int leftcount = 0, rightcount = 0, upcount = 0, downcount = 0;
    int NEcount = 0, NWcount = 0, SEcount = 0, SWcount = 0;
    int leftavg = 0, rightavg = 0, upavg = 0, downavg = 0;
    int NEavg = 0, NWavg = 0, SEavg = 0, SWavg = 0;
    TMouseDirection vert = TMouseDirection::mdNone, horz = TMouseDirection::mdNone;
    TMouseDirection eastquad = TMouseDirection::mdNone, westquad = TMouseDirection::mdNone;
    TMouseDirection vertDirection = TMouseDirection::mdNone;
    TMouseDirection horzDirection = TMouseDirection::mdNone;
    TMouseDirection eastDirection = TMouseDirection::mdNone;
    TMouseDirection westDirection = TMouseDirection::mdNone;
    TMouseDirection detectedDirection = TMouseDirection::mdNone;
    TMouseDirection lastDetectedDirection = TMouseDirection::mdNone;
    TMouseDirection lastAddDirection = TMouseDirection::mdNone;
    bool WasDown = false;

    TStrokeTurns turns; // the samples since the anchor, with precise corners only

    std::vector<int> directionAngle;
    // The stroke whose angle directionAngle.back() holds.
    TMouseDirection angleDirection = TMouseDirection::mdNone;
    TPoint angleAnchor; // the anchor it was measured from
};

} // namespace fg
