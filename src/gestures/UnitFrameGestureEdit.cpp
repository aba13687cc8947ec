#include "gestures/UnitFrameGestureEdit.h"

#include "gestures/UnitGestureStore.h"
#include "platform/Dpi.h"
#include "ui/UnitDrawGesture.h"

#include <utility>

namespace fg {

namespace {

using MD = TMouseDirection;

// A stroke leaves its own button and the two that share a component with it disabled: the same
// direction twice in a row is no gesture.
constexpr std::array<std::array<TDirectionButton, 3>, kDirectionButtonCount> kDisabledAfter = {{
    {btnUP, btnNE, btnNW},
    {btnDown, btnSE, btnSW},
    {btnLeft, btnNW, btnSW},
    {btnRight, btnNE, btnSE},
    {btnNE, btnUP, btnRight},
    {btnNW, btnUP, btnLeft},
    {btnSE, btnDown, btnRight},
    {btnSW, btnDown, btnLeft},
}};

struct Edge {
    MD direction;
    TDirectionButton offEdge; // the stroke that would leave the screen at this edge
};

// Indexed by TMonitorPos; "Anywhere" has no edge.
constexpr Edge kEdges[] = {
    {MD::mdNone, btnUP},      {MD::mdMonTop, btnUP},      {MD::mdMonBottom, btnDown},
    {MD::mdMonLeft, btnLeft}, {MD::mdMonRight, btnRight},
};

int MonitorPosOf(wchar_t ch) {
    const MD d = TMouseMovement::CharToDirection(ch);
    for (int i = mpTop; i <= mpRightSide; ++i)
        if (kEdges[i].direction == d) return i;
    return mpAnywhere;
}

bool IsDiagonalButton(int b) {
    return b >= btnNE;
}

} // namespace

const std::vector<std::wstring>& MonitorPosEntries() {
    static const std::vector<std::wstring> entries = {L"Anywhere", L"Top", L"Bottom", L"Left Side",
                                                      L"Right Side"};
    return entries;
}

TFrameGestureEdit::TFrameGestureEdit(std::function<bool()> diagonals)
    : diagonalsEnabled(std::move(diagonals)) {
    // The setting is not asked yet: what it reads may not exist before start-up ends. Init or
    // SetGesture asks it before the panel is used.
    for (int b = btnNE; b <= btnSW; ++b)
        buttons[b].visible = false;
    Redraw();
}

void TFrameGestureEdit::SetView(IGestureEditView* v) {
    view = v;
    Changed();
}

void TFrameGestureEdit::Changed() {
    text = ToHumanReadable(gesture);
    if (view) view->Mirror();
}

void TFrameGestureEdit::ResetButtons() {
    const bool diagonals = diagonalsEnabled && diagonalsEnabled();
    for (int b = 0; b < kDirectionButtonCount; ++b)
        buttons[b] = {true, !IsDiagonalButton(b) || diagonals};
}

void TFrameGestureEdit::Redraw() {
    preview = Preview(kDesignDpi);
}

TPicture TFrameGestureEdit::Preview(int dpi) const {
    TPicture picture(ScaleByDpi(kGesturePreviewWidth, dpi), ScaleByDpi(kGesturePreviewHeight, dpi));
    TRecordingCanvas canvas(picture);
    if (gesture.empty())
        TFrmDrawGesture::ClearImage(canvas);
    else
        TFrmDrawGesture::GetImage(gesture, canvas, picture.Width, picture.Height); // clears first
    return picture;
}

void TFrameGestureEdit::DirectionClick(TDirectionButton b) {
    if (b < 0 || b >= kDirectionButtonCount) return;
    gesture += TMouseMovement::ToChar(static_cast<MD>(b));
    Redraw();
    ResetButtons();
    for (TDirectionButton off : kDisabledAfter[b])
        buttons[off].enabled = false;
    Changed();
}

void TFrameGestureEdit::ApplyMonitorPos() {
    if (!gesture.empty() && TMouseMovement::IsMonitorPosition(gesture.front())) gesture.erase(0, 1);
    ResetButtons();
    if (monitorPos == mpAnywhere) return Redraw();
    if (gesture.empty()) buttons[kEdges[monitorPos].offEdge].enabled = false;
    gesture.insert(0, TMouseMovement::ToChar(kEdges[monitorPos].direction));
    Redraw();
}

void TFrameGestureEdit::cbxMonitorPosSelect(int index) {
    if (index < mpAnywhere || index > mpRightSide) return;
    monitorPos = index;
    ApplyMonitorPos();
    Changed();
}

void TFrameGestureEdit::btnClearClick() {
    gesture.clear();
    // A chosen edge stays: clearing takes the strokes away, not where the gesture starts.
    ApplyMonitorPos();
    ResetButtons();
    Redraw();
    Changed();
}

void TFrameGestureEdit::btnUndoClick() {
    if (!gesture.empty()) {
        std::wstring rest = gesture;
        rest.pop_back();
        Load(rest);
    }
    ResetButtons();
    Redraw();
    Changed();
}

void TFrameGestureEdit::SetGesture(const std::wstring& value) {
    Load(value);
    Changed();
}

void TFrameGestureEdit::Load(const std::wstring& value) {
    gesture = value;
    monitorPos = value.empty() ? mpAnywhere : MonitorPosOf(value.front());
    // Also for the empty gesture: a stroke's disabled buttons and its picture must not outlive it.
    ResetButtons();
    Redraw();
}

void TFrameGestureEdit::Init() {
    // A new gesture starts anywhere, whatever edge the last one edited started at.
    monitorPos = mpAnywhere;
    btnClearClick();
}

bool TFrameGestureEdit::GetGesture(std::wstring& name, std::wstring& value) {
    name = text;
    value = gesture;
    return !gesture.empty();
}

} // namespace fg
