// The keystroke list editor: builds the list of keystrokes of a "Multiple Keystrokes" action,
// each captured with the modal keystroke window.
#pragma once

#include "platform/PopupMenu.h"
#include "platform/Types.h"
#include "ui/UnitFrmKeystrokeEditor.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fg {

// What the list's logic asks of its native panel or window.
class IKeystrokeListView {
  public:
    virtual ~IKeystrokeListView() = default;
    // The rows and the selected row as the logic holds them now.
    virtual void Mirror() = 0;
    // The window that owns the menus.
    virtual HWindow Handle() = 0;
};

// The panel's logic (the wizard's "Multiple Keystrokes" page).
class TFrameKeystrokeList {
  public:
    // editor: the modal keystroke window that Add and Edit run; null: the program's one window.
    explicit TFrameKeystrokeList(IModalKeystrokeEditor* editor = nullptr);
    virtual ~TFrameKeystrokeList() = default;
    void SetView(IKeystrokeListView* v);
    IKeystrokeListView* View() const { return view; }

    void Init();
    // Loads a keystroke list: stored keystrokes separated by "|".
    void SetKeystrokeList(const std::wstring& initdata);
    // Clears sl and adds the stored form of every row in order; true when there is a row
    // (initdata is not used).
    virtual bool GetKeystrokeList(std::vector<std::wstring>& sl, const std::wstring& initdata);

    // Events.
    void btnAddClick();
    // On the selected row; without one nothing happens.
    void Edit1Click();
    void Delete1Click();
    // Moves the selected row one place up or down; the selection goes with it.
    void MoveUp1Click() { MoveSelected(-1); }
    void MoveDown1Click() { MoveSelected(+1); }
    void ClearList1Click();
    // An example entry: its hint, a whole keystroke list, replaces the list.
    void MinimizeAltSpaceM1Click(const std::wstring& hint);
    // Opens pmInsert beside the cursor.
    void SpeedButton1Click();
    // A right-click on the list: the row under it (-1: none) is selected and pmEdit opens at the
    // cursor, or at `at` (screen) when the keyboard asked for it.
    void lvKeystrokesContextPopup(int row, std::optional<TPoint> at = std::nullopt);
    virtual void btnSetClick() {}
    virtual void btnCancelClick() {}
    // The user selected a row (-1: none).
    void SelectRow(int row);

    TPopupMenu pmEdit();
    TPopupMenu pmInsert();

    // The state the native side mirrors.
    const std::vector<std::wstring>& Rows() const { return rows; }
    int Selected() const { return selected; }
    const std::map<std::wstring, std::wstring>& Keys() const { return keys; }

  protected:
    // Adds the rows of a keystroke list after those there are.
    void AddKeystrokeList(const std::wstring& initdata);
    void Mirror();
    // The panel opens the keystroke window beside the cursor; the window leaves it where it is.
    virtual bool MovesEditorToCursor() const { return true; }

    std::vector<std::wstring> rows; // lvKeystrokes: the display names
    int selected = -1;
    // From display name to stored form; rows showing the same name share an entry.
    std::map<std::wstring, std::wstring> keys;
    IKeystrokeListView* view = nullptr;

  private:
    IModalKeystrokeEditor* Editor() const;
    // Runs the keystroke window: true when the user set a keystroke that has a key.
    bool GotKeystroke(IModalKeystrokeEditor& e, TKeystrokeData& k) const;
    bool NameShownElsewhere(const std::wstring& name, int row) const;
    void MoveSelected(int by);
    void ForgetName(const std::wstring& name, int row);

    IModalKeystrokeEditor* editor;
};

} // namespace fg
