#ifndef HEXALUNE_TESTS_REFERENCE_SCAN_REFERENCE_H_
#define HEXALUNE_TESTS_REFERENCE_SCAN_REFERENCE_H_

// A deliberately plain model of finding addresses in text: the text cut
// into runs of letters, digits and separators, each run into groups, and
// the groups of hexadecimal digits between other groups read whole.

#include <string>
#include <vector>

#include "reference/notation_reference.h"

namespace hexalune_reference {

/// An address found in text: its line, from 1, its text, and where in the
/// text it ends.
struct FoundAddress {
    std::size_t line;
    std::string text;
    std::size_t end;
};

/// The addresses in `text`: in each run of [0-9A-Za-z:.-], each longest
/// row of groups of hexadecimal digits (or beginning with seven), one
/// separator apart, that reads as
/// a separated EUI-48 or EUI-64 notation, and has no "::" before it in its
/// run or right after it (an IPv6 address).
inline std::vector<FoundAddress> find_addresses(const std::string& text) {
    const std::string kRun =
        "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ:.-";
    const std::string kHex = "0123456789abcdefABCDEF", kSeparators = ":.-";
    std::vector<FoundAddress> found;
    std::size_t line = 1;
    for (std::size_t at = 0; at < text.size();) {
        if (kRun.find(text[at]) == std::string::npos) {
            line += text[at++] == '\n';
            continue;
        }
        const std::size_t end = std::min(text.find_first_not_of(kRun, at), text.size());
        const std::string run = text.substr(at, end - at);
        // The groups, each with where it starts in the run; empty ones too.
        std::vector<std::pair<std::size_t, std::string>> groups;
        for (std::size_t start = 0; start <= run.size();) {
            const std::size_t stop = std::min(run.find_first_of(kSeparators, start), run.size());
            groups.emplace_back(start, run.substr(start, stop - start));
            start = stop + 1;
        }
        const auto hex = [&](const std::string& group) {
            return !group.empty() && group.find_first_not_of(kHex) == std::string::npos;
        };
        // In a row of groups: hexadecimal, or beginning with seven digits.
        const auto in_row = [&](const std::string& group) {
            return hex(group) || (!group.empty() && group.find_first_not_of(kHex) >= 7);
        };
        for (std::size_t first = 0; first < groups.size();) {
            std::size_t last = first;
            while (in_row(groups[first].second) && last + 1 < groups.size() &&
                   in_row(groups[last + 1].second)) {
                ++last;
            }
            const std::size_t stop = groups[last].first + groups[last].second.size();
            const std::string candidate = run.substr(groups[first].first, stop - groups[first].first);
            const std::optional<Bytes> bytes = parse_identifier(candidate);
            const bool ipv6 = run.substr(0, groups[first].first).find("::") != std::string::npos ||
                              run.compare(stop, 2, "::") == 0;
            if (in_row(groups[first].second) && last > first && !ipv6 && bytes &&
                (bytes->size() == 6 || bytes->size() == 8)) {
                found.push_back({line, candidate, at + stop});
            }
            first = last + 1;
        }
        at = end;
    }
    return found;
}

}  // namespace hexalune_reference

#endif  // HEXALUNE_TESTS_REFERENCE_SCAN_REFERENCE_H_
