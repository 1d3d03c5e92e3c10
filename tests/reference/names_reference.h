#ifndef HEXALUNE_TESTS_REFERENCE_NAMES_REFERENCE_H_
#define HEXALUNE_TESTS_REFERENCE_NAMES_REFERENCE_H_

// A deliberately plain model of the user's names files: each line read on
// its own, its prefix matched against the address forms, and the name of
// an address found by looking at every prefix. Header-only, independent of
// the program's code.

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "reference/notation_reference.h"

namespace hexalune_reference {

/// The names read, each prefix's last: by its first address (a number)
/// and its bits.
using Names = std::map<std::pair<std::uint64_t, unsigned>, std::string>;

/// Reads a names file's lines into `names`; gives the numbers of its bad
/// lines.
inline std::vector<std::size_t> read_names(std::string text, Names& names) {
    // A prefix: an EUI-48's notation cut at a group's end, or a whole one
    // of groups of one or two digits joined by ':'; then perhaps "/BITS".
    static const std::regex kPrefix(
        "([0-9a-f]{1,12}|(?:[0-9a-f]{2}:){0,5}[0-9a-f]{2}|(?:[0-9a-f]{2}-){0,5}[0-9a-f]{2}"
        "|(?:[0-9a-f]{4}\\.){0,2}[0-9a-f]{4}|(?:[0-9a-f]{4}-){0,2}[0-9a-f]{4}"
        "|[0-9a-f]{6}-[0-9a-f]{6}|(?:[0-9a-f]{1,2}:){5}[0-9a-f]{1,2})(?:/([0-9]{1,2}))?",
        std::regex::icase);
    // "#" at a line's start or after white space.
    static const std::regex kComment("(^|[ \t\r])#"), kSeparator("[:.-]");
    const std::string blank = " \t\r";
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    std::vector<std::size_t> bad;
    std::istringstream lines(text);
    std::size_t number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        std::smatch comment;
        if (std::regex_search(line, comment, kComment)) line.resize(comment.position());
        line.erase(line.find_last_not_of(blank) + 1);
        line.erase(0, line.find_first_not_of(blank));
        if (line.empty()) continue;
        const std::string word = line.substr(0, line.find_first_of(blank));
        const std::string name =
            line.substr(std::min(line.find_first_not_of(blank, word.size()), line.size()));
        std::smatch prefix;
        std::regex_match(word, prefix, kPrefix);
        std::string digits = std::regex_replace(prefix.str(1), kSeparator, "");
        const std::optional<Bytes> id = parse_identifier(prefix.str(1));
        if (id && id->size() == 6) digits = joined(*id, 0);  // of one-digit groups too
        const unsigned bits = prefix[2].matched ? static_cast<unsigned>(std::stoul(prefix.str(2)))
                                                : 4 * static_cast<unsigned>(digits.size());
        if (digits.empty() || name.empty() || bits < 1 || bits > 48) {
            bad.push_back(number);
            continue;
        }
        const std::uint64_t first =
            std::stoull(digits + std::string(12 - digits.size(), '0'), nullptr, 16);
        names[{first >> (48 - bits) << (48 - bits), bits}] = name;
    }
    return bad;
}

/// The name of the longest prefix of at most `most` bits that holds
/// `address`, an EUI-48 as a number; null for none.
inline const std::string* name_of(const Names& names, std::uint64_t address, unsigned most) {
    const std::string* best = nullptr;
    unsigned longest = 0;
    for (const auto& [prefix, name] : names) {
        const unsigned drop = 48 - prefix.second;
        if (prefix.second <= most && prefix.second > longest &&
            address >> drop == prefix.first >> drop) {
            best = &name;
            longest = prefix.second;
        }
    }
    return best;
}

}  // namespace hexalune_reference

#endif  // HEXALUNE_TESTS_REFERENCE_NAMES_REFERENCE_H_
