// Synthesized keyboard input for the foreground program: one keystroke with its modifiers, and
// the small bracketed command script; plus the per-program paste-method list "exepaste.ini".
#pragma once

#include "actions/UnitFrmHotKey.h"
#include "platform/Types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fg {

enum TPasteMethod : int {
    PASTE_CTRL_V = 0,
    PASTE_SHIFT_INS = 1,
    PASTE_MIMIC = 2,
    PASTE_CLIPBOARD = 3,
    PASTE_DEFAULT = 4,
    PASTE_DISABLED = 5,
};

class TPaste {
  public:
    TPaste();          // loads "exepaste.ini" when it exists
    virtual ~TPaste(); // writes it back
    TPaste(const TPaste&) = delete;
    TPaste& operator=(const TPaste&) = delete;

    virtual void SendKestroke(const TKeystrokeData& hk);
    // Runs a command script; its first 6 characters (the "[KEYS]" header) are skipped unread.
    // Raises TUserError when "[CLEAR...]" finds the clipboard held by another program; the rest
    // of the script is then not run.
    virtual void SendTextWithKeystrokes(const std::wstring& s);

    // One key each, pressed and released.
    void SendTAB();
    void SendENTER();
    void SendDELETE();
    void SendHOME();
    void SendBACKSPACE();
    void SendEND();
    void SendINSERT();
    void SendUP();
    void SendDOWN();
    void SendLEFT();
    void SendRIGHT();
    void SendSPACE();

    // Paste methods: the four standing ones exclude each other; the "Once" flags override them
    // for the next paste.
    void SetMimicTyping();
    void SetUsePasteSI();
    void SetUsePaste();
    void SetClipboardOnly();
    void SetKeyboardMimicOnce() { KeyboardMimicOnce = true; }
    void SetUsePasteSIOnce() { PasteSIOnce = true; }
    void SetUsePasteCVOnce() { PasteCVOnce = true; }
    void SetClipboardOnlyOnce() { ClipboardOnlyOnce = true; }
    void ClearOnceFlags();
    bool GetClipboardOnly() const { return UseClipboardOnly; }
    bool GetKeyboardMimicOnce() const { return KeyboardMimicOnce; }
    void AssignPaste(const std::wstring& EXEName, TPasteMethod method);
    // PASTE_DEFAULT when the program has no entry or its entry is no method number.
    TPasteMethod GetPasteMethod(const std::wstring& EXEName) const;
    TPasteMethod GetDefaultPasteMethod() const;

    // The lines of the per-program list, "name=method" each.
    const std::vector<std::wstring>& EXEPasteList() const { return pasteLines; }

    // Owner of what the shell shows for "RUN" (its error boxes): the Edit Gestures window once
    // start-up has made it, none before.
    HWindow RunOwner = 0;

    bool UseKeyboardMimic = false;
    bool UsePastingSI = false;
    bool UsePastingCV = false;
    bool UseClipboardOnly = false;
    bool PasteCVOnce = false;
    bool PasteSIOnce = false;
    bool ClipboardOnlyOnce = false;
    bool KeyboardMimicOnce = false;

  private:
    void LoadPasteList();
    void SavePasteList();
    void ClearMethods();
    void RunCommand(const std::wstring& command, std::wstring& rest);

    std::wstring listPath;
    std::vector<std::wstring> pasteLines;
    // The file as read, written back unchanged unless the list changed since.
    std::vector<std::uint8_t> loadedBytes;
    bool listChanged = false;
    bool loadFailed = false; // an unreadable file is left alone at exit
};

} // namespace fg
