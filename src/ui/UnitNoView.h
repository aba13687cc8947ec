// The view of a window that has no native window (the unit tests, a window not made yet): the
// window is only a flag that Show and Hide set.
#pragma once

#include "platform/Types.h"

namespace fg {

template <typename View> class TNoView : public View {
  public:
    void Mirror() override {}
    bool IsShowing() override { return showing; }
    void Show() override { showing = true; }
    void Hide() override { showing = false; }
    HWindow Handle() override { return 0; }

  private:
    bool showing = false;
};

} // namespace fg
