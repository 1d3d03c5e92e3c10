#ifndef HEXALUNE_TESTS_E2E_EXPECTED_H_
#define HEXALUNE_TESTS_E2E_EXPECTED_H_

#include <string>
#include <vector>

#include "registry/oui_info.h"

// What the program should print, built from the reference models in
// tests/reference/ (independent of the program's own code), for the
// end-to-end tests.
namespace hexalune_test {

extern const char kBanner[];
extern const char kPrompt[];
extern const char kInvalidMessage[];

extern const char kNotFound[];

/// The record lines of data/oui.csv, and the record each assignment
/// resolves to, as the reference reader reads them.
const std::vector<std::string>& listing_lines();
const hexalune::RegistryMap& listing_registry();

/// The 23 lines of the address report for a valid address.
std::string expected_address_report(const std::string& text);

/// What a run with a valid address writes: the standard output after the
/// banner (and prompt), and the standard error.
struct Expected {
    std::string out, err;
};
Expected expected_run(const std::string& text);

}  // namespace hexalune_test

#endif  // HEXALUNE_TESTS_E2E_EXPECTED_H_
