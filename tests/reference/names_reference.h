#ifndef HEXALUNE_TESTS_REFERENCE_NAMES_REFERENCE_H_
#define HEXALUNE_TESTS_REFERENCE_NAMES_REFERENCE_H_

// A deliberately plain model of the user's names files: each line read on
// its own, its prefix matched against the address forms, and an address's
// name found by trying every length. Header-only, independent of the code.

#include <cstdint>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "reference/notation_reference.h"

namespace hexalune_reference {

/// The names read, each prefix's last, by its first address (a number) and bits.
using Names = std::map<std::pair<std::uint64_t, unsigned>, std::string>;

/// Reads a names file's lines into `names`; gives the numbers of its bad lines.
inline std::vector<std::size_t> read_names(std::string text, Names& names) {
    // A prefix: an EUI-48's notation cut at a group's end, or one-digit groups; then "/BITS".
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
    std::string line;
    for (std::size_t number = 1; std::getline(lines, line); ++number) {
        std::smatch comment;
        if (std::regex_search(line, comment, kComment)) line.resize(comment.position());
        line.erase(line.find_last_not_of(blank) + 1);
        line.erase(0, line.find_first_not_of(blank));
        if (line.empty()) continue;
        const std::string word = line.substr(0, line.find_first_of(blank));
        line.erase(0, line.find_first_not_of(blank, word.size()));  // leaves the name
        std::smatch prefix;
        std::regex_match(word, prefix, kPrefix);
        std::string digits = std::regex_replace(prefix.str(1), kSeparator, "");
        const std::optional<Bytes> id = parse_identifier(prefix.str(1));
        if (id && id->size() == 6) digits = joined(*id, 0);  // of one-digit groups too
        const std::size_t bits = prefix[2].matched ? std::stoul(prefix.str(2)) : 4 * digits.size();
        if (digits.empty() || line.empty() || bits < 1 || bits > 48) {
            bad.push_back(number);
            continue;
        }
        digits.resize(12, '0');
        names[{std::stoull(digits, nullptr, 16) >> (48 - bits) << (48 - bits), bits}] = line;
    }
    return bad;
}

/// The name of the longest prefix of at most `most` bits that holds
/// `address`, an EUI-48 as a number; data() null for none.
inline std::string_view name_of(const Names& names, std::uint64_t address, unsigned most) {
    std::string_view best;
    for (unsigned bits = 1; bits <= most; ++bits) {
        const auto found = names.find({address >> (48 - bits) << (48 - bits), bits});
        if (found != names.end()) best = found->second;
    }
    return best;
}

}  // namespace hexalune_reference

#endif  // HEXALUNE_TESTS_REFERENCE_NAMES_REFERENCE_H_
