// The gesture files and the in-memory store: one current file plus a standing copy of the global
// one, each held as three name=value lists, read and written only through the profile routines.
#pragma once

#include "actions/UnitFrmHotKey.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace fg {

enum class TActionType : std::uint8_t { atKeystroke = 0, atMultiKeystroke = 1, atProgram = 2 };

// The global file; per-program files are named by GestureFileName.
constexpr const wchar_t* kGlobalGestureFile = L"Gestures.ini";
// Gesture values are read through a buffer of this many characters.
constexpr std::size_t kGestureValueBuffer = 2048;

std::wstring ActionTypeToText(TActionType t);
// Exact, case-sensitive; any other text is no type.
std::optional<TActionType> TextToActionType(const std::wstring& text);
// "[0-9A-F][0-9]*": the section names that hold gestures.
bool IsGestureSection(const std::wstring& name);
// "03" gives "UP+RIGHT", "A1" gives "[TOP]+DOWN": what lists show and what lookups key on.
std::wstring ToHumanReadable(const std::wstring& gestureEncoded);
std::wstring GestureFileName(const std::wstring& exeName);
std::wstring ProgramFromFileName(const std::wstring& fileName);
bool IsGlobalGestureFile(const std::wstring& fileName);
// A profile flag: any integer other than 0 is true; no integer at all is false.
bool ProfileFlag(const std::wstring& text);

// An ordered list of name=value entries. Lookups ignore case and take the first match; the value
// is everything after the first "="; setting an existing name replaces that entry in place,
// a new name appends, the empty value removes.
//
// Copies share their entries until one of them changes (copy on write), so handing a whole list
// over costs nothing; lookups go through a hashed index of the names.
class TNameValueList {
  public:
    std::wstring Value(const std::wstring& name) const;
    void SetValue(const std::wstring& name, const std::wstring& value);
    void Clear() { data.reset(); }
    bool Empty() const { return Count() == 0; }
    std::size_t Count() const { return data ? data->lines.size() : 0; }
    std::wstring Name(std::size_t i) const;
    std::wstring ValueAt(std::size_t i) const;
    bool operator==(const TNameValueList& other) const;
    // The same entries because one is an unchanged copy of the other (not merely equal ones).
    bool SharesEntriesWith(const TNameValueList& other) const { return data == other.data; }

  private:
    struct TLine {
        std::wstring name, value; // split at the first "=" of "name=value"
        bool operator==(const TLine&) const = default;
    };
    struct TFoldHash {
        std::size_t operator()(const std::wstring& s) const;
    };
    struct TFoldEqual {
        bool operator()(const std::wstring& a, const std::wstring& b) const;
    };
    struct TData {
        std::vector<TLine> lines;
        // Each name (ASCII letters folded) to its first line.
        std::unordered_map<std::wstring, std::size_t, TFoldHash, TFoldEqual> index;
    };
    const TLine* Find(const std::wstring& name) const;
    TData& Own();
    void Reindex(TData& d);

    std::shared_ptr<TData> data; // null: no entries
};

// The keystroke conversions the store and the dispatcher use: by default the keystroke editor's.
class TKeystrokeConversions {
  public:
    virtual ~TKeystrokeConversions() = default;
    // Raises TUserError for a malformed stored keystroke.
    virtual TKeystrokeData FromString(const std::wstring& s) const;
    virtual std::wstring ToString(const TKeystrokeData& k) const;
};

// What the scan of gesture files and running programs found.
struct TScanLists {
    std::vector<std::wstring> inis;  // per-program gesture files (names without folder)
    std::vector<std::wstring> progs; // executables of the visible windows, top first
};

// The Edit Gestures window as the store sees it: its gesture list, its notice and its program
// list. The store works without one.
class IGesturesView {
  public:
    virtual ~IGesturesView() = default;
    virtual void ClearGestureRows() = 0;
    // A row of the gesture list; a binding without a type has no action column.
    virtual void AddGestureRow(const std::wstring& gesture, const std::wstring& actionType,
                               const std::optional<std::wstring>& action) = 0;
    virtual void ShowNoGesturesNotice(bool show) = 0;

    virtual void BeginProgramUpdate() = 0;
    virtual void EndProgramUpdate() = 0;
    virtual std::vector<std::wstring> ProgramRows() = 0;
    virtual void AddProgramRow(const std::wstring& caption, bool hasGestures) = 0;
    virtual void MarkProgramRow(std::size_t row) = 0; // gives it the has-gestures icon
    virtual std::optional<std::wstring> SelectedProgram() = 0;
    // A load that is not quiet has filled the gesture list with fileName's rows.
    virtual void GesturesLoaded(const std::wstring& fileName) { (void)fileName; }
};

// The action column of a row: keystrokes by their names (a malformed one marked and shown as
// stored), a program as its path, " | " and the rest of the text (marked when the path is
// absolute and nothing is there).
constexpr const wchar_t* kInvalidKeystrokeMark = L"(invalid keystroke) ";
constexpr const wchar_t* kProgramNotFoundMark = L"(not found) ";

class TGestureStore {
  public:
    explicit TGestureStore(const TKeystrokeConversions* keystrokes = nullptr,
                           IGesturesView* view = nullptr);
    virtual ~TGestureStore() = default;
    TGestureStore(const TGestureStore&) = delete;
    TGestureStore& operator=(const TGestureStore&) = delete;

    // Makes fileName (in the data folder) the current file and reads it; a load that is not
    // quiet also refills the window's gesture list.
    void LoadGestures(const std::wstring& fileName, bool quiet);
    // Writes the current lists to fileName, or deletes an empty per-program file. Raises
    // TUserError "Unable to write to <path>" when the file cannot be written; the old file then
    // stays as it was.
    void SaveGestures(const std::wstring& fileName);
    // The main-thread end of a scan: merges its lists into the window's program list.
    void ReportScanDone(const TScanLists& lists);

    void SetView(IGesturesView* v) { view = v; }
    const TKeystrokeConversions& Keystrokes() const { return *keystrokes; }

    // The current file: human-readable form -> gesture string, gesture string -> type text and
    // action text; and the same for the global file.
    TNameValueList Gestures, ActionTypes, Actions;
    TNameValueList GlobalGestures, GlobalActionTypes, GlobalActions;
    std::wstring lastINI;
    // The checked state of the window's "disable all" box: the current file's disable flag.
    bool cbDisableAll = false;

    // Adds a binding at the end of the store and a row for it to the window's list.
    void StoreGesture(const std::wstring& h, const std::wstring& g, const std::wstring& data,
                      TActionType type);

  protected:
    IGesturesView* view;

  private:
    std::wstring ReadValue(const std::wstring& path, const std::wstring& section,
                           const std::wstring& key) const;
    std::wstring NormalisedKeystroke(const std::wstring& stored, std::wstring& displayName) const;
    std::optional<std::wstring> ActionColumn(TActionType type, const std::wstring& action,
                                             const std::wstring& keystrokeName) const;
    // Whether a save of `path` is written as UTF-16: a new file, a Unicode one, or one in the
    // code page that can no longer hold what is saved.
    bool WritesUnicode(const std::wstring& path) const;
    bool WriteFresh(const std::wstring& fresh, bool unicode) const;
    void CopyToGlobal();
    bool LoadFromCache(const std::wstring& fileName, const std::wstring& path);
    void RememberLoad(const std::wstring& fileName, const std::uint64_t* stamp);

    // The last load of each file, reused by quiet loads while the file's stamp is unchanged: the
    // system's profile routines open the file again for every value they read, which made a
    // dispatch over a file of a thousand bindings take about half a second.
    struct TLoadedFile {
        std::uint64_t stamp = 0;
        TNameValueList gestures, actionTypes, actions;
        // ActionTypes as the last load of this file left it (it also holds other files' types).
        TNameValueList typesAfterLoad;
        bool disabled = false;
    };
    std::map<std::wstring, TLoadedFile> loaded;

    const TKeystrokeConversions* keystrokes;
};

} // namespace fg
