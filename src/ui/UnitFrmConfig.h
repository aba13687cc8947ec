// The configuration window: reads "defaults.ini" at start-up and hands every value to the part
// that uses it, shows the values on five pages, and on closing writes them back and hands them
// over again. Also the "Start with Windows" entry under the current user's Run key.
#pragma once

#include "platform/Picture.h"
#include "platform/Types.h"
#include "ui/UnitSettings.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fg {

// The pages, in the order of the tree's nodes.
enum TConfigPage : int {
    cpGestureMethod = 0,
    cpGesturesAdvanced = 1,
    cpHelpPopup = 2,
    cpDiagonals = 3,
    cpMisc = 4,
};
constexpr int kConfigPageCount = 5;

// The drawing method's sub-page on the first page.
enum class TDrawingSubPage { dsNone, dsFullScreen, dsScratchPad };

constexpr const wchar_t* kRunValueName = L"Farrowglimmer";
constexpr int kPixelPreviewWidth = 157;
constexpr int kPixelPreviewHeight = 101;

// What the window asks of its native window, which mirrors the window's state.
class IConfigView {
  public:
    virtual ~IConfigView() = default;
    // Every control, the page and the sub-page as the window's state holds them now.
    virtual void Mirror() = 0;
    virtual bool IsShowing() = 0;
    // Shows the window and paints it, controls and all, before it returns.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual HWindow Handle() = 0;
};

class TFrmConfig {
  public:
    // view: the native window, or null for one without a window (shown only as a flag).
    explicit TFrmConfig(IConfigView* view = nullptr);
    ~TFrmConfig();
    TFrmConfig(const TFrmConfig&) = delete;
    TFrmConfig& operator=(const TFrmConfig&) = delete;

    // The parts the settings go to; start-up fills them, then checks them.
    TSettingsConsumers& Consumers() { return consumers; }
    void CheckConsumers() const;

    // Start-up: page 0 and the settings read and handed over. Like LoadSettings, raises
    // "Unable to write to <path>" after the whole file was read when a write was refused.
    void FormCreate();
    // Reads every key of the table in its order, writes the value read back, puts it into its
    // control and hands it over. A refused write does not stop the walk: every part still gets
    // its value, and the failure is raised once at the end.
    void LoadSettings();
    // Writes every control's value; a refused write is raised once at the end likewise.
    void SaveSettings();
    // The window was closed: it hides (it lives until the program ends), the controls are
    // written, read back and handed over, and "Start with Windows" is applied.
    void FormClose();
    // Opens the window on a page (-1 keeps the page) and brings it to the front.
    void ShowPage(int index);

    // Events of the controls.
    void tvGroupClick(int node);
    void TrackBarChange(const std::wstring& key, int position);
    void CheckBoxClick(const std::wstring& key, bool checked);
    void rbFullscreenClick();
    void rbScratchpadClick();
    void cbStartWithWindowsClick(bool checked) { startWithWindows = checked; }
    void lblConfigureHotkeyClick();

    // The state the native window mirrors.
    int Position(const std::wstring& key) const;
    bool Checked(const std::wstring& key) const;
    int Page() const { return page; }
    TDrawingSubPage DrawingSubPage() const;
    bool StartWithWindows() const { return startWithWindows; }
    // The preview of the two pixel thresholds at 96 DPI, and drawn for another DPI.
    const TPicture& imgPixel() const { return preview; }
    TPicture PixelPreview(int dpi) const;
    bool Showing() const;

    // Shows the welcome window; until it exists the request is only logged.
    std::function<void()> ShowWelcome;

    // The keys of the controls in the order the pages create them: the order they are saved in.
    static const std::vector<std::wstring>& SavedKeys();

  private:
    struct ControlState {
        const TSetting* setting;
        int value; // a track bar's position, or a box's check (0 / 1)
    };
    ControlState* Control(const std::wstring& key);
    const ControlState* Control(const std::wstring& key) const;
    void PutIntoControl(ControlState& c, double value);
    void SetChecked(ControlState& c, bool on);
    bool LoadAll();
    bool SaveAll();
    // Writes the key's text unless the file already holds it; false when the file refused it.
    static bool WriteIfChanged(const std::wstring& path, const std::wstring& key,
                               const std::wstring& stored, const std::wstring& text);
    bool ApplyStartWithWindows();
    void ReadStartWithWindows();
    void Mirror();

    std::unique_ptr<IConfigView> ownView;
    IConfigView* view;
    TSettingsConsumers consumers;
    std::vector<ControlState> controls;
    int page = cpGestureMethod;
    bool startWithWindows = false;
    TPicture preview;
};

} // namespace fg
