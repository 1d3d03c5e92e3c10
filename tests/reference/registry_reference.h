#ifndef HEXALUNE_TESTS_REFERENCE_REGISTRY_REFERENCE_H_
#define HEXALUNE_TESTS_REFERENCE_REGISTRY_REFERENCE_H_

// A deliberately plain model of the registry: a reader of the listing, one
// character at a time, and the lookup key, that the tests and fuzz targets
// hold the program's reader and lookup to. Header-only, and independent of
// the program's code but for the record type it fills.

#include <algorithm>
#include <codecvt>
#include <locale>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "registry/oui_info.h"

namespace hexalune_reference {

/// Fields of one line: a quote outside quotes opens them; inside quotes a
/// doubled quote is one literal quote and a single one closes them; a comma
/// outside quotes ends a field. Quotes are dropped.
inline std::vector<std::string> csv_fields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

/// The lines after the header: lines end at LF, the last possibly without
/// one, and the CR of a CR LF ending is dropped.
inline std::vector<std::string> record_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    if (!lines.empty()) lines.erase(lines.begin());
    return lines;
}

struct Listing {
    hexalune::RegistryMap registry;
    std::string report;
};

/// Every record line stored in turn under its assignment (the last one
/// wins); lines of fewer than four fields reported by number, the header
/// being line 1.
inline Listing parse(const std::string& text) {
    Listing listing;
    const std::vector<std::string> lines = record_lines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string> f = csv_fields(lines[i]);
        if (f.size() < 4) {
            listing.report += "Error parsing line " + std::to_string(i + 2) +
                              ": Insufficient data columns in CSV\n";
            continue;
        }
        listing.registry[f[1]] = hexalune::OUIInfo{f[1], f[2], f[3], ""};
    }
    return listing;
}

/// As parse(), but by RFC 4180 records: a quote that begins a field quotes
/// it up to a single quote (doubled, it is one), then the field goes on;
/// elsewhere a quote is data. A record longer than `limit` bytes or quoted
/// to the end is reported at its first line, and reading goes on after it.
inline Listing parse_records(const std::string& text, std::size_t limit) {
    Listing listing;
    std::size_t start = std::min(text.find('\n'), text.size()) + 1, line = 2;
    while (start < text.size()) {
        std::vector<std::string> f(1);
        enum { kStart, kPlain, kQuoted, kClosed } state = kStart;
        bool cr = false;  // the last character is a CR outside quotes
        std::size_t i = start, lines = 1;
        for (; i < text.size() && i - start <= limit && (state == kQuoted || text[i] != '\n');
             ++i) {
            const char c = text[i];
            lines += c == '\n';
            if (state == kQuoted) {
                state = c == '"' ? kClosed : kQuoted;
                if (c != '"') f.back() += c;
            } else if (c == ',') {
                f.emplace_back();
                state = kStart;
            } else if (c == '"' && state != kPlain) {
                if (state == kClosed) f.back() += c;
                state = kQuoted;
            } else {
                f.back() += c;
                state = kPlain;
            }
            cr = c == '\r' && state == kPlain;
        }
        std::string problem = i - start > limit
                                  ? "Record not ended within " + std::to_string(limit) + " bytes"
                              : state == kQuoted ? "Quote not closed at the end of the listing"
                                                 : "";
        const bool fault = !problem.empty();
        if (!fault && f.size() < 4) problem = "Insufficient data columns in CSV";
        if (!problem.empty())
            listing.report += "Error parsing line " + std::to_string(line) + ": " + problem + "\n";
        if (fault) {
            i = std::min(text.find('\n', start), text.size());
            lines = 1;
        } else if (f.size() >= 4) {
            if (cr) f.back().pop_back();
            listing.registry[f[1]] = hexalune::OUIInfo{f[1], f[2], f[3], ""};
        }
        start = i + 1;
        line += lines;
    }
    return listing;
}

/// Whether two maps hold the same records under the same keys.
inline bool same_registry(const hexalune::RegistryMap& a, const hexalune::RegistryMap& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](const auto& x, const auto& y) {
               return x.first == y.first && x.second.assignment == y.second.assignment &&
                      x.second.organization == y.second.organization &&
                      x.second.address == y.second.address && x.second.note == y.second.note;
           });
}

/// The text with the first occurrence of `substring` erased, again and
/// again from the start, until there is none; unchanged for an empty one.
inline std::string strip_substring(std::string text, const std::string& substring) {
    if (substring.empty()) return text;
    for (std::size_t at = text.find(substring); at != std::string::npos;
         at = text.find(substring)) {
        text.erase(at, substring.size());
    }
    return text;
}

/// The key an address is looked up under: its first six characters but
/// colons, lower-case letters made upper-case.
inline std::string lookup_key(const std::string& text) {
    std::string key;
    for (char c : text) {
        if (c == ':') continue;
        if (key.size() == 6) break;
        key += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return key;
}

/// The registry and record of the most specific assignment that holds an
/// address whose twelve upper-case digits are `digits`, from the maps of
/// the MA-S, IAB, MA-M and MA-L listings: its first 9 digits in MA-S, then
/// IAB, its first 7 in MA-M, its first 6 in MA-L. Nothing if none holds it.
struct Block {
    std::string registry;
    hexalune::OUIInfo record;
};
inline std::optional<Block> longest_prefix(const std::string& digits,
                                           const hexalune::RegistryMap& ma_s,
                                           const hexalune::RegistryMap& iab,
                                           const hexalune::RegistryMap& ma_m,
                                           const hexalune::RegistryMap& ma_l) {
    const std::pair<const char*, const hexalune::RegistryMap*> tries[] = {
        {"MA-S", &ma_s}, {"IAB", &iab}, {"MA-M", &ma_m}, {"MA-L", &ma_l}};
    const std::size_t lengths[] = {9, 9, 7, 6};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto found = tries[i].second->find(digits.substr(0, lengths[i]));
        if (found != tries[i].second->end()) return Block{tries[i].first, found->second};
    }
    return std::nullopt;
}

/// Whether `name` can be the short name of `organization`: the assignment,
/// or 1 to 12 code points of valid UTF-8, each one of the organisation's in
/// its order (ASCII letters in any case), none of them white space or '#'.
inline bool short_name_holds(const std::string& name, const std::string& organization,
                             const std::string& assignment) {
    std::u32string points;
    try {
        points = std::wstring_convert<std::codecvt_utf8<char32_t>, char32_t>().from_bytes(name);
    } catch (const std::range_error&) {
        return false;
    }
    const std::u32string white = U" \t\n\v\f\r#\x85\xA0\u1680\u2028\u2029\u202F\u205F\u3000";
    for (const char32_t c : points) {
        if (c < 0x20 || white.find(c) != white.npos || (c >= 0x2000 && c <= 0x200A)) return false;
    }
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    std::size_t at = 0;
    for (const char c : name) {
        while (at < organization.size() && lower(organization[at]) != lower(c)) ++at;
        if (at++ >= organization.size()) return name == assignment;
    }
    return name == assignment || (!points.empty() && points.size() <= 12);
}

}  // namespace hexalune_reference

#endif  // HEXALUNE_TESTS_REFERENCE_REGISTRY_REFERENCE_H_
