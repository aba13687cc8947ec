#include "capture/UnitKeyboardQuery.h"

#include "app/UnitMisc.h"
#include "capture/UnitRightButtonGate.h"
#include "platform/IDesktop.h"
#include "platform/IInput.h"

namespace fg {

TKeyboardQuery::TKeyboardQuery(IInput& i, IDesktop& d, const TRightButtonGate* g)
    : input(i), desktop(d), gate(g) {}

bool TKeyboardQuery::IsClicked(MouseButton bi) const {
    if (bi == MouseButton::RightButton && gate && gate->On()) return gate->RightDown();
    // The key state is the physical buttons'; which of them is which follows the user's setting,
    // so a left-handed user draws with the left button and selects text with the right one.
    return input.ButtonDown(bi == MouseButton::leftButton ? PrimaryButtonKey(input)
                                                          : SecondaryButtonKey(input));
}

bool TKeyboardQuery::IsPressed(int VKConstant) const {
    return input.KeyDown(VKConstant);
}

bool TKeyboardQuery::LockOn(int VKConstant) const {
    return input.KeyToggled(VKConstant);
}

void TKeyboardQuery::WaitUntilRelease(MouseButton bi) const {
    while (IsClicked(bi)) {
        desktop.ProcessMessages();
        WaitProcessingMessages(10);
        // A session that ends while the button is held must not keep the program waiting.
        if (desktop.Terminating()) return;
    }
}

} // namespace fg
