// The top-level handler: the user-interface toolkit's default error box.
#pragma once

#include "platform/Errors.h"

#include <exception>
#include <string>

namespace fg {

template <typename F> auto Guarded(F&& f, decltype(f()) fallback) -> decltype(f()) {
    try {
        return f();
    } catch (const TUserError& e) {
        ShowErrorBox(e.Message());
    } catch (const std::exception& e) {
        const std::string what = e.what();
        ShowErrorBox(std::wstring(what.begin(), what.end()));
    }
    return fallback;
}

} // namespace fg
