// Stand-ins for the collaborators of the gesture store and dispatcher: a window that keeps its
// rows as plain lists. The keystroke conversions are the program's own, which keep no state.
#pragma once

#include "gestures/UnitGestureStore.h"

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
    void ShowNoGesturesNotice(bool show) override { notice = show; }
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
    int updates = 0;
    std::vector<Program> programs;
    std::optional<std::wstring> selected;
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
