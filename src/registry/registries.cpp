#include "registries.h"

#include <stdexcept>

namespace hexalune {

namespace {

constexpr std::uint64_t kSubdivided = std::uint64_t{1} << 63;

std::size_t number(Registry registry) { return static_cast<std::size_t>(registry); }

// The key of a prefix of `registry` whose digits have the value `value`.
std::uint64_t key_of(Registry registry, std::uint64_t value) {
    return std::uint64_t{number(registry) + 1} << 36 | value;
}

// The value of a key of exactly `digits` upper-case hexadecimal digits, or
// -1 for any other key.
std::int64_t prefix_value(const std::string& key, std::size_t digits) {
    if (key.size() != digits) return -1;
    std::int64_t value = 0;
    for (char c : key) {
        int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0) return -1;
        value = value << 4 | digit;
    }
    return value;
}

// Where the search for `key` starts. Fibonacci hashing: the product's high
// bits mix all the digits.
std::size_t home_of(std::uint64_t key, std::size_t mask) {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15u) >> 32) & mask;
}

// The slot that holds `key` (flags aside), or the free slot where it would
// go: the first of either from the key's home slot on.
std::size_t slot_of(const std::vector<OwnerIndex::Slot>& slots, std::uint64_t key) {
    const std::size_t mask = slots.size() - 1;
    std::size_t at = home_of(key, mask);
    while (slots[at].key != 0 && (slots[at].key & ~kSubdivided) != key) at = (at + 1) & mask;
    return at;
}

const OwnerIndex::Slot* find(const OwnerIndex& index, std::uint64_t key) {
    const OwnerIndex::Slot& slot = index.slots[slot_of(index.slots, key)];
    return slot.key == 0 ? nullptr : &slot;
}

}  // namespace

const char* registry_name(Registry registry) {
    static const char* const kNames[] = {"MA-S", "IAB", "MA-M", "MA-L"};
    return kNames[number(registry)];
}

const char* listing_file_name(Registry registry) {
    static const char* const kFiles[] = {"oui36.csv", "iab.csv", "mam.csv", "oui.csv"};
    return kFiles[number(registry)];
}

std::size_t assignment_digits(Registry registry) {
    static const std::size_t kDigits[] = {9, 9, 7, 6};
    return kDigits[number(registry)];
}

OwnerIndex index_owners(const Registries& registries) {
    // Each record takes a slot, and one of the other registries' may add one
    // for its MA-L prefix: with twice as many slots as that the table stays
    // at most half full.
    std::size_t slots_needed = 0;
    for (Registry registry : kRegistries) {
        const std::size_t records = registries[number(registry)].size();
        slots_needed += registry == Registry::kMaL ? records : 2 * records;
    }
    std::size_t size = 16;
    while (size < 2 * slots_needed) size *= 2;
    OwnerIndex index;
    index.slots.resize(size);
    for (Registry registry : kRegistries) {
        const std::size_t digits = assignment_digits(registry);
        for (const auto& entry : registries[number(registry)]) {
            const std::int64_t value = prefix_value(entry.first, digits);
            if (value < 0) continue;
            const std::uint64_t key = key_of(registry, static_cast<std::uint64_t>(value));
            OwnerIndex::Slot& slot = index.slots[slot_of(index.slots, key)];
            slot.key |= key;
            slot.record = &entry.second;
            if (registry != Registry::kMaL) {
                const std::uint64_t oui = static_cast<std::uint64_t>(value) >> 4 * (digits - 6);
                const std::uint64_t ma_l = key_of(Registry::kMaL, oui);
                index.slots[slot_of(index.slots, ma_l)].key |= ma_l | kSubdivided;
            }
        }
    }
    return index;
}

void prefetch_owner([[maybe_unused]] const Bytes& mac, [[maybe_unused]] const OwnerIndex& index) {
#if defined(__GNUC__)
    if (mac.size() < 3 || index.slots.empty()) return;
    const std::uint64_t oui = std::uint64_t{mac[0]} << 16 | std::uint64_t{mac[1]} << 8 | mac[2];
    __builtin_prefetch(&index.slots[home_of(key_of(Registry::kMaL, oui), index.slots.size() - 1)]);
#endif
}

Owner lookup_owner(const Bytes& mac, const OwnerIndex& index) {
    if (mac.size() < 6) throw std::invalid_argument("lookup_owner needs six bytes");
    Owner owner;
    const std::uint64_t oui = std::uint64_t{mac[0]} << 16 | std::uint64_t{mac[1]} << 8 | mac[2];
    const OwnerIndex::Slot* const ma_l = find(index, key_of(Registry::kMaL, oui));
    if (ma_l == nullptr) return owner;
    owner.oui = ma_l->record;
    owner.block = {Registry::kMaL, ma_l->record};
    if ((ma_l->key & kSubdivided) == 0) return owner;
    const std::uint64_t nine = oui << 12 | std::uint64_t{mac[3]} << 4 | mac[4] >> 4;
    const std::pair<Registry, std::uint64_t> longer[] = {
        {Registry::kMaS, nine}, {Registry::kIab, nine}, {Registry::kMaM, nine >> 8}};
    for (const auto& [registry, value] : longer) {
        if (const OwnerIndex::Slot* const slot = find(index, key_of(registry, value))) {
            owner.block = {registry, slot->record};
            break;
        }
    }
    return owner;
}

}  // namespace hexalune
