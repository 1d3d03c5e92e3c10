#ifndef HEXALUNE_TESTS_E2E_LISTING_H_
#define HEXALUNE_TESTS_E2E_LISTING_H_

#include <map>
#include <string>
#include <vector>

// The registry listing as the tests read it themselves: a deliberately
// plain CSV reader, independent of the program's.
namespace hexalune_test {

struct Row {
    std::string assignment, organization, address;
    std::string line;  // the raw line, without its CR LF
};

/// Every record row of data/oui.csv, in file order.
const std::vector<Row>& listing_rows();

/// The record each assignment resolves to: its last row.
const std::map<std::string, Row>& listing_by_assignment();

}  // namespace hexalune_test

#endif  // HEXALUNE_TESTS_E2E_LISTING_H_
