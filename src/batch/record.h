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

/// Room enough for the record of `input` and `owner` (for an invalid line,
/// none) in either format.
std::size_t record_room(std::string_view input, const Owner* owner);

/// Writes the record of a six-byte address whose text was `input`, with
/// what the registries say of it, and its line ending, at `out`; returns
/// the end of what it wrote.
char* write_record(char* out, Format format, std::string_view input, const Bytes& mac,
                   const Owner& owner);

/// As write_record, for an input line that is no address.
char* write_invalid_record(char* out, Format format, std::string_view input);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_RECORD_H_
