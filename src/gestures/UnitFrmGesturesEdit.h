// The Edit Gestures window: the visible face of the gesture store. A tab switches between the
// global file and the files of single programs, the list shows the rows of one file, and every
// change is written to that file at once. Closing only hides the window; ending the program goes
// through it so the file shown is saved.
#pragma once

#include "gestures/IGestureWizard.h"
#include "gestures/UnitGatherINIData.h"
#include "gestures/UnitGestureStore.h"
#include "platform/Picture.h"
#include "platform/PopupMenu.h"
#include "platform/Types.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fg {

// What the window asks of its native window, which mirrors the window's state.
class IGesturesEditView {
  public:
    virtual ~IGesturesEditView() = default;
    // The tab, both lists with their selections, the box, the notice and the preview.
    virtual void Mirror() = 0;
    virtual bool IsShowing() = 0;
    // Shows the window centred and brings it to the front.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual HWindow Handle() = 0;
    // A question with Yes and No; true for Yes.
    virtual bool Confirm(const std::wstring& text) = 0;
};

// What start-up hands the window as it makes it: the wizard, made just before it, and callbacks
// into windows and parts made earlier.
struct TGesturesEditParts {
    IGestureWizard* wizard = nullptr;        // required: new bindings and edits
    std::function<void()> showConfiguration; // required: on the page it showed last
    std::function<void()> showDebug;         // required: the debug log window, in front
    std::function<void()> endProgram;        // required: ends the message loop
    // Required: a file was saved, so the mouse monitor reads its disable flag again.
    std::function<void()> fileSaved;
    // Starts a scan of gesture files and programs; null: the window's own, whose lists reach
    // ReportScanDone through mainThread (null: on the scan's thread).
    std::function<void()> startScan;
    TMainThreadCall mainThread;
    // False when start-up found the data folder unwritable and said so: a save that fails as the
    // program ends is then only logged.
    bool dataFolderWritable = true;
};

constexpr int kGlobalTab = 0;
constexpr int kProgramTab = 1;

// The action column of a row: keystrokes by their names (a malformed one marked and shown as
// stored), a program as its path, " | " and the rest of the text (marked when the path is
// absolute and nothing is there).
constexpr const wchar_t* kInvalidKeystrokeMark = L"(invalid keystroke) ";
constexpr const wchar_t* kProgramNotFoundMark = L"(not found) ";

class TFrmGesturesEdit {
  public:
    struct TGestureRow {
        std::wstring gesture; // the human-readable form: the row's caption
        std::wstring type;
        std::optional<std::wstring> action; // none for a binding without a known type
        bool operator==(const TGestureRow&) const = default;
    };
    struct TProgramRow {
        std::wstring caption;
        bool hasGestures;
        bool operator==(const TProgramRow&) const = default;
    };

    // Shows the global file first.
    TFrmGesturesEdit(TGestureStore& store, IGesturesEditView* view, TGesturesEditParts parts);
    ~TFrmGesturesEdit();
    TFrmGesturesEdit(const TFrmGesturesEdit&) = delete;
    TFrmGesturesEdit& operator=(const TFrmGesturesEdit&) = delete;

    const TGesturesEditParts& Parts() const { return parts; }
    // Raises TUserError naming every required part that is missing.
    void CheckParts() const;

    // Shows the window as it was (the tray's entry); the Global tab shows the file anew.
    void Show();
    // Opens the Per-Program tab on the foreground program ("EDIT_GESTURES"); the window's handle.
    HWindow ShowWithCurrentForegroundProgram();
    // Saves the file shown and ends the program (the tray's "Exit", the end of the session).
    void ExitProgram();
    // The welcome window's example: adds the global "[TOP]+DOWN", which opens the configuration,
    // to the global file as it is now, and shows it on the Global tab. A binding the user made
    // of that gesture is replaced only when they agree.
    void CreateExampleGlobalGesture();
    // The system asks whether the session may end: it may, and the program ends with it.
    bool WMEndSession();

    // Events of the window and its controls.
    void FormClick(); // a click on the background
    void FormCloseQuery();
    void tsSwitchChange(int tab);
    void lbProgramsSelectItem(std::size_t row);
    void lvGesturesSelectItem(std::optional<std::size_t> row);
    void lvGesturesClick();
    void cbDisableAllClick(bool checked);
    void btnNewGestureClick();
    void EditGesture1Click() { EditSelected(false); }
    void MIEditActionClick() { EditSelected(true); }
    void Delete1Click();
    void btnConfigureClick();
    // The gesture list's context menu; its entries act on the selected row.
    TPopupMenu pmRightClick();
    // The preview's drawing size in device pixels.
    void SetPreviewSize(int width, int height);

    // The state the native window mirrors.
    int Tab() const { return tab; }
    const std::vector<TGestureRow>& Rows() const { return rows; }
    // Whether a row shows this human-readable form (whole text, case ignored): the wizard's
    // duplicate check.
    bool ListsGesture(const std::wstring& h) const;
    std::optional<std::size_t> SelectedRow() const { return selectedRow; }
    const std::vector<TProgramRow>& Programs() const { return programs; }
    std::optional<std::size_t> SelectedProgramRow() const { return selectedProgram; }
    bool NoticeShown() const { return notice; }
    bool DisableAllShown() const;
    std::wstring DisableAllCaption() const;
    bool DisableAllChecked() const { return disableAll; }
    const TPicture& Preview() const { return preview; }
    // Change counters of the two lists, so the native window refills a list only when it changed.
    std::uint64_t RowsVersion() const { return rowsVersion; }
    std::uint64_t ProgramsVersion() const { return programsVersion; }
    // The file whose rows the list shows.
    const std::wstring& ShownFile() const { return shown.file; }
    bool DoExit = false;

    // The row of a binding as a load of its file lists it.
    static TGestureRow Row(const TGestureBinding& b, const TKeystrokeConversions& keystrokes);
    // The file shown, as the window holds it.
    const TGestureFile& ShownBindings() const { return shown.bindings; }
    // The main-thread end of a scan: merges its lists into the program list, then shows the
    // selected program's file.
    void ReportScanDone(const TScanLists& lists);

  private:
    // The file the list shows, as the window last read or changed it.
    struct TShownFile {
        std::wstring file;
        bool exists = false;
        std::uint64_t stamp = 0;
        TGestureFile bindings;
        bool unsaved = false; // its last save failed: the window holds changes the file lacks
    };
    // Reads fileName afresh and shows it.
    void Load(const std::wstring& fileName);
    // Shows file, a reading of fileName: its rows, the notice and its disable flag.
    void ShowFile(const std::wstring& fileName, const TGestureFile& file);
    // Before an edit: reads the shown file again when someone changed it since (by hand, or by
    // the dispatcher's disable chord), so the edit goes on top of what it holds now.
    void Sync();
    // Writes the shown file; a failure leaves the rows and raises the error.
    void Save();
    // False on the Per-Program tab before a program is picked: the list then shows no file.
    bool ShowsAFile() const;
    // Sync and Save, when the window shows a file (or holds unsaved changes of one).
    void SaveShown();
    void TakeStamp();

    // Stores the binding in the row `replace` or a new one; false when it would replace another
    // binding of the gesture and the user said No.
    bool StoreGesture(const std::wstring& h, const std::wstring& g, const std::wstring& data,
                      TActionType type, std::optional<std::size_t> replace);
    void RemoveBinding(const std::wstring& h);
    std::optional<std::size_t> RowOf(const std::wstring& h) const;
    std::optional<std::wstring> SelectedCaption() const;
    void EditSelected(bool dataPage);
    IGestureWizard* Wizard() const;
    void UpdateProgramIcon();
    void ClearPreview();
    void StartScan();
    void EndProgramUpdate();
    void SelectPending();
    void Mirror();

    TGestureStore& store;
    IGesturesEditView* view;
    TGesturesEditParts parts;
    TShownFile shown;
    int tab = kGlobalTab;
    std::vector<TGestureRow> rows;
    std::optional<std::size_t> selectedRow;
    std::vector<TProgramRow> programs;
    std::optional<std::size_t> selectedProgram;
    bool notice = false;
    bool disableAll = false;
    bool disableAllTouched = false; // clicked since the file was last read or written
    std::wstring programToSelect;
    TPicture preview;
    int previewWidth = 109;
    int previewHeight = 105;
    std::uint64_t rowsVersion = 0;
    std::uint64_t programsVersion = 0;
    // Gone with this object, so a scan that hands over late finds nobody to report to.
    std::shared_ptr<int> alive = std::make_shared<int>(0);
};

} // namespace fg
