#include "gestures/UnitFrmGesturesEdit.h"

#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "app/UnitToken.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "ui/UnitDrawGesture.h"
#include "vocabulary/UnitMouseMovement.h"

#include <utility>

namespace fg {

namespace {

constexpr int kVkShift = 0x10;

bool SameName(const std::wstring& a, const std::wstring& b) {
    return AsciiLower(a) == AsciiLower(b);
}

bool IsAbsolutePath(const std::wstring& p) {
    const bool drive = p.size() >= 3 &&
                       ((p[0] >= L'A' && p[0] <= L'Z') || (p[0] >= L'a' && p[0] <= L'z')) &&
                       p[1] == L':' && (p[2] == L'\\' || p[2] == L'/');
    return drive || (p.size() >= 2 && p[0] == L'\\' && p[1] == L'\\');
}

// Only a path that names one place can be found missing; a bare name is looked up along the
// search path when it runs, and that is no business of the list.
bool ProgramMissing(const std::wstring& stored) {
    std::wstring path = ExpandEnvVars(stored);
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"')
        path = path.substr(1, path.size() - 2);
    return IsAbsolutePath(path) && !Os().files->Exists(path);
}

// The path field of a program action, " | " and `rest` (the remaining text, or its next field).
std::wstring ProgramColumn(const std::wstring& first, const std::wstring& rest) {
    return (ProgramMissing(first) ? kProgramNotFoundMark : L"") + first + L" | " + rest;
}

} // namespace

TFrmGesturesEdit::TFrmGesturesEdit(TGestureStore& gestureStore, IGesturesEditView* nativeView,
                                   TGesturesEditParts p)
    : store(gestureStore), view(nativeView), parts(std::move(p)) {
    shown.file = kGlobalGestureFile;
    // The store has just read it.
    ShowFile(kGlobalGestureFile, *store.Global());
}

TFrmGesturesEdit::~TFrmGesturesEdit() = default;

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

void TFrmGesturesEdit::Load(const std::wstring& fileName) {
    ShowFile(fileName, *store.LoadGestures(fileName, false));
}

void TFrmGesturesEdit::ShowFile(const std::wstring& fileName, const TGestureFile& file) {
    rows.clear();
    selectedRow.reset();
    ++rowsVersion;
    bool anyBinding = false;
    for (const TGestureBinding& b : file.Bindings()) {
        anyBinding = anyBinding || b.Type().has_value();
        rows.push_back(Row(b, store.Keystrokes()));
    }
    // A missing file leaves the notice as it was.
    if (Os().files->Exists(GetDataPath() + fileName)) notice = !anyBinding;

    // A box the user clicked is kept while its own file is read again.
    const bool sameFile = SameName(fileName, shown.file);
    shown.file = fileName;
    shown.bindings = file;
    shown.unsaved = false;
    TakeStamp();
    if (!sameFile || !disableAllTouched) {
        disableAll = file.disabled;
        disableAllTouched = false;
    }
    ClearPreview();
    UpdateProgramIcon();
    Mirror();
}

void TFrmGesturesEdit::Sync() {
    std::uint64_t stamp = 0;
    const bool exists = Os().files->Stamp(GetDataPath() + shown.file, stamp);
    const bool changed = exists != shown.exists || (exists && stamp != shown.stamp);
    if (changed && !shown.unsaved) {
        AppendLog(L"[FGest] " + shown.file + L" changed on disk: read again");
        Load(shown.file);
    }
}

void TFrmGesturesEdit::Save() {
    shown.bindings.disabled = disableAll;
    try {
        store.SaveGestures(shown.file, shown.bindings);
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

// --- rows --------------------------------------------------------------------------------------

namespace {

std::wstring KeystrokeName(const TKeystrokeConversions& keystrokes, const std::wstring& action) {
    try {
        return keystrokes.FromString(action).name;
    } catch (const TUserError&) {
        return kInvalidKeystrokeMark + action;
    }
}

std::optional<std::wstring> ActionColumn(const TGestureBinding& b,
                                         const TKeystrokeConversions& keystrokes) {
    const std::optional<TActionType> type = b.Type();
    if (!type) return std::nullopt;
    std::wstring rest = b.action;
    switch (*type) {
    case TActionType::atKeystroke:
        return KeystrokeName(keystrokes, b.action);
    case TActionType::atMultiKeystroke: {
        std::wstring column;
        while (!rest.empty()) {
            if (!column.empty()) column += L" | ";
            column += KeystrokeName(keystrokes, NextToken(rest, L"|"));
        }
        return column;
    }
    case TActionType::atProgram: {
        const std::wstring first = NextToken(rest, L"|");
        return ProgramColumn(first, NextToken(rest, L"|"));
    }
    }
    return std::nullopt;
}

// A row made as the binding is stored: a program shows all the text after its path.
std::optional<std::wstring> StoredColumn(const TGestureBinding& b,
                                         const TKeystrokeConversions& keystrokes) {
    if (b.Type() != TActionType::atProgram)
        return ActionColumn({b.gesture, ActionTypeToText(TActionType::atMultiKeystroke), b.action},
                            keystrokes);
    std::wstring rest = b.action;
    const std::wstring first = NextToken(rest, L"|");
    return ProgramColumn(first, rest);
}

} // namespace

TFrmGesturesEdit::TGestureRow TFrmGesturesEdit::Row(const TGestureBinding& b,
                                                    const TKeystrokeConversions& keystrokes) {
    return {ToHumanReadable(b.gesture), b.type, ActionColumn(b, keystrokes)};
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
    shown.bindings.Remove(h);
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
    const TGestureBinding binding{g, ActionTypeToText(type), data};
    shown.bindings.Set(binding);
    const TGestureRow row{h, binding.type, StoredColumn(binding, store.Keystrokes())};
    if (replace && *replace < rows.size())
        rows[*replace] = row;
    else
        rows.push_back(row);
    ++rowsVersion;
    selectedRow = replace ? *replace : rows.size() - 1;
    notice = false;
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
        Load(kGlobalGestureFile);
    } else {
        tab = kProgramTab;
        rows.clear();
        selectedRow.reset();
        ++rowsVersion;
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
    Load(file);
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
        const TGestureBinding* b = shown.bindings.Find(*caption);
        TFrmDrawGesture::GetImage(b ? b->gesture : L"", canvas, previewWidth, previewHeight);
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
    const TGestureBinding* b = shown.bindings.Find(*caption);
    if (!b) return Mirror();
    wizard->SetGesture(b->gesture);
    wizard->SetActionType(b->Type().value_or(TActionType::atKeystroke));
    wizard->SetActionData(b->action);
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
    Save();
    Mirror();
}

void TFrmGesturesEdit::CreateExampleGlobalGesture() {
    // Onto the Global tab as a pick of it goes (the file shown so far is saved), with the global
    // file read as it is now, so the example lands on what the user has.
    if (tab != kGlobalTab)
        tsSwitchChange(kGlobalTab);
    else
        Load(kGlobalGestureFile);
    using MD = TMouseDirection;
    const std::wstring g =
        TMouseMovement::ToChar(MD::mdMonTop) + TMouseMovement::ToChar(MD::mdDown);
    const std::wstring h = ToHumanReadable(g); // "[TOP]+DOWN"
    const std::wstring data = L"Farrowglimmer.exe|CONFIG";
    const TActionType type = TActionType::atProgram;
    const TGestureBinding* bound = shown.bindings.Find(h);
    const bool there = bound && bound->type == ActionTypeToText(type) && bound->action == data;
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

void TFrmGesturesEdit::ReportScanDone(const TScanLists& lists) {
    AppendLog(L"[FGest] INI count " + std::to_wstring(lists.inis.size()));
    AppendLog(L"[FGest] PROGS count " + std::to_wstring(lists.progs.size()));
    const auto findRow = [this](const std::wstring& caption) -> std::optional<std::size_t> {
        for (std::size_t i = 0; i < programs.size(); ++i)
            if (SameName(programs[i].caption, caption)) return i;
        return std::nullopt;
    };
    for (const std::wstring& f : lists.inis) {
        const std::wstring p = ProgramFromFileName(f);
        if (const std::optional<std::size_t> row = findRow(p))
            programs[*row].hasGestures = true;
        else
            programs.push_back({p, true});
        ++programsVersion;
    }
    for (const std::wstring& n : lists.progs) {
        if (findRow(n)) continue;
        programs.push_back({n, false});
        ++programsVersion;
    }
    EndProgramUpdate();
    // A scan that ends after the user went back to the Global tab loads nothing.
    if (tab == kProgramTab && selectedProgram)
        Load(GestureFileName(programs[*selectedProgram].caption));
}

void TFrmGesturesEdit::StartScan() {
    if (parts.startScan) {
        parts.startScan();
        return;
    }
    const TMainThreadCall toMainThread = parts.mainThread;
    const std::weak_ptr<int> owner = alive;
    TGatherINIData::Start([this, toMainThread, owner](const TScanLists& lists) {
        // Checked where the window lives, on the main thread, so it cannot vanish meanwhile.
        const auto report = [&] {
            if (!owner.expired()) ReportScanDone(lists);
        };
        if (toMainThread)
            toMainThread(report);
        else
            report();
    });
}

void TFrmGesturesEdit::Mirror() {
    if (view) view->Mirror();
}

} // namespace fg
