// The recognition tool's report on human-like hands (HumanHand.h): how often a person's gesture
// comes out as the gesture meant, per direction set, stroke count, stroke length and corner style,
// with the confusions.
#pragma once

#include <cstdint>

namespace fg::recognition {

struct ReportOptions {
    bool all = false; // every failure, not only the first few
    std::uint32_t seed = 1;
    const char* trace = nullptr; // a gesture string: trace its first drawing precise corners lose
};

void RunHumanReport(const ReportOptions& options);

} // namespace fg::recognition
