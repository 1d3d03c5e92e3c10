#include "registry/resource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "registry/csv_reader.h"

namespace hexalune {
namespace {

std::string read_listing_file() {
    std::ifstream in(HEXALUNE_LISTING_FILE, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(EmbeddedListing, IsTheListingFileByteForByte) {
    const std::string file = read_listing_file();
    ASSERT_FALSE(file.empty());
    EXPECT_TRUE(load_resource_data() == file);  // not EXPECT_EQ: no 3.7 MB diff on failure
}

TEST(EmbeddedListing, ParsesCleanlyIntoEveryDistinctAssignment) {
    // Count the assignments straight from the file: every record line starts
    // "MA-L," followed by the six unquoted digits of its assignment.
    std::istringstream lines(read_listing_file());
    std::string line;
    std::getline(lines, line);
    std::set<std::string> assignments;
    std::size_t records = 0;
    while (std::getline(lines, line)) {
        ASSERT_EQ(line.compare(0, 5, "MA-L,"), 0) << line;
        assignments.insert(line.substr(5, 6));
        ++records;
    }

    std::ostringstream report;
    const RegistryMap registry = parse_oui_database(load_resource_data(), report);
    EXPECT_EQ(report.str(), "");
    EXPECT_EQ(registry.size(), assignments.size());
    EXPECT_LT(registry.size(), records);  // the listing holds duplicates
    for (const auto& entry : registry) {
        EXPECT_EQ(entry.first, entry.second.assignment);
        EXPECT_EQ(assignments.count(entry.first), 1u) << entry.first;
        const std::string& address = entry.second.address;
        EXPECT_TRUE(address.empty() || address.back() == ' ') << entry.first;
    }
    EXPECT_EQ(registry.at("080030").organization, "CERN");
    EXPECT_EQ(registry.at("0001C8").organization, "CONRAD CORP.");
}

}  // namespace
}  // namespace hexalune
