#include "csv_reader.h"

#include <cstdint>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <string_view>
#include <tuple>
#include <utility>

namespace hexalune {

namespace {

constexpr std::size_t kEndOfLine = std::string_view::npos;

// Reads the field that starts at `pos` into `field`, replacing its
// contents. Returns the position just after the comma that ends it, or
// kEndOfLine when the field runs to the end of the line.
std::size_t read_field(std::string_view line, std::size_t pos, std::string& field) {
    field.clear();
    const char* const text = line.data();
    const std::size_t size = line.size();
    while (pos < size) {
        // Outside quotes: up to a comma or a quote.
        std::size_t stop = pos;
        while (stop < size && text[stop] != ',' && text[stop] != '"') ++stop;
        field.append(text + pos, stop - pos);
        if (stop == size) break;
        if (text[stop] == ',') return stop + 1;
        // Inside quotes: up to the closing quote; a doubled quote is one
        // literal quote. A quote never closed leaves the rest of the line in
        // this field.
        pos = stop + 1;
        for (;;) {
            const void* found = std::memchr(text + pos, '"', size - pos);
            if (found == nullptr) {
                field.append(text + pos, size - pos);
                return kEndOfLine;
            }
            const std::size_t quote =
                static_cast<std::size_t>(static_cast<const char*>(found) - text);
            field.append(text + pos, quote - pos);
            pos = quote + 1;
            if (pos < size && text[pos] == '"') {
                field += '"';
                ++pos;
                continue;
            }
            break;
        }
    }
    return kEndOfLine;
}

// As read_field, but a field without quotes (the common case) is returned as
// a view into the line without copying; otherwise it is unquoted into
// `buffer` and the view refers to that. `quote` is the position of the
// line's first quote at or after `pos` (npos for none); it is kept up to
// date so that a line is searched for quotes only once in the common case.
inline std::size_t view_field(std::string_view line, std::size_t pos, std::size_t& quote,
                              std::string_view& field, std::string& buffer) {
    if (quote < pos) quote = line.find('"', pos);
    const char* begin = line.data() + pos;
    const std::size_t left = line.size() - pos;
    const void* comma = std::memchr(begin, ',', left);
    const std::size_t length =
        comma == nullptr ? left : static_cast<std::size_t>(static_cast<const char*>(comma) - begin);
    if (quote < pos + length) {
        const std::size_t next = read_field(line, pos, buffer);
        field = buffer;
        return next;
    }
    field = std::string_view(begin, length);
    return comma == nullptr ? kEndOfLine : pos + length + 1;
}

// The next line starting at `pos`, without its LF and the CR before it.
// Advances `pos` past the line.
std::string_view next_line(std::string_view text, std::size_t& pos) {
    const char* begin = text.data() + pos;
    const void* lf = std::memchr(begin, '\n', text.size() - pos);
    const std::size_t length = lf == nullptr
                                   ? text.size() - pos
                                   : static_cast<std::size_t>(static_cast<const char*>(lf) - begin);
    pos += length + 1;
    std::string_view line(begin, length);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// Fields 0 to 3 of a record line, and buffers for the quoted ones, reused
// from line to line.
struct RecordFields {
    std::string_view registry, assignment, organization, address;
    std::string buffers[4];

    // The record these fields make.
    operator OUIInfo() const {
        return OUIInfo{std::string(assignment), std::string(organization), std::string(address),
                       std::string()};
    }
};

// Reads the four fields a record needs; false when the line has fewer.
bool read_record_fields(std::string_view line, RecordFields& f) {
    std::size_t quote = line.find('"');
    std::size_t pos = view_field(line, 0, quote, f.registry, f.buffers[0]);
    if (pos == kEndOfLine) return false;
    pos = view_field(line, pos, quote, f.assignment, f.buffers[1]);
    if (pos == kEndOfLine) return false;
    pos = view_field(line, pos, quote, f.organization, f.buffers[2]);
    if (pos == kEndOfLine) return false;
    view_field(line, pos, quote, f.address, f.buffers[3]);  // anything after it is ignored
    return true;
}

}  // namespace

std::vector<std::string> split_csv_line(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    do {
        fields.emplace_back();
        pos = read_field(line, pos, fields.back());
    } while (pos != kEndOfLine);
    return fields;
}

RegistryMap parse_oui_database(const std::string& text, std::ostream& report) {
    RegistryMap registry;
    const std::string_view listing(text);
    std::size_t pos = 0;
    if (pos < listing.size()) next_line(listing, pos);  // the header
    std::int64_t line_number = 1;
    RecordFields fields;
    while (pos < listing.size()) {
        const std::string_view line = next_line(listing, pos);
        ++line_number;
        try {
            if (!read_record_fields(line, fields)) {
                throw std::runtime_error("Insufficient data columns in CSV");
            }
            // The record is built in place in the new map node. A repeated
            // assignment (rare) replaces the earlier record.
            const auto placed =
                registry.emplace(std::piecewise_construct, std::forward_as_tuple(fields.assignment),
                                 std::forward_as_tuple(fields));
            if (!placed.second) placed.first->second = fields;
        } catch (const std::exception& e) {
            report << "Error parsing line " << line_number << ": " << e.what() << std::endl;
        }
    }
    return registry;
}

RegistryMap parse_oui_database(const std::string& text) {
    return parse_oui_database(text, std::cout);
}

}  // namespace hexalune
