#ifndef HEXALUNE_BATCH_BLOCK_RECORD_H_
#define HEXALUNE_BATCH_BLOCK_RECORD_H_

#include <cstddef>
#include <string>
#include <vector>

#include "blocks.h"
#include "output.h"
#include "record.h"

namespace hexalune {

// The record of an address block, in the address records' formats and with
// their escaping: registry, assignment, bits, first, last, first_integer,
// last_integer, organization, address and short. bits and the integers are
// JSON numbers (below 2^48, which every JSON reader holds exactly); first
// and last are written as the address record's eui48.

/// What comes before the block records: in CSV the header row, the fields'
/// names, and its line ending; in JSON nothing.
std::string block_header(Format format);

/// Room enough for the record of `block`.
std::size_t block_room(const AddressBlock& block);

/// Writes the record of `block` and its line ending at `out`, which has
/// block_room(block) bytes; returns the end of what it wrote. An address
/// the block does not have (data() null: a user's name has none) is null,
/// or an empty column.
char* write_block_record(char* out, Format format, const AddressBlock& block);

/// Writes the header and the records of `blocks` through `write`, in large
/// pieces; gives 0, or why a piece could not be written (errno), where the
/// writing stopped.
int write_block_records(const std::vector<AddressBlock>& blocks, Format format,
                        const Writer& write);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_BLOCK_RECORD_H_
