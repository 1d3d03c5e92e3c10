#include "short_name.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <tuple>
#include <utility>
#include <vector>

namespace hexalune {

namespace {

// Company-type words, lower case, as the listings spell them without dots.
// clang-format off
constexpr std::string_view kCompanyWords[] = {
    "ab", "ag", "as", "asa", "bhd", "bv", "co", "company", "corp", "corporate", "corporation",
    "gmbh", "inc", "incorporated", "kft", "kg", "kk", "limited", "llc", "llp", "lp", "ltd",
    "lda", "ltda", "mbh", "nv", "oy", "oyj", "pl", "plc", "pte", "pty", "pvt", "sa", "sarl", "sas",
    "sdn", "sl", "spa", "sro", "srl", "zrt"};
// clang-format on

// A word of up to eight bytes, lower case, as one number: its first byte
// lowest. Why: a company-type word is then found with one comparison an
// entry, a tenth of comparing texts (callgrind, the listings' names).
constexpr std::uint64_t key_of(std::string_view word) {
    std::uint64_t key = 0;
    for (std::size_t i = word.size(); i-- > 0;) {
        const char c = word[i];
        key = key << 8 | static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return key;
}

// The keys of the company-type words of up to eight bytes, in open
// addressing: a word is one multiplication and a probe or two away.
constexpr std::size_t kCompanySlots = 128;
constexpr std::size_t slot_of(std::uint64_t key) {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15u) >> 57);
}
constexpr auto kCompanyKeys = [] {
    std::array<std::uint64_t, kCompanySlots> keys{};
    for (const std::string_view word : kCompanyWords) {
        if (word.size() > 8) continue;
        std::size_t at = slot_of(key_of(word));
        while (keys[at] != 0) at = (at + 1) % kCompanySlots;
        keys[at] = key_of(word);
    }
    return keys;
}();

bool company_word(std::string_view word) {
    if (word.size() <= 8) {
        const std::uint64_t key = key_of(word);
        for (std::size_t at = slot_of(key);; at = (at + 1) % kCompanySlots) {
            if (kCompanyKeys[at] == key) return true;
            if (kCompanyKeys[at] == 0) return false;
        }
    }
    for (const std::string_view company : kCompanyWords) {
        if (company.size() != word.size()) continue;
        std::size_t i = 0;
        while (i < word.size() && key_of(word.substr(i, 1)) == std::uint64_t(company[i])) ++i;
        if (i == word.size()) return true;
    }
    return false;
}

// The code point that begins `text`, and its length; length 1 and code
// point -1 for a byte that begins no UTF-8 sequence.
std::pair<std::int32_t, std::size_t> code_point(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || length > text.size()) return {-1, 1};
    std::int32_t point = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return {-1, 1};
        point = point << 6 | (byte(i) & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are no UTF-8.
    const std::int32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < least[length] || (point >= 0xD800 && point < 0xE000) || point > 0x10FFFF) {
        return {-1, 1};
    }
    return {point, length};
}

// Whether a code point ends a word: white space, a control character,
// punctuation, or no character at all (-1).
constexpr bool separates(std::int32_t c) {
    if (c < 0 || c < 0x20 || (c >= 0x7F && c <= 0xA0)) return true;
    if (c < 0x7F) {
        const bool word = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                          (c >= 'a' && c <= 'z') || c == '.' || c == '/' || c == '\'';
        return !word;
    }
    // Unicode's other white space; CJK and full-width punctuation.
    return c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 ||
           c == 0x202F || c == 0x205F || (c >= 0x3000 && c <= 0x3003) ||
           (c >= 0x3008 && c <= 0x3011) || (c >= 0xFF01 && c <= 0xFF0F) ||
           (c >= 0xFF1A && c <= 0xFF20) || (c >= 0xFF3B && c <= 0xFF40) ||
           (c >= 0xFF5B && c <= 0xFF65);
}

// What a byte is to a word: part of it (letters, digits), a joiner within
// it ('.', '/', '\''), its end, or, from 0x80, the lead of a code point to
// decode.
enum Byte : unsigned char { kPart, kJoin, kEnd, kDecode };
constexpr auto kBytes = [] {
    std::array<Byte, 256> bytes{};
    for (int b = 0; b < 256; ++b) {
        bytes[b] = b >= 0x80                           ? kDecode
                   : b == '.' || b == '/' || b == '\'' ? kJoin
                   : separates(b)                      ? kEnd
                                                       : kPart;
    }
    return bytes;
}();

// The length of the code point at `at`, which begins no ASCII character,
// and whether it separates words.
std::pair<std::size_t, bool> decoded_at(std::string_view text, std::size_t at) {
    const auto [c, length] = code_point(text.substr(at));
    return {length, separates(c)};
}

// Whether `text` is one code point or none.
bool single(std::string_view text) {
    return text.size() <= 1 || code_point(text).second == text.size();
}

// Calls `visit(word)` for each word of `token`, a run of characters that
// separate none, while it gives true: its pieces between '.' and '/' each
// a word, or one word of them all where each is one character; '\''
// dropped. Gives false once `visit` has.
template <typename Visit>
bool visit_token(std::string_view token, std::string& word, Visit& visit) {
    bool singles = true, apostrophe = false, joined = false;
    for (std::size_t at = 0, begin = 0; at <= token.size(); ++at) {
        if (at < token.size() && token[at] != '.' && token[at] != '/' && token[at] != '\'') {
            continue;
        }
        singles = singles && single(token.substr(begin, at - begin));
        apostrophe = apostrophe || (at < token.size() && token[at] == '\'');
        joined = joined || at < token.size();
        begin = at + 1;
    }
    if (!joined) return visit(token);
    if (!singles && !apostrophe) {
        for (std::size_t at = 0, begin = 0; at <= token.size(); ++at) {
            if (at < token.size() && token[at] != '.' && token[at] != '/') continue;
            const std::string_view piece = token.substr(begin, at - begin);
            if (!piece.empty() && !visit(piece)) return false;
            begin = at + 1;
        }
        return true;
    }
    // Rare: a word made of pieces, or with an apostrophe to drop.
    word.clear();
    for (const char c : token) {
        if (c == '\'') continue;
        if (c != '.' && c != '/') {
            word += c;
        } else if (!singles) {
            if (!word.empty() && !visit(std::string_view(word))) return false;
            word.clear();
        }
    }
    return word.empty() || visit(std::string_view(word));
}

// Calls `visit(word)` for each word of `organization` but company-type
// words, in order, while it gives true.
template <typename Visit>
void visit_words(std::string_view organization, Visit visit) {
    std::string word;
    const auto kept = [&](std::string_view w) { return company_word(w) || visit(w); };
    bool joins = false;
    for (std::size_t at = 0, begin = 0; at <= organization.size();) {
        std::size_t length = 1;
        if (at < organization.size()) {
            const Byte kind = kBytes[static_cast<unsigned char>(organization[at])];
            bool ends = kind == kEnd;
            if (kind == kDecode) std::tie(length, ends) = decoded_at(organization, at);
            if (!ends) {
                joins = joins || kind == kJoin;
                at += length;
                continue;
            }
        }
        const std::string_view token = organization.substr(begin, at - begin);
        if (!token.empty() && !(joins ? visit_token(token, word, kept) : kept(token))) return;
        joins = false;
        begin = at += length;
    }
}

}  // namespace

// Why one pass over words that are views of the organisation where they
// can be, stopping once the name is full and its case known: data/'s
// 57,720 names take 80 M instructions, against 350 M for two passes that
// copy each word (callgrind).
std::string short_name(std::string_view organization, std::string_view assignment) {
    std::string name;
    std::pair<std::size_t, std::size_t> words[kShortNameLength];  // where each begins, its size
    std::size_t count = 0, points = 0;
    bool lower = false, upper = false, full = false;
    visit_words(organization, [&](std::string_view word) {
        for (const char c : word) {
            lower = lower || (c >= 'a' && c <= 'z');
            upper = upper || (c >= 'A' && c <= 'Z');
        }
        if (!full) {
            words[count++] = {name.size(), word.size()};
            // The cut: before the lead byte past the last code point.
            std::size_t end = 0;
            for (; end < word.size(); ++end) {
                if ((static_cast<unsigned char>(word[end]) & 0xC0) != 0x80 &&
                    points++ == kShortNameLength) {
                    full = true;
                    break;
                }
            }
            name.append(word.substr(0, end));
            full = full || points == kShortNameLength;
        }
        return !(full && lower);
    });
    if (upper && !lower) {
        for (std::size_t i = 0; i < count; ++i) {
            if (words[i].second <= 3) continue;
            const std::size_t end = std::min(name.size(), words[i].first + words[i].second);
            for (std::size_t at = words[i].first + 1; at < end; ++at) {
                if (name[at] >= 'A' && name[at] <= 'Z')
                    name[at] = static_cast<char>(name[at] - 'A' + 'a');
            }
        }
    }
    return name.empty() ? std::string(assignment) : name;
}

}  // namespace hexalune
