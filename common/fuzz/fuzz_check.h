#pragma once
// What the fuzz targets use to state a property: a property that does not hold prints itself and
// aborts, which libFuzzer reports as a finding and keeps the input that caused it.

#include <cstdio>
#include <cstdlib>

namespace zelko::fuzz {

[[noreturn]] inline void propertyFailed(const char* property, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, property);
    std::abort();
}

}  // namespace zelko::fuzz

// Checked in every build type (unlike assert, which NDEBUG turns off).
#define FUZZ_CHECK(property)           \
    ((property) ? static_cast<void>(0) \
                : ::zelko::fuzz::propertyFailed(#property, __FILE__, __LINE__))
