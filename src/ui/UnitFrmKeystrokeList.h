// The keystroke list window: the list editor in a modal window of its own, with Set and Cancel.
#pragma once

#include "ui/UnitFrameKeystrokeList.h"

#include <string>
#include <vector>

namespace fg {

// What the window's logic asks of its native window, besides the list.
class IKeystrokeListWindowView : public IKeystrokeListView {
  public:
    // Shows the window modally; true when it was closed with Set.
    virtual bool ShowModal() = 0;
    virtual void CloseModal(bool set) = 0;
};

class TFrmKeystrokeList : public TFrameKeystrokeList {
  public:
    explicit TFrmKeystrokeList(IModalKeystrokeEditor* keystrokeEditor = nullptr)
        : TFrameKeystrokeList(keystrokeEditor) {}
    void SetWindowView(IKeystrokeListWindowView* v);

    // Loads initdata as SetKeystrokeList does, runs the window, and only when the user
    // leaves it with Set replaces sl with the stored forms of the rows; true then.
    bool GetKeystrokeList(std::vector<std::wstring>& sl, const std::wstring& initdata) override;

    void btnSetClick() override;
    void btnCancelClick() override;

  protected:
    bool MovesEditorToCursor() const override { return false; }

  private:
    IKeystrokeListWindowView* windowView = nullptr;
};

} // namespace fg
