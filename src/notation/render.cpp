#include "render.h"

namespace hexalune {

namespace {

void append_byte(std::string& out, std::uint8_t byte) {
    static const char kDigits[] = "0123456789abcdef";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0f];
}

std::uint8_t reverse_bits(std::uint8_t byte) {
    std::uint8_t reversed = 0;
    for (int bit = 0; bit < 8; ++bit) {
        reversed = static_cast<std::uint8_t>((reversed << 1) | ((byte >> bit) & 1));
    }
    return reversed;
}

}  // namespace

std::string to_hex(const Bytes& bytes, bool with_separators) {
    std::string out;
    out.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (with_separators && i != 0) out += ':';
        append_byte(out, bytes[i]);
    }
    return out;
}

std::string to_bit_reversed(const Bytes& bytes) {
    std::string out;
    out.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i != 0) out += '-';
        append_byte(out, reverse_bits(bytes[i]));
    }
    return out;
}

std::string to_dot_notation(const Bytes& bytes) {
    std::string out;
    out.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        append_byte(out, bytes[i]);
        if (i % 2 == 1 && i + 1 != bytes.size()) out += '.';
    }
    return out;
}

std::string to_byte_string(const Bytes& bytes) {
    std::string out = "{";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i != 0) out += ',';
        append_byte(out, bytes[i]);
    }
    out += '}';
    return out;
}

std::uint64_t to_integer(const Bytes& bytes) {
    std::uint64_t value = 0;
    for (std::uint8_t byte : bytes) value = (value << 8) | byte;
    return value;
}

std::string to_base16_integer(const Bytes& bytes) { return "0x" + to_hex(bytes, false); }

}  // namespace hexalune
