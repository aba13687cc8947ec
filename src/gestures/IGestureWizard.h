// The gesture wizard as the Edit Gestures window uses it: opened empty or on a binding, modally,
// and read after "Finish". The wizard never touches the gesture files.
#pragma once

#include "gestures/UnitGestureStore.h"

#include <string>

namespace fg {

class IGestureWizard {
  public:
    virtual ~IGestureWizard() = default;
    // Both run the wizard modally; true when the user pressed "Finish".
    virtual bool NewGesture() = 0;
    // On the binding handed in through SetGesture, SetActionType and SetActionData (in that
    // order); on the action page when DataPage is true.
    virtual bool EditGesture(bool DataPage) = 0;

    virtual std::wstring Gesture() const = 0;
    virtual void SetGesture(const std::wstring& value) = 0;
    virtual std::wstring GestureName() const = 0;
    virtual TActionType ActionType() const = 0;
    virtual void SetActionType(TActionType value) = 0;
    virtual std::wstring ActionData() const = 0;
    virtual void SetActionData(const std::wstring& value) = 0;
};

} // namespace fg
