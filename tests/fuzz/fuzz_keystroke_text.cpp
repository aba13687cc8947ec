// libFuzzer target: any text as a stored keystroke. The conversion either succeeds or raises the
// user's error, and it raises exactly for malformed flags or key; what ToString writes converts
// back to the same record, and a stored form in the canonical spelling comes back unchanged.
#include "FuzzText.h"
#include "actions/UnitFrmHotKey.h"
#include "platform/Errors.h"

#include <cstdlib>

namespace {

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}
bool IsHex(wchar_t c) {
    return IsDigit(c) || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f');
}

bool WellFormed(const std::wstring& s) {
    if (s.size() < 6) return true;
    for (int i = 0; i < 4; ++i)
        if (!IsDigit(s[i])) return false;
    return IsHex(s[4]) && IsHex(s[5]);
}

// Flags written as 0 or 1 and the key in upper-case hexadecimal, as ToString writes them.
bool Canonical(const std::wstring& s) {
    if (s.size() < 6) return false;
    for (int i = 0; i < 4; ++i)
        if (s[i] != L'0' && s[i] != L'1') return false;
    for (int i = 4; i < 6; ++i)
        if (!IsDigit(s[i]) && !(s[i] >= L'A' && s[i] <= L'F')) return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fg::TFrmKeystrokeEdit& edit = *fg::FrmKeystrokeEdit;
    const std::wstring s = fg::fuzz::Text(data, size);
    fg::TKeystrokeData k;
    try {
        k = edit.FromString(s);
    } catch (const fg::TUserError& e) {
        if (WellFormed(s) || e.Message().empty()) std::abort();
        return 0;
    }
    if (!WellFormed(s)) std::abort();
    if (s.size() < 6 && !(k == fg::TKeystrokeData{})) std::abort();

    const std::wstring stored = edit.ToString(k);
    if (!(edit.FromString(stored) == k)) std::abort();
    if (Canonical(s) && stored != s) std::abort();

    bool valid = false;
    const std::wstring name = edit.GetHumanReadable(k, valid);
    if (valid && (name.empty() || name.back() == L'+')) std::abort();
    return 0;
}
