#ifndef HEXALUNE_REGISTRY_CSV_ROWS_H_
#define HEXALUNE_REGISTRY_CSV_ROWS_H_

// What the two listing readers (csv_line_reader.h, csv_record_reader.h)
// share: a listing's good records as rows in the order of their keys, and
// the map they make. Not installed.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "oui_info.h"

namespace hexalune {

/// Why a record of fewer than four fields is bad, as both readers report it.
constexpr char kTooFewFields[] = "Insufficient data columns in CSV";

/// A good record, fields 1 to 3 as slices of the listing or of a reader's
/// unquoted copies.
struct Row {
    // The key's first eight bytes, most significant first and zero-filled:
    // rows whose prefixes differ are in the order of their keys.
    std::uint64_t prefix;
    std::string_view key, organization, address;

    // The record this row makes, so that a map node can be built in place.
    operator OUIInfo() const {
        return OUIInfo{std::string(key), std::string(organization), std::string(address),
                       std::string()};
    }
};

/// The row of a record's fields.
inline Row make_row(std::string_view key, std::string_view organization, std::string_view address) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        prefix = prefix << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    }
    return Row{prefix, key, organization, address};
}

/// The rows, given in listing order, in the byte-string order of their keys,
/// the rows of one key in listing order.
std::vector<Row> sorted_by_key(std::vector<Row> rows);

/// Whether two rows have the same key: of sorted rows, the last of a key
/// wins.
inline bool same_key(const Row& a, const Row& b) { return a.prefix == b.prefix && a.key == b.key; }

/// The map of sorted rows: the last row of each key. It is the map of
/// storing every row in listing order.
RegistryMap registry_map(const std::vector<Row>& rows);

}  // namespace hexalune

#endif  // HEXALUNE_REGISTRY_CSV_ROWS_H_
