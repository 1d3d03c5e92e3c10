// Address text and bytes: validation, parsing, every rendering and every
// derived identifier, each checked against a plain reference written here.
//
// The input is the address text as typed; its bytes (at most 64) are also
// used as an address of arbitrary length for the renderings.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "check.h"
#include "notation/eui64.h"
#include "notation/parse.h"
#include "notation/render.h"

namespace {

using hexalune::Bytes;

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

// Six colon-separated pairs of hexadecimal digits and nothing else.
bool reference_valid(const std::string& text) {
    if (text.size() != 17) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i % 3 == 2 ? text[i] != ':' : hex_value(text[i]) < 0) return false;
    }
    return true;
}

// One or two hexadecimal digits as a byte.
std::optional<std::uint8_t> reference_group(const std::string& group) {
    if (group.empty() || group.size() > 2) return std::nullopt;
    int value = 0;
    for (char c : group) {
        if (hex_value(c) < 0) return std::nullopt;
        value = value * 16 + hex_value(c);
    }
    return static_cast<std::uint8_t>(value);
}

// Six colon-separated groups (one trailing colon allowed) or twelve bare
// digits; nothing for anything else.
std::optional<Bytes> reference_parse(const std::string& text) {
    std::vector<std::string> groups;
    std::string current;
    for (char c : text) {
        if (c == ':') {
            groups.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) groups.push_back(current);
    Bytes bytes;
    if (groups.size() != 6) {
        if (text.size() != 12) return std::nullopt;
        groups.clear();
        for (std::size_t i = 0; i < 12; i += 2) groups.push_back(text.substr(i, 2));
    }
    for (const std::string& group : groups) {
        const std::optional<std::uint8_t> byte = reference_group(group);
        if (!byte) return std::nullopt;
        bytes.push_back(*byte);
    }
    return bytes;
}

std::string two_digits(std::uint8_t byte) {
    static const char kDigits[] = "0123456789abcdef";
    return {kDigits[byte >> 4], kDigits[byte & 0x0f]};
}

std::uint8_t reversed(std::uint8_t byte) {
    std::uint8_t out = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if (byte & (1u << bit)) out = static_cast<std::uint8_t>(out | (0x80u >> bit));
    }
    return out;
}

// The bytes as two-digit groups joined by `separator` (none when 0).
std::string joined(const Bytes& bytes, char separator, bool reverse_bits = false) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i != 0 && separator != 0) out += separator;
        out += two_digits(reverse_bits ? reversed(bytes[i]) : bytes[i]);
    }
    return out;
}

// Runs `derive` and checks that it throws std::invalid_argument exactly when
// the address is shorter than `needed` bytes; returns its result otherwise.
template <typename Derive>
auto derived(const Bytes& bytes, std::size_t needed, Derive derive)
    -> std::optional<decltype(derive(bytes))> {
    try {
        auto result = derive(bytes);
        FUZZ_CHECK(bytes.size() >= needed);
        return result;
    } catch (const std::invalid_argument&) {
        FUZZ_CHECK(bytes.size() < needed);
        return std::nullopt;
    }
}

// Every rendering and derivation of an address of any length.
void check_renderings(const Bytes& bytes) {
    const std::string digits = joined(bytes, 0);
    FUZZ_CHECK(hexalune::to_hex(bytes, true) == joined(bytes, ':'));
    FUZZ_CHECK(hexalune::to_hex(bytes, false) == digits);
    FUZZ_CHECK(hexalune::to_bit_reversed(bytes) == joined(bytes, '-', true));
    FUZZ_CHECK(hexalune::to_byte_string(bytes) == "{" + joined(bytes, ',') + "}");
    FUZZ_CHECK(hexalune::to_base16_integer(bytes) == "0x" + digits);

    std::string dot;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        if (i != 0) dot += '.';
        dot += digits.substr(2 * i, 4);
    }
    FUZZ_CHECK(hexalune::to_dot_notation(bytes) == dot);

    // The last eight bytes, big-endian.
    std::uint64_t integer = 0;
    const std::size_t first = bytes.size() > 8 ? bytes.size() - 8 : 0;
    for (std::size_t i = first; i < bytes.size(); ++i) integer = integer * 256 + bytes[i];
    FUZZ_CHECK(hexalune::to_integer(bytes) == integer);

    const auto eui64 = derived(bytes, 6, hexalune::convert_to_eui64);
    if (eui64) {
        FUZZ_CHECK(*eui64 ==
                   Bytes({bytes[0], bytes[1], bytes[2], 0xff, 0xfe, bytes[3], bytes[4], bytes[5]}));
    }
    const auto link_local = derived(bytes, 6, hexalune::to_ipv6_link_local);
    if (link_local) {
        Bytes id = *eui64;
        id[0] ^= 0x02;
        const std::string d = joined(id, 0);
        FUZZ_CHECK(*link_local == "fe80::" + d.substr(0, 4) + ":" + d.substr(4, 4) + ":" +
                                      d.substr(8, 4) + ":" + d.substr(12, 4));
    }
    const std::string head = digits.substr(0, 6),
                      tail = digits.substr(std::min<std::size_t>(6, digits.size()));
    const auto mac48 = derived(bytes, 3, hexalune::to_contained_mac48);
    if (mac48) FUZZ_CHECK(*mac48 == head + "ffff" + tail);
    const auto eui48 = derived(bytes, 3, hexalune::to_contained_eui48);
    if (eui48) FUZZ_CHECK(*eui48 == head + "fffe" + tail);
    const auto eui48_ul = derived(bytes, 3, hexalune::to_contained_eui48_ul);
    if (eui48_ul) {
        const std::uint8_t marked = static_cast<std::uint8_t>(bytes[0] | 0x02);
        FUZZ_CHECK(*eui48_ul == two_digits(marked) + head.substr(2) + "fffe" + tail);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    const bool valid = hexalune::is_valid_mac(text);
    FUZZ_CHECK(valid == reference_valid(text));

    // parse_mac either gives the reference's bytes or fails with the format
    // error; any other exception escapes and is reported as a crash.
    const std::optional<Bytes> expected = reference_parse(text);
    try {
        const Bytes bytes = hexalune::parse_mac(text);
        FUZZ_CHECK(expected && bytes == *expected);
    } catch (const std::runtime_error& e) {
        FUZZ_CHECK(!expected);
        FUZZ_CHECK(std::string(e.what()) == "Invalid MAC address format");
    }

    if (valid) {
        const Bytes bytes = hexalune::parse_mac(text);
        FUZZ_CHECK(bytes.size() == 6);
        FUZZ_CHECK(upper(hexalune::to_hex(bytes, true)) == upper(text));
        check_renderings(bytes);
    }

    check_renderings(Bytes(data, data + std::min<std::size_t>(size, 64)));
    return 0;
}
