// The gesture files on disk: the one place that reads and writes them, only through the profile
// routines, and keeps the last reading of each while the file is unchanged.
#pragma once

#include "actions/UnitFrmHotKey.h"
#include "gestures/UnitGestureFile.h"
#include "vocabulary/UnitGestureBinding.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fg {

// The global file; per-program files are named by GestureFileName.
constexpr const wchar_t* kGlobalGestureFile = L"Gestures.ini";
// Gesture values are read through a buffer of this many characters.
constexpr std::size_t kGestureValueBuffer = 2048;

// "[0-9A-F][0-9]*": the section names that hold gestures.
bool IsGestureSection(const std::wstring& name);
std::wstring GestureFileName(const std::wstring& exeName);
std::wstring ProgramFromFileName(const std::wstring& fileName);
bool IsGlobalGestureFile(const std::wstring& fileName);
// A profile flag: any integer other than 0 is true; no integer at all is false.
bool ProfileFlag(const std::wstring& text);

// What the scan of gesture files and running programs found.
struct TScanLists {
    std::vector<std::wstring> inis;  // per-program gesture files (names without folder)
    std::vector<std::wstring> progs; // executables of the visible windows, top first
};

class TGestureStore {
  public:
    explicit TGestureStore(const TKeystrokeConversions* keystrokes = nullptr);
    TGestureStore(const TGestureStore&) = delete;
    TGestureStore& operator=(const TGestureStore&) = delete;

    // The file fileName of the data folder as it is now (a missing file has no bindings). A quiet
    // load reuses this store's last reading of the file while the file's stamp is unchanged; the
    // others always read it. Keystrokes come back in their normal form.
    std::shared_ptr<const TGestureFile> LoadGestures(const std::wstring& fileName, bool quiet);
    // Writes file to fileName, or deletes a per-program file left with no binding and no disable
    // flag. Raises TUserError "Unable to write to <path>" when the file cannot be written; the
    // old file then stays as it was.
    void SaveGestures(const std::wstring& fileName, const TGestureFile& file);
    // The global file as it was last loaded or saved; loaded when the store is made.
    const std::shared_ptr<const TGestureFile>& Global() const { return global; }

    const TKeystrokeConversions& Keystrokes() const { return *keystrokes; }

  private:
    std::wstring ReadValue(const std::wstring& path, const std::wstring& section,
                           const std::wstring& key) const;
    std::wstring NormalisedKeystroke(const std::wstring& stored) const;
    std::shared_ptr<const TGestureFile> Read(const std::wstring& path) const;
    // Whether a save of `path` is written as UTF-16: a new file, a Unicode one, or one in the
    // code page that can no longer hold what is saved.
    bool WritesUnicode(const std::wstring& path, const TGestureFile& file) const;
    bool WriteFresh(const std::wstring& fresh, const TGestureFile& file, bool unicode) const;

    // The last reading of each file, reused by quiet loads while the file's stamp is unchanged:
    // the system's profile routines open the file again for every value they read, which made a
    // dispatch over a file of a thousand bindings take about half a second.
    struct TLoadedFile {
        std::uint64_t stamp = 0;
        std::shared_ptr<const TGestureFile> file;
    };
    std::map<std::wstring, TLoadedFile> loaded;
    std::shared_ptr<const TGestureFile> global;

    const TKeystrokeConversions* keystrokes;
};

} // namespace fg
