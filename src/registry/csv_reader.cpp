#include "csv_reader.h"

#include <cstdint>
#include <iostream>
#include <stdexcept>
#include <string_view>

namespace hexalune {

namespace {

constexpr std::size_t kEndOfLine = std::string_view::npos;

// Reads the field that starts at `pos` into `field`, replacing its
// contents. Returns the position just after the comma that ends it, or
// kEndOfLine when the field runs to the end of the line.
std::size_t read_field(std::string_view line, std::size_t pos, std::string& field) {
    field.clear();
    bool quoted = false;
    while (pos < line.size()) {
        if (!quoted) {
            const std::size_t stop = line.find_first_of(",\"", pos);
            if (stop == kEndOfLine) break;
            field.append(line, pos, stop - pos);
            if (line[stop] == ',') return stop + 1;
            quoted = true;
            pos = stop + 1;
        } else {
            const std::size_t quote = line.find('"', pos);
            if (quote == kEndOfLine) break;  // never closed: the rest is this field's
            field.append(line, pos, quote - pos);
            if (quote + 1 < line.size() && line[quote + 1] == '"') {
                field += '"';
                pos = quote + 2;
            } else {
                quoted = false;
                pos = quote + 1;
            }
        }
    }
    if (pos < line.size()) field.append(line, pos, kEndOfLine);
    return kEndOfLine;
}

// The next line starting at `pos`, without its LF and the CR before it.
// Advances `pos` past the line.
std::string_view next_line(std::string_view text, std::size_t& pos) {
    std::size_t end = text.find('\n', pos);
    if (end == kEndOfLine) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// Fields 0 to 3 of a line, read into buffers reused from line to line.
struct Fields {
    std::string registry, assignment, organization, address;
};

// Reads the four fields a record needs; false when the line has fewer.
bool read_record_fields(std::string_view line, Fields& f) {
    std::size_t pos = read_field(line, 0, f.registry);
    if (pos == kEndOfLine) return false;
    pos = read_field(line, pos, f.assignment);
    if (pos == kEndOfLine) return false;
    pos = read_field(line, pos, f.organization);
    if (pos == kEndOfLine) return false;
    read_field(line, pos, f.address);  // anything after it is ignored
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
    Fields fields;
    while (pos < listing.size()) {
        const std::string_view line = next_line(listing, pos);
        ++line_number;
        try {
            if (!read_record_fields(line, fields)) {
                throw std::runtime_error("Insufficient data columns in CSV");
            }
            OUIInfo& record = registry[fields.assignment];
            record.assignment = fields.assignment;
            record.organization = fields.organization;
            record.address = fields.address;
            record.note.clear();
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
