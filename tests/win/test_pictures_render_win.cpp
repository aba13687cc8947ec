// The gesture and direction pictures drawn with GDI, as the user sees them, checked at a few
// telling pixels. The whole sheet is also written beside the test program as
// "rendered-pictures.bmp" for a person to look at.
#include "app/UnitMisc.h"
#include "capture/UnitDirectionPictures.h"
#include "platform/win32/GdiCanvas.h"
#include "ui/UnitDrawGesture.h"
#include "ui/UnitFrmDummyUnicodeTooltip_win32.h"

#include "WinShots_win32.h"
#include "WinTestSupport_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace fg {
namespace {

using test::PumpFor;

using MD = TMouseDirection;

constexpr int kSheetWidth = 700;
constexpr int kSheetHeight = 260;
const wchar_t* const kGestures[] = {L"03", L"A1", L"0213", L"01", L"033", L"211"};
const MD kDirections[] = {MD::mdUp,   MD::mdNE, MD::mdRight, MD::mdSE,
                          MD::mdDown, MD::mdSW, MD::mdLeft,  MD::mdNW};

// A white sheet to draw the pictures on, saved when the test ends.
class Sheet {
  public:
    Sheet() {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, kSheetWidth, kSheetHeight);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        RECT all{0, 0, kSheetWidth, kSheetHeight};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Sheet() {
        test::SaveBitmap(dc, bitmap, kSheetWidth, kSheetHeight,
                         GetDataPath() + L"rendered-pictures.bmp");
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    // Draws with the origin moved to (x, y).
    template <typename F> void At(int x, int y, F&& draw) {
        POINT previous;
        SetViewportOrgEx(dc, x, y, &previous);
        draw(dc);
        SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
    }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc, x, y); }
    HDC dc;

  private:
    HBITMAP bitmap;
    HGDIOBJ old;
};

bool IsDark(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
}
bool IsWhite(COLORREF c) {
    return c == RGB(255, 255, 255);
}

TEST(RenderedPictures, GesturesDirectionsAndTooltipsLookAsDrawn) {
    Sheet sheet;
    for (int i = 0; i < 6; ++i)
        sheet.At(10 + i * 115, 10, [&](HDC dc) {
            TGdiCanvas canvas(dc, {0, 0, 105, 100});
            TFrmDrawGesture::GetImage(kGestures[i], canvas, 105, 100);
        });
    // "03": a black frame, white inside, the filled up arrowhead at (12, 12), the cyan bar of
    // "A1" at its top centre.
    EXPECT_TRUE(IsDark(sheet.Pixel(10, 10)));
    EXPECT_TRUE(IsDark(sheet.Pixel(10 + 104, 10 + 99)));
    EXPECT_TRUE(IsWhite(sheet.Pixel(10 + 50, 10 + 50)));
    EXPECT_TRUE(IsDark(sheet.Pixel(10 + 12, 10 + 14)));
    EXPECT_TRUE(IsDark(sheet.Pixel(10 + 85, 10 + 12)));
    EXPECT_EQ(sheet.Pixel(125 + 52, 10 + 2), RGB(0, 255, 255));
    // The dotted stroke of "03" between its ends: some pixels black, some white.
    int black = 0;
    for (int y = 30; y < 70; ++y)
        black += IsDark(sheet.Pixel(10 + 12, 10 + y)) ? 1 : 0;
    EXPECT_GT(black, 10);
    EXPECT_LT(black, 30);

    for (int i = 0; i < 8; ++i) {
        const int x = 10 + i * 60;
        sheet.At(x, 130, [&](HDC dc) {
            TGdiCanvas canvas(dc, {0, 0, 42, 39});
            DirectionPicture(kDirections[i]).DrawOn(canvas);
        });
        SCOPED_TRACE(i);
        EXPECT_TRUE(IsWhite(sheet.Pixel(x, 130)));
        EXPECT_TRUE(IsWhite(sheet.Pixel(x + 41, 130 + 38)));
        EXPECT_FALSE(IsWhite(sheet.Pixel(x + 20, 130 + 19))); // the shaft crosses the centre
    }
    // The tip of the up arrow is near the top, the tip of the right arrow near the right.
    EXPECT_FALSE(IsWhite(sheet.Pixel(10 + 20, 130 + 5)));
    EXPECT_FALSE(IsWhite(sheet.Pixel(130 + 35, 130 + 19)));

    // The pictures as the tooltip shows them, copied from the screen.
    InstallWin32Tooltips();
    for (int i = 0; i < 8; ++i) {
        TTooltipWindow tt;
        tt.ShowTooltip(DirectionPicture(kDirections[i]), {600, 400}, L"");
        PumpFor(30);
        HDC screen = GetDC(nullptr);
        BitBlt(sheet.dc, 10 + i * 60, 190, 46, 39, screen, 600, 400, SRCCOPY);
        ReleaseDC(nullptr, screen);
        tt.CloseTooltip(false);
    }
    {
        TTooltipWindow tt;
        tt.ShowTooltip(L"UP+RIGHT", {600, 400}, false, L"");
        PumpFor(30);
        HDC screen = GetDC(nullptr);
        BitBlt(sheet.dc, 500, 190, 120, 30, screen, 595, 395, SRCCOPY);
        ReleaseDC(nullptr, screen);
        tt.CloseTooltip(false);
    }
    SetTooltipViewFactory({});
}

} // namespace
} // namespace fg
