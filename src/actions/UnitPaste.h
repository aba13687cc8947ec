// Synthesized keyboard input for the foreground program: one keystroke with its modifiers, and
// the small bracketed command script; plus the per-program paste-method list "exepaste.ini".
#pragma once

#include "actions/UnitFrmHotKey.h"

#include <string>

namespace fg {

class TPaste {
  public:
    TPaste();          // loads "exepaste.ini" when it exists
    virtual ~TPaste(); // writes it back
    TPaste(const TPaste&) = delete;
    TPaste& operator=(const TPaste&) = delete;

    virtual void SendKestroke(const TKeystrokeData& hk);
    // Runs a command script; its first 6 characters (the "[KEYS]" header) are skipped unread.
    virtual void SendTextWithKeystrokes(const std::wstring& s);
};

// The process-wide instance, made before any window.
extern TPaste* Paste;

} // namespace fg
