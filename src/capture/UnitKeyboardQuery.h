// Key and mouse-button state as the monitor reads it, and waiting for a button's release.
#pragma once

#include <cstdint>

namespace fg {

class IDesktop;
class IInput;
class TRightButtonGate;

enum class MouseButton : std::uint8_t { leftButton = 0, RightButton = 1 };

class TKeyboardQuery {
  public:
    // gate: while it is on, the right button's state is read from it, since a press it holds
    // back is not in the system's key state; null for none. desktop handles the window messages
    // while WaitUntilRelease waits.
    TKeyboardQuery(IInput& input, IDesktop& desktop, const TRightButtonGate* gate = nullptr);

    // Whether the button is down: the right button is the secondary one and the left button the
    // primary one, whichever physical buttons the user's setting makes them. The right button is
    // the gate's while the gate is on.
    bool IsClicked(MouseButton bi) const;
    bool IsPressed(int VKConstant) const;
    // Whether the key's toggle is on (Scroll Lock for the tray).
    bool LockOn(int VKConstant) const;
    // Returns once the button is up; window messages keep being handled meanwhile.
    void WaitUntilRelease(MouseButton bi) const;

  private:
    IInput& input;
    IDesktop& desktop;
    const TRightButtonGate* gate;
};

} // namespace fg
