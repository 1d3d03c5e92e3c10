#ifndef HEXALUNE_REGISTRY_CSV_LINE_READER_H_
#define HEXALUNE_REGISTRY_CSV_LINE_READER_H_

// The reader of hexalune's MA-L listing: a record a line, quotes toggled
// wherever they stand. (csv_record_reader.h reads listings as RFC 4180
// has it.)

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "oui_info.h"

namespace hexalune {

/// Splits one listing line into its comma-separated fields (at least one).
/// A double quote toggles quoting wherever it stands and is dropped; inside
/// quotes a comma is data and a doubled quote stands for one quote. Fields
/// are not trimmed.
std::vector<std::string> split_csv_line(const std::string& line);

/// Parses the registry listing: a header line, then one record per line
/// (Registry, Assignment, Organization Name, Organization Address; further
/// fields ignored), each split as split_csv_line splits it. Lines end at
/// LF; the CR of a CR LF ending is dropped. A line with fewer than four
/// fields is reported on `report` as "Error parsing line N: Insufficient
/// data columns in CSV" (the header is line 1) and skipped. The last record
/// of an assignment wins.
RegistryMap parse_oui_database(const std::string& text, std::ostream& report);

/// As above, reporting bad lines on standard output.
RegistryMap parse_oui_database(const std::string& text);

/// The heap a copy of a listing of `listing_bytes` and parse_oui_database's
/// reading of it take at their peak: 4.75 times its size (the copy, the
/// rows and the map; the IEEE MA-L listing of 3.8 MB, 17.5 MB by
/// valgrind --tool=massif).
constexpr std::size_t parse_oui_database_heap(std::size_t listing_bytes) {
    return listing_bytes / 4 * 19;
}

}  // namespace hexalune

#endif  // HEXALUNE_REGISTRY_CSV_LINE_READER_H_
