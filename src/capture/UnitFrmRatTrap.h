// The capture overlay: a see-through, topmost, never-activated window over the monitor under the
// cursor that shows the trail and takes the button release away from the program beneath.
#pragma once

#include "platform/Types.h"

#include <string>

namespace fg {

class TFrmRatTrap {
  public:
    TFrmRatTrap();
    virtual ~TFrmRatTrap();

    virtual void Show(); // FormShow
    virtual void Hide(); // FormHide
    virtual bool Visible() const { return visible; }
    virtual void ReportMouse(TPoint pt, bool startingPoint);

  protected:
    bool visible = false;
};

} // namespace fg
