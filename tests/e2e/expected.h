#ifndef HEXALUNE_TESTS_E2E_EXPECTED_H_
#define HEXALUNE_TESTS_E2E_EXPECTED_H_

#include <array>
#include <cstdint>
#include <string>

// What the program should print, built independently of the program's own
// code (printf formats and bit arithmetic), for the end-to-end tests.
namespace hexalune_test {

using Mac = std::array<std::uint8_t, 6>;

extern const char kBanner[];
extern const char kPrompt[];
extern const char kInvalidMessage[];

/// The six octets of a colon-form address of either case.
Mac mac_from_text(const std::string& text);

extern const char kNotFound[];

/// The 23 lines of the address report.
std::string expected_address_report(const Mac& mac);

/// What a run with a valid address writes: the standard output after the
/// banner (and prompt), and the standard error.
struct Expected {
    std::string out, err;
};
Expected expected_run(const std::string& text);

}  // namespace hexalune_test

#endif  // HEXALUNE_TESTS_E2E_EXPECTED_H_
