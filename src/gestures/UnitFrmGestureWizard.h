// The gesture wizard: a binding defined in three steps (the gesture, the action, a summary to
// confirm), with ready-made shapes and actions. It embeds the gesture, keystroke, keystroke list
// and program editors and never touches the gesture files: the Edit Gestures window reads the
// result after "Finish" and stores it.
#pragma once

#include "gestures/IGestureWizard.h"
#include "gestures/UnitFrameGestureEdit.h"
#include "platform/PopupMenu.h"
#include "platform/Types.h"
#include "ui/UnitFrameHotKey.h"
#include "ui/UnitFrameKeystrokeList.h"
#include "ui/UnitFrameProgramEdit.h"

#include <functional>
#include <string>
#include <vector>

namespace fg {

enum TWizardPage : int { wpGestureMovements = 0, wpAction = 1, wpFinish = 2 };
constexpr int kWizardPageCount = 3;

// The three action editors, one per radio button.
enum class TWizardAction { waSingle, waMultiple, waRun };

// What the wizard asks of its native window.
class IGestureWizardView {
  public:
    virtual ~IGestureWizardView() = default;
    // The page, the buttons, the radio buttons, the action editor shown and the summary as the
    // wizard holds them now.
    virtual void Mirror() = 0;
    // Shows the window and runs it modally until EndModal.
    virtual void ShowModal() = 0;
    virtual void EndModal() = 0;
    virtual bool IsShowing() = 0;
    // Gives the keystroke editor's field the focus when it can take it.
    virtual void FocusKeystroke() = 0;
    virtual HWindow ShapeExamplesButton() = 0;
    virtual HWindow ActionExamplesButton() = 0;
};

struct TGestureWizardParts {
    // The mouse monitor's diagonals setting, for the gesture editor's buttons. Required.
    std::function<bool()> diagonalsEnabled;
    // Whether the Edit Gestures window lists a gesture with this human-readable form (whole
    // text, case ignored). Required.
    std::function<bool(const std::wstring& h)> gestureListed;
};

class TFrmGestureWizard : public IGestureWizard {
  public:
    // view: the native window, or null for a wizard that cannot be shown (it then answers false).
    TFrmGestureWizard(IGestureWizardView* view, TGestureWizardParts parts);

    // Raises TUserError naming the missing parts.
    void CheckParts() const;
    void SetView(IGestureWizardView* v) { view = v; }
    const TGestureWizardParts& Parts() const { return parts; }

    bool NewGesture() override;
    bool EditGesture(bool DataPage) override;
    std::wstring Gesture() const override { return fGesture; }
    void SetGesture(const std::wstring& value) override;
    std::wstring GestureName() const override { return fGestureName; }
    TActionType ActionType() const override { return fActionType; }
    void SetActionType(TActionType value) override;
    std::wstring ActionData() const override { return fActionData; }
    void SetActionData(const std::wstring& value) override;

    // Events of the window.
    void FormCreate();
    void FormShow();
    void FormActivate();
    void btnBackClick();
    void btnNextClick();
    void btnFinishClick();
    // The close button, Escape or "Cancel": the wizard ends without a result.
    void FormClose();
    void rbSingleClick() { ChooseAction(TWizardAction::waSingle); }
    void rbMultipleClick() { ChooseAction(TWizardAction::waMultiple); }
    void rbRunClick() { ChooseAction(TWizardAction::waRun); }
    void btnShapeExamplesClick();
    void btnActionExamplesClick();
    // The two example menus, as the buttons open them.
    TPopupMenu ShapeExamples();
    TPopupMenu ActionExamples();

    // The state the native window mirrors.
    int Page() const { return page; }
    bool BackEnabled() const { return backEnabled; }
    bool NextEnabled() const { return nextEnabled; }
    bool FinishEnabled() const { return finishEnabled; }
    TWizardAction Action() const { return action; }
    const std::vector<std::wstring>& mLines() const { return summary; }
    bool EditMode() const { return editMode; }

    // The embedded editors' logic; the native window shows each in its panel.
    TFrameGestureEdit FrameGestureEdit1;
    TFrameKeystrokeEdit FrameKeystrokeEdit1;
    TFrameKeystrokeList FrameKeystrokeList1;
    TFrameProgramEdit FrameProgramEdit1;

  private:
    bool RunModal();
    void ShowPage(int index);
    void AfterPageChange();
    void UpdateButtons();
    void ComputeSummary();
    void ChooseAction(TWizardAction a);
    void ExampleShape(const std::wstring& gesture);
    void ExampleKeystroke(const std::wstring& stored);
    void ExampleProgram(const std::wstring& action);
    void Complain(const std::wstring& text) const;
    void Mirror();

    IGestureWizardView* view;
    TGestureWizardParts parts;
    bool editMode = false;
    bool finished = false;
    int page = wpGestureMovements;
    bool backEnabled = false;
    bool nextEnabled = false;
    bool finishEnabled = false;
    TWizardAction action = TWizardAction::waSingle;
    std::vector<std::wstring> summary;

    std::wstring fGesture;
    std::wstring fGestureName;
    std::wstring fGestureBeforeEdit; // the edited binding's own gesture; empty for a new one
    std::wstring fActionData;
    TActionType fActionType = TActionType::atKeystroke;
};

} // namespace fg
