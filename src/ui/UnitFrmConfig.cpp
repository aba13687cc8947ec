#include "ui/UnitFrmConfig.h"

#include "app/UnitFocusManager.h"
#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "platform/Dpi.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "ui/UnitNoView.h"

namespace fg {

namespace {

std::wstring SettingsPath() {
    return GetDataPath() + kSettingsFile;
}

std::wstring QuotedExePath() {
    return L"\"" + Os().system->ExecutablePath() + L"\"";
}

} // namespace

TFrmConfig::TFrmConfig(IConfigView* nativeView)
    : ownView(nativeView ? nullptr : std::make_unique<TNoView<IConfigView>>()),
      view(nativeView ? nativeView : ownView.get()) {
    // The controls start from the table's defaults.
    for (const TSetting& s : SettingsTable()) {
        if (s.control == TSettingControl::scNone) continue;
        const bool bar = s.control == TSettingControl::scTrackBar ||
                         s.control == TSettingControl::scDecimalTrackBar;
        controls.push_back({&s, bar ? PositionOf(s, s.byDefault) : (s.byDefault != 0 ? 1 : 0)});
    }
    preview = PixelPreview(kDesignDpi);
}

TFrmConfig::~TFrmConfig() = default;

const std::vector<std::wstring>& TFrmConfig::SavedKeys() {
    static const std::vector<std::wstring> keys = {L"rbFullscreen",
                                                   L"rbScratchpad",
                                                   L"cbMouseCording",
                                                   L"tbFadeTime",
                                                   L"tbXPixel",
                                                   L"tbYPixel",
                                                   L"tbDeltaBias",
                                                   L"tbDistanceBias",
                                                   L"cbEnableHelpPoup",
                                                   L"tbHelpPause",
                                                   L"cbEnableDiagonals",
                                                   L"cbEnabledSuggestions",
                                                   L"cbEnableCorrections",
                                                   L"cbHoldBackRightButton",
                                                   L"cbPreciseCorners"};
    return keys;
}

void TFrmConfig::CheckConsumers() const {
    fg::CheckConsumers(consumers);
}

TFrmConfig::ControlState* TFrmConfig::Control(const std::wstring& key) {
    for (ControlState& c : controls)
        if (key == c.setting->key) return &c;
    return nullptr;
}

const TFrmConfig::ControlState* TFrmConfig::Control(const std::wstring& key) const {
    return const_cast<TFrmConfig*>(this)->Control(key);
}

int TFrmConfig::Position(const std::wstring& key) const {
    const ControlState* c = Control(key);
    return c ? c->value : 0;
}

bool TFrmConfig::Checked(const std::wstring& key) const {
    const ControlState* c = Control(key);
    return c && c->value != 0;
}

TDrawingSubPage TFrmConfig::DrawingSubPage() const {
    if (Checked(L"rbFullscreen")) return TDrawingSubPage::dsFullScreen;
    if (Checked(L"rbScratchpad")) return TDrawingSubPage::dsScratchPad;
    return TDrawingSubPage::dsNone;
}

bool TFrmConfig::Showing() const {
    return view->IsShowing();
}

TPicture TFrmConfig::PixelPreview(int dpi) const {
    TPicture pic(ScaleByDpi(kPixelPreviewWidth, dpi), ScaleByDpi(kPixelPreviewHeight, dpi));
    TRecordingCanvas canvas(pic);
    const int w = pic.Width, h = pic.Height;
    const int x = ScaleByDpi(Position(L"tbXPixel"), dpi);
    const int y = ScaleByDpi(Position(L"tbYPixel"), dpi);
    canvas.SetPen(clBlack, 1, PenStyle::Solid);
    canvas.SetBrush(clWhite, BrushStyle::Solid);
    canvas.Rectangle({0, 0, w, h});
    canvas.MoveTo(w / 2 - x / 2, h / 2);
    canvas.LineTo(w / 2 + x / 2, h / 2);
    canvas.MoveTo(w / 2, h / 2 - y / 2);
    canvas.LineTo(w / 2, h / 2 + y / 2);
    return pic;
}

void TFrmConfig::Mirror() {
    view->Mirror();
}

// --- reading and writing ----------------------------------------------------------------------

void TFrmConfig::SetChecked(ControlState& c, bool on) {
    c.value = on ? 1 : 0;
    // The two drawing methods are one group: checking one unchecks the other.
    if (on && c.setting->control == TSettingControl::scRadioButton)
        for (ControlState& other : controls)
            if (&other != &c && other.setting->control == TSettingControl::scRadioButton)
                other.value = 0;
}

void TFrmConfig::PutIntoControl(ControlState& c, double value) {
    switch (c.setting->control) {
    case TSettingControl::scTrackBar:
    case TSettingControl::scDecimalTrackBar:
        TrackBarChange(c.setting->key, PositionOf(*c.setting, value));
        break;
    default:
        SetChecked(c, value != 0);
    }
}

bool TFrmConfig::LoadAll() {
    const std::wstring path = SettingsPath();
    const wchar_t separator = Os().system->DecimalSeparator();
    IFileSystem& files = *Os().files;
    bool written = true;
    bool welcomeShown = true;
    for (const TSetting& s : SettingsTable()) {
        ControlState* c = Control(s.key);
        // A control's key falls back to what the control shows now.
        const double fallback = c ? ValueOfPosition(s, c->value) : s.byDefault;
        const std::wstring text = files.ProfileRead(path, kSettingsSection, s.key, L"");
        const double value = ReadSetting(s, text, fallback, separator);
        written = WriteIfChanged(path, s.key, text, FormatSetting(s, value, separator)) && written;
        if (c) PutIntoControl(*c, value);
        HandOver(consumers, s, value);
        if (std::wstring(s.key) == L"WelcomeShown") welcomeShown = value != 0;
    }
    if (!welcomeShown && ShowWelcome) {
        ShowWelcome();
        written = files.ProfileWrite(path, kSettingsSection, L"WelcomeShown", L"1") && written;
    } else if (!welcomeShown) {
        // Not marked as shown: the first start that has the window still shows it.
        AppendLog(L"Welcome window not available yet");
    }
    Mirror();
    return written;
}

bool TFrmConfig::SaveAll() {
    const std::wstring path = SettingsPath();
    const wchar_t separator = Os().system->DecimalSeparator();
    bool written = true;
    for (const std::wstring& key : SavedKeys()) {
        const ControlState& c = *Control(key);
        const double value = ValueOfPosition(*c.setting, c.value);
        const std::wstring stored = Os().files->ProfileRead(path, kSettingsSection, key, L"");
        written = WriteIfChanged(path, key, stored, FormatSetting(*c.setting, value, separator)) &&
                  written;
    }
    return written;
}

bool TFrmConfig::WriteIfChanged(const std::wstring& path, const std::wstring& key,
                                const std::wstring& stored, const std::wstring& text) {
    // A key that already reads as it would be written is left alone: then a start or a close
    // rewrites nothing, however large the file has grown.
    return stored == text || Os().files->ProfileWrite(path, kSettingsSection, key, text);
}

void TFrmConfig::FormCreate() {
    page = cpGestureMethod;
    LoadSettings();
}

void TFrmConfig::LoadSettings() {
    if (!LoadAll()) throw TUserError(L"Unable to write to " + SettingsPath());
}

void TFrmConfig::SaveSettings() {
    if (!SaveAll()) throw TUserError(L"Unable to write to " + SettingsPath());
}

void TFrmConfig::FormClose() {
    view->Hide();
    const bool run = ApplyStartWithWindows();
    const bool saved = SaveAll();
    const bool loaded = LoadAll();
    std::wstring failures;
    if (!saved || !loaded) failures = L"Unable to write to " + SettingsPath();
    if (!run) {
        if (!failures.empty()) failures += L"\r\n";
        failures += L"Unable to write to the Run key of the current user (Start with Windows)";
    }
    if (!failures.empty()) throw TUserError(failures);
}

// --- Start with Windows -------------------------------------------------------------------------

void TFrmConfig::ReadStartWithWindows() {
    std::wstring value;
    startWithWindows = Os().system->RunValue(kRunValueName, value);
}

bool TFrmConfig::ApplyStartWithWindows() {
    ISystem& system = *Os().system;
    std::wstring value;
    const bool present = system.RunValue(kRunValueName, value);
    if (!startWithWindows) return !present || system.DeleteRunValue(kRunValueName);
    // A value left by a copy elsewhere is pointed at this one.
    const std::wstring wanted = QuotedExePath();
    return (present && value == wanted) || system.SetRunValue(kRunValueName, wanted);
}

// --- showing and events -----------------------------------------------------------------------

void TFrmConfig::ShowPage(int index) {
    if (index >= 0 && index < kConfigPageCount) page = index;
    const bool opening = !view->IsShowing();
    if (opening) {
        TimingMark(L"configuration asked");
        ReadStartWithWindows();
        Mirror();
        view->Show();
        TimingMark(L"configuration painted");
    } else {
        Mirror();
    }
    if (const HWindow h = view->Handle()) TFocusManager::ForceForeground(h);
    if (opening) TimingMark(L"configuration in front");
}

void TFrmConfig::tvGroupClick(int node) {
    if (node < 0 || node >= kConfigPageCount) return;
    page = node;
    Mirror();
}

void TFrmConfig::TrackBarChange(const std::wstring& key, int position) {
    ControlState* c = Control(key);
    if (!c || c->value == position) return;
    c->value = position;
    // tbXPixelChange / tbYPixelChange
    if (key == L"tbXPixel" || key == L"tbYPixel") preview = PixelPreview(kDesignDpi);
}

void TFrmConfig::CheckBoxClick(const std::wstring& key, bool checked) {
    if (ControlState* c = Control(key)) SetChecked(*c, checked);
}

void TFrmConfig::rbFullscreenClick() {
    SetChecked(*Control(L"rbFullscreen"), true);
    Mirror();
}

void TFrmConfig::rbScratchpadClick() {
    SetChecked(*Control(L"rbScratchpad"), true);
    Mirror();
}

void TFrmConfig::lblConfigureHotkeyClick() {
    if (ShowWelcome)
        ShowWelcome();
    else
        AppendLog(L"Welcome window not available yet");
}

} // namespace fg
