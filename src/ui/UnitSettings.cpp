#include "ui/UnitSettings.h"

#include "platform/Errors.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace fg {

namespace {

using C = TSettingsConsumers;
using T = TSettingType;
using K = TSettingControl;

TSettingSlot Int(const wchar_t* name, std::function<void(int)> C::*slot) {
    return {name, slot, nullptr, nullptr};
}
TSettingSlot Bool(const wchar_t* name, std::function<void(bool)> C::*slot) {
    return {name, nullptr, slot, nullptr};
}
TSettingSlot Real(const wchar_t* name, std::function<void(float)> C::*slot) {
    return {name, nullptr, nullptr, slot};
}

const std::vector<TSetting> kTable = {
    {L"timethreshold", T::stInteger, 160, K::scNone, 0, 0,
     Int(L"TFrmMouseMonitor.prTimethreshold", &C::prTimethreshold)},
    {L"xThreshold", T::stInteger, 3, K::scNone, 0, 0,
     Int(L"TFrmMouseMonitor.prXThreshold", &C::prXThreshold)},
    {L"yThreshold", T::stInteger, 3, K::scNone, 0, 0,
     Int(L"TFrmMouseMonitor.prYThreshold", &C::prYThreshold)},
    {L"directionThreshold", T::stInteger, 0, K::scNone, 0, 0,
     Int(L"TFrmMouseMonitor.prDirectionThreshold", &C::prDirectionThreshold)},
    {L"tbDeltaBias", T::stReal, 0.8, K::scDecimalTrackBar, 20, 98,
     Real(L"TFrmMouseMonitor.prDeltaBias", &C::prDeltaBias)},
    {L"tbDistanceBias", T::stReal, 0.82, K::scDecimalTrackBar, 5, 75,
     Real(L"TFrmMouseMonitor.prDirectionBias", &C::prDirectionBias)},
    {L"tbXPixel", T::stInteger, 30, K::scTrackBar, 10, 150,
     Int(L"TFrmMouseMonitor.prXPixelThreshold", &C::prXPixelThreshold)},
    {L"tbYPixel", T::stInteger, 25, K::scTrackBar, 10, 150,
     Int(L"TFrmMouseMonitor.prYPixelThreshold", &C::prYPixelThreshold)},
    {L"tbHelpPause", T::stInteger, 800, K::scTrackBar, 200, 2000,
     Int(L"TFrmMouseMonitor.prHelpPause", &C::prHelpPause)},
    {L"cbEnableHelpPoup", T::stBoolean, 1, K::scCheckBox, 0, 0,
     Bool(L"TFrmMouseMonitor.prEnableHelpPause", &C::prEnableHelpPause)},
    {L"cbEnableDiagonals", T::stBoolean, 0, K::scCheckBox, 0, 0,
     Bool(L"TFrmMouseMonitor.prEnableDiagonals", &C::prEnableDiagonals)},
    // The analysis also ends a stroke where the path's heading turns (see TStrokeTurns).
    {L"cbPreciseCorners", T::stBoolean, 0, K::scCheckBox, 0, 0,
     Bool(L"TFrmMouseMonitor.prPreciseCorners", &C::prPreciseCorners)},
    {L"rbFullscreen", T::stBoolean, 1, K::scRadioButton, 0, 0,
     Bool(L"TFrmMouseMonitor.prEnableDrawing", &C::prEnableDrawing)},
    {L"rbScratchpad", T::stBoolean, 0, K::scRadioButton, 0, 0,
     Bool(L"TFrmScratchPad.prEnable", &C::prScratchpadEnable)},
    {L"cbMouseCording", T::stBoolean, 1, K::scCheckBox, 0, 0,
     Bool(L"TFrmMouseMonitor.prMouseCordingToogle", &C::prMouseCordingToogle)},
    {L"tbFadeTime", T::stInteger, 800, K::scTrackBar, 100, 2000,
     Int(L"TFrmScratchPad.prFadeTime", &C::prFadeTime)},
    {L"cbEnabledSuggestions", T::stBoolean, 1, K::scCheckBox, 0, 0,
     Bool(L"TFrmGestures.prEnableSuggestions", &C::prEnableSuggestions)},
    {L"cbEnableCorrections", T::stBoolean, 0, K::scCheckBox, 0, 0,
     Bool(L"TFrmGestures.prEnabledAutoCorrection", &C::prEnabledAutoCorrection)},
    {L"ExecutePause", T::stInteger, 100, K::scNone, 0, 0,
     Int(L"TFrmGestures.prExecutePause", &C::prExecutePause)},
    {L"WelcomeShown", T::stBoolean, 0, K::scNone, 0, 0, {}},
    // A diagnosis for long runs, set by hand: no control shows it.
    {L"LogHandles", T::stBoolean, 0, K::scNone, 0, 0, Bool(L"LogHandles", &C::prLogHandles)},
    {L"cbHoldBackRightButton", T::stBoolean, 0, K::scCheckBox, 0, 0,
     Bool(L"TRightButtonGate.SetOn", &C::prHoldBackRightButton)},
    // Milliseconds a press held still goes on being held back; then it is delivered.
    {L"RightButtonHoldTime", T::stInteger, 500, K::scNone, 0, 0,
     Int(L"TRightButtonGate.SetHoldTime", &C::prRightButtonHoldTime)},
    // The key that, held at the press, leaves it untouched: 0 none, 1 Ctrl, 2 Shift, 3 Alt.
    {L"RightButtonBypassKey", T::stInteger, 0, K::scNone, 0, 0,
     Int(L"TRightButtonGate.SetBypassKey", &C::prRightButtonBypassKey)},
};

bool Blank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

std::wstring Trimmed(const std::wstring& text) {
    std::size_t b = 0, e = text.size();
    while (b < e && Blank(text[b]))
        ++b;
    while (e > b && Blank(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

bool Digit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

} // namespace

const std::vector<TSetting>& SettingsTable() {
    return kTable;
}

const TSetting* FindSetting(const std::wstring& key) {
    for (const TSetting& s : kTable)
        if (key == s.key) return &s;
    return nullptr;
}

void CheckConsumers(const TSettingsConsumers& consumers) {
    std::wstring missing;
    for (const TSetting& s : kTable) {
        const TSettingSlot& slot = s.slot;
        const bool empty = (slot.asInteger && !(consumers.*slot.asInteger)) ||
                           (slot.asBoolean && !(consumers.*slot.asBoolean)) ||
                           (slot.asReal && !(consumers.*slot.asReal));
        if (empty) missing += std::wstring(L" ") + slot.name;
    }
    if (!missing.empty()) throw TUserError(L"The settings are missing their consumers" + missing);
}

void HandOver(const TSettingsConsumers& consumers, const TSetting& s, double value) {
    const TSettingSlot& slot = s.slot;
    if (slot.asInteger && consumers.*slot.asInteger)
        (consumers.*slot.asInteger)(static_cast<int>(value));
    if (slot.asBoolean && consumers.*slot.asBoolean) (consumers.*slot.asBoolean)(value != 0);
    // A real beyond what a 32-bit real holds (1e300 in a hand-edited file) arrives as the
    // largest one of its sign: converting it as it is would be undefined.
    constexpr double kFloatMax = std::numeric_limits<float>::max();
    if (slot.asReal && consumers.*slot.asReal)
        (consumers.*slot.asReal)(static_cast<float>(std::clamp(value, -kFloatMax, kFloatMax)));
}

void HandOverDefaults(const TSettingsConsumers& consumers) {
    for (const TSetting& s : kTable)
        HandOver(consumers, s, s.byDefault);
}

bool ParseInteger(const std::wstring& text, int& value) {
    const std::wstring t = Trimmed(text);
    std::size_t i = 0;
    const bool negative = i < t.size() && t[i] == L'-';
    if (i < t.size() && (t[i] == L'-' || t[i] == L'+')) ++i;
    std::int64_t magnitude = 0;
    if (t.compare(i, 1, L"$") == 0 || t.compare(i, 2, L"0x") == 0 || t.compare(i, 2, L"0X") == 0) {
        i += t[i] == L'$' ? 1 : 2;
        const std::size_t digits = t.size() - i;
        if (digits == 0 || digits > 8) return false;
        for (; i < t.size(); ++i) {
            const int d = HexDigit(t[i]);
            if (d < 0) return false;
            magnitude = magnitude * 16 + d;
        }
        // Eight hexadecimal digits are a 32-bit pattern: $FFFFFFFF is -1.
        const auto bits = static_cast<std::uint32_t>(negative ? -magnitude : magnitude);
        value = static_cast<std::int32_t>(bits);
        return true;
    }
    if (i == t.size()) return false;
    for (; i < t.size(); ++i) {
        if (!Digit(t[i])) return false;
        magnitude = magnitude * 10 + (t[i] - L'0');
        if (magnitude > 2147483648LL) return false;
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > 2147483647LL) return false;
    value = static_cast<int>(signedValue);
    return true;
}

bool ParseReal(const std::wstring& text, wchar_t separator, double& value) {
    const std::wstring t = Trimmed(text);
    std::string plain; // the C library's form: '.' as separator, ASCII only
    std::size_t i = 0;
    if (i < t.size() && (t[i] == L'-' || t[i] == L'+')) plain += static_cast<char>(t[i++]);
    std::size_t digits = 0;
    for (; i < t.size() && Digit(t[i]); ++i, ++digits)
        plain += static_cast<char>(t[i]);
    if (i < t.size() && t[i] == separator) {
        plain += '.';
        for (++i; i < t.size() && Digit(t[i]); ++i, ++digits)
            plain += static_cast<char>(t[i]);
    }
    if (digits == 0) return false;
    if (i < t.size() && (t[i] == L'e' || t[i] == L'E')) {
        plain += 'e';
        ++i;
        if (i < t.size() && (t[i] == L'-' || t[i] == L'+')) plain += static_cast<char>(t[i++]);
        std::size_t exponentDigits = 0;
        for (; i < t.size() && Digit(t[i]); ++i, ++exponentDigits)
            plain += static_cast<char>(t[i]);
        if (exponentDigits == 0) return false;
    }
    if (i != t.size()) return false;
    const double v = std::strtod(plain.c_str(), nullptr);
    if (!std::isfinite(v)) return false;
    value = v;
    return true;
}

std::wstring FormatInteger(int value) {
    return std::to_wstring(value);
}

std::wstring FormatReal(double value, wchar_t separator) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    std::wstring out;
    for (const char* p = buf; *p; ++p)
        out += *p == '.' ? separator : static_cast<wchar_t>(*p);
    return out;
}

double ReadSetting(const TSetting& s, const std::wstring& text, double fallback,
                   wchar_t separator) {
    if (s.type == TSettingType::stReal) {
        double v = 0;
        return ParseReal(text, separator, v) ? v : fallback;
    }
    int v = 0;
    if (!ParseInteger(text, v)) return fallback;
    return s.type == TSettingType::stBoolean ? (v != 0 ? 1 : 0) : v;
}

std::wstring FormatSetting(const TSetting& s, double value, wchar_t separator) {
    switch (s.type) {
    case TSettingType::stReal:
        return FormatReal(value, separator);
    case TSettingType::stBoolean:
        return value != 0 ? L"1" : L"0";
    default:
        return FormatInteger(static_cast<int>(value));
    }
}

int PositionOf(const TSetting& s, double value) {
    const double position =
        s.control == TSettingControl::scDecimalTrackBar ? (1 - value) * 100 : value;
    // Clamped before rounding, so no value from the file can overflow the conversion.
    return static_cast<int>(std::lround(std::clamp(position, double(s.low), double(s.high))));
}

double ValueOfPosition(const TSetting& s, int position) {
    return s.control == TSettingControl::scDecimalTrackBar ? 1 - position / 100.0 : position;
}

} // namespace fg
