#ifndef HEXALUNE_REGISTRY_OWNER_TABLE_DATA_H_
#define HEXALUNE_REGISTRY_OWNER_TABLE_DATA_H_

// How an owner table is laid out, for the build tool that compiles one into
// the library (owner_table_source.cpp) and for the tests; registries.cpp
// says what the numbers mean. Not installed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "registries.h"

namespace hexalune {

/// A table's arrays: numbers, and one pool of text, so that a table can be
/// compiled into a program as constant data.
struct OwnerTable::Arrays {
    const std::uint64_t* slots;  // open addressing, at most half full, a power of two
    std::size_t slot_count;
    const std::uint32_t* records;  // per record, where its kRecordTexts texts begin in `text`
    std::size_t record_count;
    const char* text;
    std::size_t text_size;
    std::array<std::size_t, 4> assignments;  // indexed by Registry
};

/// A record's texts: its organization, address and short name.
constexpr std::size_t kRecordTexts = 3;

/// A copy of a table's arrays.
struct OwnerTableData {
    std::vector<std::uint64_t> slots;
    std::vector<std::uint32_t> records;  // kRecordTexts a record
    std::vector<char> text;
    std::array<std::size_t, 4> assignments{};
};

/// A text never crosses a multiple of this many bytes in the pool, and
/// never takes the last byte before one: a compiled table keeps its pool
/// in rows of this size, one string literal each.
constexpr std::size_t kOwnerTextRow = 4096;

/// The arrays of `table` (which has some).
OwnerTableData owner_table_data(const OwnerTable& table);

/// The table of `arrays`, which must outlive it: constants.
OwnerTable constant_owner_table(const OwnerTable::Arrays& arrays);

}  // namespace hexalune

#endif  // HEXALUNE_REGISTRY_OWNER_TABLE_DATA_H_
