#ifndef HEXALUNE_REGISTRY_CSV_RECORD_READER_H_
#define HEXALUNE_REGISTRY_CSV_RECORD_READER_H_

// The reader of registry listings as RFC 4180 has them, which lets a
// quoted field hold line breaks: hexalune-batch's (--registry, and the
// table compiled into the library). (csv_line_reader.h reads hexalune's
// listing a record a line.)

#include <cstddef>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "listing_record.h"
#include "oui_info.h"

namespace hexalune {

/// The most bytes a record of a listing read by parse_registry_listing may
/// take, its line ending aside. The IEEE's longest are under 400.
constexpr std::size_t kListingRecordLimit = 4096;

/// Parses a registry listing as RFC 4180 reads it: after the header line,
/// records of comma-separated fields. A field that begins with a quote is
/// quoted up to its closing quote, and may hold commas, line breaks and
/// doubled quotes (one literal quote each); text after the closing quote
/// joins the field; elsewhere a quote is data. A record ends at the first
/// line feed outside quotes, a CR before it dropped. The first four fields
/// make a record (Registry, Assignment, Organization Name, Organization
/// Address), the last of an assignment winning. Bad records are reported on
/// `report` as "Error parsing line N: " and the reason, N being the line
/// where the record starts: fewer than four fields ("Insufficient data
/// columns in CSV"), more than kListingRecordLimit bytes, or a quote still
/// open at the end of the text. Reading goes on after the first line of a
/// record of either of the last two, so that a stray quote costs that line
/// alone.
RegistryMap parse_registry_listing(const std::string& text, std::ostream& report);

/// What a reader asks of each record with four fields, in listing order,
/// before it keeps it: null to keep it, else why it is bad, reported as a
/// bad line and skipped. It may throw to stop the reading. `line` is where
/// the record starts.
using RecordCheck = std::function<const char*(std::string_view registry,
                                              std::string_view assignment, std::int64_t line)>;

/// As parse_registry_listing, without building a map: for a program that
/// keeps the listing's text, and the whole result (its copies too), for as
/// long as it uses the records. Each record passes `check`, if one is given.
ListingRecords read_registry_records(const std::string& text, std::ostream& report,
                                     const RecordCheck& check = {});

}  // namespace hexalune

#endif  // HEXALUNE_REGISTRY_CSV_RECORD_READER_H_
