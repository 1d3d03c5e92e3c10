#ifndef HEXALUNE_TESTS_REFERENCE_NAMES_REFERENCE_H_
#define HEXALUNE_TESTS_REFERENCE_NAMES_REFERENCE_H_

// A deliberately plain model of the user's names files: each line read on
// its own, each prefix's form tried in turn, and the name of an address
// found by looking at every prefix. Header-only, independent of the
// program's code.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "reference/notation_reference.h"

namespace hexalune_reference {

struct Name {
    std::uint64_t first = 0;  // the EUI-48's number, bits past `bits` zero
    unsigned bits = 0;
    std::string name;
};

/// The digits of `text` when it is at most `most` groups of `width`
/// digits joined by `separator` (0: one group of 1 to `width` digits).
inline std::optional<std::string> grouped(const std::string& text, char separator,
                                          std::size_t width, std::size_t most) {
    std::vector<std::string> groups(1);
    for (char c : text) {
        if (c == separator && separator != 0) {
            groups.emplace_back();
        } else if (hex_value(c) < 0) {
            return std::nullopt;
        } else {
            groups.back() += c;
        }
    }
    std::string digits;
    for (const std::string& group : groups) {
        if (group.empty() || group.size() > width || (separator != 0 && group.size() != width)) {
            return std::nullopt;
        }
        digits += group;
    }
    if (groups.size() > most) return std::nullopt;
    return digits;
}

/// A line of a names file: its entry, or nothing with `reason` empty for a
/// blank line or a comment, or why it is bad.
inline std::optional<Name> names_line(std::string line, std::string& reason) {
    const std::string blank = " \t\r";
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || blank.find(line[i - 1]) != std::string::npos)) {
            line.resize(i);
        }
    }
    const std::size_t start = line.find_first_not_of(blank);
    reason.clear();
    if (start == std::string::npos) return std::nullopt;
    line = line.substr(start, line.find_last_not_of(blank) + 1 - start);
    std::string prefix = line.substr(0, line.find_first_of(blank));
    std::string name = line.substr(prefix.size());
    name = name.empty() ? name : name.substr(name.find_first_not_of(blank));
    Name entry{0, 0, name};
    const std::size_t slash = prefix.find('/');
    if (slash != std::string::npos) {
        const std::string count = prefix.substr(slash + 1);
        const bool decimal = !count.empty() && count.size() <= 2 &&
                             count.find_first_not_of("0123456789") == std::string::npos;
        entry.bits = decimal ? static_cast<unsigned>(std::stoul(count)) : 0;
        if (entry.bits < 1 || entry.bits > 48) {
            reason = "bits not from 1 to 48";
            return std::nullopt;
        }
        prefix.resize(slash);
    }
    std::optional<std::string> digits;
    const std::optional<Bytes> id = parse_identifier(prefix);
    if (id && (id->size() == 6 || id->size() == 3)) digits = joined(*id, 0);
    const std::pair<char, std::size_t> forms[] = {{0, 12},  {':', 2}, {'-', 2},
                                                  {'.', 4}, {'-', 4}, {'-', 6}};
    for (std::size_t i = 0; i < 6 && !digits; ++i) {
        digits = grouped(prefix, forms[i].first, forms[i].second, 12 / forms[i].second);
    }
    if (!digits) {
        std::size_t count = 0;
        bool hex = true;
        for (char c : prefix) {
            count += hex_value(c) >= 0;
            hex = hex && (hex_value(c) >= 0 || std::string(":-.").find(c) != std::string::npos);
        }
        reason = hex && count > 12 ? "a prefix of more than 12 digits" : "not an address prefix";
        return std::nullopt;
    }
    if (name.empty()) {
        reason = "no name";
        return std::nullopt;
    }
    if (entry.bits == 0) entry.bits = 4 * static_cast<unsigned>(digits->size());
    entry.first = std::stoull((*digits + std::string(12 - digits->size(), '0')), nullptr, 16);
    entry.first = entry.first >> (48 - entry.bits) << (48 - entry.bits);
    return entry;
}

/// The entries of a names file in order, and its report: each bad line,
/// the first ten, as "FILE:LINE: reason", then how many more.
inline std::vector<Name> names_file(std::string text, const std::string& file,
                                    std::string& report) {
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    std::vector<Name> entries;
    std::size_t bad = 0, number = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string reason;
        const std::optional<Name> entry = names_line(text.substr(at, end - at), reason);
        at = end + 1;
        ++number;
        if (entry) entries.push_back(*entry);
        if (!reason.empty() && ++bad <= 10) {
            report += file + ":" + std::to_string(number) + ": " + reason + "\n";
        }
    }
    if (bad > 10) {
        report += file + ": " + std::to_string(bad - 10) + " more bad line" +
                  (bad == 11 ? "" : "s") + " not shown\n";
    }
    return entries;
}

/// The name of an EUI-48 (a number) or of an OUI alone (`oui`: prefixes
/// of 24 bits or fewer): the longest prefix that holds it, the last read
/// of equal ones.
inline std::optional<std::string> name_of(const std::vector<Name>& entries, std::uint64_t address,
                                          bool oui) {
    const Name* best = nullptr;
    for (const Name& entry : entries) {
        const unsigned drop = 48 - entry.bits;
        if ((address >> drop) != (entry.first >> drop) || (oui && entry.bits > 24)) continue;
        if (best == nullptr || entry.bits >= best->bits) best = &entry;
    }
    return best ? std::optional<std::string>(best->name) : std::nullopt;
}

}  // namespace hexalune_reference

#endif  // HEXALUNE_TESTS_REFERENCE_NAMES_REFERENCE_H_
