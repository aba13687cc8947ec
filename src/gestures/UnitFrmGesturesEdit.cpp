#include "gestures/UnitFrmGesturesEdit.h"

#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "ui/UnitDrawGesture.h"
#include "vocabulary/UnitMouseMovement.h"

namespace fg {

namespace {

constexpr int kVkShift = 0x10;

bool SameName(const std::wstring& a, const std::wstring& b) {
    return AsciiLower(a) == AsciiLower(b);
}

} // namespace

TFrmGesturesEdit::TFrmGesturesEdit(TFrmGestures& gestures, IGesturesEditView* nativeView)
    : store(gestures), view(nativeView) {
    shown.file = kGlobalGestureFile;
    store.SetView(this);
    store.LoadGestures(kGlobalGestureFile, false);
}

TFrmGesturesEdit::~TFrmGesturesEdit() {
    store.SetView(nullptr);
}

void TFrmGesturesEdit::CheckParts() const {
    std::wstring missing;
    if (!parts.wizard) missing += L" wizard";
    if (!parts.showConfiguration) missing += L" configuration";
    if (!parts.showDebug) missing += L" debug-window";
    if (!parts.endProgram) missing += L" end-of-program";
    if (!parts.fileSaved) missing += L" file-saved";
    if (!missing.empty()) throw TUserError(L"The Edit Gestures window is missing its" + missing);
}

// --- the file shown ----------------------------------------------------------------------------

void TFrmGesturesEdit::TakeStamp() {
    shown.exists = Os().files->Stamp(GetDataPath() + shown.file, shown.stamp);
}

void TFrmGesturesEdit::Remember() {
    shown.gestures = store.Gestures;
    shown.actionTypes = store.ActionTypes;
    shown.actions = store.Actions;
}

void TFrmGesturesEdit::Sync() {
    std::uint64_t stamp = 0;
    const bool exists = Os().files->Stamp(GetDataPath() + shown.file, stamp);
    const bool changed = exists != shown.exists || (exists && stamp != shown.stamp);
    if (changed && !shown.unsaved) {
        // Edited by hand, or by the dispatcher's disable chord: the edit about to be made goes
        // on top of what the file holds now.
        AppendLog(L"[FGest] " + shown.file + L" changed on disk: read again");
        store.LoadGestures(shown.file, false);
    } else {
        store.lastINI = shown.file;
        store.Gestures = shown.gestures;
        store.ActionTypes = shown.actionTypes;
        store.Actions = shown.actions;
    }
    store.cbDisableAll = disableAll;
}

void TFrmGesturesEdit::Save() {
    store.cbDisableAll = disableAll;
    try {
        store.SaveGestures(shown.file);
    } catch (const TUserError&) {
        // The rows stay as the user made them; the next save tries again.
        shown.unsaved = true;
        Mirror();
        throw;
    }
    shown.unsaved = false;
    disableAllTouched = false;
    TakeStamp();
    UpdateProgramIcon();
    if (parts.fileSaved) parts.fileSaved();
}

bool TFrmGesturesEdit::ShowsAFile() const {
    return tab != kProgramTab || DisableAllShown();
}

void TFrmGesturesEdit::SaveShown() {
    // Before a program is picked the list shows no file: the one still held from the Global tab
    // is not rewritten behind the user's back, unless it holds changes a failed save left.
    if (!ShowsAFile() && !shown.unsaved) return;
    Sync();
    Save();
}

void TFrmGesturesEdit::GesturesLoaded(const std::wstring& fileName) {
    // A box the user clicked is kept while its own file is read again.
    const bool sameFile = SameName(fileName, shown.file);
    shown.file = fileName;
    shown.unsaved = false;
    Remember();
    TakeStamp();
    if (!sameFile || !disableAllTouched) {
        disableAll = store.cbDisableAll;
        disableAllTouched = false;
    }
    ClearPreview();
    UpdateProgramIcon();
    Mirror();
}

// --- rows --------------------------------------------------------------------------------------

void TFrmGesturesEdit::ClearGestureRows() {
    rows.clear();
    selectedRow.reset();
    ++rowsVersion;
}

void TFrmGesturesEdit::AddGestureRow(const std::wstring& gesture, const std::wstring& actionType,
                                     const std::optional<std::wstring>& action) {
    const TGestureRow row{gesture, actionType, action};
    if (rowToReplace && *rowToReplace < rows.size())
        rows[*rowToReplace] = row;
    else
        rows.push_back(row);
    ++rowsVersion;
}

void TFrmGesturesEdit::ShowNoGesturesNotice(bool show) {
    notice = show;
}

std::optional<std::size_t> TFrmGesturesEdit::RowOf(const std::wstring& h) const {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (SameName(rows[i].gesture, h)) return i;
    return std::nullopt;
}

std::optional<std::wstring> TFrmGesturesEdit::SelectedCaption() const {
    if (!selectedRow || *selectedRow >= rows.size()) return std::nullopt;
    return rows[*selectedRow].gesture;
}

void TFrmGesturesEdit::RemoveBinding(const std::wstring& h) {
    const std::wstring o = store.Gestures.Value(h);
    store.Gestures.SetValue(h, L"");
    if (o.empty()) return;
    store.ActionTypes.SetValue(o, L"");
    store.Actions.SetValue(o, L"");
}

bool TFrmGesturesEdit::StoreGesture(const std::wstring& h, const std::wstring& g,
                                    const std::wstring& data, TActionType type,
                                    std::optional<std::size_t> replace) {
    const std::optional<std::size_t> other = RowOf(h);
    // Another binding of the gesture is the user's own work: it goes only when they say so.
    if (other && other != replace &&
        !(view && view->Confirm(L"The gesture " + h + L" already exists. Replace it?")))
        return false;
    // The replaced binding goes, so a binding whose strokes changed moves instead of staying
    // twice; and it moves to the end of the file.
    if (replace) RemoveBinding(rows[*replace].gesture);
    // The binding the user agreed to give up makes room: one row per gesture.
    if (other && other != replace) {
        RemoveBinding(h);
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(*other));
        if (replace && *replace > *other) --*replace;
    }
    rowToReplace = replace;
    store.StoreGesture(h, g, data, type);
    rowToReplace.reset();
    selectedRow = replace ? *replace : rows.size() - 1;
    notice = false;
    Remember();
    return true;
}

// --- events ------------------------------------------------------------------------------------

void TFrmGesturesEdit::Show() {
    const bool wasShowing = view && view->IsShowing();
    if (view) view->Show();
    // The list shows what the file holds now, hand edits included.
    if (!wasShowing) Sync();
    Mirror();
}

HWindow TFrmGesturesEdit::ShowWithCurrentForegroundProgram() {
    programToSelect = GetWindowEXEName(GetForegroundHandle());
    Show();
    bool listed = false;
    for (const TProgramRow& p : programs)
        listed = listed || SameName(p.caption, programToSelect);
    if (tab != kProgramTab)
        tsSwitchChange(kProgramTab);
    else if (!listed && !programToSelect.empty())
        StartScan(); // the program gets its row when the scan hands over
    SelectPending();
    return view ? view->Handle() : 0;
}

void TFrmGesturesEdit::SelectPending() {
    if (programToSelect.empty()) return;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        if (!SameName(programs[i].caption, programToSelect)) continue;
        programToSelect.clear();
        lbProgramsSelectItem(i);
        return;
    }
}

void TFrmGesturesEdit::ExitProgram() {
    if (DoExit) return;
    DoExit = true;
    try {
        SaveShown();
    } catch (const TUserError& e) {
        // The user asked to quit: say what could not be written, and quit all the same. When
        // start-up already said that nothing can be saved in the folder, the log is enough.
        AppendLog(L"[FGest] " + e.Message());
        if (parts.dataFolderWritable) Os().desktop->ShowMessage(e.Message(), L"Farrowglimmer");
    }
    if (view) view->Hide();
    if (parts.endProgram) parts.endProgram();
}

bool TFrmGesturesEdit::WMEndSession() {
    ExitProgram();
    return true;
}

void TFrmGesturesEdit::FormClick() {
    if (Os().input->KeyDown(kVkShift) && parts.showDebug) parts.showDebug();
}

void TFrmGesturesEdit::FormCloseQuery() {
    // Hidden first: a save that fails still closes the window, and the error box says why.
    if (!DoExit && view) view->Hide();
    SaveShown();
}

void TFrmGesturesEdit::tsSwitchChange(int newTab) {
    if (newTab == tab || (newTab != kGlobalTab && newTab != kProgramTab)) return;
    notice = false;
    if (newTab == kGlobalTab) {
        SaveShown();
        tab = kGlobalTab;
        store.LoadGestures(kGlobalGestureFile, false);
    } else {
        tab = kProgramTab;
        ClearGestureRows();
        ClearPreview();
        StartScan();
    }
    Mirror();
}

void TFrmGesturesEdit::lbProgramsSelectItem(std::size_t row) {
    if (tab != kProgramTab || row >= programs.size()) return;
    const std::wstring file = GestureFileName(programs[row].caption);
    if (selectedProgram == row && SameName(file, shown.file)) return;
    // The box still holds the flag of the file shown so far.
    SaveShown();
    selectedProgram = row;
    store.LoadGestures(file, false);
    Mirror();
}

void TFrmGesturesEdit::lvGesturesSelectItem(std::optional<std::size_t> row) {
    selectedRow = row && *row < rows.size() ? row : std::nullopt;
    if (selectedRow) ClearPreview();
    Mirror();
}

void TFrmGesturesEdit::lvGesturesClick() {
    const std::optional<std::wstring> caption = SelectedCaption();
    if (!caption) return;
    TPicture picture(previewWidth, previewHeight);
    TRecordingCanvas canvas(picture);
    try {
        TFrmDrawGesture::GetImage(shown.gestures.Value(*caption), canvas, previewWidth,
                                  previewHeight);
    } catch (const std::exception&) {
        return; // the picture stays as it was
    }
    preview = std::move(picture);
    Mirror();
}

void TFrmGesturesEdit::cbDisableAllClick(bool checked) {
    disableAll = checked;
    disableAllTouched = true;
}

IGestureWizard* TFrmGesturesEdit::Wizard() const {
    return parts.wizard;
}

bool TFrmGesturesEdit::ListsGesture(const std::wstring& h) const {
    for (const TGestureRow& row : rows)
        if (SameName(row.gesture, h)) return true;
    return false;
}

void TFrmGesturesEdit::btnNewGestureClick() {
    // Until a program is picked there is no file for the new binding: the one still held from
    // the Global tab is not the one the user means.
    if (!ShowsAFile()) {
        Os().desktop->ShowMessage(L"Pick a program in the list first.", L"Farrowglimmer");
        return;
    }
    IGestureWizard* wizard = Wizard();
    if (!wizard || !wizard->NewGesture()) return;
    Sync();
    if (StoreGesture(wizard->GestureName(), wizard->Gesture(), wizard->ActionData(),
                     wizard->ActionType(), std::nullopt)) {
        Save();
        lvGesturesClick();
    }
    Mirror();
}

void TFrmGesturesEdit::EditSelected(bool dataPage) {
    const std::optional<std::wstring> caption = SelectedCaption();
    if (!caption) return;
    IGestureWizard* wizard = Wizard();
    if (!wizard) return;
    Sync();
    if (!RowOf(*caption)) return Mirror(); // gone from the file meanwhile
    const std::wstring g = store.Gestures.Value(*caption);
    wizard->SetGesture(g);
    wizard->SetActionType(
        TextToActionType(store.ActionTypes.Value(g)).value_or(TActionType::atKeystroke));
    wizard->SetActionData(store.Actions.Value(g));
    if (!wizard->EditGesture(dataPage)) return;
    // The wizard ran modally: the file may have changed while it was open.
    Sync();
    if (StoreGesture(wizard->GestureName(), wizard->Gesture(), wizard->ActionData(),
                     wizard->ActionType(), RowOf(*caption))) {
        Save();
        lvGesturesClick();
    }
    Mirror();
}

void TFrmGesturesEdit::Delete1Click() {
    const std::optional<std::wstring> caption = SelectedCaption();
    if (!caption || !view || !view->Confirm(L"Delete the gesture " + *caption + L"?")) return;
    Sync();
    const std::optional<std::size_t> row = RowOf(*caption);
    if (!row) return Mirror();
    RemoveBinding(*caption);
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(*row));
    ++rowsVersion;
    selectedRow.reset();
    ClearPreview();
    Remember();
    Save();
    Mirror();
}

void TFrmGesturesEdit::CreateExampleGlobalGesture() {
    // Onto the Global tab as a pick of it goes (the file shown so far is saved), with the global
    // file read as it is now, so the example lands on what the user has.
    if (tab != kGlobalTab)
        tsSwitchChange(kGlobalTab);
    else
        store.LoadGestures(kGlobalGestureFile, false);
    using MD = TMouseDirection;
    const std::wstring g =
        TMouseMovement::ToChar(MD::mdMonTop) + TMouseMovement::ToChar(MD::mdDown);
    const std::wstring h = ToHumanReadable(g); // "[TOP]+DOWN"
    const std::wstring data = L"Farrowglimmer.exe|CONFIG";
    const TActionType type = TActionType::atProgram;
    const std::wstring bound = store.Gestures.Value(h);
    const bool there = !bound.empty() && store.ActionTypes.Value(bound) == ActionTypeToText(type) &&
                       store.Actions.Value(bound) == data;
    if (!there && StoreGesture(h, g, data, type, std::nullopt)) Save();
    Mirror();
}

void TFrmGesturesEdit::btnConfigureClick() {
    if (parts.showConfiguration) parts.showConfiguration();
}

TPopupMenu TFrmGesturesEdit::pmRightClick() {
    TPopupMenu menu(4);
    menu[0] = {.caption = L"Edit Gesture", .onClick = [this] { EditGesture1Click(); }};
    menu[1] = {.caption = L"Edit Action", .onClick = [this] { MIEditActionClick(); }};
    menu[2].caption = L"-";
    menu[3] = {.caption = L"Delete", .onClick = [this] { Delete1Click(); }};
    return menu;
}

void TFrmGesturesEdit::SetPreviewSize(int width, int height) {
    previewWidth = width > 0 ? width : 1;
    previewHeight = height > 0 ? height : 1;
    ClearPreview();
}

void TFrmGesturesEdit::ClearPreview() {
    preview = TPicture(previewWidth, previewHeight);
    TRecordingCanvas canvas(preview);
    TFrmDrawGesture::ClearImage(canvas);
}

bool TFrmGesturesEdit::DisableAllShown() const {
    // Only while the list shows the picked program's own file.
    return tab == kProgramTab && selectedProgram &&
           SameName(GestureFileName(programs[*selectedProgram].caption), shown.file);
}

std::wstring TFrmGesturesEdit::DisableAllCaption() const {
    if (!selectedProgram) return L"";
    return L"Disable all gestures (including Global) for [" + programs[*selectedProgram].caption +
           L"]";
}

// --- the program list --------------------------------------------------------------------------

void TFrmGesturesEdit::UpdateProgramIcon() {
    if (IsGlobalGestureFile(shown.file)) return;
    const std::wstring p = ProgramFromFileName(shown.file);
    for (TProgramRow& row : programs) {
        if (!SameName(row.caption, p) || row.hasGestures == shown.exists) continue;
        // The icon says whether the program has a file of its own now.
        row.hasGestures = shown.exists;
        ++programsVersion;
    }
}

void TFrmGesturesEdit::EndProgramUpdate() {
    ++programsVersion;
    // "EDIT_GESTURES" asked for a program the list did not hold yet: the scan it started
    // brings it.
    SelectPending();
    programToSelect.clear();
    Mirror();
}

std::vector<std::wstring> TFrmGesturesEdit::ProgramRows() {
    std::vector<std::wstring> captions;
    for (const TProgramRow& p : programs)
        captions.push_back(p.caption);
    return captions;
}

void TFrmGesturesEdit::AddProgramRow(const std::wstring& caption, bool hasGestures) {
    programs.push_back({caption, hasGestures});
    ++programsVersion;
}

void TFrmGesturesEdit::MarkProgramRow(std::size_t row) {
    if (row < programs.size()) programs[row].hasGestures = true;
    ++programsVersion;
}

std::optional<std::wstring> TFrmGesturesEdit::SelectedProgram() {
    // A scan that ends after the user went back to the Global tab loads nothing.
    if (tab != kProgramTab || !selectedProgram) return std::nullopt;
    return programs[*selectedProgram].caption;
}

void TFrmGesturesEdit::StartScan() {
    if (parts.startScan)
        parts.startScan();
    else
        store.StartScan();
}

void TFrmGesturesEdit::Mirror() {
    if (view) view->Mirror();
}

} // namespace fg
