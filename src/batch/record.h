#ifndef HEXALUNE_BATCH_RECORD_H_
#define HEXALUNE_BATCH_RECORD_H_

#include <string>
#include <string_view>

#include "notation/bytes.h"
#include "notation/parse.h"
#include "registry/registries.h"

namespace hexalune {

/// How records are written: JSON Lines, or CSV with a header row.
enum class Format { kJson, kCsv };

/// The CSV header row and its line ending: the field names, nested ones
/// joined by "_" (oui_organization), and the error column last.
std::string csv_header();

/// The reason an error record gives for text that names no address.
constexpr char kInvalidMac[] = "invalid MAC address";

/// What a record is written from: an input line or argument, and what it
/// names.
struct RecordSource {
    std::string_view input;
    /// What the input is, and its bytes: an EUI-48's six, an EUI-64's
    /// eight, an OUI's three; for an IPv6 address, the six of the EUI-48
    /// its interface identifier holds. Null: the input names no address,
    /// and the record is an error record.
    InputType type = InputType::kEui48;
    const Bytes* address = nullptr;
    /// An error record's reason; null for kInvalidMac.
    const char* error = nullptr;
    /// What the registries say of the address's leading bits; of an OUI
    /// alone, its MA-L record as the block too.
    Owner owner;
    const OwnerTable* table = nullptr;
};

/// Room enough for the record of `source` in either format.
std::size_t record_room(const RecordSource& source);

/// Writes the record of `source` and its line ending at `out`, which has
/// record_room(source) bytes; returns the end of what it wrote. An error
/// record holds, in JSON, only the input and the error; in CSV every other
/// column is empty.
char* write_record(char* out, Format format, const RecordSource& source);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_RECORD_H_
