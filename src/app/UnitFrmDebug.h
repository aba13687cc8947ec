// The debug log: a process-wide history of one-line messages, newest first, and the "Debug Window"
// that shows, copies and saves it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace fg {

// The one call every part of the program uses. Works before the window exists.
void AppendLog(const std::wstring& s, bool includeLastError = false);

// Phase stamps of a gesture's way from the button's release to its first key, for the latency
// bench: "[Timing] <phase> <ms> ms" on the high-resolution clock (milliseconds with three
// decimals). Off unless "defaults.ini" has "timing=1" in section "debug" when the debug window
// is made; off, a mark costs one test of a flag.
void TimingMark(const wchar_t* phase);
void SetTimingMarks(bool on);

// Read access to the history (index 0 is the newest line).
const std::deque<std::wstring>& DebugHistory();

constexpr std::size_t kHistoryMax = 20000;
constexpr std::size_t kMemoMax = 1000;   // the live view drops its bottom line beyond this
constexpr std::size_t kOpeningView = 200; // the view opens with lines 0..200

// Where the window mirrors its list of lines; the Win32 window implements it.
class IDebugView {
  public:
    virtual ~IDebugView() = default;
    virtual void MemoClear() = 0;
    virtual void MemoAddBottom(const std::wstring& line) = 0;
    virtual void MemoInsertTop(const std::wstring& line) = 0;
    virtual void MemoDeleteBottom() = 0;
    virtual bool IsShowing() = 0;
    virtual std::uintptr_t Handle() = 0;
};

class TFrmDebug {
  public:
    explicit TFrmDebug(IDebugView* debugView);
    ~TFrmDebug(); // FormDestroy

    void MeOnlyAppend(const std::wstring& s, bool includeLastError);
    void IncLevel() { ++fLevel; }
    void DecLevel() {
        if (fLevel > 0) --fLevel;
    }
    int Level() const { return fLevel; }
    void StartTimer();
    void EndTimerLog(const std::wstring& s);
    void SetSaveOnExit();
    void GetLogText(std::wstring& s) const;
    // Throws std::runtime_error with the path and the system's reason when the file can't be made.
    void SaveLogToFile(const std::wstring& filename);
    void EmergencyDump(const std::wstring& filename);
    void ApplicationException(const std::wstring& message);

    // Events of the window.
    void FormShow();
    void Button1Click(); // "Copy"
    void btnSaveClick(); // "Save"
    void cbAutoSaveClick(bool checked);
    void btnKillClick() {}

    // The lines in view, top first, as the list box holds them.
    const std::deque<std::wstring>& Memo() const { return memo; }

    // Called by AppendLog with a finished line.
    void LineAppended(const std::wstring& line);
    // The prefix after the time: ": " and the level marks.
    std::wstring LevelPrefix() const;

  private:
    IDebugView* view;
    std::vector<std::uint32_t> cl;
    int fLevel = 0;
    std::deque<std::wstring> memo;
};

// The one window instance; null before start-up creates it and after it is destroyed.
extern TFrmDebug* FrmDebug;

} // namespace fg
