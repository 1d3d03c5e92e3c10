#include "peer_files.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>

namespace hexalune {

namespace {

// Records are written once this many bytes of them wait.
const std::size_t kFlushAt = 1 << 16;

// Each format's longest line, its LF included: what the reader's fgets
// takes whole (nmap's and arp-scan's buffers are 128 and 255 bytes,
// Wireshark's 1024).
std::size_t line_limit(PeerFormat format) {
    return format == PeerFormat::kManuf ? 1023 : format == PeerFormat::kNmap ? 127 : 254;
}

// Wireshark 4.0 keeps a name's first 63 bytes (MAXNAMELEN).
const std::size_t kManufName = 63;

// A prefix of a block or of the user's names, and its name.
struct Entry {
    std::uint64_t first;
    unsigned bits;
    std::string_view name;
    std::string_view short_name;  // empty: none
};

// The blocks and the names in one order, a name in the place of a block
// with the same first address and bits.
std::vector<Entry> entries_of(const std::vector<AddressBlock>& blocks,
                              const std::vector<UserName>& names) {
    std::vector<Entry> entries;
    entries.reserve(blocks.size() + names.size());
    auto block = blocks.begin();
    auto name = names.begin();
    while (block != blocks.end() || name != names.end()) {
        if (name == names.end() ||
            (block != blocks.end() &&
             std::tie(block->first, block->bits) < std::tie(name->first, name->bits))) {
            entries.push_back({block->first, block->bits, block->organization, block->short_name});
            ++block;
            continue;
        }
        if (block != blocks.end() && block->first == name->first && block->bits == name->bits) {
            ++block;
        }
        entries.push_back({name->first, name->bits, name->name, {}});
        ++name;
    }
    return entries;
}

bool blank(char c) { return c == ' ' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }

// `text` cut to at most `limit` bytes, where no UTF-8 sequence goes on (or
// 3 bytes before, in bytes that are no UTF-8).
std::string_view cut(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text;
    for (int back = 0; back < 3 && (static_cast<unsigned char>(text[limit]) & 0xc0) == 0x80;
         ++back) {
        --limit;
    }
    return text.substr(0, limit);
}

// `text` without the spaces and control characters around it, cut.
std::string_view trimmed(std::string_view text, std::size_t limit = std::string::npos) {
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    text = cut(text, limit);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// Writes trimmed `text` at `out`, its control characters as `space`, and
// its spaces too with `spaces`; gives the end.
char* write_name(char* out, std::string_view text, char space, bool spaces = false) {
    for (char c : text) *out++ = blank(c) && (spaces || c != ' ') ? space : c;
    return out;
}

const char kDigits[] = "0123456789ABCDEF";

// Writes the first `count` hexadecimal digits of the EUI-48 `first`, upper
// case, in pairs joined by ':' if `pairs`; gives the end.
char* write_digits(char* out, std::uint64_t first, unsigned count, bool pairs) {
    for (unsigned i = 0; i < count; ++i) {
        if (pairs && i != 0 && i % 2 == 0) *out++ = ':';
        *out++ = kDigits[first >> (44 - 4 * i) & 0xf];
    }
    return out;
}

// Writes the prefix as manuf has it, and as the messages name it: at most
// 20 bytes; gives the end.
char* write_prefix(char* out, std::uint64_t first, unsigned bits) {
    out = write_digits(out, first, bits == 24 ? 6 : 12, true);
    if (bits == 24 || bits == 48) return out;
    *out++ = '/';
    if (bits >= 10) *out++ = static_cast<char>('0' + bits / 10);
    *out++ = static_cast<char>('0' + bits % 10);
    return out;
}

// Why `format` cannot hold a prefix of `bits` bits; none if it can.
const char* bits_refused(PeerFormat format, unsigned bits) {
    if (format == PeerFormat::kNmap && bits != 24 && bits != 28 && bits != 36) {
        return "nmap reads prefixes of 24, 28 and 36 bits only";
    }
    if (format == PeerFormat::kArpScan && (bits % 4 != 0 || bits < 8)) {
        return "arp-scan reads prefixes of 2 to 12 whole hexadecimal digits only";
    }
    return nullptr;
}

// Writes `entry`'s line; false, with a message, if `format` cannot hold it.
bool write_entry(Output& output, PeerFormat format, const Entry& entry) {
    const bool manuf = format == PeerFormat::kManuf;
    const unsigned digits = entry.bits / 4;
    const std::size_t room = manuf ? kManufName : line_limit(format) - digits - 2;
    const std::string_view name = trimmed(entry.name, room);
    const std::string_view short_name =
        trimmed(entry.short_name).empty() ? name : trimmed(entry.short_name, kManufName);
    const char* refused = bits_refused(format, entry.bits);
    if (!refused && name.empty()) refused = "it has none";
    if (!refused && manuf &&
        (name.find('#') != name.npos || short_name.find('#') != short_name.npos)) {
        refused = "Wireshark ends a line at '#'";
    }
    if (refused) {
        char prefix[24];
        std::string shown(trimmed(entry.name));
        for (char& c : shown) c = blank(c) ? ' ' : c;
        output.messages += "hexalune-batch: " +
                           std::string(prefix, write_prefix(prefix, entry.first, entry.bits)) +
                           " \"" + shown + "\" left out: " + refused + '\n';
        return false;
    }
    append_records(output, 24 + short_name.size() + name.size() + 3, [&](char* out) {
        if (manuf) {
            out = write_prefix(out, entry.first, entry.bits);
            *out++ = '\t';
            out = write_name(out, short_name, '_', true);
        } else {
            out = write_digits(out, entry.first, digits, false);
        }
        *out++ = format == PeerFormat::kNmap ? ' ' : '\t';
        out = write_name(out, name, ' ');
        *out++ = '\n';
        return out;
    });
    return true;
}

// The place of a prefix of `bits` bits among `format`'s lines.
int rank(PeerFormat format, unsigned bits) {
    return format == PeerFormat::kManuf ? 0 : format == PeerFormat::kNmap ? int(bits) : -int(bits);
}

}  // namespace

std::optional<PeerFormat> peer_format(std::string_view name) {
    if (name == "manuf") return PeerFormat::kManuf;
    if (name == "nmap") return PeerFormat::kNmap;
    if (name == "arp-scan") return PeerFormat::kArpScan;
    return std::nullopt;
}

bool write_peer_file(Output& output, PeerFormat format, const std::vector<AddressBlock>& blocks,
                     const std::vector<UserName>& names, std::string_view about) {
    for (std::size_t at = 0, end; at < about.size(); at = end + 1) {
        end = std::min(about.find('\n', at), about.size());
        const std::string_view line = cut(about.substr(at, end - at), line_limit(format) - 3);
        append_records(output, line.size() + 3, [&](char* out) {
            *out++ = '#';
            if (!line.empty()) *out++ = ' ';
            out = write_name(out, line, ' ');
            *out++ = '\n';
            return out;
        });
    }
    std::vector<Entry> entries = entries_of(blocks, names);
    std::stable_sort(entries.begin(), entries.end(), [format](const Entry& a, const Entry& b) {
        return rank(format, a.bits) < rank(format, b.bits);
    });
    for (const Entry& entry : entries) {
        write_entry(output, format, entry);
        if (output.size >= kFlushAt && !flush_output(output)) return false;
    }
    return flush_output(output);
}

}  // namespace hexalune
