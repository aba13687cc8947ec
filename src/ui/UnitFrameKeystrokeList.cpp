#include "ui/UnitFrameKeystrokeList.h"

#include "app/UnitToken.h"
#include "platform/Dpi.h"
#include "platform/LogSink.h"
#include "platform/Platform.h"

#include <utility>

namespace fg {

namespace {

struct Example {
    const wchar_t* caption;
    const wchar_t* hint;
};

// Null hints stand for the separators.
constexpr Example kExamples[] = {
    {L"Minimize [Alt+Space N]", L"100020ALT+SPACE|00004EN"},
    {L"Maximize [Alt+Space X]", L"100020ALT+SPACE|000058X"},
    {L"Restore [Alt+Space R]", L"100020ALT+SPACE|000052R"},
    {L"-", nullptr},
    {L"File Save [Alt+F S]", L"100046ALT+F|000053S"},
    {L"File New [ALT+F N]", L"100046ALT+F|00004EN"},
};

constexpr TPoint kInsertMenuOffset{10, 10};
constexpr TPoint kEditorBesideCursor{10, 0};

} // namespace

TFrameKeystrokeList::TFrameKeystrokeList(IModalKeystrokeEditor* keystrokeEditor)
    : editor(keystrokeEditor) {}

void TFrameKeystrokeList::SetView(IKeystrokeListView* v) {
    view = v;
    Mirror();
}

void TFrameKeystrokeList::Mirror() {
    if (view) view->Mirror();
}

IModalKeystrokeEditor* TFrameKeystrokeList::Editor() const {
    return editor ? editor : FrmKeystrokeEditor;
}

void TFrameKeystrokeList::Init() {
    ClearList1Click();
}

void TFrameKeystrokeList::ClearList1Click() {
    keys.clear();
    rows.clear();
    selected = -1;
    Mirror();
}

void TFrameKeystrokeList::AddKeystrokeList(const std::wstring& initdata) {
    const TFrmKeystrokeEdit& conversions = *FrmKeystrokeEdit;
    std::wstring rest = initdata;
    while (!rest.empty()) {
        const TKeystrokeData k = conversions.FromString(NextToken(rest, L"|"));
        keys[k.name] = conversions.ToString(k);
        rows.push_back(k.name);
    }
}

void TFrameKeystrokeList::SetKeystrokeList(const std::wstring& initdata) {
    rows.clear();
    selected = -1;
    try {
        AddKeystrokeList(initdata);
    } catch (...) {
        // A malformed field ends the load; the rows before it stay and show.
        Mirror();
        throw;
    }
    Mirror();
}

bool TFrameKeystrokeList::GetKeystrokeList(std::vector<std::wstring>& sl,
                                           const std::wstring& /*initdata*/) {
    sl.clear();
    for (const std::wstring& name : rows) {
        const auto it = keys.find(name);
        sl.push_back(it != keys.end() ? it->second : std::wstring());
    }
    return !sl.empty();
}

void TFrameKeystrokeList::btnAddClick() {
    IModalKeystrokeEditor* e = Editor();
    if (!e) {
        LogToSink(L"The keystroke window does not exist: no keystroke added");
        return;
    }
    if (MovesEditorToCursor() && Os().input)
        e->MoveTo(BesideCursor(Os().input->CursorPos(), kEditorBesideCursor));
    TKeystrokeData k;
    if (!GotKeystroke(*e, k)) return;
    rows.push_back(k.name);
    keys[k.name] = FrmKeystrokeEdit->ToString(k);
    Mirror();
}

bool TFrameKeystrokeList::GotKeystroke(IModalKeystrokeEditor& e, TKeystrokeData& k) const {
    // A row without a key would be blank in the list and send key 0.
    return e.GetHotKey(k, false) && k.key != 0;
}

bool TFrameKeystrokeList::NameShownElsewhere(const std::wstring& name, int row) const {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (static_cast<int>(i) != row && rows[i] == name) return true;
    return false;
}

void TFrameKeystrokeList::ForgetName(const std::wstring& name, int row) {
    // Another row with the same name still needs the entry.
    if (!NameShownElsewhere(name, row)) keys.erase(name);
}

void TFrameKeystrokeList::Edit1Click() {
    IModalKeystrokeEditor* e = Editor();
    if (!e || selected < 0 || selected >= static_cast<int>(rows.size())) return;
    const int row = selected;
    TKeystrokeData k;
    if (!GotKeystroke(*e, k)) return;
    ForgetName(rows[static_cast<std::size_t>(row)], row);
    rows[static_cast<std::size_t>(row)] = k.name;
    keys[k.name] = FrmKeystrokeEdit->ToString(k);
    Mirror();
}

void TFrameKeystrokeList::Delete1Click() {
    if (selected < 0 || selected >= static_cast<int>(rows.size())) return;
    ForgetName(rows[static_cast<std::size_t>(selected)], selected);
    rows.erase(rows.begin() + selected);
    selected = -1;
    Mirror();
}

void TFrameKeystrokeList::MoveSelected(int by) {
    const int to = selected + by;
    if (selected < 0 || to < 0 || to >= static_cast<int>(rows.size())) return;
    std::swap(rows[static_cast<std::size_t>(selected)], rows[static_cast<std::size_t>(to)]);
    selected = to;
    Mirror();
}

void TFrameKeystrokeList::MinimizeAltSpaceM1Click(const std::wstring& hint) {
    ClearList1Click();
    SetKeystrokeList(hint);
}

void TFrameKeystrokeList::SelectRow(int row) {
    selected = row >= 0 && row < static_cast<int>(rows.size()) ? row : -1;
}

TPopupMenu TFrameKeystrokeList::pmEdit() {
    const int last = static_cast<int>(rows.size()) - 1;
    return {
        {.caption = L"Edit", .onClick = [this] { Edit1Click(); }},
        {.caption = L"Delete", .onClick = [this] { Delete1Click(); }},
        {.caption = L"-"},
        {.caption = L"Move Up", .enabled = selected > 0, .onClick = [this] { MoveUp1Click(); }},
        {.caption = L"Move Down",
         .enabled = selected >= 0 && selected < last,
         .onClick = [this] { MoveDown1Click(); }},
    };
}

TPopupMenu TFrameKeystrokeList::pmInsert() {
    TPopupMenu menu;
    menu.push_back({.caption = L"Clear List", .onClick = [this] { ClearList1Click(); }});
    menu.push_back({.caption = L"-"});
    for (const Example& e : kExamples) {
        TMenuEntry entry{.caption = e.caption, .hint = e.hint ? e.hint : L""};
        if (e.hint)
            entry.onClick = [this, hint = std::wstring(e.hint)] { MinimizeAltSpaceM1Click(hint); };
        menu.push_back(std::move(entry));
    }
    return menu;
}

void TFrameKeystrokeList::SpeedButton1Click() {
    if (!Os().desktop || !Os().input) return;
    Os().desktop->PopupMenu(pmInsert(), BesideCursor(Os().input->CursorPos(), kInsertMenuOffset),
                            view ? view->Handle() : 0);
}

void TFrameKeystrokeList::lvKeystrokesContextPopup(int row, std::optional<TPoint> at) {
    SelectRow(row);
    Mirror();
    if (!Os().desktop || !Os().input) return;
    Os().desktop->PopupMenu(pmEdit(), at ? *at : Os().input->CursorPos(),
                            view ? view->Handle() : 0);
}

} // namespace fg
