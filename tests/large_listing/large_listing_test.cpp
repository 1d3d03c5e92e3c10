// The reader on a listing of 50 MB, fifteen times the real one: every record
// arrives intact under its own assignment, and every short line is reported.
// Its speed and memory are measured by hexalune_listing_bench, not here.

#include <gtest/gtest.h>

#include <sstream>

#include "registry/csv_reader.h"
#include "synthetic_listing.h"

namespace hexalune_test {
namespace {

TEST(LargeListing, FiftyMegabytes) {
    const SyntheticListing listing = synthetic_listing(50u * 1000 * 1000);
    ASSERT_GE(listing.text.size(), 50u * 1000 * 1000);

    std::ostringstream report;
    const hexalune::RegistryMap registry = hexalune::parse_oui_database(listing.text, report);

    EXPECT_EQ(report.str(), listing.report);
    ASSERT_EQ(registry.size(), listing.records);
    for (std::size_t i = 0; i < listing.records; ++i) {
        const SyntheticRecord expected = synthetic_record(i);
        const auto found = registry.find(expected.assignment);
        ASSERT_NE(found, registry.end()) << i;
        ASSERT_EQ(found->second.assignment, expected.assignment) << i;
        ASSERT_EQ(found->second.organization, expected.organization) << i;
        ASSERT_EQ(found->second.address, expected.address) << i;
    }
    // Spot checks written out, in case the generator and the reader agree on
    // something wrong.
    EXPECT_EQ(registry.at("000000").organization, "Synthetic \"Quoted\" Networks, Ltd. 0");
    EXPECT_EQ(registry.at("000000").address, "Unit 0, Example Park, Springfield ST US 00000 ");
    EXPECT_EQ(registry.at("9E3779").organization, "Synthetic Networks 1");
    EXPECT_EQ(registry.at("9E3779").address, "1 Example Road Suite 100 Springfield ST US 12345 ");
}

}  // namespace
}  // namespace hexalune_test
