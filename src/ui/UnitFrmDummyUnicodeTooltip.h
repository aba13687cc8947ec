// The tooltip: a small pop-up near the cursor with a few words or a picture, never taking the
// focus; and the hidden window that owns the tooltips made after it.
#pragma once

#include "app/UnitTWideChar.h"
#include "platform/Picture.h"
#include "platform/Types.h"

#include <string>

namespace fg {

class TTooltipWindow {
  public:
    TTooltipWindow();
    virtual ~TTooltipWindow();

    // Slots in the order the program's design gives them.
    virtual void AdjustTooltipRect(TRect& R, TPoint Pos);
    virtual void ShowTooltip(const std::wstring& s, TPoint Pos, bool UseHelpString,
                             const std::wstring& header);
    virtual void ShowTooltip(const TWideChar& inwc, TPoint Pos, bool UseHelpString,
                             const std::wstring& header);
    virtual void ShowTooltip(const TPicture& pic, TPoint Pos, const std::wstring& header);

    virtual void CloseTooltip(bool fade);
    bool IsShowing() const { return ShowingHint; }
    bool IsHit(TPoint Pos) const;
    // The top-left corner where the window was last placed.
    TPoint Position() const { return position; }

  protected:
    bool ShowingHint = false;
    TPoint position;
};

} // namespace fg
