// A dispatcher for tests of the mouse monitor: every program enabled, no gesture bound.
#pragma once

#include "vocabulary/IGestureReceiver.h"

#include <string>

namespace fg::test {

class NoBindings : public IGestureReceiver {
  public:
    bool ProgramIsDisabled() override { return false; }
    bool ReportGestures(const std::wstring&, bool) override { return false; }
    bool ReportGesturesDiagonal(const std::wstring&) override { return false; }
    void ReportDisableGestures() override {}
    void ReportEnableGestures() override {}
    void ReportFirstDirection(TMouseDirection) override {}
};

} // namespace fg::test
