#include "csv_record_reader.h"

#include <algorithm>
#include <deque>
#include <string_view>
#include <utility>
#include <vector>

#include "csv_rows.h"

namespace hexalune {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

const char kQuoteOpen[] = "Quote not closed at the end of the listing";

// Where the field that starts at `at` ends: at its comma, at `line_end`
// (the line feed after `at`, or the end of the text), whichever is first.
std::size_t field_end(std::string_view text, std::size_t at, std::size_t line_end) {
    return std::min(text.substr(0, line_end).find(',', at), line_end);
}

// The end of the stretch of a field from `at` to `end`, outside quotes,
// without the CR of a CR LF (or a final CR) that ends the record.
std::size_t before_cr(std::string_view text, std::size_t at, std::size_t end) {
    const bool ends_record = end == text.size() || text[end] == '\n';
    return ends_record && end > at && text[end - 1] == '\r' ? end - 1 : end;
}

// Reads the field that starts at `at` into `field`: a slice of `text` or,
// where quotes must go from its middle, a new string at the end of
// `unquoted`. Gives the position of the comma or line feed that ends it,
// text.size() at the end of the text, or kNone if it opens a quote that the
// text does not close. `line_end` is the line feed at or after `at`
// (text.size() if none).
std::size_t read_field(std::string_view text, std::size_t at, std::size_t& line_end,
                       std::string_view& field, std::deque<std::string>& unquoted) {
    if (at == text.size() || text[at] != '"') {
        const std::size_t end = field_end(text, at, line_end);
        field = text.substr(at, before_cr(text, at, end) - at);
        return end;
    }
    std::string* copy = nullptr;  // only for doubled quotes or text after the closing one
    for (std::size_t from = at + 1;;) {
        const std::size_t quote = text.find('"', from);
        if (quote == kNone) return kNone;
        if (quote + 1 < text.size() && text[quote + 1] == '"') {
            if (copy == nullptr) copy = &unquoted.emplace_back();
            copy->append(text, from, quote + 1 - from);
            from = quote + 2;
            continue;
        }
        if (line_end < quote) line_end = std::min(text.find('\n', quote), text.size());
        const std::size_t end = field_end(text, quote + 1, line_end);
        const std::size_t rest = before_cr(text, quote + 1, end);
        if (copy == nullptr && rest == quote + 1) {
            field = text.substr(at + 1, quote - at - 1);  // quoted whole, no quote inside
            return end;
        }
        if (copy == nullptr) copy = &unquoted.emplace_back();
        copy->append(text, from, quote - from).append(text, quote + 1, rest - quote - 1);
        field = *copy;
        return end;
    }
}

// How reading a record ended: at its end, or at one of its faults.
enum class Ending { kEnded, kTooLong, kQuoteOpen };

struct Record {
    std::string_view fields[4];  // its first four fields
    std::size_t count;           // its fields
    std::size_t size;            // the bytes to go on after: the record, or its first line
    std::size_t lines;           // the lines they hold
};

// Reads the record at the start of `rest`. At a fault, `size` and `lines`
// cover its first line only.
Ending read_record(std::string_view rest, Record& record, std::deque<std::string>& unquoted) {
    // One byte past the limit tells a record that is longer.
    const std::string_view text = rest.substr(0, kListingRecordLimit + 1);
    const std::size_t first_line_end = std::min(text.find('\n'), text.size());
    std::size_t line_end = first_line_end;
    record.count = 0;
    record.size = first_line_end < text.size()
                      ? first_line_end + 1
                      : std::min(rest.find('\n', text.size()), rest.size() - 1) + 1;
    record.lines = 1;
    for (std::size_t at = 0;;) {
        std::string_view field;
        const std::size_t end = read_field(text, at, line_end, field, unquoted);
        const bool too_long =
            (end == kNone || end == text.size()) && text.size() > kListingRecordLimit;
        if (too_long) return Ending::kTooLong;
        if (end == kNone) return Ending::kQuoteOpen;
        if (record.count < 4) record.fields[record.count] = field;
        ++record.count;
        if (end == text.size() || text[end] == '\n') {
            record.size = std::min(end + 1, text.size());
            if (end > first_line_end) {
                record.lines +=
                    static_cast<std::size_t>(std::count(text.begin(), text.begin() + end, '\n'));
            }
            return Ending::kEnded;
        }
        at = end + 1;
        if (line_end < at) line_end = std::min(text.find('\n', at), text.size());
    }
}

// The good records as rows sorted by key; bad ones are reported in order.
std::vector<Row> read_rows(const std::string& text, std::ostream& report,
                           std::deque<std::string>& unquoted, const RecordCheck& check) {
    static const std::string kTooLong =
        "Record not ended within " + std::to_string(kListingRecordLimit) + " bytes";
    const std::string_view listing(text);
    std::vector<Row> rows;
    rows.reserve(listing.size() / 80);  // the IEEE listing averages 95 bytes a line

    std::size_t pos = std::min(listing.find('\n'), listing.size()) + 1;  // after the header
    std::int64_t line_number = 2;
    Record record;
    while (pos < listing.size()) {
        const Ending ending = read_record(listing.substr(pos), record, unquoted);
        const char* problem = ending == Ending::kTooLong     ? kTooLong.c_str()
                              : ending == Ending::kQuoteOpen ? kQuoteOpen
                              : record.count < 4             ? kTooFewFields
                                                             : nullptr;
        if (problem == nullptr && check) {
            problem = check(record.fields[0], record.fields[1], line_number);
        }
        pos += record.size;
        if (problem != nullptr) {
            report << "Error parsing line " << line_number << ": " << problem << std::endl;
        } else {
            rows.push_back(make_row(record.fields[1], record.fields[2], record.fields[3]));
        }
        line_number += static_cast<std::int64_t>(record.lines);
    }
    return sorted_by_key(std::move(rows));
}

}  // namespace

RegistryMap parse_registry_listing(const std::string& text, std::ostream& report) {
    std::deque<std::string> unquoted;
    return registry_map(read_rows(text, report, unquoted, {}));
}

ListingRecords read_registry_records(const std::string& text, std::ostream& report,
                                     const RecordCheck& check) {
    ListingRecords read;
    const std::vector<Row> rows = read_rows(text, report, read.copies, check);
    read.records.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i + 1 == rows.size() || !same_key(rows[i], rows[i + 1])) {
            read.records.push_back({rows[i].key, rows[i].organization, rows[i].address});
        }
    }
    return read;
}

}  // namespace hexalune
