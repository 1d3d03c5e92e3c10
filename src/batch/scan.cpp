#include "scan.h"

#include <algorithm>

#include "notation/parse.h"

namespace hexalune {

namespace {

// What a character is to a run of groups. Why a table: one load a byte.
enum Kind : unsigned char { kOther, kHex, kLetter, kSeparator };

struct Kinds {
    Kind of[256];
};

constexpr Kinds kinds() {
    Kinds kinds{};
    for (int c = 0; c < 256; ++c) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        kinds.of[c] = hex                                  ? kHex
                      : letter                             ? kLetter
                      : (c == ':' || c == '-' || c == '.') ? kSeparator
                                                           : kOther;
    }
    return kinds;
}

constexpr Kinds kKinds = kinds();

// The longest address text, an EUI-64's eight pairs and seven separators,
// and the longest group of any notation.
constexpr std::size_t kLongest = 23;
constexpr std::size_t kLongestGroup = 6;
constexpr int kMostGroups = 8;

struct Pass {
    Scanner& s;
    std::string_view piece;
    std::string* echo;
    const FoundAddress& found;
    std::size_t out = 0;  // the piece's bytes before this are given back or held
    // Where in the piece the live run's last whole group ends (where it
    // begins, before its first); npos: in an earlier piece, where what is
    // held begins. Why: the text is given back only there, when an address
    // is found, and at the piece's end, not at each group.
    std::size_t whole_at = std::string_view::npos;

    // Gives back what is held and the piece's bytes before `to`.
    void release(std::size_t to) {
        if (echo != nullptr) {
            echo->append(s.held);
            echo->append(piece, out, to - out);
        }
        s.held.clear();
        out = to;
    }

    // The live run's groups so far are all it has: an address if they are
    // one of the notations.
    void decide() {
        // Why: most runs of digits are no notation (an IPv4 address, a
        // time), and are told by their groups' lengths before they are read.
        const bool dots = s.address[s.whole > 4 ? 4 : 0] == '.';
        if (s.groups < 2 || (s.longest > 2 && s.shortest != s.longest) ||
            (dots && s.shortest != 4)) {
            return;
        }
        const std::string_view text(s.address.data(), s.whole);
        InputType type;
        thread_local Bytes bytes;
        if (parse_identifier(text, type, bytes) &&
            (type == InputType::kEui48 || type == InputType::kEui64)) {
            if (whole_at != std::string_view::npos) release(whole_at);
            found(text, type, bytes, s.line, echo);
        }
    }

    // The group just read is whole, and hexadecimal.
    void confirm(std::size_t at) {
        s.whole = s.address.size();
        s.shortest = s.groups == 0 ? s.group : std::min(s.shortest, s.group);
        s.longest = std::max(s.longest, s.group);
        ++s.groups;
        whole_at = at;
    }

    void die() { s.state = Scanner::State::kDead; }

    // At a run's start: if the run is nothing but groups of digits one
    // separator apart, up to what ends it within the piece, takes it whole
    // as the last of them ended; gives where to go on from (the run's last
    // character), or `at` for each character to be taken in turn. Why:
    // most runs of digits (addresses, IPv4 addresses) are such, and are
    // taken in a fifth of the time (perf, ip neigh text).
    std::size_t whole_run(std::size_t at) {
        std::size_t end = at, groups = 1, group = 0, shortest = kLongest, longest = 0;
        for (; end < piece.size() && end - at <= kLongest; ++end) {
            const Kind kind = kKinds.of[static_cast<unsigned char>(piece[end])];
            if (kind == kHex) {
                ++group;
                continue;
            }
            if (kind != kSeparator || group == 0) break;
            shortest = std::min(shortest, group);
            longest = std::max(longest, group);
            group = 0;
            ++groups;
        }
        if (end == piece.size() || end - at > kLongest || group == 0 ||
            kKinds.of[static_cast<unsigned char>(piece[end])] != kOther) {
            return at;
        }
        s.state = Scanner::State::kLive;
        s.address.assign(piece.substr(at, end - at));
        s.whole = s.address.size();
        s.groups = static_cast<int>(groups);
        s.shortest = std::min(shortest, group);
        s.longest = std::max(longest, group);
        s.group = 0;
        whole_at = end;
        return end - 1;
    }

    void hex(char c, std::size_t at) {
        if (s.word) {
            ++s.group;
            return;
        }
        if (s.state == Scanner::State::kIdle && s.group == 0) {
            whole_at = at;
            s.state = Scanner::State::kLive;
            s.address.clear();
            s.whole = 0;
            s.groups = 0;
            s.longest = 0;
        }
        s.separator = 0;
        ++s.group;
        if (s.state != Scanner::State::kLive) return;
        s.address += c;
        if (s.group > kLongestGroup) die();
    }

    void letter() {
        if (s.word) {
            ++s.group;
            return;
        }
        if (s.group > kLongestGroup) {
            // Its first seven characters were digits: a group too long for
            // any notation, whatever follows, and the row of groups it is
            // in none. Why: what follows a live row's last group is held,
            // and stays a few bytes.
            s.word = true;
            ++s.group;
            return;
        }
        if (s.state == Scanner::State::kLive) decide();
        s.state = s.ipv6 ? Scanner::State::kDead : Scanner::State::kIdle;
        s.word = true;
        s.separator = 0;
        ++s.group;
    }

    void separator(char c, std::size_t at) {
        const bool live = s.state == Scanner::State::kLive;
        if (s.group == 0 && s.separator != 0) {
            // Two separators: "::" makes the run an IPv6 address's; any
            // other pair ends it, the first being punctuation.
            const bool colons = s.separator == ':' && c == ':';
            if (live && !colons) decide();
            s.ipv6 = s.ipv6 || colons;
            s.state = s.ipv6 ? Scanner::State::kDead : Scanner::State::kIdle;
        } else if (live && s.group != 0) {
            confirm(at);
            if (s.groups > kMostGroups || s.whole > kLongest) die();
        }
        if (s.state == Scanner::State::kLive) s.address += c;
        s.group = 0;
        s.word = false;
        s.separator = c;
    }

    void other(std::size_t at) {
        if (s.state == Scanner::State::kLive) {
            if (s.group != 0) confirm(at);
            decide();
        }
        s.state = Scanner::State::kIdle;
        s.group = 0;
        s.word = false;
        s.separator = 0;
        s.ipv6 = false;
    }
};

}  // namespace

void scan_text(Scanner& scanner, std::string_view piece, std::string* echo,
               const FoundAddress& found) {
    Pass pass{scanner, piece, echo, found};
    if (piece.empty()) {
        pass.other(0);
        pass.release(0);
        return;
    }
    for (std::size_t at = 0; at < piece.size(); ++at) {
        const char c = piece[at];
        switch (kKinds.of[static_cast<unsigned char>(c)]) {
            case kHex:
                if (scanner.state == Scanner::State::kIdle && scanner.group == 0 &&
                    scanner.separator == 0) {
                    at = pass.whole_run(at);
                    if (scanner.state == Scanner::State::kLive) break;
                }
                pass.hex(c, at);
                break;
            case kLetter:
                pass.letter();
                break;
            case kSeparator:
                pass.separator(c, at);
                break;
            case kOther: {
                pass.other(at);
                if (c == '\n') ++scanner.line;
                // Up to the next separator only the last run of letters and
                // digits can matter: it may be a first group. Why: most text
                // holds no address, and passes here at a byte a step, in a
                // third of the time (perf, ip neigh text).
                std::size_t next = at + 1, run = next;
                for (; next < piece.size(); ++next) {
                    const Kind kind = kKinds.of[static_cast<unsigned char>(piece[next])];
                    if (kind == kSeparator) break;
                    if (kind == kOther) {
                        run = next + 1;
                        if (piece[next] == '\n') ++scanner.line;
                    }
                }
                at = run - 1;
                break;
            }
        }
    }
    // What follows a live run's last whole group waits for the next piece.
    if (scanner.state == Scanner::State::kLive) {
        if (pass.whole_at != std::string_view::npos) pass.release(pass.whole_at);
        scanner.held.append(piece, pass.out, std::string_view::npos);
    } else {
        pass.release(piece.size());
    }
}

}  // namespace hexalune
