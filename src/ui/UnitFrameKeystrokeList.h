// The keystroke list editor: builds the list of keystrokes of a "Multiple Keystrokes" action,
// each captured with the modal keystroke window.
#pragma once

#include <string>
#include <vector>

namespace fg {

// The panel's logic (the wizard's "Multiple Keystrokes" page).
class TFrameKeystrokeList {
  public:
    virtual ~TFrameKeystrokeList() = default;
    void Init();
    // Loads a keystroke list: stored keystrokes separated by "|".
    void SetKeystrokeList(const std::wstring& initdata);
    // Clears sl and adds the stored form of every row in order.
    bool GetKeystrokeList(std::vector<std::wstring>& sl, const std::wstring& initdata);
};

} // namespace fg
