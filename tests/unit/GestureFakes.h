// Stand-ins for the collaborators of the gesture store and dispatcher: a window that keeps its
// rows as plain lists, a tooltip, a sender and a scratchpad that record what they were asked.
// The keystroke conversions are the program's own, which keep no state.
#pragma once

#include "actions/UnitPaste.h"
#include "fakes/FakePlatform.h"
#include "gestures/UnitGestureStore.h"
#include "ui/UnitFrmDummyUnicodeTooltip.h"
#include "vocabulary/IDrawingPad.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fg::test {

class RecordingView : public IGesturesView {
  public:
    struct Row {
        std::wstring gesture, type;
        std::optional<std::wstring> action;
        bool operator==(const Row&) const = default;
    };
    struct Program {
        std::wstring caption;
        bool hasGestures;
        bool operator==(const Program&) const = default;
    };

    void ClearGestureRows() override { rows.clear(); }
    void AddGestureRow(const std::wstring& g, const std::wstring& t,
                       const std::optional<std::wstring>& a) override {
        rows.push_back({g, t, a});
    }
    void UpdateGestureRow(const std::wstring& g, const std::wstring& t,
                          const std::wstring& a) override {
        for (Row& r : rows)
            if (r.gesture == g) r = {g, t, a};
    }
    void ShowNoGesturesNotice(bool show) override { notice = show; }
    void SelectGlobalTab() override { ++globalTabSelected; }
    void BeginProgramUpdate() override { ++updates; }
    void EndProgramUpdate() override { --updates; }
    std::vector<std::wstring> ProgramRows() override {
        std::vector<std::wstring> captions;
        for (const Program& p : programs)
            captions.push_back(p.caption);
        return captions;
    }
    void AddProgramRow(const std::wstring& caption, bool hasGestures) override {
        programs.push_back({caption, hasGestures});
    }
    void MarkProgramRow(std::size_t row) override { programs.at(row).hasGestures = true; }
    std::optional<std::wstring> SelectedProgram() override { return selected; }

    std::vector<Row> rows;
    bool notice = false;
    int globalTabSelected = 0;
    int updates = 0;
    std::vector<Program> programs;
    std::optional<std::wstring> selected;
};

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

// The bindings of a store as one comparable value: each gesture of the current file with its
// string, type and action, in order, and the disable flag.
inline std::vector<std::wstring> Bindings(const TGestureStore& s) {
    std::vector<std::wstring> out;
    for (std::size_t i = 0; i < s.Gestures.Count(); ++i) {
        const std::wstring g = s.Gestures.ValueAt(i);
        out.push_back(s.Gestures.Name(i) + L" -> " + g + L" | " + s.ActionTypes.Value(g) + L" | " +
                      s.Actions.Value(g));
    }
    out.push_back(s.cbDisableAll ? L"disabled" : L"enabled");
    return out;
}

} // namespace fg::test
