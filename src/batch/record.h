#ifndef HEXALUNE_BATCH_RECORD_H_
#define HEXALUNE_BATCH_RECORD_H_

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "fields.h"

namespace hexalune {

/// How records are written: JSON Lines, or CSV with a header row.
enum class Format { kJson, kCsv };

/// What records are written with: a format, the chosen fields, and what is
/// prepared from them once for every record.
struct RecordLayout;

/// A --fields list that names no field, or one twice.
struct FieldsError : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

/// The layout of `format` with the fields `list` names, separated by
/// commas, in that order: a column's name (input, oui_organization), or a
/// nested field's (oui) for all its columns; without a list, every field.
/// Throws FieldsError for an unknown, empty or repeated name.
std::shared_ptr<const RecordLayout> record_layout(Format format,
                                                  std::optional<std::string_view> list = {});

/// What comes before the records: in CSV the header row, the chosen
/// columns' names, and its line ending; in JSON nothing.
std::string header_row(const RecordLayout& layout);

/// What the records of `layout` are made from: a RecordSource's assignees
/// are read only if they are needed.
Needs record_needs(const RecordLayout& layout);

/// Room enough for the record of `source` in any layout.
std::size_t record_room(const RecordSource& source);

/// Writes the record of `source` and its line ending at `out`, which has
/// record_room(source) bytes; returns the end of what it wrote. In JSON an
/// error record holds the input and the error whatever fields are chosen,
/// and a valid one no error; in CSV every row has the chosen columns, an
/// error record's empty but those two.
char* write_record(char* out, const RecordLayout& layout, const RecordSource& source);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_RECORD_H_
