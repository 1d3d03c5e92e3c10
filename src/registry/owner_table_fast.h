#ifndef HEXALUNE_REGISTRY_OWNER_TABLE_FAST_H_
#define HEXALUNE_REGISTRY_OWNER_TABLE_FAST_H_

// What hexalune-batch asks of an owner table for speed, beyond
// registries.h: the loads of many lookups started together, and texts it
// can copy without escaping them. Not installed.

#include <cstdint>
#include <vector>

#include "../notation/bytes.h"
#include "registries.h"

namespace hexalune {

/// Starts loading the part of the table that lookup_owner will read for a
/// six-byte address, and changes nothing: a run over many addresses calls
/// it some addresses ahead, so that their waits for memory overlap.
void prefetch_owner(const Bytes& mac, const OwnerTable& table);

/// Starts loading what assignee will read of `record`, if there is one:
/// its entry, or with `text` its texts, which reads the entry.
void prefetch_assignee(const OwnerTable& table, std::uint32_t record, bool text);

/// What a text of the table holds, for writers that can then copy it as
/// it is: kPlain, printable ASCII only and no '"' or '\\'; kNoComma, no ','.
enum TextFlags : unsigned { kPlain = 1, kNoComma = 2 };

/// An assignee, with what its texts hold.
struct FlaggedAssignee : Assignee {
    unsigned organization_flags = 0;  // TextFlags
    unsigned address_flags = 0;
    unsigned short_name_flags = 0;
};

/// An assignment of a table: its registry, the value of its digits, and
/// its record.
struct AssignmentKey {
    std::uint64_t value = 0;
    Registry registry = Registry::kMaL;
    std::uint32_t record = kNoRecord;
};

/// The assignments of `table` (of records for the same one, the last), in
/// no order.
std::vector<AssignmentKey> assignment_keys(const OwnerTable& table);

/// Record `record` (not kNoRecord) of `table`, with its texts' TextFlags.
FlaggedAssignee flagged_assignee(const OwnerTable& table, std::uint32_t record);

}  // namespace hexalune

#endif  // HEXALUNE_REGISTRY_OWNER_TABLE_FAST_H_
