#include "listing.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "reference/registry_reference.h"

namespace hexalune_test {

namespace {

std::vector<Row> read_rows() {
    std::ifstream in(HEXALUNE_LISTING_FILE, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " HEXALUNE_LISTING_FILE);
    std::vector<Row> rows;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> f = hexalune_reference::csv_fields(line);
        if (f.size() < 4) throw std::runtime_error("short row: " + line);
        rows.push_back({f[1], f[2], f[3], line});
    }
    return rows;
}

}  // namespace

const std::vector<Row>& listing_rows() {
    static const std::vector<Row> rows = read_rows();
    return rows;
}

const std::map<std::string, Row>& listing_by_assignment() {
    static const std::map<std::string, Row> by_assignment = [] {
        std::map<std::string, Row> map;
        for (const Row& row : listing_rows()) map[row.assignment] = row;
        return map;
    }();
    return by_assignment;
}

}  // namespace hexalune_test
