#ifndef HEXALUNE_REGISTRY_REGISTRIES_H_
#define HEXALUNE_REGISTRY_REGISTRIES_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "../notation/bytes.h"
#include "oui_info.h"

namespace hexalune {

/// The IEEE registries that assign address blocks, in the order a
/// longest-prefix lookup tries them: MA-S and IAB assign 36-bit prefixes
/// (9 hexadecimal digits), MA-M 28-bit ones (7), MA-L 24-bit ones (6, the
/// OUI). The IEEE subdivides some MA-L blocks into the others.
enum class Registry { kMaS, kIab, kMaM, kMaL };
constexpr std::array<Registry, 4> kRegistries = {Registry::kMaS, Registry::kIab, Registry::kMaM,
                                                 Registry::kMaL};

/// "MA-S", "IAB", "MA-M" or "MA-L".
const char* registry_name(Registry registry);

/// The listing's file name, as the IEEE publishes it and Debian's ieee-data
/// installs it: "oui36.csv", "iab.csv", "mam.csv" or "oui.csv".
const char* listing_file_name(Registry registry);

/// The number of hexadecimal digits in the registry's assignments.
std::size_t assignment_digits(Registry registry);

/// The registry's listing carried inside the executable, byte for byte; the
/// MA-L one is load_resource_data's. On Windows they are resources CSVFILE
/// 1 (MA-L), 2 (MA-M), 3 (MA-S) and 4 (IAB). Throws std::runtime_error with
/// load_resource_data's messages.
std::string load_embedded_listing(Registry registry);

/// A registry map for each registry, indexed by Registry.
using Registries = std::array<RegistryMap, 4>;

/// An assignment, and the registry that made it.
struct Block {
    Registry registry = Registry::kMaL;
    const OUIInfo* record = nullptr;  // null: none
};

/// What the registries say of an address.
struct Owner {
    /// The MA-L record of its first three bytes, the one lookup_oui_info
    /// gives; null when there is none.
    const OUIInfo* oui = nullptr;
    /// The most specific assignment that holds it.
    Block block;
};

/// The records of the four registries by their prefixes, for lookup_owner.
/// It points into the maps, which must outlive it unchanged.
struct OwnerIndex {
    // Open addressing, at most half full. A key is the registry's number
    // plus one, shifted past 36 bits, and the prefix's value; 0 is a free
    // slot. Bit 63 marks an MA-L prefix that other registries subdivide.
    struct Slot {
        std::uint64_t key = 0;
        const OUIInfo* record = nullptr;  // null for a subdivided prefix with no MA-L record
    };
    std::vector<Slot> slots;
};

/// Indexes every record whose key is as many upper-case hexadecimal digits
/// as its registry's assignments; other keys can match no address.
OwnerIndex index_owners(const Registries& registries);

/// Starts loading the part of the index that lookup_owner will read for a
/// six-byte address, and changes nothing: a run over many addresses calls
/// it some addresses ahead, so that their waits for memory overlap.
void prefetch_owner(const Bytes& mac, const OwnerIndex& index);

/// What the registries say of a six-byte address. The block is the record
/// of its first 9 digits in MA-S, else in IAB, else of its first 7 in
/// MA-M, else of its first 6 in MA-L.
Owner lookup_owner(const Bytes& mac, const OwnerIndex& index);

}  // namespace hexalune

#endif  // HEXALUNE_REGISTRY_REGISTRIES_H_
