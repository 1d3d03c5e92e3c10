#include "short_name.h"

#include <algorithm>
#include <cstdint>
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

bool company_word(std::string_view word) {
    if (word.size() > 12) return false;
    std::string lower(word);
    for (char& c : lower) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return std::find(std::begin(kCompanyWords), std::end(kCompanyWords), lower) !=
           std::end(kCompanyWords);
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
bool separates(std::int32_t c) {
    if (c < 0 || c < 0x20 || (c >= 0x7F && c <= 0xA0)) return true;
    if (c < 0x7F) {
        const bool word =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x80;
        return !word;
    }
    // Unicode's other white space; CJK and full-width punctuation.
    return c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 ||
           c == 0x202F || c == 0x205F || (c >= 0x3000 && c <= 0x3003) ||
           (c >= 0x3008 && c <= 0x3011) || (c >= 0xFF01 && c <= 0xFF0F) ||
           (c >= 0xFF1A && c <= 0xFF20) || (c >= 0xFF3B && c <= 0xFF40) ||
           (c >= 0xFF5B && c <= 0xFF65);
}

// Whether `text` is one code point or none.
bool single(std::string_view text) {
    return text.empty() || code_point(text).second == text.size();
}

// Adds the words of `token`, a run of characters that separate none: its
// pieces between '.' and '/' each a word, or one word of them all where
// each is one character.
void add_words(std::vector<std::string>& words, const std::string& token) {
    std::vector<std::string_view> pieces;
    std::string_view rest = token;
    for (std::size_t end; (end = rest.find_first_of("./")) != std::string_view::npos;) {
        pieces.push_back(rest.substr(0, end));
        rest.remove_prefix(end + 1);
    }
    pieces.push_back(rest);
    if (std::all_of(pieces.begin(), pieces.end(), single)) {
        words.emplace_back();
        for (std::string_view piece : pieces) words.back() += piece;
    } else {
        words.insert(words.end(), pieces.begin(), pieces.end());
    }
}

}  // namespace

std::string short_name(std::string_view organization, std::string_view assignment) {
    std::vector<std::string> words;
    std::string token;
    for (std::size_t at = 0; at <= organization.size();) {
        const auto [c, length] = at < organization.size() ? code_point(organization.substr(at))
                                                          : std::make_pair(-1, std::size_t{1});
        if (c == '.' || c == '/' || (!separates(c) && c != '\'')) {
            token.append(organization.substr(at, length));
        } else if (c != '\'' && !token.empty()) {
            add_words(words, token);
            token.clear();
        }
        at += length;
    }
    words.erase(std::remove_if(words.begin(), words.end(),
                               [](const std::string& w) { return w.empty() || company_word(w); }),
                words.end());
    bool lower = false, upper = false;
    for (const std::string& word : words) {
        for (char c : word)
            lower = lower || (c >= 'a' && c <= 'z'), upper = upper || (c >= 'A' && c <= 'Z');
    }
    std::string name;
    for (std::string& word : words) {
        if (upper && !lower && word.size() > 3) {
            for (std::size_t i = 1; i < word.size(); ++i) {
                if (word[i] >= 'A' && word[i] <= 'Z')
                    word[i] = static_cast<char>(word[i] - 'A' + 'a');
            }
        }
        name += word;
    }
    // Cut after kShortNameLength code points: before the lead byte of the
    // next (the words hold whole UTF-8 sequences only).
    std::size_t points = 0, end = 0;
    for (; end < name.size(); ++end) {
        if ((static_cast<unsigned char>(name[end]) & 0xC0) != 0x80 &&
            points++ == kShortNameLength) {
            break;
        }
    }
    name.resize(end);
    return name.empty() ? std::string(assignment) : name;
}

}  // namespace hexalune
