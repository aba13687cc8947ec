// The capture overlay's native window: a colour-keyed layered popup that is never activated.
#pragma once

#include "capture/UnitFrmRatTrap.h"
#include "capture/UnitTrailSurface_win32.h"
#include "platform/win32/Window.h"

#include <memory>
#include <string>

namespace fg {

class TFrmRatTrapWindow : public TWin32Window, public IRatTrapView {
  public:
    TFrmRatTrapWindow(IDesktop& desktop, IInput& input);
    ~TFrmRatTrapWindow() override;

    TFrmRatTrap& Logic() { return *logic; }
    const TTrailSurface& Trail() const { return *surface; }
    // Where lblHint sits in the client area.
    RECT HintRect() const { return hintRect; }

    void ShowOverlay() override;
    void HideOverlay() override;
    void CoverMonitor(const TRect& monitor) override;
    TPoint ClientFromScreen(TPoint screen) override;
    void SetHintText(const std::wstring& text) override;
    void SetKeyColor(TColor key) override;
    ICanvas& Surface() override { return *surface; }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged(const RECT& suggested) override;

  private:
    void Paint();

    std::unique_ptr<TTrailSurface> surface;
    std::wstring hint;
    RECT hintRect{};
    std::unique_ptr<TFrmRatTrap> logic;
};

} // namespace fg
