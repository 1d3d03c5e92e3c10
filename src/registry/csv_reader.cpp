#include "csv_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

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

// As read_field, but without copying when the field's text is a slice of
// the line: a field without quotes, or one wholly enclosed in quotes with
// no quote inside (the listing's "Co., Ltd." names and addresses). Other
// fields are unquoted into `buffer`, and `buffered` is set. `quote` is the
// position of the line's first quote at or after `pos` (npos for none),
// kept up to date so that a line is searched for quotes once.
inline std::size_t view_field(std::string_view line, std::size_t pos, std::size_t& quote,
                              std::string_view& field, std::string& buffer, bool& buffered) {
    if (quote < pos) quote = line.find('"', pos);
    const char* begin = line.data() + pos;
    const std::size_t left = line.size() - pos;
    if (quote == pos) {
        const void* found = std::memchr(begin + 1, '"', left - 1);
        if (found != nullptr) {
            const std::size_t after =
                static_cast<std::size_t>(static_cast<const char*>(found) - line.data()) + 1;
            if (after == line.size() || line[after] == ',') {
                field = line.substr(pos + 1, after - pos - 2);
                return after == line.size() ? kEndOfLine : after + 1;
            }
        }
    }
    const void* comma = std::memchr(begin, ',', left);
    const std::size_t length =
        comma == nullptr ? left : static_cast<std::size_t>(static_cast<const char*>(comma) - begin);
    if (quote < pos + length) {
        const std::size_t next = read_field(line, pos, buffer);
        field = buffer;
        buffered = true;
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

// The three fields a record is made of.
struct RecordView {
    std::string_view assignment, organization, address;

    // The record these fields make.
    operator OUIInfo() const {
        return OUIInfo{std::string(assignment), std::string(organization), std::string(address),
                       std::string()};
    }
};

// Fields 0 to 3 of a record line, and buffers for the quoted ones, reused
// from line to line.
struct RecordFields {
    std::string_view registry;
    RecordView record;
    bool buffered = false;  // whether a field is held in a buffer, not the line
    std::string buffers[4];
};

// Reads the four fields a record needs; false when the line has fewer.
bool read_record_fields(std::string_view line, RecordFields& f) {
    std::size_t quote = line.find('"');
    f.buffered = false;
    std::size_t pos = view_field(line, 0, quote, f.registry, f.buffers[0], f.buffered);
    if (pos == kEndOfLine) return false;
    pos = view_field(line, pos, quote, f.record.assignment, f.buffers[1], f.buffered);
    if (pos == kEndOfLine) return false;
    pos = view_field(line, pos, quote, f.record.organization, f.buffers[2], f.buffered);
    if (pos == kEndOfLine) return false;
    // Anything after the address is ignored.
    view_field(line, pos, quote, f.record.address, f.buffers[3], f.buffered);
    return true;
}

// A good record line as the first pass leaves it for the second: its key,
// packed so that sorting is cheap, and where in the line its organization
// and address lie, so that it need not be read again.
struct NotedLine {
    // The key's first eight bytes, big-endian and zero-filled: comparing
    // these, then the sizes, orders keys of up to eight bytes exactly as
    // comparing the byte strings does. For a longer key, its index among
    // the long keys.
    std::uint64_t key;
    const char* line;
    std::uint16_t organization_begin, organization_end, address_begin, address_end;
    std::uint8_t key_size;  // kLongKey for a key longer than eight bytes
    bool read_again;        // a field needed unquoting, or the line is too long for the offsets
};

constexpr std::uint8_t kLongKey = 9;

NotedLine note_line(std::string_view line, const RecordFields& f,
                    std::vector<std::string>& long_keys) {
    NotedLine noted{0, line.data(), 0, 0, 0, 0, 0, true};
    const std::string_view key = f.record.assignment;
    if (key.size() > 8) {
        noted.key = long_keys.size();
        noted.key_size = kLongKey;
        long_keys.emplace_back(key);
    } else {
        for (std::size_t i = 0; i < 8; ++i) {
            noted.key =
                (noted.key << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
        }
        noted.key_size = static_cast<std::uint8_t>(key.size());
    }
    if (!f.buffered && line.size() <= UINT16_MAX) {
        const auto offset = [&](const char* at) {
            return static_cast<std::uint16_t>(at - line.data());
        };
        const std::string_view organization = f.record.organization, address = f.record.address;
        noted.organization_begin = offset(organization.data());
        noted.organization_end = offset(organization.data() + organization.size());
        noted.address_begin = offset(address.data());
        noted.address_end = offset(address.data() + address.size());
        noted.read_again = false;
    }
    return noted;
}

// Byte-string order of the keys; lines with equal keys in listing order.
class KeyOrder {
public:
    explicit KeyOrder(const std::vector<std::string>& long_keys) : long_keys_(long_keys) {}

    int compare_keys(const NotedLine& a, const NotedLine& b) const {
        if (a.key_size != kLongKey && b.key_size != kLongKey) {
            if (a.key != b.key) return a.key < b.key ? -1 : 1;
            return a.key_size - b.key_size;
        }
        char a_bytes[8], b_bytes[8];
        return key_of(a, a_bytes).compare(key_of(b, b_bytes));
    }

    bool operator()(const NotedLine& a, const NotedLine& b) const {
        const int order = compare_keys(a, b);
        return order != 0 ? order < 0 : a.line < b.line;
    }

    // The key's bytes; `bytes` holds them for a packed key.
    std::string_view key_of(const NotedLine& n, char (&bytes)[8]) const {
        if (n.key_size == kLongKey) return long_keys_[n.key];
        for (std::size_t i = 0; i < 8; ++i) bytes[i] = static_cast<char>(n.key >> (56 - 8 * i));
        return std::string_view(bytes, n.key_size);
    }

private:
    const std::vector<std::string>& long_keys_;
};

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
    // First pass, in listing order: read every line, report the bad ones
    // and note the good ones. Second pass, in key order: store the last
    // line of each key at the end of the map. Storing in key order never
    // searches the tree and builds it front to back, which is far kinder to
    // the caches than inserting at random places; the result is exactly
    // that of storing every good line in turn.
    const std::string_view listing(text);
    std::vector<NotedLine> noted;
    noted.reserve(listing.size() / 64 + 1);  // the IEEE listing averages 95 bytes a line
    std::vector<std::string> long_keys;

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
            noted.push_back(note_line(line, fields, long_keys));
        } catch (const std::exception& e) {
            report << "Error parsing line " << line_number << ": " << e.what() << std::endl;
        }
    }

    const KeyOrder order(long_keys);
    std::sort(noted.begin(), noted.end(), order);

    RegistryMap registry;
    for (std::size_t i = 0; i < noted.size(); ++i) {
        const NotedLine& n = noted[i];
        if (i + 1 < noted.size() && order.compare_keys(n, noted[i + 1]) == 0) continue;
        if (!n.read_again) {
            char bytes[8];
            RecordView record;
            record.assignment = order.key_of(n, bytes);
            record.organization = std::string_view(n.line + n.organization_begin,
                                                   n.organization_end - n.organization_begin);
            record.address =
                std::string_view(n.line + n.address_begin, n.address_end - n.address_begin);
            registry.emplace_hint(registry.end(), std::piecewise_construct,
                                  std::forward_as_tuple(record.assignment),
                                  std::forward_as_tuple(record));
        } else {
            std::size_t at = static_cast<std::size_t>(n.line - listing.data());
            read_record_fields(next_line(listing, at), fields);
            registry.emplace_hint(registry.end(), std::piecewise_construct,
                                  std::forward_as_tuple(fields.record.assignment),
                                  std::forward_as_tuple(fields.record));
        }
    }
    return registry;
}

RegistryMap parse_oui_database(const std::string& text) {
    return parse_oui_database(text, std::cout);
}

}  // namespace hexalune
