// The settings file "defaults.ini": the one table of its keys (type, default, the control that
// shows a key, the part that uses it) and the text rules by which its values are read and written.
// Every default of the program's tunable behaviour lives in this table and nowhere else.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace fg {

constexpr const wchar_t* kSettingsFile = L"defaults.ini";
constexpr const wchar_t* kSettingsSection = L"init";

enum class TSettingType : unsigned char { stInteger, stBoolean, stReal };

// How the configuration window shows a key. A decimal track bar's position p stands for the real
// 1 - p / 100.
enum class TSettingControl : unsigned char {
    scNone,
    scTrackBar,
    scDecimalTrackBar,
    scCheckBox,
    scRadioButton
};

// The parts that use the settings, one named slot each. The configuration window knows none of
// them: start-up fills the slots, and a slot left empty stops the start (CheckConsumers).
struct TSettingsConsumers {
    std::function<void(int)> prTimethreshold;
    std::function<void(int)> prXThreshold;
    std::function<void(int)> prYThreshold;
    std::function<void(int)> prDirectionThreshold;
    std::function<void(float)> prDeltaBias;
    std::function<void(float)> prDirectionBias;
    std::function<void(int)> prXPixelThreshold;
    std::function<void(int)> prYPixelThreshold;
    std::function<void(int)> prHelpPause;
    std::function<void(bool)> prEnableHelpPause;
    std::function<void(bool)> prEnableDiagonals;
    std::function<void(bool)> prPreciseCorners;
    std::function<void(bool)> prEnableDrawing;
    std::function<void(bool)> prScratchpadEnable;
    std::function<void(bool)> prMouseCordingToogle;
    std::function<void(int)> prFadeTime;
    std::function<void(bool)> prEnableSuggestions;
    std::function<void(bool)> prEnabledAutoCorrection;
    std::function<void(int)> prExecutePause;
    std::function<void(bool)> prLogHandles;
    std::function<void(bool)> prHoldBackRightButton;
    std::function<void(int)> prRightButtonHoldTime;
    std::function<void(int)> prRightButtonBypassKey;
};

// Where a key's value goes: exactly one of the three members is set, or none for a key the
// configuration window keeps for itself.
struct TSettingSlot {
    const wchar_t* name = nullptr; // as an error names it
    std::function<void(int)> TSettingsConsumers::*asInteger = nullptr;
    std::function<void(bool)> TSettingsConsumers::*asBoolean = nullptr;
    std::function<void(float)> TSettingsConsumers::*asReal = nullptr;
};

struct TSetting {
    const wchar_t* key;
    TSettingType type;
    double byDefault; // a Boolean's is 0 or 1
    TSettingControl control;
    int low, high; // a track bar's positions
    TSettingSlot slot;
};

// Every key, in the order it is read and in which a new file lists them.
const std::vector<TSetting>& SettingsTable();
// The row of a key (names compare exactly, as the table spells them); null when there is none.
const TSetting* FindSetting(const std::wstring& key);

// Raises TUserError naming every empty slot.
void CheckConsumers(const TSettingsConsumers& consumers);
// Hands a value to the key's slot, as its type; keys without a slot, and empty slots, take none.
void HandOver(const TSettingsConsumers& consumers, const TSetting& s, double value);
// Hands every default of the table to its slot (empty slots are skipped).
void HandOverDefaults(const TSettingsConsumers& consumers);

// Text rules. Blanks around a value are ignored; "0x" or "$" after an optional sign selects
// hexadecimal (up to eight digits, taken as a 32-bit pattern); anything else that is not a
// 32-bit integer fails.
bool ParseInteger(const std::wstring& text, int& value);
// A finite real written with the given decimal separator: sign, digits, optionally the separator
// and more digits, optionally an exponent.
bool ParseReal(const std::wstring& text, wchar_t separator, double& value);
std::wstring FormatInteger(int value);
// The shortest form with up to 15 significant digits.
std::wstring FormatReal(double value, wchar_t separator);

// A value's text read as the key's type: a Boolean is any integer (non-zero: 1); text that is no
// value of the type gives the fallback.
double ReadSetting(const TSetting& s, const std::wstring& text, double fallback, wchar_t separator);
std::wstring FormatSetting(const TSetting& s, double value, wchar_t separator);

// A track bar's position for a value (clamped to its range), and the value of a position.
int PositionOf(const TSetting& s, double value);
double ValueOfPosition(const TSetting& s, int position);

} // namespace fg
