#ifndef HEXALUNE_BATCH_RECORD_H_
#define HEXALUNE_BATCH_RECORD_H_

#include <string>
#include <string_view>

#include "notation/bytes.h"
#include "registry/registries.h"

namespace hexalune {

/// How records are written: JSON Lines, or CSV with a header row.
enum class Format { kJson, kCsv };

/// The CSV header row: the field names, nested ones joined by "_"
/// (oui_organization), and the error column last.
void append_csv_header(std::string& out);

/// Appends the record of a six-byte address whose text was `input`, with
/// what the registries say of it, and its line ending.
void append_record(std::string& out, Format format, std::string_view input, const Bytes& mac,
                   const Owner& owner);

/// Appends the record of an input line that is no address.
void append_invalid_record(std::string& out, Format format, std::string_view input);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_RECORD_H_
