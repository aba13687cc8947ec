// The program a gesture is meant for, as it was at the press: its window and the control that
// had the keyboard. Where the system hands the button's release to the program the gesture began
// over (the X server's pointer grab under Wine does), that program opens its context menu, which
// would swallow the keystrokes meant for it, or, after a press on its title bar, leaves the
// foreground with nobody, so they would reach no program at all. Putting that right gives the
// foreground back to the program and the keyboard back to that control.
#pragma once

#include "platform/Timer.h"
#include "platform/Types.h"

#include <cstdint>

namespace fg {

class TTargetFocus {
  public:
    TTargetFocus();
    TTargetFocus(const TTargetFocus&) = delete;
    TTargetFocus& operator=(const TTargetFocus&) = delete;

    // The press: remembers the foreground window and its focused control.
    void Remember(HWindow foreground);
    // Closes a visible popup menu that is not the program's own and gives the foreground to the
    // window below it (true), or gives the foreground back to the window of the press when
    // nobody has it; either way the keyboard goes back to the control remembered at the press.
    bool RestoreTarget();
    // After a gesture that ran nothing: closes such a menu now or, for a short while, as soon as
    // it appears. A plain right click sends no gesture and keeps its menu.
    void CloseReleaseMenuSoon();
    // Before a menu of the program's own opens over the target: waits up to `ms` (handling
    // messages) for the menu that the release may open, and closes it. True when one was closed.
    bool CloseReleaseMenuWithin(std::uint32_t ms);
    void timReleaseMenuTimer();

    HWindow Window() const { return window; }

    TTimer timReleaseMenu;
    static constexpr std::uint32_t kReleaseMenuBudgetMs = 500;

  private:
    void GiveBackKeyboard();

    HWindow window = 0;
    HWindow control = 0;
    std::uint32_t waited = 0;
};

} // namespace fg
