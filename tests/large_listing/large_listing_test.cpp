// The reader on a listing of 50 MB, fifteen times the real one: the same
// records and reports as the reference reader gives, line numbers past 16
// bits among them. Its speed and memory are measured by
// hexalune_listing_bench, not here.

#include <gtest/gtest.h>

#include <sstream>

#include "reference/registry_reference.h"
#include "registry/csv_line_reader.h"
#include "synthetic_listing.h"

namespace hexalune_test {
namespace {

TEST(LargeListing, FiftyMegabytes) {
    const std::string text = synthetic_listing(50u * 1000 * 1000);
    ASSERT_GE(text.size(), 50u * 1000 * 1000);

    std::ostringstream report;
    const hexalune::RegistryMap registry = hexalune::parse_oui_database(text, report);
    const hexalune_reference::Listing expected = hexalune_reference::parse(text);
    EXPECT_EQ(report.str(), expected.report);
    EXPECT_GT(registry.size(), 500000u);
    EXPECT_TRUE(hexalune_reference::same_registry(registry, expected.registry));
    // Spot checks written out, in case the generator and the readers agree
    // on something wrong.
    EXPECT_EQ(registry.at("000000").organization, "Synthetic \"Quoted\" Networks, Ltd. 0");
    EXPECT_EQ(registry.at("000000").address, "Unit 0, Example Park, Springfield ST US 00000 ");
    EXPECT_EQ(registry.at("9E3779").organization, "Synthetic Networks 1");
    EXPECT_EQ(registry.at("9E3779").address, "1 Example Road Suite 100 Springfield ST US 12345 ");
}

}  // namespace
}  // namespace hexalune_test
