// The scratchpad's native window: a title panel with two flat buttons over a white drawing area,
// framed in grey; it never keeps the focus.
#pragma once

#include "capture/UnitFrmScratchpad.h"
#include "capture/UnitTrailSurface_win32.h"
#include "platform/win32/Window.h"

#include <memory>

namespace fg {

class TFrmScratchPadWindow : public TWin32Window, public IScratchPadView {
  public:
    TFrmScratchPadWindow(IDesktop& desktop, IInput& input);
    ~TFrmScratchPadWindow() override;

    TFrmScratchPad& Logic() { return *logic; }
    const TTrailSurface& Trail() const { return *surface; }
    // Draws the whole pad as it looks now (the screen does not have to show it).
    void PaintPad(HDC dc);

    void PlacePad(const TRect& bounds) override;
    void SetTopmost(bool topmost) override;
    void AddToolWindowStyle() override;
    void ShowPad(bool show) override;
    void EnablePad(bool enable) override;
    ICanvas& DrawingArea() override { return *surface; }

    enum : int { idNone = 0, btnGestures = 1, btnHelp = 2 };

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged(const RECT& suggested) override;

  private:
    void Paint();
    void AddHints();
    int ButtonAt(LPARAM lParam) const;
    RECT ButtonRect(int id) const; // at the pad's DPI
    void InvalidateButton(int id);
    void SetHot(int id);
    void MouseMoved(LPARAM lParam);
    void MouseLeft();
    void WatchLeaving();
    bool CursorOverPad() const;
    void ButtonReleased(LPARAM lParam);

    std::unique_ptr<TTrailSurface> surface;
    std::unique_ptr<TFrmScratchPad> logic;
    HWND hints = nullptr;
    bool tracking = false; // the mouse is over the pad and its leaving is watched
    int hot = idNone;
    int pressed = idNone;
};

} // namespace fg
