#include "registry/registries.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "reference/registry_reference.h"
#include "registry/lookup.h"

namespace hexalune {
namespace {

namespace reference = hexalune_reference;

using Registries = std::array<RegistryMap, 4>;

Listings listing_records(const Registries& registries) {
    Listings listings;
    for (std::size_t i = 0; i < registries.size(); ++i) {
        for (const auto& [assignment, record] : registries[i]) {
            listings[i].push_back({assignment, record.organization, record.address});
        }
    }
    return listings;
}

// The maps of the listings in data/, by the reference reader, indexed by
// Registry.
const Registries& reference_maps() {
    static const Registries kMaps = [] {
        Registries maps;
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

Bytes bytes_of(const std::string& digits) {
    Bytes bytes;
    for (std::size_t i = 0; i < 12; i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

// The table compiled into the library is the one the listings in data/
// make: a refreshed listing that the build did not compile in fails here.
TEST(Registries, EmbeddedTableIsTheListings) {
    const OwnerTableData built = build_owner_table(listing_records(reference_maps()));
    const OwnerTable& embedded = embedded_owner_table();
    EXPECT_TRUE(std::equal(built.slots.begin(), built.slots.end(), embedded.slots,
                           embedded.slots + embedded.slot_count));
    EXPECT_TRUE(std::equal(built.records.begin(), built.records.end(), embedded.records,
                           embedded.records + 2 * embedded.record_count));
    EXPECT_TRUE(std::equal(built.text.begin(), built.text.end(), embedded.text,
                           embedded.text + embedded.text_size));
    EXPECT_EQ(built.assignments, embedded.assignments);
}

// The first and last address of every assignment of the four listings: the
// owner the embedded table finds is the reference model's.
TEST(Registries, EveryAssignmentOwnsItsBlock) {
    const OwnerTable& table = embedded_owner_table();
    const Registries& maps = reference_maps();
    const auto& [ma_s, iab, ma_m, ma_l] = maps;
    std::set<std::string> subdivided;  // MA-L blocks the other registries split
    for (const RegistryMap* map : {&ma_s, &iab, &ma_m}) {
        for (const auto& entry : *map) subdivided.insert(entry.first.substr(0, 6));
    }
    std::size_t checked = 0, assignments = 0;
    for (const RegistryMap& map : maps) {
        assignments += map.size();
        for (const auto& [key, record] : map) {
            for (const char fill : {'0', 'F'}) {
                const std::string digits = key + std::string(12 - key.size(), fill);
                const Owner owner = lookup_owner(bytes_of(digits), table);
                const auto block = reference::longest_prefix(digits, ma_s, iab, ma_m, ma_l);
                ASSERT_TRUE(block && owner.block.record != kNoRecord) << digits;
                EXPECT_EQ(registry_name(owner.block.registry), block->registry) << digits;
                EXPECT_EQ(digits.substr(0, assignment_digits(owner.block.registry)),
                          block->record.assignment);
                const Assignee found = assignee(table, owner.block.record);
                EXPECT_EQ(found.organization, block->record.organization) << digits;
                EXPECT_EQ(found.address, block->record.address) << digits;
                // An assignment is its addresses' block, unless subdivided.
                if (&map != &ma_l || subdivided.count(key) == 0) {
                    EXPECT_EQ(block->record.assignment, key) << digits;
                }
                const OUIInfo oui = lookup_oui_info(bytes_of(digits), ma_l);
                EXPECT_EQ(owner.oui != kNoRecord, !oui.assignment.empty()) << digits;
                if (owner.oui != kNoRecord) {
                    EXPECT_EQ(assignee(table, owner.oui).organization, oui.organization);
                }
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 2 * assignments);
    for (Registry registry : kRegistries) {
        const auto at = static_cast<std::size_t>(registry);
        EXPECT_EQ(table.assignments[at], maps[at].size()) << registry_name(registry);
    }
}

// Keys no address can match are left out, uncounted; of equal 9-digit
// keys MA-S wins; equal texts are stored once, with what they hold.
TEST(Registries, OddKeys) {
    Registries registries;
    registries[0]["0050C2ABC"] = {"0050C2ABC", "MA-S", "Street, 1", ""};
    registries[1]["0050C2ABC"] = {"0050C2ABC", "I\xC3\xA9", "Street, 1", ""};
    registries[2]["0050C2a"] = {"0050C2a", "lower case", "", ""};
    registries[3]["0050C2A"] = {"0050C2A", "seven digits in MA-L", "", ""};
    const OwnerTableData data = build_owner_table(listing_records(registries));
    const OwnerTable table = view(data);
    const Owner abc = lookup_owner({0x00, 0x50, 0xc2, 0xab, 0xc0, 0x00}, table);
    ASSERT_NE(abc.block.record, kNoRecord);
    const Assignee ma_s = assignee(table, abc.block.record), iab = assignee(table, 1);
    EXPECT_EQ(ma_s.organization, "MA-S");
    EXPECT_EQ(ma_s.organization_flags, kPlain | kNoComma);
    EXPECT_EQ(ma_s.address_flags, kPlain);
    EXPECT_EQ(iab.organization_flags, kNoComma);
    EXPECT_EQ(abc.oui, kNoRecord);  // the subdivided block has no MA-L record
    EXPECT_EQ(lookup_owner({0x00, 0x50, 0xc2, 0xa0, 0, 0}, table).block.record, kNoRecord);
    EXPECT_EQ(table.assignments, (std::array<std::size_t, 4>{1, 1, 0, 0}));
    EXPECT_EQ(table.record_count, 2u);
    EXPECT_EQ(table.text_size, 2 + 4 + 2 + 9 + 2 + 3);  // "MA-S", "Street, 1", "Ié"
}

// Texts are placed so that none crosses a row of the compiled pool.
TEST(Registries, TextsStayWithinRows) {
    Registries registries;
    const std::string long_text(kOwnerTextRow / 2, 'x');
    for (char c : std::string("0123456789")) {
        registries[3][std::string("00000") + c] = {"", long_text + c, "", ""};
    }
    const OwnerTableData data = build_owner_table(listing_records(registries));
    const OwnerTable table = view(data);
    for (std::uint32_t record = 0; record < table.record_count; ++record) {
        const Assignee found = assignee(table, record);
        EXPECT_EQ(found.organization.size(), long_text.size() + 1);
        const auto begin = static_cast<std::size_t>(found.organization.data() - table.text) - 2;
        const std::size_t end = begin + 2 + found.organization.size();
        EXPECT_EQ(begin / kOwnerTextRow, (end - 1) / kOwnerTextRow);
        EXPECT_NE(end % kOwnerTextRow, 0u);
    }
    const std::string too_long = long_text + long_text;
    EXPECT_THROW(build_owner_table({{{}, {}, {}, {{"000000", too_long, ""}}}}), std::length_error);
}

}  // namespace
}  // namespace hexalune
