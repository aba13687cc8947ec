// The gesture editor: direction buttons and a monitor-edge choice compose a gesture string, with
// its human-readable form and a live picture. It lives beside the gesture files because it shows
// their human-readable form and the gesture pictures.
#pragma once

#include "platform/Picture.h"
#include "vocabulary/UnitMouseMovement.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace fg {

// The eight direction buttons, numbered as the strokes they add (TMouseDirection 0 to 7).
enum TDirectionButton : int { btnUP, btnDown, btnLeft, btnRight, btnNE, btnNW, btnSE, btnSW };
constexpr int kDirectionButtonCount = 8;

// The monitor-position list's entries, in their order.
enum TMonitorPos : int { mpAnywhere, mpTop, mpBottom, mpLeftSide, mpRightSide };
const std::vector<std::wstring>& MonitorPosEntries();

constexpr int kGesturePreviewWidth = 105;
constexpr int kGesturePreviewHeight = 100;

// What the editor asks of its native panel, which mirrors the editor's state.
class IGestureEditView {
  public:
    virtual ~IGestureEditView() = default;
    // The text, the buttons, the monitor position and the picture as the editor holds them now.
    virtual void Mirror() = 0;
};

// The panel's logic (the wizard's first page).
class TFrameGestureEdit {
  public:
    // diagonalsEnabled: the mouse monitor's diagonals setting, asked whenever the buttons reset.
    explicit TFrameGestureEdit(std::function<bool()> diagonalsEnabled);
    virtual ~TFrameGestureEdit() = default;
    void Init();
    void SetGesture(const std::wstring& value);
    // name: the human-readable form; gesture: the gesture string.
    bool GetGesture(std::wstring& name, std::wstring& gesture);

    // Events of the controls.
    void DirectionClick(TDirectionButton b);
    void btnUndoClick();
    void btnClearClick();
    void cbxMonitorPosSelect(int index);

    // The state the panel mirrors.
    const std::wstring& Gesture() const { return gesture; }
    const std::wstring& Text() const { return text; }
    int MonitorPos() const { return monitorPos; }
    bool ButtonEnabled(TDirectionButton b) const { return buttons[b].enabled; }
    bool ButtonVisible(TDirectionButton b) const { return buttons[b].visible; }
    // The preview at 96 DPI, and drawn for another DPI at the size the panel gives it there.
    const TPicture& imgPreview() const { return preview; }
    TPicture Preview(int dpi) const;

    // The native panel; null detaches it. It is mirrored at once.
    void SetView(IGestureEditView* v);

  private:
    struct ButtonState {
        bool enabled = true;
        bool visible = true;
    };
    void Load(const std::wstring& value);
    void ResetButtons();
    void ApplyMonitorPos();
    void Redraw();
    void Changed();

    std::function<bool()> diagonalsEnabled;
    IGestureEditView* view = nullptr;
    std::wstring gesture;
    std::wstring text;
    int monitorPos = mpAnywhere;
    std::array<ButtonState, kDirectionButtonCount> buttons{};
    TPicture preview{kGesturePreviewWidth, kGesturePreviewHeight};
};

} // namespace fg
