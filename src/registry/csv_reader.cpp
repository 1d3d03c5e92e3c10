#include "csv_reader.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <iostream>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace hexalune {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

// Appends the field that starts at `pos` to `out` without its quotes: a
// quote toggles quoting wherever it stands, and inside quotes a doubled
// quote is one literal quote. Returns where the next field starts, or kNone
// after the last field of the line.
std::size_t unquote_field(std::string_view line, std::size_t pos, std::string& out) {
    bool quoted = false;
    for (; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"' && quoted && pos + 1 < line.size() && line[pos + 1] == '"') {
            out += line[++pos];
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            return pos + 1;
        } else {
            out += c;
        }
    }
    return kNone;
}

// The field that starts at `pos`; `pos` moves to where the next one starts
// (kNone after the last). The field is a slice of the line unless quotes
// have to be dropped from its middle; such a field is unquoted into a new
// string at the end of `unquoted`, which never moves its strings. `quote`
// is the position of a quote of the line (kNone if it has none left): the
// line is searched for quotes again only once a field has passed it.
std::string_view next_field(std::string_view line, std::size_t& pos, std::size_t& quote,
                            std::deque<std::string>& unquoted) {
    const std::size_t begin = pos;
    if (quote < begin) quote = line.find('"', begin);
    const std::size_t comma = line.find(',', begin);
    if (quote >= comma) {  // no quote in this field: most of the listing's fields
        pos = comma == kNone ? kNone : comma + 1;
        return line.substr(begin, comma - begin);
    }
    if (quote == begin) {
        // Quoted whole with no quote inside, the listing's way with commas
        // ("Co., Ltd."): the text between the quotes.
        const std::size_t close = line.find('"', begin + 1);
        if (close != kNone && (close + 1 == line.size() || line[close + 1] == ',')) {
            pos = close + 1 == line.size() ? kNone : close + 2;
            return line.substr(begin + 1, close - begin - 1);
        }
    }
    std::string& text = unquoted.emplace_back();
    pos = unquote_field(line, begin, text);
    return text;
}

// The line that starts at `pos`, without its LF and the CR before it;
// `pos` moves past the LF.
std::string_view next_line(std::string_view text, std::size_t& pos) {
    const std::size_t end = std::min(text.find('\n', pos), text.size());
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// A good record line, fields 1 to 3 as slices of the listing or of the
// unquoted copies.
struct Row {
    // The key's first eight bytes, most significant first and zero-filled:
    // rows whose prefixes differ are in the order of their keys.
    std::uint64_t prefix;
    std::string_view key, organization, address;

    // The record this row makes, so that a map node can be built in place.
    operator OUIInfo() const {
        return OUIInfo{std::string(key), std::string(organization), std::string(address),
                       std::string()};
    }
};

std::uint64_t key_prefix(std::string_view key) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        prefix = prefix << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    }
    return prefix;
}

bool same_key(const Row& a, const Row& b) { return a.prefix == b.prefix && a.key == b.key; }

// The rows in the byte-string order of their keys, the rows of one key in
// listing order. A stable counting sort by each byte of the prefixes, the
// least significant first, that skips bytes all rows share (the last two of
// six-digit keys); then the rows of equal prefixes by their whole keys,
// which only keys longer than eight bytes or ending in NUL bytes need.
std::vector<Row> sorted_by_key(std::vector<Row> rows) {
    std::vector<Row> scratch(rows.size());
    for (int shift = 0; shift < 64 && !rows.empty(); shift += 8) {
        const auto byte = [shift](const Row& row) { return (row.prefix >> shift) & 0xff; };
        std::size_t start[257] = {};
        for (const Row& row : rows) ++start[byte(row) + 1];
        if (start[byte(rows[0]) + 1] == rows.size()) continue;
        for (std::size_t b = 0; b < 256; ++b) start[b + 1] += start[b];
        for (const Row& row : rows) scratch[start[byte(row)]++] = row;
        rows.swap(scratch);
    }
    for (auto run = rows.begin(); run != rows.end();) {
        const std::uint64_t prefix = run->prefix;
        const auto end = std::find_if(run, rows.end(),
                                      [prefix](const Row& row) { return row.prefix != prefix; });
        if (end - run > 1) {
            std::stable_sort(run, end, [](const Row& a, const Row& b) { return a.key < b.key; });
        }
        run = end;
    }
    return rows;
}

// Asks the processor to start loading a row's fields ahead of their use.
void prefetch([[maybe_unused]] const Row& row) {
#if defined(__GNUC__)
    __builtin_prefetch(row.organization.data());
    __builtin_prefetch(row.address.data());
#endif
}

const char kTooFewFields[] = "Insufficient data columns in CSV";
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

// Reads the RFC 4180 field that starts at `at` into `field`: a slice of
// `text` or, where quotes must go from its middle, a new string at the end
// of `unquoted`. Gives the position of the comma or line feed that ends
// it, text.size() at the end of the text, or kNone if it opens a quote that
// the text does not close. `line_end` is the line feed at or after `at`
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

// Reads the RFC 4180 record at the start of `rest`. At a fault, `size`
// and `lines` cover its first line only.
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

// Where a listing's records end: each at the end of its line, or as RFC
// 4180 has it.
enum class Delimiting { kLines, kRecords };

// The good records in listing order, as rows sorted by key (the last of a
// key after the others); bad ones are reported in order.
std::vector<Row> read_rows(const std::string& text, std::ostream& report, Delimiting delimiting,
                           std::deque<std::string>& unquoted, const RecordCheck& check = {}) {
    static const std::string kTooLong =
        "Record not ended within " + std::to_string(kListingRecordLimit) + " bytes";
    const std::string_view listing(text);
    std::vector<Row> rows;
    rows.reserve(listing.size() / 80);  // the IEEE listing averages 95 bytes a line

    std::size_t pos = 0;
    if (!listing.empty()) next_line(listing, pos);  // the header
    std::int64_t line_number = 2;
    Record record;
    while (pos < listing.size()) {
        const char* problem = nullptr;
        if (delimiting == Delimiting::kLines) {
            const std::string_view line = next_line(listing, pos);
            record.lines = 1;
            std::size_t at = 0, quote = line.find('"');
            for (std::string_view& field : record.fields) {
                if (at == kNone) problem = kTooFewFields;
                if (at != kNone) field = next_field(line, at, quote, unquoted);
            }
        } else {
            const Ending ending = read_record(listing.substr(pos), record, unquoted);
            problem = ending == Ending::kTooLong     ? kTooLong.c_str()
                      : ending == Ending::kQuoteOpen ? kQuoteOpen
                      : record.count < 4             ? kTooFewFields
                                                     : nullptr;
            if (problem == nullptr && check) {
                problem = check(record.fields[0], record.fields[1], line_number);
            }
            pos += record.size;
        }
        if (problem != nullptr) {
            report << "Error parsing line " << line_number << ": " << problem << std::endl;
        } else {
            const std::string_view* f = record.fields;
            rows.push_back(Row{key_prefix(f[1]), f[1], f[2], f[3]});
        }
        line_number += static_cast<std::int64_t>(record.lines);
    }

    return sorted_by_key(std::move(rows));
}

// Whether the row at `i` is not the last of its key, which wins.
bool superseded(const std::vector<Row>& rows, std::size_t i) {
    return i + 1 < rows.size() && same_key(rows[i], rows[i + 1]);
}

RegistryMap parse(const std::string& text, std::ostream& report, Delimiting delimiting) {
    // Two passes. The first reads the records in listing order and keeps
    // the good ones as rows. The second stores the last row of each key in
    // key order at the end of the map: no search of the tree, and nodes are
    // linked in along its rightmost path, which stays in the caches. The
    // map is that of storing every record in turn.
    std::deque<std::string> unquoted;
    const std::vector<Row> rows = read_rows(text, report, delimiting, unquoted);
    RegistryMap registry;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (superseded(rows, i)) continue;
        // The rows are in key order, their fields at random places in the
        // listing: start loading those a few rows ahead.
        if (i + 8 < rows.size()) prefetch(rows[i + 8]);
        registry.emplace_hint(registry.end(), std::piecewise_construct,
                              std::forward_as_tuple(rows[i].key), std::forward_as_tuple(rows[i]));
    }
    return registry;
}

}  // namespace

std::vector<std::string> split_csv_line(const std::string& line) {
    std::vector<std::string> fields;
    std::deque<std::string> unquoted;
    std::size_t pos = 0, quote = line.find('"');
    do {
        fields.emplace_back(next_field(line, pos, quote, unquoted));
    } while (pos != kNone);
    return fields;
}

RegistryMap parse_oui_database(const std::string& text, std::ostream& report) {
    return parse(text, report, Delimiting::kLines);
}

RegistryMap parse_registry_listing(const std::string& text, std::ostream& report) {
    return parse(text, report, Delimiting::kRecords);
}

ListingRecords read_registry_records(const std::string& text, std::ostream& report,
                                     const RecordCheck& check) {
    ListingRecords read;
    const std::vector<Row> rows = read_rows(text, report, Delimiting::kRecords, read.copies, check);
    read.records.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!superseded(rows, i)) read.records.push_back({rows[i].key, rows[i].organization, rows[i].address});
    }
    return read;
}

RegistryMap parse_oui_database(const std::string& text) {
    return parse_oui_database(text, std::cout);
}

}  // namespace hexalune
