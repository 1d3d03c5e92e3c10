#include "registries.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "csv_record_reader.h"
#include "owner_table_data.h"
#include "owner_table_fast.h"
#include "short_name.h"

namespace hexalune {

namespace {

// A table's layout (OwnerTable::Arrays). A slot holds the registry's number
// plus one above the prefix's 36 bits, bit 39 for an MA-L prefix that other
// registries subdivide, and the record's number from bit 40 (kNoRecord for
// a subdivided prefix with no MA-L record); 0 is a free slot. A record is
// where its kRecordTexts texts begin in the text: each two
// bytes, low byte first, of its length and TextFlags (kTextFlagShift bits
// up), then its bytes. Equal texts are stored once.
constexpr int kTextFlagShift = 14;
constexpr std::uint64_t kSubdivided = std::uint64_t{1} << 39;
constexpr std::uint64_t kKeyBits = kSubdivided - 1;
constexpr int kRecordShift = 40;

std::size_t number(Registry registry) { return static_cast<std::size_t>(registry); }

// The key of a prefix of `registry` whose digits have the value `value`.
std::uint64_t key_of(Registry registry, std::uint64_t value) {
    return std::uint64_t{number(registry) + 1} << 36 | value;
}

std::uint64_t oui_of(const Bytes& mac) {
    return std::uint64_t{mac[0]} << 16 | std::uint64_t{mac[1]} << 8 | mac[2];
}

// The value of a key of exactly `digits` upper-case hexadecimal digits, or
// -1 for any other key.
std::int64_t prefix_value(std::string_view key, std::size_t digits) {
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

// The slot that holds `key`, or the free slot where it would go.
template <typename Slots>
std::size_t slot_of(const Slots& slots, std::size_t count, std::uint64_t key) {
    const std::size_t mask = count - 1;
    std::size_t at = home_of(key, mask);
    while (slots[at] != 0 && (slots[at] & kKeyBits) != key) at = (at + 1) & mask;
    return at;
}

// The slot of `key`, or 0 (a free slot) when it has none.
std::uint64_t find(const OwnerTable::Arrays& table, std::uint64_t key) {
    return table.slots[slot_of(table.slots, table.slot_count, key)];
}

// The text whose length and flags begin at `at`, and its flags.
std::pair<std::string_view, unsigned> text_at(const char* at) {
    const std::size_t prefix =
        static_cast<unsigned char>(at[0]) | std::size_t{static_cast<unsigned char>(at[1])} << 8;
    return {{at + 2, prefix & ((std::size_t{1} << kTextFlagShift) - 1)},
            static_cast<unsigned>(prefix >> kTextFlagShift)};
}

std::uint32_t record_of(std::uint64_t slot) {
    return static_cast<std::uint32_t>(slot >> kRecordShift);
}

// The pool's texts, each stored once. Why: a hash set of their offsets,
// with no node to allocate, builds Debian's listings' pool in about a
// third of the instructions of a std::unordered_map of views.
class Pool {
public:
    Pool(std::vector<char>& text, std::size_t texts) : text_(text) {
        std::size_t size = 16;
        while (size < 2 * texts) size *= 2;
        offsets_.assign(size, kFree);
    }

    std::uint32_t add(std::string_view text) {
        const std::size_t mask = offsets_.size() - 1;
        std::size_t at = std::hash<std::string_view>{}(text)&mask;
        for (; offsets_[at] != kFree; at = (at + 1) & mask) {
            if (at_offset(offsets_[at]) == text) return offsets_[at];
        }
        const std::size_t size = 2 + text.size();
        static_assert(kOwnerTextRow <= std::size_t{1} << kTextFlagShift,
                      "lengths fit below the flags");
        if (size > kOwnerTextRow - 1) throw std::length_error("owner table: text too long");
        const std::size_t used = text_.size() % kOwnerTextRow;
        if (used + size > kOwnerTextRow - 1) text_.resize(text_.size() + kOwnerTextRow - used);
        if (text_.size() > 0xFFFFFFFEu - kOwnerTextRow) {
            throw std::length_error("owner table: too much text");
        }
        offsets_[at] = static_cast<std::uint32_t>(text_.size());
        const std::size_t prefix = text.size() | std::size_t{flags_of(text)} << kTextFlagShift;
        text_.push_back(static_cast<char>(prefix & 0xFF));
        text_.push_back(static_cast<char>(prefix >> 8));
        text_.insert(text_.end(), text.begin(), text.end());
        return offsets_[at];
    }

private:
    static constexpr std::uint32_t kFree = 0xFFFFFFFF;

    // Why a table: one load and an OR a byte, a fifth of the instructions
    // of comparing each byte (Debian's listings: 8 M against 40 M).
    static unsigned flags_of(std::string_view text) {
        static constexpr auto kSpoils = [] {
            std::array<unsigned char, 256> spoils{};  // the flags a byte clears
            for (unsigned byte = 0; byte < 256; ++byte) {
                spoils[byte] = static_cast<unsigned char>(
                    (byte < 0x20 || byte > 0x7E || byte == '"' || byte == '\\' ? kPlain : 0u) |
                    (byte == ',' ? kNoComma : 0u));
            }
            return spoils;
        }();
        unsigned spoiled = 0;
        for (const char c : text) spoiled |= kSpoils[static_cast<unsigned char>(c)];
        return (kPlain | kNoComma) & ~spoiled;
    }

    std::string_view at_offset(std::uint32_t offset) const {
        return text_at(text_.data() + offset).first;
    }

    std::vector<char>& text_;
    std::vector<std::uint32_t> offsets_;
};

// The table that owns `data`.
OwnerTable table_of(OwnerTableData data) {
    struct Built {
        OwnerTableData data;
        OwnerTable::Arrays arrays;
    };
    auto built = std::make_shared<Built>();
    built->data = std::move(data);
    const OwnerTableData& d = built->data;
    built->arrays = {
        d.slots.data(), d.slots.size(), d.records.data(), d.records.size() / kRecordTexts,
        d.text.data(),  d.text.size(),  d.assignments};
    return OwnerTable(std::shared_ptr<const OwnerTable::Arrays>(built, &built->arrays));
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

void check_listing_header(std::string_view start) {
    if (start.substr(0, 3) == "\xEF\xBB\xBF") start.remove_prefix(3);
    const std::string_view end = start.substr(std::min(start.size(), kListingHeader.size()));
    if (start.substr(0, kListingHeader.size()) != kListingHeader ||
        !(end.empty() || end.front() == '\n' || end.substr(0, 2) == "\r\n")) {
        throw std::runtime_error("not an IEEE registry listing (its first line is not \"" +
                                 std::string(kListingHeader) + "\")");
    }
}

ListingRecords read_listing_records(Registry registry, const std::string& text,
                                    std::ostream& report) {
    static const char kMalformed[] = "malformed assignment";
    check_listing_header(text);
    const std::string_view name = registry_name(registry);
    const std::size_t digits = assignment_digits(registry);
    return read_registry_records(
        text, report,
        [&](std::string_view field, std::string_view assignment, std::int64_t line) -> const char* {
            if (field == name) return prefix_value(assignment, digits) >= 0 ? nullptr : kMalformed;
            for (Registry other : kRegistries) {
                if (field == registry_name(other)) {
                    throw std::runtime_error("line " + std::to_string(line) + ": an " +
                                             std::string(field) + " listing, not " +
                                             std::string(name));
                }
            }
            return kMalformed;
        });
}

OwnerTable build_owner_table(const Listings& listings) {
    OwnerTableData data;
    // Keys: a record's, and the MA-L prefix of each other registry's
    // records (each listing is sorted, so its prefixes come in runs).
    // Texts: at most all of them, with their lengths and a row's padding
    // now and then; reserved, so that the pool is never copied.
    std::size_t records = 0, keys = 0, text = 0;
    for (Registry registry : kRegistries) {
        const ListingRecord* last = nullptr;
        for (const ListingRecord& record : listings[number(registry)]) {
            ++records;
            ++keys;
            text += 6 + record.organization.size() + record.address.size() + 4 * kShortNameLength;
            if (registry == Registry::kMaL) continue;
            keys +=
                last == nullptr || last->assignment.substr(0, 6) != record.assignment.substr(0, 6);
            last = &record;
        }
    }
    data.text.reserve(text + text / 8);
    data.records.reserve(kRecordTexts * records);
    std::size_t size = 16;
    while (size < 2 * keys) size *= 2;
    data.slots.resize(size);
    const auto put = [&](std::uint64_t key, std::uint64_t contents) {
        // A record's key takes its record; an MA-L prefix may also be
        // marked subdivided, before or after.
        std::uint64_t& slot = data.slots[slot_of(data.slots, size, key)];
        slot = (contents & kSubdivided) != 0 && slot != 0 ? slot | kSubdivided
                                                          : contents | (slot & kSubdivided);
    };
    Pool pool(data.text, kRecordTexts * records);
    // Why each organisation's short name is made once: 57,720 records name
    // 33,627 organisations (data/), and a name costs more than a lookup.
    std::unordered_map<std::uint32_t, std::uint32_t> short_names;
    short_names.reserve(records);
    for (Registry registry : kRegistries) {
        const std::size_t digits = assignment_digits(registry);
        for (const ListingRecord& record : listings[number(registry)]) {
            const std::int64_t value = prefix_value(record.assignment, digits);
            if (value < 0) continue;
            ++data.assignments[number(registry)];
            const std::size_t at = data.records.size() / kRecordTexts;
            if (at >= kNoRecord) throw std::length_error("owner table: too many records");
            const std::uint32_t organization = pool.add(record.organization);
            data.records.push_back(organization);
            data.records.push_back(pool.add(record.address));
            const auto known = short_names.find(organization);
            if (known != short_names.end()) {
                data.records.push_back(known->second);
            } else {
                const std::string name = short_name(record.organization, record.assignment);
                data.records.push_back(pool.add(name));
                // A name made of the assignment is this record's alone.
                if (name != record.assignment)
                    short_names.emplace(organization, data.records.back());
            }
            const std::uint64_t key = key_of(registry, static_cast<std::uint64_t>(value));
            put(key, key | std::uint64_t{at} << kRecordShift);
            if (registry != Registry::kMaL) {
                const std::uint64_t oui = static_cast<std::uint64_t>(value) >> 4 * (digits - 6);
                const std::uint64_t ma_l = key_of(Registry::kMaL, oui);
                put(ma_l, ma_l | kSubdivided | std::uint64_t{kNoRecord} << kRecordShift);
            }
        }
    }
    return table_of(std::move(data));
}

OwnerTableData owner_table_data(const OwnerTable& table) {
    const OwnerTable::Arrays& a = *table.arrays();
    return {{a.slots, a.slots + a.slot_count},
            {a.records, a.records + kRecordTexts * a.record_count},
            {a.text, a.text + a.text_size},
            a.assignments};
}

OwnerTable constant_owner_table(const OwnerTable::Arrays& arrays) {
    // Shares ownership of nothing: the aliasing constructor, from an empty
    // shared_ptr.
    return OwnerTable(std::shared_ptr<const OwnerTable::Arrays>(std::shared_ptr<void>(), &arrays));
}

std::size_t assignment_count(const OwnerTable& table, Registry registry) {
    return table.arrays() == nullptr ? 0 : table.arrays()->assignments[number(registry)];
}

std::size_t record_count(const OwnerTable& table) {
    return table.arrays() == nullptr ? 0 : table.arrays()->record_count;
}

void prefetch_owner([[maybe_unused]] const Bytes& mac, [[maybe_unused]] const OwnerTable& table) {
#if defined(__GNUC__)
    const OwnerTable::Arrays* a = table.arrays();
    if (mac.size() < 3 || a == nullptr) return;
    __builtin_prefetch(&a->slots[home_of(key_of(Registry::kMaL, oui_of(mac)), a->slot_count - 1)]);
#endif
}

Owner lookup_owner(const Bytes& mac, const OwnerTable& table) {
    if (mac.size() < 6) throw std::invalid_argument("lookup_owner needs six bytes");
    Owner owner;
    if (table.arrays() == nullptr) return owner;
    const OwnerTable::Arrays& a = *table.arrays();
    const std::uint64_t oui = oui_of(mac);
    const std::uint64_t ma_l = find(a, key_of(Registry::kMaL, oui));
    if (ma_l == 0) return owner;
    owner.oui = record_of(ma_l);
    owner.block = {Registry::kMaL, owner.oui};
    if ((ma_l & kSubdivided) == 0) return owner;
    const std::uint64_t nine = oui << 12 | std::uint64_t{mac[3]} << 4 | mac[4] >> 4;
    const std::pair<Registry, std::uint64_t> longer[] = {
        {Registry::kMaS, nine}, {Registry::kIab, nine}, {Registry::kMaM, nine >> 8}};
    for (const auto& [registry, value] : longer) {
        if (const std::uint64_t slot = find(a, key_of(registry, value))) {
            owner.block = {registry, record_of(slot)};
            break;
        }
    }
    return owner;
}

FlaggedAssignee flagged_assignee(const OwnerTable& table, std::uint32_t record) {
    const OwnerTable::Arrays& a = *table.arrays();
    const std::uint32_t* entry = a.records + kRecordTexts * std::size_t{record};
    FlaggedAssignee found;
    std::tie(found.organization, found.organization_flags) = text_at(a.text + entry[0]);
    std::tie(found.address, found.address_flags) = text_at(a.text + entry[1]);
    std::tie(found.short_name, found.short_name_flags) = text_at(a.text + entry[2]);
    return found;
}

Assignee assignee(const OwnerTable& table, std::uint32_t record) {
    return flagged_assignee(table, record);
}

void prefetch_assignee([[maybe_unused]] const OwnerTable& table,
                       [[maybe_unused]] std::uint32_t record, [[maybe_unused]] bool text) {
#if defined(__GNUC__)
    if (record == kNoRecord) return;
    const OwnerTable::Arrays& a = *table.arrays();
    const std::uint32_t* entry = a.records + kRecordTexts * std::size_t{record};
    if (!text) return __builtin_prefetch(entry);
    for (std::size_t i = 0; i < kRecordTexts; ++i) __builtin_prefetch(a.text + entry[i]);
#endif
}

std::vector<AssignmentKey> assignment_keys(const OwnerTable& table) {
    std::vector<AssignmentKey> keys;
    const OwnerTable::Arrays* a = table.arrays();
    keys.reserve(record_count(table));
    for (std::size_t i = 0; a != nullptr && i < a->slot_count; ++i) {
        const std::uint64_t slot = a->slots[i];
        if (slot == 0 || record_of(slot) == kNoRecord) continue;
        keys.push_back({slot & ((std::uint64_t{1} << 36) - 1),
                        static_cast<Registry>(((slot & kKeyBits) >> 36) - 1), record_of(slot)});
    }
    return keys;
}

std::vector<OwnerRecord> owner_records(const OwnerTable& table) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::vector<AssignmentKey> keys = assignment_keys(table);
    std::sort(keys.begin(), keys.end(), [](const AssignmentKey& a, const AssignmentKey& b) {
        return a.record < b.record;
    });
    std::vector<OwnerRecord> records;
    records.reserve(keys.size());
    for (const AssignmentKey& key : keys) {
        std::string assignment(assignment_digits(key.registry), '0');
        for (std::size_t i = 0; i < assignment.size(); ++i) {
            assignment[assignment.size() - 1 - i] = kDigits[(key.value >> 4 * i) & 0xF];
        }
        records.push_back({key.registry, std::move(assignment), assignee(table, key.record)});
    }
    return records;
}

}  // namespace hexalune
