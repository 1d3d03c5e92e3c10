#ifndef HEXALUNE_BATCH_RECORD_H_
#define HEXALUNE_BATCH_RECORD_H_

#include <string>
#include <string_view>

#include "notation/bytes.h"
#include "registry/registries.h"

namespace hexalune {

/// How records are written: JSON Lines, or CSV with a header row.
enum class Format { kJson, kCsv };

/// The CSV header row and its line ending: the field names, nested ones
/// joined by "_" (oui_organization), and the error column last.
std::string csv_header();

/// What a record is written from: an input line or argument, and, when it
/// is an address, its bytes and owner in `table`.
struct RecordSource {
    std::string_view input;
    const Bytes* mac = nullptr;  // null: no address
    Owner owner;
    const OwnerTable* table = nullptr;
};

/// Room enough for the record of `source` in either format.
std::size_t record_room(const RecordSource& source);

/// Writes the record of `source` and its line ending at `out`, which has
/// record_room(source) bytes; returns the end of what it wrote. An input
/// that is no address gives its error record: in JSON only the input and
/// the error, in CSV every other column empty.
char* write_record(char* out, Format format, const RecordSource& source);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_RECORD_H_
