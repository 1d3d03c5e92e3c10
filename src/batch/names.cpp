#include "names.h"

#include <algorithm>

#include "notation/parse.h"
#include "registry/owner_table_fast.h"
#include "registry/owner_table_reader.h"

namespace hexalune {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

bool is_hex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

std::uint64_t value_of(const Bytes& bytes) {
    std::uint64_t value = 0;
    for (const std::uint8_t byte : bytes) value = value << 8 | byte;
    return value;
}

// Reads `text` as an EUI-48 or its start, in a notation parse_identifier
// reads, ended at a group's end: an OUI alone, or the start of a full form
// (0080, 00:80:10:a4, 0080.10a4, 008010A); sets `first`, the digits and
// zeros after them, and `bits`, 4 a digit. False for anything else.
bool read_prefix(std::string_view text, std::uint64_t& first, unsigned& bits) {
    // The full forms the start of one is completed from.
    static const std::string_view kForms[] = {"000000000000",      "00:00:00:00:00:00",
                                              "00-00-00-00-00-00", "0000.0000.0000",
                                              "0000-0000-0000",    "000000-000000"};
    thread_local Bytes bytes(16);
    InputType type;
    if (parse_identifier(text, type, bytes) &&
        (type == InputType::kEui48 || type == InputType::kOui)) {
        bits = type == InputType::kOui ? 24 : 48;
        first = value_of(bytes) << (48 - 8 * bytes.size());
        return true;
    }
    const auto digits = static_cast<unsigned>(std::count_if(text.begin(), text.end(), is_hex));
    std::string whole;
    for (const std::string_view form : kForms) {
        // Its groups whole (not 0:8:1), ended where the form's end.
        if (digits == 0 || text.size() >= form.size() ||
            std::count_if(form.begin(), form.begin() + text.size(), is_hex) !=
                static_cast<std::ptrdiff_t>(digits) ||
            (form != kForms[0] && is_hex(form[text.size()]))) {
            continue;
        }
        whole.assign(text);
        whole.append(form.substr(text.size()));
        if (parse_identifier(whole, type, bytes) && type == InputType::kEui48) {
            bits = 4 * digits;
            first = value_of(bytes);
            return true;
        }
    }
    return false;
}

// Reads a names file's line into `entry`; gives null for a name, "" for a
// line with none (blank, or a comment), or why the line is bad.
const char* read_line(std::string_view line, UserName& entry) {
    for (std::size_t at = 0; (at = line.find('#', at)) != std::string_view::npos; ++at) {
        if (at == 0 || is_blank(line[at - 1])) line = line.substr(0, at);
    }
    line = trimmed(line);
    if (line.empty()) return "";
    const auto end =
        static_cast<std::size_t>(std::find_if(line.begin(), line.end(), is_blank) - line.begin());
    std::string_view prefix = line.substr(0, end);
    const std::string_view name = trimmed(line.substr(end));
    unsigned bits = 0;
    const std::size_t slash = prefix.find('/');
    if (slash != std::string_view::npos) {
        const std::string_view count = prefix.substr(slash + 1);
        for (const char c : count.substr(0, 2)) {
            bits = c >= '0' && c <= '9' ? bits * 10 + static_cast<unsigned>(c - '0') : 99;
        }
        if (count.size() > 2 || bits < 1 || bits > 48) return "bits not from 1 to 48";
        prefix = prefix.substr(0, slash);
    }
    unsigned digits = 0;
    if (!read_prefix(prefix, entry.first, digits)) {
        const bool hex = std::all_of(prefix.begin(), prefix.end(), [](char c) {
            return is_hex(c) || c == ':' || c == '-' || c == '.';
        });
        return hex && std::count_if(prefix.begin(), prefix.end(), is_hex) > 12
                   ? "a prefix of more than 12 digits"
                   : "not an address prefix";
    }
    if (name.empty()) return "no name";
    entry.bits = bits != 0 ? bits : digits;
    entry.first &= ~((std::uint64_t{1} << (48 - entry.bits)) - 1);
    entry.name.assign(name);
    return nullptr;
}

std::uint64_t key_of(std::uint64_t first, unsigned bits) {
    return first >> (48 - bits) | std::uint64_t{bits} << 48;
}

std::uint64_t hash_of(std::uint64_t key) { return key * 0x9E3779B97F4A7C15u; }

// What a name holds, as TextFlags. Why: a plain name is copied whole, where
// one of no known flags is checked byte by byte as it is written.
unsigned flags_of(std::string_view name) {
    unsigned flags = kPlain | kNoComma;
    for (const char c : name) {
        if (c < 0x20 || c > 0x7E || c == '"' || c == '\\') flags &= ~kPlain;
        if (c == ',') flags &= ~kNoComma;
    }
    return flags;
}

}  // namespace

void Names::add_file(std::string_view text, std::string_view file, std::ostream& report) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::size_t number = 0, bad = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const char* const reason = read_line(text.substr(0, end), names_.emplace_back());
        text.remove_prefix(std::min(end + 1, text.size()));
        ++number;
        if (reason == nullptr) continue;
        names_.pop_back();
        if (*reason != '\0' && ++bad <= kShownBadLines) {
            report << file << ':' << number << ": " << reason << '\n';
        }
    }
    if (bad > kShownBadLines) {
        const std::size_t more = bad - kShownBadLines;
        report << file << ": " << more << " more bad " << (more == 1 ? "line" : "lines")
               << " not shown\n";
    }
    // Why a table of the names read, the later ones taking an earlier's
    // slot, not the names sorted: half the time (perf stat, 10,000 lines).
    shift_ = 63;
    while (std::size_t{2} << (64 - shift_) < 3 * names_.size()) --shift_;
    slots_.assign(std::size_t{1} << (64 - shift_), Slot{});
    std::uint64_t present = 0;  // a bit for each length
    // 32 bits a slot, some 50 a name: about one key in 50 not held passes.
    filter_shift_ = shift_ - 5;
    filter_.assign(std::size_t{1} << (64 - filter_shift_) >> 6, 0);
    for (std::size_t i = 0; i < names_.size(); ++i) {
        const std::uint64_t key = key_of(names_[i].first, names_[i].bits);
        const std::uint64_t bit = hash_of(key) >> filter_shift_;
        filter_[bit >> 6] |= std::uint64_t{1} << (bit & 63);
        std::size_t at = hash_of(key) >> shift_;
        while (slots_[at].name != kNoName && slots_[at].key != key) {
            at = (at + 1) & (slots_.size() - 1);
        }
        slots_[at] = {
            key, static_cast<std::uint32_t>(i), {names_[i].name, flags_of(names_[i].name)}};
        present |= std::uint64_t{1} << names_[i].bits;
    }
    lengths_.clear();
    for (unsigned bits = 48; bits >= 1; --bits) {
        if ((present >> bits & 1) != 0) lengths_.push_back(static_cast<unsigned char>(bits));
    }
}

Label Names::flagged_label(const Bytes& mac) const {
    if (names_.empty()) return {};
    const bool oui = mac.size() == 3;
    const std::uint64_t value = value_of(mac) << (oui ? 24 : 0);
    for (const unsigned bits : lengths_) {
        if (oui && bits > 24) continue;
        const std::uint64_t key = key_of(value, bits);
        // Why: most lengths hold no prefix of an address, and the filter,
        // a look at one bit, says so: with 10,000 names, a run takes a fifth
        // less time (paired runs, 1,000,000 lines).
        const std::uint64_t bit = hash_of(key) >> filter_shift_;
        if ((filter_[bit >> 6] >> (bit & 63) & 1) == 0) continue;
        for (std::size_t at = hash_of(key) >> shift_; slots_[at].name != kNoName;
             at = (at + 1) & (slots_.size() - 1)) {
            if (slots_[at].key == key) return slots_[at].label;
        }
    }
    return {};
}

std::vector<UserName> Names::list() const {
    std::vector<UserName> list;
    for (const Slot& slot : slots_) {
        if (slot.name != kNoName) list.push_back(names_[slot.name]);
    }
    std::sort(list.begin(), list.end(), [](const UserName& a, const UserName& b) {
        return a.first != b.first ? a.first < b.first : a.bits < b.bits;
    });
    return list;
}

bool Names::empty() const { return names_.empty(); }

}  // namespace hexalune
