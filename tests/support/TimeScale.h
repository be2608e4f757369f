// One factor for every answer window and wait the tests shorten: R9_TEST_TIME_SCALE (1 when unset),
// set larger for the sanitizer builds, where the same work takes several times as long. Delays that
// must outlast a window scale with it, so a test's timing relations hold at any factor.
#pragma once

#include <cstdlib>

namespace r9test {

inline double TimeScale() {
    static const double scale = [] {
        const char* v = std::getenv("R9_TEST_TIME_SCALE");
        const double s = v ? std::strtod(v, nullptr) : 1.0;
        return s >= 1.0 ? s : 1.0;
    }();
    return scale;
}

// A test duration in milliseconds, scaled.
inline int Ms(int ms) {
    return static_cast<int>(ms * TimeScale() + 0.5);
}

} // namespace r9test
