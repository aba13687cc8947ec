#include "ui/UnitPopupIcons.h"

#include <algorithm>
#include <initializer_list>

namespace fg {

namespace {

constexpr TColor kInk = RGB_(40, 44, 52);
constexpr TColor kBlue = RGB_(36, 104, 200);
constexpr TColor kPaleBlue = RGB_(206, 226, 250);
constexpr TColor kGrey = RGB_(150, 154, 160);
constexpr TColor kPaper = RGB_(252, 252, 248);
constexpr TColor kAmber = RGB_(232, 160, 32);

// Draws on the 16-unit grid, scaled to the icon's pixel size.
class TIconCanvas {
  public:
    TIconCanvas(TPicture& p, int pixels, int leftMargin = 0)
        : c(p), size(pixels), margin(leftMargin) {
        c.SetBrush(kIconTransparent, BrushStyle::Solid);
        c.FillRect({0, 0, p.Width, p.Height});
    }
    int S(int units) const { return units * size / 16; }
    int X(int units) const { return margin + S(units); }
    int Line() const { return std::max(1, size / 16); }

    void Fill(TColor colour, int l, int t, int r, int b) {
        c.SetBrush(colour, BrushStyle::Solid);
        c.FillRect({X(l), S(t), X(r), S(b)});
    }
    void Box(TColor edge, TColor inside, int l, int t, int r, int b) {
        Fill(edge, l, t, r, b);
        const int w = Line();
        c.SetBrush(inside, BrushStyle::Solid);
        c.FillRect({X(l) + w, S(t) + w, X(r) - w, S(b) - w});
    }
    void Shape(TColor edge, TColor inside, std::initializer_list<TPoint> units) {
        std::vector<TPoint> pts;
        for (TPoint p : units)
            pts.push_back({X(p.x), S(p.y)});
        c.SetPen(edge, 1, PenStyle::Solid);
        c.SetBrush(inside, BrushStyle::Solid);
        c.Polygon(pts);
    }
    void Stroke(TColor colour, int width, std::initializer_list<TPoint> units) {
        c.SetPen(colour, std::max(1, width * size / 16), PenStyle::Solid);
        bool first = true;
        for (TPoint p : units) {
            if (first)
                c.MoveTo(X(p.x), S(p.y));
            else
                c.LineTo(X(p.x), S(p.y));
            first = false;
        }
    }

  private:
    TRecordingCanvas c;
    int size;
    int margin;
};

// Three sliders, each with its knob somewhere else.
void DrawConfigure(TIconCanvas& k) {
    for (int row : {3, 8, 13})
        k.Fill(kGrey, 1, row - 1, 15, row + 1);
    k.Box(kInk, kBlue, 9, 1, 13, 6);
    k.Box(kInk, kBlue, 3, 6, 7, 11);
    k.Box(kInk, kBlue, 10, 11, 14, 16);
}

// A page with a gesture drawn on it: up, then right, ending in an arrowhead.
void DrawEditGestures(TIconCanvas& k) {
    k.Box(kInk, kPaper, 1, 0, 15, 16);
    k.Stroke(kBlue, 2, {{4, 13}, {4, 5}, {10, 5}});
    k.Shape(kBlue, kBlue, {{9, 2}, {13, 5}, {9, 8}});
}

void DrawDiagonals(TIconCanvas& k) {
    k.Stroke(kBlue, 2, {{2, 14}, {10, 6}});
    k.Shape(kBlue, kBlue, {{6, 3}, {13, 3}, {13, 10}});
    k.Stroke(kGrey, 1, {{2, 2}, {2, 14}, {14, 14}});
}

// A window with its title bar.
void DrawProgram(TIconCanvas& k) {
    k.Box(kInk, kPaper, 0, 2, 16, 15);
    k.Fill(kBlue, 1, 3, 15, 6);
}

// A key cap.
void DrawKeystroke(TIconCanvas& k) {
    k.Box(kInk, kGrey, 1, 2, 15, 14);
    k.Box(kGrey, kPaper, 3, 3, 13, 11);
    k.Fill(kInk, 6, 5, 10, 6);
    k.Fill(kInk, 7, 6, 9, 9);
}

// A ruler: how far and how fast a stroke must go.
void DrawGestureAdvanced(TIconCanvas& k) {
    k.Box(kInk, kAmber, 0, 5, 16, 12);
    for (int x : {3, 6, 9, 12})
        k.Fill(kInk, x, 6, x + 1, x == 6 || x == 12 ? 10 : 8);
}

// A little menu with one entry picked, and the pointer at its corner.
void DrawHelpPopup(TIconCanvas& k) {
    k.Box(kInk, kPaper, 2, 1, 15, 15);
    k.Fill(kGrey, 4, 3, 13, 4);
    k.Fill(kPaleBlue, 3, 6, 14, 10);
    k.Fill(kBlue, 4, 7, 13, 9);
    k.Fill(kGrey, 4, 12, 11, 13);
    k.Shape(kInk, kPaper, {{0, 0}, {0, 7}, {2, 5}, {5, 5}});
}

// A mouse with its trail.
void DrawGestureDrawing(TIconCanvas& k) {
    k.Stroke(kBlue, 2, {{1, 14}, {4, 9}, {8, 12}});
    k.Shape(kInk, kPaper, {{8, 2}, {14, 2}, {15, 4}, {15, 11}, {13, 13}, {9, 13}, {7, 11}, {7, 4}});
    k.Stroke(kInk, 1, {{11, 2}, {11, 6}});
    k.Stroke(kInk, 1, {{7, 6}, {15, 6}});
}

} // namespace

TPicture PopupIcon(int index, int size, int leftMargin) {
    TPicture p(size + leftMargin, size);
    TIconCanvas k(p, size, leftMargin);
    switch (index) {
    case piConfigure:
        DrawConfigure(k);
        break;
    case piEditGestures:
        DrawEditGestures(k);
        break;
    case piDiagonals:
        DrawDiagonals(k);
        break;
    case piProgram:
        DrawProgram(k);
        break;
    case piKeystroke:
        DrawKeystroke(k);
        break;
    case piGestureAdvanced:
        DrawGestureAdvanced(k);
        break;
    case piHelpPopup:
        DrawHelpPopup(k);
        break;
    case piGestureDrawing:
        DrawGestureDrawing(k);
        break;
    default:
        break; // no such icon: all see-through
    }
    return p;
}

TPicture TrayIconPicture(bool suspended, int size) {
    TPicture p(size, size);
    TIconCanvas k(p, size);
    const TColor edge = suspended ? RGB_(40, 150, 60) : RGB_(120, 50, 160);
    const TColor arrow = suspended ? clBlack : clWhite;
    k.Fill(edge, 0, 0, 16, 16);
    k.Fill(RGB_(128, 128, 128), 2, 2, 14, 14);
    k.Shape(arrow, arrow, {{8, 3}, {13, 8}, {10, 8}, {10, 13}, {6, 13}, {6, 8}, {3, 8}});
    return p;
}

} // namespace fg
