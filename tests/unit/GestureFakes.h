// Stand-ins for the collaborators of the gesture store and dispatcher: keystroke conversions with
// a small stored form of their own, and a window that keeps its rows as plain lists.
#pragma once

#include "platform/Errors.h"
#include "gestures/UnitGestureStore.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace fg::test {

// Stored form: four flag digits (Alt, Ctrl, Shift, Win), two hexadecimal digits of the key, then
// the display name, which is rebuilt from the first six: "010057ctrl+w" normalises to
// "010057CTRL+W". Malformed digits raise TUserError, as the editor's conversions do.
class FakeKeystrokes : public TKeystrokeConversions {
  public:
    TKeystrokeData FromString(const std::wstring& s) const override {
        TKeystrokeData k;
        if (s.size() < 6) return k;
        for (int i = 0; i < 4; ++i)
            if (s[i] < L'0' || s[i] > L'9') throw TUserError(L"Invalid keystroke: " + s);
        k.alt = s[0] != L'0';
        k.ctrl = s[1] != L'0';
        k.shft = s[2] != L'0';
        k.win = s[3] != L'0';
        for (int i = 4; i < 6; ++i) {
            const wchar_t c = s[i];
            const int digit = c >= L'0' && c <= L'9'   ? c - L'0'
                              : c >= L'A' && c <= L'F' ? c - L'A' + 10
                              : c >= L'a' && c <= L'f' ? c - L'a' + 10
                                                       : -1;
            if (digit < 0) throw TUserError(L"Invalid keystroke: " + s);
            k.key = static_cast<std::uint16_t>(k.key * 16 + digit);
        }
        k.name = Name(k);
        return k;
    }
    std::wstring ToString(const TKeystrokeData& k) const override {
        wchar_t head[8];
        std::swprintf(head, 8, L"%d%d%d%d%02X", k.alt, k.ctrl, k.shft, k.win, k.key);
        return head + Name(k);
    }

  private:
    static std::wstring Name(const TKeystrokeData& k) {
        std::wstring n = std::wstring(k.alt ? L"ALT+" : L"") + (k.ctrl ? L"CTRL+" : L"") +
                         (k.shft ? L"SHIFT+" : L"") + (k.win ? L"WIN+" : L"");
        if (k.key == 0) return L"none";
        if ((k.key >= 'A' && k.key <= 'Z') || (k.key >= '0' && k.key <= '9'))
            return n + static_cast<wchar_t>(k.key);
        if (k.key >= 0x70 && k.key <= 0x7B) return n + L"F" + std::to_wstring(k.key - 0x6F);
        return n + L"#" + std::to_wstring(k.key);
    }
};

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
