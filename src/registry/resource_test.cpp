#include "registry/resource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace hexalune {
namespace {

// How the embedded listing reads is checked against the reference reader in
// the differential test.
TEST(EmbeddedListing, IsTheListingFileByteForByte) {
    std::ifstream in(HEXALUNE_LISTING_FILE, std::ios::binary);
    std::ostringstream file;
    file << in.rdbuf();
    ASSERT_FALSE(file.str().empty());
    EXPECT_TRUE(load_resource_data() == file.str());  // not EXPECT_EQ: no 3.7 MB diff on failure
}

}  // namespace
}  // namespace hexalune
