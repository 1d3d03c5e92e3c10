#include "render.h"

namespace hexalune {

namespace {

const char kDigits[] = "0123456789abcdef";

// Each nibble with its bits in reverse order.
const std::uint8_t kReversedNibble[16] = {0x0, 0x8, 0x4, 0xc, 0x2, 0xa, 0x6, 0xe,
                                          0x1, 0x9, 0x5, 0xd, 0x3, 0xb, 0x7, 0xf};

std::uint8_t reverse_bits(std::uint8_t byte) {
    return static_cast<std::uint8_t>(kReversedNibble[byte & 0x0f] << 4 |
                                     kReversedNibble[byte >> 4]);
}

// Appends the bytes' two-digit groups with `separator` between them (none
// when 0), each byte's bits reversed first if `reversed`. Why: one resize
// and plain stores, not a capacity check a character; a writer of records
// renders millions of these.
void append_groups(std::string& out, const Bytes& bytes, char separator, bool reversed) {
    if (bytes.empty()) return;
    const std::size_t start = out.size();
    out.resize(start + bytes.size() * (separator != 0 ? 3 : 2) - (separator != 0 ? 1 : 0));
    char* p = &out[start];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (separator != 0 && i != 0) *p++ = separator;
        const std::uint8_t byte = reversed ? reverse_bits(bytes[i]) : bytes[i];
        *p++ = kDigits[byte >> 4];
        *p++ = kDigits[byte & 0x0f];
    }
}

}  // namespace

void append_hex(std::string& out, const Bytes& bytes, bool with_separators) {
    append_groups(out, bytes, with_separators ? ':' : 0, false);
}

void append_bit_reversed(std::string& out, const Bytes& bytes) {
    append_groups(out, bytes, '-', true);
}

void append_dot_notation(std::string& out, const Bytes& bytes) {
    if (bytes.empty()) return;
    // A dot after each byte at an odd position but the last.
    const std::size_t start = out.size();
    out.resize(start + bytes.size() * 2 + (bytes.size() - 1) / 2);
    char* p = &out[start];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        *p++ = kDigits[bytes[i] >> 4];
        *p++ = kDigits[bytes[i] & 0x0f];
        if (i % 2 == 1 && i + 1 != bytes.size()) *p++ = '.';
    }
}

std::string to_hex(const Bytes& bytes, bool with_separators) {
    std::string out;
    append_hex(out, bytes, with_separators);
    return out;
}

std::string to_bit_reversed(const Bytes& bytes) {
    std::string out;
    append_bit_reversed(out, bytes);
    return out;
}

std::string to_dot_notation(const Bytes& bytes) {
    std::string out;
    append_dot_notation(out, bytes);
    return out;
}

std::string to_byte_string(const Bytes& bytes) {
    std::string out = "{";
    append_groups(out, bytes, ',', false);
    out += '}';
    return out;
}

std::uint64_t to_integer(const Bytes& bytes) {
    std::uint64_t value = 0;
    for (std::uint8_t byte : bytes) value = (value << 8) | byte;
    return value;
}

std::string to_base16_integer(const Bytes& bytes) {
    std::string out = "0x";
    append_hex(out, bytes, false);
    return out;
}

}  // namespace hexalune
