// The tooltip: a small pop-up near the cursor with a few words or a picture, never taking the
// focus; and the hidden window that owns the tooltips made after it.
#pragma once

#include "app/UnitTWideChar.h"
#include "platform/Picture.h"
#include "platform/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fg {

class TTooltipWindow;
class TFrmDummyUnicodeTooltip;

// The native window of one showing: made when a show begins, destroyed with this object when the
// tooltip closes. fontPoints is the size of the system's hint font, 0 for the system's own size;
// the font is always drawn without style.
class ITooltipView {
  public:
    virtual ~ITooltipView() = default;
    // Width and height of the text laid out with the tooltip's text flags, starting from a
    // 300 x 300 rectangle; nothing is drawn.
    virtual TPoint MeasureText(const std::wstring& text, int fontPoints) = 0;
    // Width and height of one run of text, as a canvas's text width and height give them.
    virtual TPoint TextExtent(const std::wstring& text, int fontPoints) = 0;
    // Creates the window at r (screen coordinates, frame included), topmost, and shows it without
    // activating it.
    virtual void ShowAt(const TRect& r) = 0;
    // Fills the client area with the window colour and draws the text into textRect.
    virtual void PaintText(const std::wstring& text, const TRect& textRect, int fontPoints) = 0;
    // Stretches the picture into pictureRect over the tooltip colour; a non-empty header goes at
    // the top-left corner.
    virtual void PaintPicture(const TPicture& pic, const TRect& pictureRect,
                              const std::wstring& header, int fontPoints) = 0;
    // The window's screen rectangle; false when the system has none.
    virtual bool WindowRect(TRect& r) = 0;
};

// Makes the view of one showing of tooltip, whose native window is owned by owner (0: none).
using TooltipViewFactory =
    std::function<std::unique_ptr<ITooltipView>(TTooltipWindow& tooltip, HWindow owner)>;

// The factory tooltips use when they were given none; start-up installs the native one. Without
// one, tooltips record their showings and draw nothing.
void SetTooltipViewFactory(TooltipViewFactory factory);

class TTooltipWindow {
  public:
    // views: where its native windows come from; unset, the process-wide factory. Made while
    // TFrmDummyUnicodeTooltip exists, the tooltip is owned by it.
    explicit TTooltipWindow(TooltipViewFactory views = {});
    virtual ~TTooltipWindow();
    TTooltipWindow(const TTooltipWindow&) = delete;
    TTooltipWindow& operator=(const TTooltipWindow&) = delete;

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
    // The answer to the system's hit test, whose point comes packed as two signed 16-bit screen
    // coordinates: true for the client area, false for nowhere.
    bool HitTestClient(std::intptr_t lParam) const;
    // The top-left corner where the window was last placed.
    TPoint Position() const { return position; }
    // The hint font's size in points, 0 while it is the system's.
    int FontPoints() const { return fontPoints; }

  protected:
    bool ShowingHint = false;
    TPoint position;

  private:
    friend class TFrmDummyUnicodeTooltip;
    ITooltipView& OpenView();
    TooltipViewFactory views;
    std::unique_ptr<ITooltipView> view;
    TFrmDummyUnicodeTooltip* owner = nullptr;
    int fontPoints = 0;
};

// The hidden window that owns the tooltips made after it: destroying it closes their windows.
class TFrmDummyUnicodeTooltip {
  public:
    explicit TFrmDummyUnicodeTooltip(HWindow handle = 0);
    ~TFrmDummyUnicodeTooltip();
    TFrmDummyUnicodeTooltip(const TFrmDummyUnicodeTooltip&) = delete;
    TFrmDummyUnicodeTooltip& operator=(const TFrmDummyUnicodeTooltip&) = delete;

    void FormCreate();
    HWindow Handle() const { return handle; }
    std::size_t OwnedCount() const { return owned.size(); }

  private:
    friend class TTooltipWindow;
    HWindow handle;
    std::vector<TTooltipWindow*> owned;
};

// The one owner window; null before start-up creates it and after it is destroyed.
extern TFrmDummyUnicodeTooltip* FrmDummyUnicodeTooltip;

} // namespace fg
