// Controls made from compact tables: each row a kind, a caption, a rectangle in the window's
// designed client area (96-DPI pixels), the sides it is anchored to and what a click on it does.
// The table places them at the parent's DPI and places them again, with fonts made anew, when
// that DPI changes.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace fg {

enum Anchors : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
constexpr unsigned akTopLeft = akLeft | akTop;
constexpr unsigned akTopRight = akRight | akTop;
constexpr unsigned akAll = akLeft | akTop | akRight | akBottom;

enum class ControlKind {
    Label,
    Button,
    CheckBox,
    ListBox,
    Memo,
    RadioButton, // checked by its owner, not by the click itself
    GroupBox,
    TrackBar,      // horizontal, tick marks, the position in a tooltip while dragged
    TreeView,      // read-only
    Picture,       // drawn by the owner (WM_DRAWITEM)
    Edit,          // single line
    ComboList,     // a drop-down list without free text; the height is the open list's
    OwnerButton,   // a push button drawn by the owner (WM_DRAWITEM)
    DefaultButton, // the push button that Enter presses
    BareListView,  // report style, one row selected at a time, no column headers
    ListView,      // report view, one selected row, the selection shown without the focus
    Tabs,    // a row of tabs; its pages are the controls shown over it, which it does not cover
    HotLink, // a link drawn by the owner (WM_DRAWITEM) that takes the focus, Space and Enter
};

struct ControlRow {
    int id;
    ControlKind kind;
    const wchar_t* text;
    int x, y, width, height; // 96-DPI pixels; width 0: a label sized to its text
    unsigned anchors;
    // What a click does: a button pressed with the mouse or Space, a box or radio button clicked,
    // a link clicked or given Enter. Empty for a control whose clicks mean nothing.
    std::function<void()> onClick = {};
};

// The row of rows with this id; the id is one the table holds.
ControlRow& RowOf(std::vector<ControlRow>& rows, int id);

// The font of a table's controls, by face and point size.
struct FontChoice {
    const wchar_t* face;
    int points;
};

class TControlTable {
  public:
    // Creates every control as a child of parent, in the table's order (which is the tab order),
    // laid out for dpi in a client area of the designed size.
    void Create(HWND parent, std::vector<ControlRow> rows, FontChoice font, int designWidth,
                int designHeight, int dpi);
    // Moves the anchored controls after the parent's client area changed size.
    void Layout(int clientWidth, int clientHeight);
    // The parent now has another DPI: a new font for every control and labels measured again.
    // The next Layout places them.
    void SetDpi(int dpi);
    HWND Item(int id) const;
    HFONT Font() const { return font; }
    FontChoice Choice() const { return fontChoice; }
    int Dpi() const { return currentDpi; }

    // Runs the click of the control with this id, unless it has none or is greyed (Enter reaches
    // a greyed default button too). Enter (IDOK) with a link focused is that link's click.
    bool Click(int id) const;
    // Shows the controls for which shows(id) is true and hides the others.
    void ShowWhere(const std::function<bool(int id)>& shows) const;
    void Show(int id, bool show) const;
    bool IsLink(HWND control) const;
    std::vector<HWND> Links() const;

  private:
    struct Placed {
        ControlRow row;
        HWND hwnd;
        SIZE text; // the measured size of a label sized to its text
    };
    void MeasureLabels();
    const Placed* Find(int id) const;
    std::vector<Placed> placed;
    HWND parent = nullptr;
    FontChoice fontChoice{L"Tahoma", 8};
    HFONT font = nullptr;
    int currentDpi = 96;
    int designW = 0;
    int designH = 0;
};

// Shows or hides a control without activating anything. It goes by the control's own style bit,
// not IsWindowVisible, which answers false for every control while its window is hidden.
void ShowControl(HWND control, bool show);

// A link: the button's text in blue (grey while disabled) in font over background, with the focus
// rectangle around the text when it has the keyboard focus.
void DrawLink(const DRAWITEMSTRUCT& item, HFONT font, HBRUSH background);

} // namespace fg
