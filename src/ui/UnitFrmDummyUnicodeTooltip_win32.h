// The tooltip's native window, made at every show and destroyed at every close, and the hidden
// window that owns the tooltips made after it.
#pragma once

#include "platform/win32/Window.h"
#include "ui/UnitFrmDummyUnicodeTooltip.h"

#include <memory>

namespace fg {

// Makes every tooltip without a factory of its own show in a native window.
void InstallWin32Tooltips();

class TTooltipNativeWindow : public TWin32Window, public ITooltipView {
  public:
    TTooltipNativeWindow(const TTooltipWindow& tooltip, HWND owner);
    ~TTooltipNativeWindow() override;

    TPoint MeasureText(const std::wstring& text, int fontPoints) override;
    TPoint TextExtent(const std::wstring& text, int fontPoints) override;
    void ShowAt(const TRect& r) override;
    void PaintText(const std::wstring& text, const TRect& textRect, int fontPoints) override;
    void PaintPicture(const TPicture& pic, const TRect& pictureRect, const std::wstring& header,
                      int fontPoints) override;
    bool WindowRect(TRect& r) override;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    // The client area as last painted: kept so that the system can ask for it again.
    HDC BeginContent(COLORREF background);
    void EndContent();
    void ShowContent(HDC target);

    const TTooltipWindow& tooltip;
    HWND owner;
    HDC contentDc = nullptr;
    HBITMAP content = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    SIZE contentSize{0, 0};
};

class TFrmDummyUnicodeTooltipWindow : public TWin32Window {
  public:
    TFrmDummyUnicodeTooltipWindow();
    ~TFrmDummyUnicodeTooltipWindow() override;
    TFrmDummyUnicodeTooltip& Logic() { return *logic; }

  private:
    std::unique_ptr<TFrmDummyUnicodeTooltip> logic;
};

} // namespace fg
