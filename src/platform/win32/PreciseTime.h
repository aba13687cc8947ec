// The high-resolution counter in milliseconds. Under Wine every process of a prefix reads the
// same counter, so the program's phase stamps and the test probe's can be compared.
#pragma once

#include <windows.h>

namespace fg {

inline double PreciseCounterMs() {
    static const double perMs = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER c{};
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / perMs;
}

} // namespace fg
