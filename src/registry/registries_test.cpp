#include "registry/registries.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "reference/registry_reference.h"
#include "registry/csv_reader.h"
#include "registry/lookup.h"

namespace hexalune {
namespace {

namespace reference = hexalune_reference;

RegistryMap reference_map(const char* file) {
    std::ifstream in(std::string(HEXALUNE_DATA_DIR "/") + file, std::ios::binary);
    return reference::parse({std::istreambuf_iterator<char>(in), {}}).registry;
}

Bytes bytes_of(const std::string& digits) {
    Bytes bytes;
    for (std::size_t i = 0; i < 12; i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

// The first and last address of every assignment of the four listings the
// program carries: the owner the index finds is the reference model's, over
// the listing files themselves.
TEST(Registries, EveryAssignmentOwnsItsBlock) {
    Registries registries;
    for (Registry registry : kRegistries) {
        registries[static_cast<std::size_t>(registry)] =
            parse_oui_database(load_embedded_listing(registry));
    }
    const OwnerIndex index = index_owners(registries);
    const RegistryMap ma_s = reference_map("oui36.csv"), iab = reference_map("iab.csv"),
                      ma_m = reference_map("mam.csv"), ma_l = reference_map("oui.csv");
    std::set<std::string> subdivided;  // MA-L blocks the other registries split
    for (const RegistryMap* map : {&ma_s, &iab, &ma_m}) {
        for (const auto& entry : *map) subdivided.insert(entry.first.substr(0, 6));
    }
    std::size_t checked = 0;
    for (const RegistryMap* map : {&ma_s, &iab, &ma_m, &ma_l}) {
        for (const auto& [key, record] : *map) {
            for (const char fill : {'0', 'F'}) {
                const std::string digits = key + std::string(12 - key.size(), fill);
                const Owner owner = lookup_owner(bytes_of(digits), index);
                const auto block = reference::longest_prefix(digits, ma_s, iab, ma_m, ma_l);
                ASSERT_TRUE(block && owner.block.record) << digits;
                EXPECT_EQ(registry_name(owner.block.registry), block->registry) << digits;
                EXPECT_EQ(owner.block.record->assignment, block->record.assignment) << digits;
                EXPECT_EQ(owner.block.record->organization, block->record.organization);
                EXPECT_EQ(owner.block.record->address, block->record.address) << digits;
                // An assignment is its addresses' block, unless subdivided.
                if (map != &ma_l || subdivided.count(key) == 0) {
                    EXPECT_EQ(block->record.assignment, key) << digits;
                }
                const OUIInfo oui = lookup_oui_info(bytes_of(digits), registries[3]);
                EXPECT_EQ(owner.oui ? owner.oui->assignment : "", oui.assignment) << digits;
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 2u * (7064 + 4575 + 6451 + 39627));
}

// Keys no address can match are left out; of equal 9-digit keys MA-S wins.
TEST(Registries, OddKeys) {
    Registries registries;
    registries[0]["0050C2ABC"] = {"0050C2ABC", "MA-S", "", ""};
    registries[1]["0050C2ABC"] = {"0050C2ABC", "IAB", "", ""};
    registries[2]["0050C2a"] = {"0050C2a", "lower case", "", ""};
    registries[3]["0050C2A"] = {"0050C2A", "seven digits in MA-L", "", ""};
    const OwnerIndex index = index_owners(registries);
    const Owner abc = lookup_owner({0x00, 0x50, 0xc2, 0xab, 0xc0, 0x00}, index);
    ASSERT_NE(abc.block.record, nullptr);
    EXPECT_EQ(abc.block.record->organization, "MA-S");
    EXPECT_EQ(abc.oui, nullptr);  // the subdivided block has no MA-L record
    EXPECT_EQ(lookup_owner({0x00, 0x50, 0xc2, 0xa0, 0, 0}, index).block.record, nullptr);
}

}  // namespace
}  // namespace hexalune
