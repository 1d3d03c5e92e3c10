#include "registry/registries.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "notation/parse.h"
#include "reference/registry_reference.h"
#include "registry/owner_table_data.h"
#include "registry/owner_table_fast.h"

namespace hexalune {
namespace {

namespace reference = hexalune_reference;

// The maps of the listings in data/, by the reference reader, indexed by
// Registry.
const std::array<RegistryMap, 4>& reference_maps() {
    static const std::array<RegistryMap, 4> kMaps = [] {
        std::array<RegistryMap, 4> maps;
        for (Registry registry : kRegistries) {
            std::ifstream in(std::string(HEXALUNE_DATA_DIR "/") + listing_file_name(registry),
                             std::ios::binary);
            maps[static_cast<std::size_t>(registry)] =
                reference::parse({std::istreambuf_iterator<char>(in), {}}).registry;
        }
        return maps;
    }();
    return kMaps;
}

// The table compiled into the library holds the records of the listings in
// data/, and counts them: a refreshed listing that the build did not
// compile in fails here.
TEST(Registries, EmbeddedTableHoldsTheListings) {
    const OwnerTable& table = embedded_owner_table();
    const std::vector<OwnerRecord> records = owner_records(table);
    auto got = records.begin();
    for (Registry registry : kRegistries) {
        const RegistryMap& map = reference_maps()[static_cast<std::size_t>(registry)];
        EXPECT_EQ(assignment_count(table, registry), map.size()) << registry_name(registry);
        for (const auto& [key, record] : map) {
            ASSERT_NE(got, records.end());
            EXPECT_TRUE(got->registry == registry && got->assignment == key) << key;
            EXPECT_EQ(got->assignee.organization, record.organization) << key;
            EXPECT_EQ(got->assignee.address, record.address) << key;
            ++got;
        }
    }
    EXPECT_EQ(got, records.end());
    EXPECT_EQ(record_count(table), records.size());
}

// The first and last address of every assignment of the four listings: the
// owner the embedded table finds is the reference model's.
TEST(Registries, EveryAssignmentOwnsItsBlock) {
    const OwnerTable& table = embedded_owner_table();
    const auto& [ma_s, iab, ma_m, ma_l] = reference_maps();
    for (const RegistryMap& map : reference_maps()) {
        for (const auto& entry : map) {
            for (const char fill : {'0', 'F'}) {
                const std::string digits = entry.first + std::string(12 - entry.first.size(), fill);
                const Owner owner = lookup_owner(parse_mac(digits), table);
                const auto block = reference::longest_prefix(digits, ma_s, iab, ma_m, ma_l);
                ASSERT_TRUE(block && owner.block.record != kNoRecord) << digits;
                EXPECT_EQ(registry_name(owner.block.registry), block->registry) << digits;
                const Assignee found = assignee(table, owner.block.record);
                EXPECT_EQ(found.organization, block->record.organization) << digits;
                EXPECT_EQ(found.address, block->record.address) << digits;
                // The OUI's record: the MA-L listing's, if it has one.
                const auto oui = ma_l.find(digits.substr(0, 6));
                EXPECT_EQ(owner.oui == kNoRecord ? "-" : assignee(table, owner.oui).organization,
                          oui == ma_l.end() ? "-" : oui->second.organization)
                    << digits;
            }
        }
    }
}

// Keys no address can match are left out, uncounted; of equal 9-digit keys
// MA-S wins; a subdivided block may have no MA-L record; each text carries
// its TextFlags, and equal texts are stored once.
TEST(Registries, OddKeysAndTextFlags) {
    Listings listings;
    listings[0] = {{"0050C2ABC", "MA-S", "Street, 1"}};
    listings[1] = {{"0050C2ABC", "IAB", "Street, 1"}, {"0050C2ABD", "I\xC3\xA9", "\"Q\""}};
    listings[2] = {{"0050C2a", "lower case", ""}};
    listings[3] = {{"0050C2A", "seven digits in MA-L", ""}, {"0050C3", "Back\\slash", "Tab\t"}};
    const OwnerTable table = build_owner_table(listings);
    const struct {
        std::string digits;
        const char* registry;  // null: no block
        bool oui;
        std::string organization;
        unsigned organization_flags, address_flags;
    } cases[] = {
        {"0050C2ABC000", "MA-S", false, "MA-S", kPlain | kNoComma, kPlain},
        {"0050C2ABD000", "IAB", false, "I\xC3\xA9", kNoComma, kNoComma},
        {"0050C2A00000", nullptr, false, "", 0, 0},
        {"0050C3000000", "MA-L", true, "Back\\slash", kNoComma, kNoComma},
    };
    for (const auto& c : cases) {
        const Owner owner = lookup_owner(parse_mac(c.digits), table);
        EXPECT_EQ(owner.oui != kNoRecord, c.oui) << c.digits;
        ASSERT_EQ(owner.block.record != kNoRecord, c.registry != nullptr) << c.digits;
        if (c.registry == nullptr) continue;
        EXPECT_EQ(registry_name(owner.block.registry), std::string(c.registry)) << c.digits;
        const FlaggedAssignee found = flagged_assignee(table, owner.block.record);
        EXPECT_EQ(found.organization, c.organization) << c.digits;
        EXPECT_EQ(found.organization_flags, c.organization_flags) << c.digits;
        EXPECT_EQ(found.address_flags, c.address_flags) << c.digits;
    }
    const std::vector<OwnerRecord> records = owner_records(table);
    ASSERT_EQ(records.size(), 4u);  // MA-S 1, IAB 2, MA-M none, MA-L 1
    EXPECT_EQ(assignment_count(table, Registry::kIab), 2u);
    EXPECT_EQ(records[0].assignee.address.data(), records[1].assignee.address.data());
}

// Texts are placed so that none crosses a row of the compiled pool.
TEST(Registries, TextsStayWithinRows) {
    const std::string long_text(kOwnerTextRow / 2, 'x');
    std::vector<std::string> texts;  // keys and organizations
    for (char c : std::string("0123456789"))
        texts.insert(texts.end(), {"00000" + std::string(1, c), long_text + c});
    Listings listings;
    for (std::size_t i = 0; i < texts.size(); i += 2)
        listings[3].push_back({texts[i], texts[i + 1], ""});
    const OwnerTable table = build_owner_table(listings);
    for (const OwnerRecord& record : owner_records(table)) {
        const std::string_view text = record.assignee.organization;
        const auto begin = static_cast<std::size_t>(text.data() - table.arrays()->text) - 2;
        const std::size_t end = begin + 2 + text.size();
        EXPECT_EQ(begin / kOwnerTextRow, (end - 1) / kOwnerTextRow);
        EXPECT_NE(end % kOwnerTextRow, 0u);
    }
    const std::string too_long = long_text + long_text;
    EXPECT_THROW(build_owner_table({{{}, {}, {}, {{"000000", too_long, ""}}}}), std::length_error);
}

}  // namespace
}  // namespace hexalune
