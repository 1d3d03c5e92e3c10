#ifndef HEXALUNE_FUZZ_CHECK_H_
#define HEXALUNE_FUZZ_CHECK_H_

#include <cstdio>
#include <cstdlib>

namespace hexalune_fuzz {

/// Reports a property that does not hold and aborts, so that libFuzzer
/// keeps the input as a crash artifact.
[[noreturn]] inline void property_failed(const char* property, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, property);
    std::abort();
}

}  // namespace hexalune_fuzz

/// Aborts the run with the failed property when `condition` is false.
#define FUZZ_CHECK(condition) \
    ((condition) ? (void)0 : ::hexalune_fuzz::property_failed(#condition, __FILE__, __LINE__))

#endif  // HEXALUNE_FUZZ_CHECK_H_
