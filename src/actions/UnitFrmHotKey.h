// One keystroke (modifier flags, virtual key, display name) and its text forms: the stored form
// that gesture files keep, the display name, and the conversions between them.
#pragma once

#include <cstdint>
#include <string>

namespace fg {

struct TKeystrokeData {
    bool alt = false;
    bool ctrl = false;
    bool shft = false;
    bool win = false;
    std::uint16_t key = 0;
    std::wstring name = L"none";
    bool operator==(const TKeystrokeData&) const = default;
};

// The conversions. They live on the keystroke editor window's object, which the program creates
// once; code without an editor of its own uses that one instance.
class TFrmKeystrokeEdit {
  public:
    virtual ~TFrmKeystrokeEdit() = default;
    std::wstring ToString(const TKeystrokeData& hkd) const;
    // Raises TUserError when a flag is no decimal digit or the key is no hexadecimal number;
    // a text shorter than 6 characters gives the record named "none".
    TKeystrokeData FromString(const std::wstring& s) const;
    std::wstring GetHumanReadable(bool kAlt, bool kShift, bool kCtrl, bool kWinkey,
                                  std::uint16_t VKCode, bool& Valid) const;
    std::wstring GetHumanReadable(const TKeystrokeData& keydata, bool& valid) const;
};

// The process-wide instance. Never null: until the editor window takes its place it is a
// stateless instance of its own, so the conversions work from the first moment (a window that
// takes the place gives back the pointer it found when it goes).
extern TFrmKeystrokeEdit* FrmKeystrokeEdit;

// The stateless keystroke conversions as the gesture files and the actions use them: by default
// the keystroke editor's; tests hand in their own.
class TKeystrokeConversions {
  public:
    virtual ~TKeystrokeConversions() = default;
    // Raises TUserError for a malformed stored keystroke.
    virtual TKeystrokeData FromString(const std::wstring& s) const;
    virtual std::wstring ToString(const TKeystrokeData& k) const;
    // The instance that forwards to the keystroke editor's conversions.
    static const TKeystrokeConversions& Default();
};

} // namespace fg
