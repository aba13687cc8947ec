#include "gestures/UnitGestureStore.h"

#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "app/UnitToken.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "vocabulary/UnitMouseMovement.h"

#include <climits>
#include <cstdint>
#include <iterator>
#include <stdexcept>

namespace fg {

namespace {

constexpr const wchar_t* kTypeTexts[] = {L"Keystroke", L"Multiple Keystrokes",
                                         L"Run Program / File"};

wchar_t FoldAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c;
}

bool SameTextAscii(const wchar_t* a, std::size_t aLen, const std::wstring& b) {
    if (aLen != b.size()) return false;
    for (std::size_t i = 0; i < aLen; ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

std::wstring UpperAscii(std::wstring s) {
    for (wchar_t& c : s)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
    return s;
}

// Removes every occurrence of `what` (ignoring case) in one pass from the left; text that a
// removal brings together is not looked at again.
std::wstring RemoveAll(const std::wstring& s, const std::wstring& what) {
    std::wstring out;
    std::size_t i = 0;
    while (i < s.size()) {
        if (i + what.size() <= s.size() && SameTextAscii(s.data() + i, what.size(), what)) {
            i += what.size();
            continue;
        }
        out += s[i++];
    }
    return out;
}

// What the profile routines may take for white space at the ends of a value (a little more is
// harmless: it only adds quotes that are taken off again).
bool ProfileBlank(wchar_t c) {
    return c <= L' ' || c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
           c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

// The profile routines read and write a file that begins with the UTF-16LE mark as UTF-16.
bool StartsWithUnicodeMark(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
}

// The profile routines drop white space around a value and one pair of enclosing quotes when
// they read it. A value that would lose either is written inside an extra pair of double
// quotes, so it reads back exactly; every other value is written as it is.
std::wstring ProfileSafe(const std::wstring& value) {
    if (value.empty()) return value;
    const auto blank = ProfileBlank;
    const bool quoted = value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
                        value.back() == value.front();
    if (quoted || blank(value.front()) || blank(value.back())) return L"\"" + value + L"\"";
    return value;
}

const TKeystrokeConversions& DefaultKeystrokes() {
    static const TKeystrokeConversions conversions{};
    return conversions;
}

bool IsAbsolutePath(const std::wstring& p) {
    const bool drive = p.size() >= 3 &&
                       ((p[0] >= L'A' && p[0] <= L'Z') || (p[0] >= L'a' && p[0] <= L'z')) &&
                       p[1] == L':' && (p[2] == L'\\' || p[2] == L'/');
    return drive || (p.size() >= 2 && p[0] == L'\\' && p[1] == L'\\');
}

// Only a path that names one place can be found missing; a bare name is looked up along the
// search path when it runs, and that is no business of the list.
bool ProgramMissing(const std::wstring& stored) {
    std::wstring path = ExpandEnvVars(stored);
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"')
        path = path.substr(1, path.size() - 2);
    return IsAbsolutePath(path) && !Os().files->Exists(path);
}

// The path field of a program action, " | " and `rest` (the remaining text, or its next field).
std::wstring ProgramColumn(const std::wstring& first, const std::wstring& rest) {
    return (ProgramMissing(first) ? kProgramNotFoundMark : L"") + first + L" | " + rest;
}

std::wstring FirstFieldAndRest(std::wstring action) {
    const std::wstring first = NextToken(action, L"|");
    return ProgramColumn(first, action);
}

} // namespace

// --- names and texts -------------------------------------------------------------------------

std::wstring ActionTypeToText(TActionType t) {
    const auto i = static_cast<std::size_t>(t);
    return i < std::size(kTypeTexts) ? kTypeTexts[i] : L"";
}

std::optional<TActionType> TextToActionType(const std::wstring& text) {
    for (std::size_t i = 0; i < std::size(kTypeTexts); ++i)
        if (text == kTypeTexts[i]) return static_cast<TActionType>(i);
    return std::nullopt;
}

bool IsGestureSection(const std::wstring& name) {
    if (name.empty()) return false;
    const wchar_t first = name[0];
    if (!((first >= L'0' && first <= L'9') || (first >= L'A' && first <= L'F'))) return false;
    for (std::size_t i = 1; i < name.size(); ++i)
        if (name[i] < L'0' || name[i] > L'9') return false;
    return true;
}

std::wstring ToHumanReadable(const std::wstring& gestureEncoded) {
    std::wstring h;
    for (const wchar_t ch : gestureEncoded) {
        if (!h.empty()) h += L'+';
        h += UpperAscii(TMouseMovement::ToString(ch));
    }
    return h;
}

std::wstring GestureFileName(const std::wstring& exeName) {
    return L"Gestures_" + exeName + L".ini";
}

std::wstring ProgramFromFileName(const std::wstring& fileName) {
    return RemoveAll(RemoveAll(fileName, L"Gestures_"), L".ini");
}

bool IsGlobalGestureFile(const std::wstring& fileName) {
    return SameTextAscii(fileName.data(), fileName.size(), kGlobalGestureFile);
}

bool ProfileFlag(const std::wstring& text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    int base = 10;
    if (i < text.size() && text[i] == L'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == L'0' &&
               (text[i + 1] == L'x' || text[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return false;
    long long value = 0;
    for (; i < text.size(); ++i) {
        const wchar_t c = text[i];
        int digit = -1;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (base == 16 && c >= L'a' && c <= L'f')
            digit = c - L'a' + 10;
        else if (base == 16 && c >= L'A' && c <= L'F')
            digit = c - L'A' + 10;
        if (digit < 0) return false;
        value = value * base + digit;
        // Beyond 32 bits it is no integer the settings know.
        if (value > (base == 16 ? 0xFFFFFFFFLL : static_cast<long long>(INT_MAX) + negative))
            return false;
    }
    return value != 0;
}

// --- the name=value list ---------------------------------------------------------------------

// FNV-1a over the folded code units, so names that differ only in ASCII case meet.
std::size_t TNameValueList::TFoldHash::operator()(const std::wstring& s) const {
    std::uint64_t h = 1469598103934665603ull;
    for (const wchar_t c : s)
        h = (h ^ static_cast<std::uint64_t>(FoldAscii(c))) * 1099511628211ull;
    return static_cast<std::size_t>(h);
}

bool TNameValueList::TFoldEqual::operator()(const std::wstring& a, const std::wstring& b) const {
    return SameTextAscii(a.data(), a.size(), b);
}

const TNameValueList::TLine* TNameValueList::Find(const std::wstring& name) const {
    if (!data) return nullptr;
    const auto it = data->index.find(name);
    return it == data->index.end() ? nullptr : &data->lines[it->second];
}

TNameValueList::TData& TNameValueList::Own() {
    if (!data)
        data = std::make_shared<TData>();
    else if (data.use_count() > 1)
        data = std::make_shared<TData>(*data);
    return *data;
}

void TNameValueList::Reindex(TData& d) {
    d.index.clear();
    for (std::size_t i = 0; i < d.lines.size(); ++i)
        d.index.emplace(d.lines[i].name, i); // a later line of the same name is no match
}

std::wstring TNameValueList::Value(const std::wstring& name) const {
    const TLine* line = Find(name);
    return line ? line->value : std::wstring();
}

void TNameValueList::SetValue(const std::wstring& name, const std::wstring& value) {
    // Taken before Own(), which may move the entries to a copy of their own.
    const TLine* found = Find(name);
    const auto at = static_cast<std::size_t>(found ? found - data->lines.data() : 0);
    if (value.empty()) {
        if (!found) return;
        TData& d = Own();
        d.lines.erase(d.lines.begin() + static_cast<std::ptrdiff_t>(at));
        Reindex(d);
    } else if (found) {
        // Under the new spelling; the folded name, and so the index, stays the same.
        Own().lines[at] = {name, value};
    } else {
        // A name with "=" in it is cut at its first "=" like every line: "a=b" set to "c" is
        // the line "a=b=c", whose name is "a".
        TData& d = Own();
        const std::size_t eq = name.find(L'=');
        if (eq == std::wstring::npos)
            d.lines.push_back({name, value});
        else
            d.lines.push_back({name.substr(0, eq), name.substr(eq + 1) + L"=" + value});
        d.index.emplace(d.lines.back().name, d.lines.size() - 1);
    }
}

std::wstring TNameValueList::Name(std::size_t i) const {
    if (!data) throw std::out_of_range("TNameValueList::Name");
    return data->lines.at(i).name;
}

std::wstring TNameValueList::ValueAt(std::size_t i) const {
    if (!data) throw std::out_of_range("TNameValueList::ValueAt");
    return data->lines.at(i).value;
}

bool TNameValueList::operator==(const TNameValueList& other) const {
    if (data == other.data) return true;
    if (Count() != other.Count()) return false;
    return Count() == 0 || data->lines == other.data->lines;
}

// --- keystroke conversions -------------------------------------------------------------------

namespace {
// The keystroke editor's conversions keep no state; before its window exists, one of our own
// does the same work.
const TFrmKeystrokeEdit& KeystrokeEditor() {
    static const TFrmKeystrokeEdit own{};
    return FrmKeystrokeEdit ? *FrmKeystrokeEdit : own;
}
} // namespace

TKeystrokeData TKeystrokeConversions::FromString(const std::wstring& s) const {
    return KeystrokeEditor().FromString(s);
}

std::wstring TKeystrokeConversions::ToString(const TKeystrokeData& k) const {
    return KeystrokeEditor().ToString(k);
}

// --- the store -------------------------------------------------------------------------------

TGestureStore::TGestureStore(const TKeystrokeConversions* conversions, IGesturesView* gesturesView)
    : view(gesturesView), keystrokes(conversions ? conversions : &DefaultKeystrokes()) {}

std::wstring TGestureStore::ReadValue(const std::wstring& path, const std::wstring& section,
                                      const std::wstring& key) const {
    return Os().files->ProfileReadCut(path, section, key, L"", kGestureValueBuffer);
}

std::wstring TGestureStore::NormalisedKeystroke(const std::wstring& stored,
                                                std::wstring& displayName) const {
    try {
        const TKeystrokeData k = keystrokes->FromString(stored);
        displayName = k.name;
        std::wstring normal = keystrokes->ToString(k);
        // A conversion that answers nothing would erase the keystroke at the next save.
        return normal.empty() ? stored : normal;
    } catch (const TUserError&) {
        // Kept as stored: failing here would leave the store half loaded, and the next save of
        // it would drop every binding after this one. Running it reports the error instead.
        displayName = kInvalidKeystrokeMark + stored;
        AppendLog(L"[FGest] Malformed keystroke kept as stored");
        return stored;
    }
}

std::optional<std::wstring> TGestureStore::ActionColumn(TActionType type,
                                                        const std::wstring& action,
                                                        const std::wstring& keystrokeName) const {
    std::wstring rest = action;
    switch (type) {
    case TActionType::atKeystroke:
        return keystrokeName;
    case TActionType::atMultiKeystroke: {
        std::wstring column;
        while (!rest.empty()) {
            const std::wstring field = NextToken(rest, L"|");
            if (!column.empty()) column += L" | ";
            try {
                column += keystrokes->FromString(field).name;
            } catch (const TUserError&) {
                column += kInvalidKeystrokeMark + field;
            }
        }
        return column;
    }
    case TActionType::atProgram: {
        const std::wstring first = NextToken(rest, L"|");
        return ProgramColumn(first, NextToken(rest, L"|"));
    }
    }
    return std::nullopt;
}

void TGestureStore::LoadGestures(const std::wstring& fileName, bool quiet) {
    IGesturesView* rows = quiet ? nullptr : view;
    if (rows) rows->ClearGestureRows();
    // ActionTypes is overwritten section by section instead: lookups always go through Gestures.
    Gestures.Clear();
    Actions.Clear();
    lastINI = fileName;
    const std::wstring path = GetDataPath() + fileName;
    cbDisableAll = false;

    IFileSystem& files = *Os().files;
    if (quiet && LoadFromCache(fileName, path)) {
        if (IsGlobalGestureFile(fileName)) CopyToGlobal();
        return;
    }
    // Taken before reading: a change made while we read shows as a new stamp next time.
    std::uint64_t stamp = 0;
    const bool stamped = files.Stamp(path, stamp);
    if (files.Exists(path)) {
        if (view) view->ShowNoGesturesNotice(false);
        cbDisableAll = ProfileFlag(ReadValue(path, L"Settings", L"cbDisableAll"));
        bool anyBinding = false;
        for (const std::wstring& name : files.ProfileSectionNames(path)) {
            if (!IsGestureSection(name)) continue;
            const std::wstring h = ToHumanReadable(name);
            Gestures.SetValue(h, name);
            const std::wstring t = ReadValue(path, name, L"ActionType");
            ActionTypes.SetValue(name, t);
            const std::optional<TActionType> type = TextToActionType(t);
            std::optional<std::wstring> column;
            if (type) {
                anyBinding = true;
                std::wstring action = ReadValue(path, name, L"Action");
                std::wstring keystrokeName;
                if (*type == TActionType::atKeystroke)
                    action = NormalisedKeystroke(action, keystrokeName);
                Actions.SetValue(name, action);
                if (rows) column = ActionColumn(*type, action, keystrokeName);
            }
            if (rows) rows->AddGestureRow(h, t, column);
        }
        if (rows && !anyBinding) rows->ShowNoGesturesNotice(true);
    }
    RememberLoad(fileName, stamped ? &stamp : nullptr);
    if (IsGlobalGestureFile(fileName)) CopyToGlobal();
    if (rows) rows->GesturesLoaded(fileName);
}

bool TGestureStore::LoadFromCache(const std::wstring& fileName, const std::wstring& path) {
    auto it = loaded.find(AsciiLower(fileName));
    std::uint64_t stamp = 0;
    if (it == loaded.end() || !Os().files->Stamp(path, stamp) || stamp != it->second.stamp)
        return false;
    TLoadedFile& file = it->second;
    // Copies that share the entries: nothing is copied until a list is changed.
    Gestures = file.gestures;
    Actions = file.actions;
    // As a load does: every section of the file sets its type, an empty one removes it. Doing it
    // again changes nothing, so a list still as this file's last load left it is kept.
    if (!ActionTypes.SharesEntriesWith(file.typesAfterLoad)) {
        for (std::size_t i = 0; i < Gestures.Count(); ++i) {
            const std::wstring g = Gestures.ValueAt(i);
            ActionTypes.SetValue(g, file.actionTypes.Value(g));
        }
        file.typesAfterLoad = ActionTypes;
    }
    cbDisableAll = file.disabled;
    return true;
}

void TGestureStore::RememberLoad(const std::wstring& fileName, const std::uint64_t* stamp) {
    if (!stamp) {
        loaded.erase(AsciiLower(fileName)); // a missing file is cheap to look for again
        return;
    }
    TLoadedFile file;
    file.stamp = *stamp;
    file.gestures = Gestures;
    file.actions = Actions;
    // The types of this file's sections only: ActionTypes also keeps earlier files' entries.
    for (std::size_t i = 0; i < Gestures.Count(); ++i) {
        const std::wstring g = Gestures.ValueAt(i);
        file.actionTypes.SetValue(g, ActionTypes.Value(g));
    }
    file.typesAfterLoad = ActionTypes;
    file.disabled = cbDisableAll;
    loaded[AsciiLower(fileName)] = std::move(file);
}

void TGestureStore::SaveGestures(const std::wstring& fileName) {
    // The file's stamp cannot be trusted to change with what we write: on a file system with
    // coarse write times a rewrite of the same size keeps it. The next load reads the file.
    loaded.erase(AsciiLower(fileName));
    IFileSystem& files = *Os().files;
    const std::wstring path = GetDataPath() + fileName;
    const bool global = IsGlobalGestureFile(fileName);
    if (Gestures.Empty() && !cbDisableAll && !global) {
        if (files.Exists(path)) files.Delete(path);
        return;
    }
    // Written whole beside the old file and swapped in at once: a write that fails half way
    // leaves the user the file they had.
    const std::wstring fresh = path + L".new";
    if (!WriteFresh(fresh, WritesUnicode(path)) || !files.Replace(fresh, path)) {
        files.Delete(fresh);
        throw TUserError(L"Unable to write to " + path);
    }
    if (global) CopyToGlobal();
}

bool TGestureStore::WritesUnicode(const std::wstring& path) const {
    std::vector<std::uint8_t> old;
    if (!Os().files->ReadAll(path, old)) return true;
    if (StartsWithUnicodeMark(old)) return true;
    // A file in the code page stays so only while the code page holds every value.
    for (std::size_t i = 0; i < Gestures.Count(); ++i) {
        const std::wstring g = Gestures.ValueAt(i);
        if (!FitsAnsiCodePage(g + ActionTypes.Value(g) + Actions.Value(g))) return true;
    }
    return false;
}

bool TGestureStore::WriteFresh(const std::wstring& fresh, bool unicode) const {
    IFileSystem& files = *Os().files;
    // A leftover of an interrupted save would be merged into, not replaced.
    if (files.Exists(fresh) && !files.Delete(fresh)) return false;
    // The profile routines create a missing file in the ANSI code page, which turns every
    // character it cannot hold into "?"; a file that begins with the UTF-16LE byte-order mark
    // they write as UTF-16.
    std::wstring error;
    if (unicode && !files.WriteAll(fresh, {0xFF, 0xFE}, error)) return false;
    for (std::size_t i = 0; i < Gestures.Count(); ++i) {
        const std::wstring g = Gestures.ValueAt(i);
        const std::wstring t = ActionTypes.Value(g);
        if (!files.ProfileWrite(fresh, g, L"ActionType", ProfileSafe(t))) return false;
        if (TextToActionType(t) &&
            !files.ProfileWrite(fresh, g, L"Action", ProfileSafe(Actions.Value(g))))
            return false;
    }
    return files.ProfileWrite(fresh, L"Settings", L"cbDisableAll", cbDisableAll ? L"1" : L"0");
}

void TGestureStore::CopyToGlobal() {
    GlobalGestures = Gestures;
    GlobalActionTypes = ActionTypes;
    GlobalActions = Actions;
}

void TGestureStore::StoreGesture(const std::wstring& h, const std::wstring& g,
                                 const std::wstring& data, TActionType type) {
    const std::wstring typeText = ActionTypeToText(type);
    Gestures.SetValue(h, g);
    ActionTypes.SetValue(g, typeText);
    Actions.SetValue(g, data);
    if (!view) return;
    view->AddGestureRow(h, typeText,
                        type == TActionType::atProgram
                            ? FirstFieldAndRest(data)
                            : ActionColumn(TActionType::atMultiKeystroke, data, L""));
}

void TGestureStore::ReportScanDone(const TScanLists& lists) {
    if (view) view->BeginProgramUpdate();
    AppendLog(L"[FGest] INI count " + std::to_wstring(lists.inis.size()));
    AppendLog(L"[FGest] PROGS count " + std::to_wstring(lists.progs.size()));
    if (!view) return;

    const auto findRow = [this](const std::wstring& caption) -> std::ptrdiff_t {
        const std::vector<std::wstring> rows = view->ProgramRows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (SameTextAscii(rows[i].data(), rows[i].size(), caption))
                return static_cast<std::ptrdiff_t>(i);
        return -1;
    };
    for (const std::wstring& f : lists.inis) {
        const std::wstring p = ProgramFromFileName(f);
        const std::ptrdiff_t row = findRow(p);
        if (row < 0)
            view->AddProgramRow(p, true);
        else
            view->MarkProgramRow(static_cast<std::size_t>(row));
    }
    for (const std::wstring& n : lists.progs)
        if (findRow(n) < 0) view->AddProgramRow(n, false);
    view->EndProgramUpdate();

    if (const std::optional<std::wstring> selected = view->SelectedProgram())
        LoadGestures(GestureFileName(*selected), false);
}

} // namespace fg
