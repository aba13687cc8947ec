#include "gestures/UnitFrmGestureWizard.h"

#include "actions/UnitFrmHotKey.h"
#include "app/UnitMisc.h"
#include "app/UnitToken.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "vocabulary/UnitMouseMovement.h"

namespace fg {

namespace {

constexpr const wchar_t* kMessageCaption = L"Farrowglimmer";

struct TShapeExample {
    const wchar_t* caption; // "-" for a separator
    const wchar_t* gesture;
};

// The captions read exactly so, quotes included.
const TShapeExample kShapes[] = {
    {L"\"r \" shape", L"21"}, {L"backwards \"r\" shape", L"31"},  {L"-", L""},
    {L"\"L\" shape", L"13"},  {L"backwards \"L\" shape", L"12"},  {L"-", L""},
    {L"\"C\" shape", L"213"}, {L"backwards \"C\" shape", L"312"},
};

struct TActionExample {
    const wchar_t* caption;   // "-" for a separator
    const wchar_t* keystroke; // null for a program entry
    const wchar_t* program;
};

struct TActionGroup {
    const wchar_t* caption;
    std::vector<TActionExample> entries;
};

const std::vector<TActionGroup>& ActionGroups() {
    static const std::vector<TActionGroup> groups = {
        {L"Web Browser",
         {{L"Close Tab", L"010057CTRL+W", nullptr},
          {L"New Tab", L"010054CTRL+T", nullptr},
          {L"-", nullptr, nullptr},
          {L"Next Tab", L"010022CTRL+PAGEDOWN", nullptr},
          {L"Previous Tab", L"010021CTRL+PAGEUP", nullptr},
          {L"Refresh", L"000074F5", nullptr}}},
        {L"Window Management",
         {{L"Minimize", L"000128WINKEY+DOWN", nullptr},
          {L"Maximize", L"000126WINKEY+UP", nullptr},
          {L"Close", L"100073ALT+F4", nullptr},
          {L"-", nullptr, nullptr},
          {L"Move to Left Monitor", L"001125WINKEY+SHIFT+LEFT", nullptr},
          {L"Move to Right Monitor", L"001127WINKEY+SHIFT+RIGHT", nullptr}}},
        {L"Farrowglimmer",
         {{L"Show Configuration Window", nullptr, L"Farrowglimmer.exe|CONFIG"},
          {L"Edit Gesture Settings", nullptr, L"Farrowglimmer.exe|EDIT_GESTURES"}}},
    };
    return groups;
}

std::wstring DisplayName(const std::wstring& stored) {
    return FrmKeystrokeEdit->FromString(stored).name;
}

} // namespace

TFrmGestureWizard::TFrmGestureWizard(IGestureWizardView* v, TGestureWizardParts p)
    : FrameGestureEdit1([this] { return parts.diagonalsEnabled && parts.diagonalsEnabled(); }),
      view(v), parts(std::move(p)) {}

void TFrmGestureWizard::CheckParts() const {
    std::wstring missing;
    if (!parts.diagonalsEnabled) missing += L" diagonals";
    if (!parts.gestureListed) missing += L" gesture-list";
    if (!missing.empty()) throw TUserError(L"Gesture wizard is missing its parts:" + missing);
}

// --- opening -----------------------------------------------------------------------------------

bool TFrmGestureWizard::NewGesture() {
    editMode = false;
    // Only the binding being edited may keep the gesture it has: a new one has none to keep.
    fGestureBeforeEdit.clear();
    return RunModal();
}

bool TFrmGestureWizard::EditGesture(bool DataPage) {
    editMode = true;
    ShowPage(wpGestureMovements);
    if (DataPage) btnNextClick();
    UpdateButtons();
    return RunModal();
}

bool TFrmGestureWizard::RunModal() {
    finished = false;
    if (!view) return false;
    FormShow();
    view->ShowModal();
    return finished;
}

void TFrmGestureWizard::FormCreate() {
    action = TWizardAction::waSingle;
    Mirror();
}

void TFrmGestureWizard::FormShow() {
    if (!editMode) page = wpGestureMovements;
    UpdateButtons();
    if (!editMode) {
        FrameGestureEdit1.Init();
        FrameKeystrokeEdit1.Init();
        FrameKeystrokeList1.Init();
    }
    Mirror();
}

void TFrmGestureWizard::FormActivate() {
    if (page == wpAction && action == TWizardAction::waSingle && view) view->FocusKeystroke();
}

void TFrmGestureWizard::FormClose() {
    finished = false;
    if (view && view->IsShowing()) view->EndModal();
}

void TFrmGestureWizard::btnFinishClick() {
    finished = true;
    if (view) view->EndModal();
}

// --- properties --------------------------------------------------------------------------------

void TFrmGestureWizard::SetGesture(const std::wstring& value) {
    fGesture = value;
    fGestureBeforeEdit = value;
    FrameGestureEdit1.SetGesture(value);
    Mirror();
}

void TFrmGestureWizard::SetActionType(TActionType value) {
    fActionType = value;
    switch (value) {
    case TActionType::atKeystroke:
        rbSingleClick();
        break;
    case TActionType::atMultiKeystroke:
        rbMultipleClick();
        break;
    case TActionType::atProgram:
        rbRunClick();
        break;
    }
}

void TFrmGestureWizard::SetActionData(const std::wstring& value) {
    fActionData = value;
    switch (fActionType) {
    case TActionType::atKeystroke:
        FrameKeystrokeEdit1.SetKeystroke(value);
        break;
    case TActionType::atMultiKeystroke:
        FrameKeystrokeList1.SetKeystrokeList(value);
        break;
    case TActionType::atProgram:
        FrameProgramEdit1.SetProgram(value);
        break;
    }
    Mirror();
}

// --- pages -------------------------------------------------------------------------------------

void TFrmGestureWizard::btnNextClick() {
    if (page == wpGestureMovements) {
        std::wstring h;
        FrameGestureEdit1.GetGesture(h, fGesture);
        if (fGesture != fGestureBeforeEdit && parts.gestureListed && parts.gestureListed(h)) {
            Complain(L"Cannot use " + h + L". Gesture already exists.");
            return;
        }
        if (fGesture.empty() ||
            (fGesture.size() == 1 && TMouseMovement::IsMonitorPosition(fGesture[0]))) {
            Complain(L"Gesture not defined.");
            return;
        }
        ShowPage(wpAction);
    } else if (page == wpAction) {
        TKeystrokeData k;
        if (action == TWizardAction::waSingle && !FrameKeystrokeEdit1.GetHotKey(k, false)) {
            Complain(L"Keystroke not defined.");
            return;
        }
        ShowPage(wpFinish);
    }
    AfterPageChange();
}

void TFrmGestureWizard::btnBackClick() {
    if (page > wpGestureMovements) ShowPage(page - 1);
    AfterPageChange();
}

void TFrmGestureWizard::ShowPage(int index) {
    page = index;
}

void TFrmGestureWizard::AfterPageChange() {
    UpdateButtons();
    if (page == wpFinish) ComputeSummary();
    Mirror();
    if (page == wpAction && action == TWizardAction::waSingle && view && view->IsShowing())
        view->FocusKeystroke();
}

void TFrmGestureWizard::UpdateButtons() {
    backEnabled = page > wpGestureMovements;
    nextEnabled = page < wpFinish;
    finishEnabled = page == wpFinish;
}

void TFrmGestureWizard::ComputeSummary() {
    summary.clear();
    FrameGestureEdit1.GetGesture(fGestureName, fGesture);
    summary.insert(summary.end(), {L"Gesture:   ", L"\t" + fGestureName, L" "});
    switch (action) {
    case TWizardAction::waSingle: {
        fActionType = TActionType::atKeystroke;
        TKeystrokeData k;
        FrameKeystrokeEdit1.GetHotKey(k, false);
        summary.insert(summary.end(), {L"Keystroke: ", L"\t" + k.name});
        fActionData = FrmKeystrokeEdit->ToString(k);
        break;
    }
    case TWizardAction::waMultiple: {
        fActionType = TActionType::atMultiKeystroke;
        std::vector<std::wstring> sl;
        FrameKeystrokeList1.GetKeystrokeList(sl, L"");
        fActionData.clear();
        summary.push_back(L"Keystrokes: ");
        for (std::size_t i = 0; i < sl.size(); ++i) {
            if (i > 0) fActionData += L"|";
            fActionData += sl[i];
            summary.push_back(L"\t" + DisplayName(sl[i]));
        }
        summary.push_back(L" ");
        break;
    }
    case TWizardAction::waRun: {
        fActionType = TActionType::atProgram;
        std::wstring prog, param;
        FrameProgramEdit1.GetProgram(prog, param);
        summary.insert(summary.end(), {L"Program: ", L"\t" + prog, L" "});
        if (!param.empty()) summary.insert(summary.end(), {L"Parameters: ", L"\t" + param});
        fActionData = prog + L"|" + param;
        break;
    }
    }
}

void TFrmGestureWizard::ChooseAction(TWizardAction a) {
    action = a;
    Mirror();
}

// --- examples ----------------------------------------------------------------------------------

TPopupMenu TFrmGestureWizard::ShapeExamples() {
    TPopupMenu menu;
    for (const TShapeExample& s : kShapes) {
        TMenuEntry e{.caption = s.caption, .hint = s.gesture};
        if (!e.IsSeparator()) e.onClick = [this, g = std::wstring(s.gesture)] { ExampleShape(g); };
        menu.push_back(std::move(e));
    }
    return menu;
}

TPopupMenu TFrmGestureWizard::ActionExamples() {
    TPopupMenu menu;
    for (const TActionGroup& g : ActionGroups()) {
        TMenuEntry group{.caption = g.caption};
        for (const TActionExample& a : g.entries) {
            TMenuEntry e{.caption = a.caption};
            if (a.keystroke)
                e.onClick = [this, k = std::wstring(a.keystroke)] { ExampleKeystroke(k); };
            else if (a.program)
                e.onClick = [this, p = std::wstring(a.program)] { ExampleProgram(p); };
            group.children.push_back(std::move(e));
        }
        menu.push_back(std::move(group));
    }
    return menu;
}

void TFrmGestureWizard::btnShapeExamplesClick() {
    if (view) PopupMenuAtButton(view->ShapeExamplesButton(), ShapeExamples());
}

void TFrmGestureWizard::btnActionExamplesClick() {
    if (view) PopupMenuAtButton(view->ActionExamplesButton(), ActionExamples());
}

void TFrmGestureWizard::ExampleShape(const std::wstring& gesture) {
    // Only the editor changes: a shape is checked against the listed gestures like a drawn one.
    fGesture = gesture;
    FrameGestureEdit1.SetGesture(gesture);
    Mirror();
}

void TFrmGestureWizard::ExampleKeystroke(const std::wstring& stored) {
    rbSingleClick();
    FrameKeystrokeEdit1.SetKeystroke(stored);
    Mirror();
}

void TFrmGestureWizard::ExampleProgram(const std::wstring& actionText) {
    rbRunClick();
    FrameProgramEdit1.SetProgram(actionText);
    Mirror();
}

// --- helpers -----------------------------------------------------------------------------------

void TFrmGestureWizard::Complain(const std::wstring& text) const {
    Os().desktop->ShowMessage(text, kMessageCaption);
}

void TFrmGestureWizard::Mirror() {
    if (view) view->Mirror();
}

} // namespace fg
