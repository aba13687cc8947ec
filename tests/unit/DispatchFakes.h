// Stand-ins for what the dispatcher hands its work to, on the fakes: a tooltip, a sender and a
// scratchpad that record what they were asked.
#pragma once

#include "actions/UnitFrmDummyWatchForExplorerPopup.h"
#include "actions/UnitPaste.h"
#include "fakes/FakePlatform.h"
#include "ui/UnitFrmDummyUnicodeTooltip.h"
#include "vocabulary/IDrawingPad.h"

#include <functional>
#include <string>
#include <vector>

namespace fg::test {

class RecordingTooltip : public TTooltipWindow {
  public:
    using TTooltipWindow::ShowTooltip;
    void ShowTooltip(const std::wstring& s, TPoint pos, bool, const std::wstring&) override {
        shown.push_back(s);
        at = pos;
    }
    void CloseTooltip(bool fade) override { closes.push_back(fade); }
    std::vector<std::wstring> shown;
    TPoint at;
    std::vector<bool> closes;
};

// Keeps each keystroke's display name with the virtual time it was sent at.
class RecordingSender : public TPaste {
  public:
    explicit RecordingSender(fake::FakeClock& c) : clock(c) {}
    void SendKestroke(const TKeystrokeData& k) override {
        sent.push_back(k.name + L"@" + std::to_wstring(clock.now));
        if (onSend) onSend();
    }
    void SendTextWithKeystrokes(const std::wstring& s) override { sent.push_back(s); }
    fake::FakeClock& clock;
    std::vector<std::wstring> sent;
    std::function<void()> onSend;
};

// Hands the foreground back by counting; the window below the program's own is `below`.
class RecordingScratchpad : public IDrawingPad {
  public:
    HWindow RemoveSelfFromFocus(bool NoFocus) override {
        focusHandedBack += NoFocus ? 0 : 1;
        return below;
    }
    bool Visible() const override { return true; }
    void SetVisible(bool on) override { shown.push_back(on); }
    int focusHandedBack = 0;
    std::vector<bool> shown;
    HWindow below = 0;
};

// Counts the watches for the shell's menu that were started.
class RecordingWatch : public TfrmDummyWatchForExplorerPopup {
  public:
    void StartWatch() override { ++started; }
    int started = 0;
};

} // namespace fg::test
