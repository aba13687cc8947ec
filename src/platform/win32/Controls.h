// Controls made from compact tables: each row a kind, a caption, a pixel rectangle in the
// window's designed client area and the sides it is anchored to.
#pragma once

#include <windows.h>

#include <vector>

namespace fg {

enum Anchors : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
constexpr unsigned akTopLeft = akLeft | akTop;
constexpr unsigned akTopRight = akRight | akTop;
constexpr unsigned akAll = akLeft | akTop | akRight | akBottom;

enum class ControlKind { Label, Button, CheckBox, ListBox, Memo };

struct ControlSpec {
    int id;
    ControlKind kind;
    const wchar_t* text;
    int x, y, width, height; // width 0: a label sized to its text
    unsigned anchors;
};

// The font the program's windows use, by face and point size (created once per pair).
HFONT UiFont(const wchar_t* face, int points);

class TControlTable {
  public:
    // Creates every control as a child of parent, in the table's order (which is the tab order).
    void Create(HWND parent, const std::vector<ControlSpec>& rows, HFONT font, int designWidth,
                int designHeight);
    // Moves the anchored controls after the parent's client area changed size.
    void Layout(int clientWidth, int clientHeight);
    HWND Item(int id) const;

  private:
    struct Placed {
        ControlSpec row;
        HWND hwnd;
    };
    std::vector<Placed> placed;
    int designW = 0;
    int designH = 0;
};

} // namespace fg
