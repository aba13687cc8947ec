// The gesture editor: direction buttons and a monitor-edge choice compose a gesture string, with
// its human-readable form and a live picture. It lives beside the gesture files because it shows
// their human-readable form and the gesture pictures.
#pragma once

#include <functional>
#include <string>

namespace fg {

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
};

} // namespace fg
