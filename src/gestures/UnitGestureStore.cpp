#include "gestures/UnitGestureStore.h"

#include "app/UnitFrmDebug.h"
#include "app/UnitMisc.h"
#include "platform/Errors.h"
#include "platform/Platform.h"

#include <climits>
#include <cstdint>

namespace fg {

namespace {

wchar_t FoldAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c;
}

bool SameTextAscii(const wchar_t* a, std::size_t aLen, const std::wstring& b) {
    if (aLen != b.size()) return false;
    for (std::size_t i = 0; i < aLen; ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
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

} // namespace

// --- names and texts -------------------------------------------------------------------------

bool IsGestureSection(const std::wstring& name) {
    if (name.empty()) return false;
    const wchar_t first = name[0];
    if (!((first >= L'0' && first <= L'9') || (first >= L'A' && first <= L'F'))) return false;
    for (std::size_t i = 1; i < name.size(); ++i)
        if (name[i] < L'0' || name[i] > L'9') return false;
    return true;
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

// --- the store -------------------------------------------------------------------------------

TGestureStore::TGestureStore(const TKeystrokeConversions* conversions)
    : keystrokes(conversions ? conversions : &TKeystrokeConversions::Default()) {
    global = LoadGestures(kGlobalGestureFile, false);
}

std::wstring TGestureStore::ReadValue(const std::wstring& path, const std::wstring& section,
                                      const std::wstring& key) const {
    return Os().files->ProfileReadCut(path, section, key, L"", kGestureValueBuffer);
}

std::wstring TGestureStore::NormalisedKeystroke(const std::wstring& stored) const {
    try {
        std::wstring normal = keystrokes->ToString(keystrokes->FromString(stored));
        // A conversion that answers nothing would erase the keystroke at the next save.
        return normal.empty() ? stored : normal;
    } catch (const TUserError&) {
        // Kept as stored: failing here would leave the file half read, and the next save of it
        // would drop every binding after this one. Running it reports the error instead.
        AppendLog(L"[FGest] Malformed keystroke kept as stored");
        return stored;
    }
}

std::shared_ptr<const TGestureFile> TGestureStore::Read(const std::wstring& path) const {
    auto file = std::make_shared<TGestureFile>();
    IFileSystem& files = *Os().files;
    if (!files.Exists(path)) return file;
    file->disabled = ProfileFlag(ReadValue(path, L"Settings", L"cbDisableAll"));
    for (const std::wstring& name : files.ProfileSectionNames(path)) {
        if (!IsGestureSection(name)) continue;
        TGestureBinding binding{name, ReadValue(path, name, L"ActionType"), L""};
        if (const std::optional<TActionType> type = binding.Type()) {
            binding.action = ReadValue(path, name, L"Action");
            if (*type == TActionType::atKeystroke)
                binding.action = NormalisedKeystroke(binding.action);
        }
        // A section that comes twice is one binding, read from the first (as the routines do).
        file->Set(binding);
    }
    return file;
}

std::shared_ptr<const TGestureFile> TGestureStore::LoadGestures(const std::wstring& fileName,
                                                                bool quiet) {
    const std::wstring path = GetDataPath() + fileName;
    const std::wstring key = AsciiLower(fileName);
    IFileSystem& files = *Os().files;
    std::shared_ptr<const TGestureFile> file;
    if (const auto it = loaded.find(key); quiet && it != loaded.end()) {
        std::uint64_t stamp = 0;
        if (files.Stamp(path, stamp) && stamp == it->second.stamp) file = it->second.file;
    }
    if (!file) {
        // Taken before reading: a change made while we read shows as a new stamp next time.
        std::uint64_t stamp = 0;
        const bool stamped = files.Stamp(path, stamp);
        file = Read(path);
        if (stamped)
            loaded[key] = {stamp, file};
        else
            loaded.erase(key); // a missing file is cheap to look for again
    }
    if (IsGlobalGestureFile(fileName)) global = file;
    return file;
}

void TGestureStore::SaveGestures(const std::wstring& fileName, const TGestureFile& file) {
    // The file's stamp cannot be trusted to change with what we write: on a file system with
    // coarse write times a rewrite of the same size keeps it. The next load reads the file.
    loaded.erase(AsciiLower(fileName));
    IFileSystem& files = *Os().files;
    const std::wstring path = GetDataPath() + fileName;
    const bool isGlobal = IsGlobalGestureFile(fileName);
    if (file.Empty() && !file.disabled && !isGlobal) {
        if (files.Exists(path)) files.Delete(path);
        return;
    }
    // Written whole beside the old file and swapped in at once: a write that fails half way
    // leaves the user the file they had.
    const std::wstring fresh = path + L".new";
    if (!WriteFresh(fresh, file, WritesUnicode(path, file)) || !files.Replace(fresh, path)) {
        files.Delete(fresh);
        throw TUserError(L"Unable to write to " + path);
    }
    if (isGlobal) global = std::make_shared<const TGestureFile>(file);
}

bool TGestureStore::WritesUnicode(const std::wstring& path, const TGestureFile& file) const {
    std::vector<std::uint8_t> old;
    if (!Os().files->ReadAll(path, old)) return true;
    if (StartsWithUnicodeMark(old)) return true;
    // A file in the code page stays so only while the code page holds every value.
    for (const TGestureBinding& b : file.Bindings())
        if (!FitsAnsiCodePage(b.gesture + b.type + b.action)) return true;
    return false;
}

bool TGestureStore::WriteFresh(const std::wstring& fresh, const TGestureFile& file,
                               bool unicode) const {
    IFileSystem& files = *Os().files;
    // A leftover of an interrupted save would be merged into, not replaced.
    if (files.Exists(fresh) && !files.Delete(fresh)) return false;
    // The profile routines create a missing file in the ANSI code page, which turns every
    // character it cannot hold into "?"; a file that begins with the UTF-16LE byte-order mark
    // they write as UTF-16.
    std::wstring error;
    if (unicode && !files.WriteAll(fresh, {0xFF, 0xFE}, error)) return false;
    for (const TGestureBinding& b : file.Bindings()) {
        if (!files.ProfileWrite(fresh, b.gesture, L"ActionType", ProfileSafe(b.type))) return false;
        if (b.Type() && !files.ProfileWrite(fresh, b.gesture, L"Action", ProfileSafe(b.action)))
            return false;
    }
    return files.ProfileWrite(fresh, L"Settings", L"cbDisableAll", file.disabled ? L"1" : L"0");
}

} // namespace fg
