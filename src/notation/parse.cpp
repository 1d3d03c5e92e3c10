#include "parse.h"

#include <iostream>
#include <regex>
#include <stdexcept>

namespace hexalune {

namespace {

// The value of one hexadecimal digit, or -1 for any other character.
int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

[[noreturn]] void fail_format() { throw std::runtime_error("Invalid MAC address format"); }

// One to two hexadecimal digits and nothing else, as a byte.
std::uint8_t group_value(const std::string& group) {
    if (group.empty() || group.size() > 2) fail_format();
    int value = 0;
    for (char c : group) {
        int digit = hex_digit(c);
        if (digit < 0) fail_format();
        value = value * 16 + digit;
    }
    return static_cast<std::uint8_t>(value);
}

}  // namespace

std::vector<std::string> split(const std::string& text, char delimiter) {
    std::vector<std::string> pieces;
    std::string::size_type start = 0;
    while (start < text.size()) {
        std::string::size_type end = text.find(delimiter, start);
        if (end == std::string::npos) {
            pieces.push_back(text.substr(start));
            break;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

Bytes parse_mac(const std::string& text) {
    Bytes bytes;
    std::vector<std::string> groups = split(text, ':');
    if (groups.size() == 6) {
        for (const std::string& group : groups) bytes.push_back(group_value(group));
        return bytes;
    }
    if (text.size() != 12) fail_format();
    for (std::string::size_type i = 0; i < text.size(); i += 2) {
        bytes.push_back(group_value(text.substr(i, 2)));
    }
    return bytes;
}

std::optional<Bytes> parse_device_notation(std::string_view text) {
    // The digits between two separators: 17 characters are six pairs, 14
    // three quads, 12 one run of bare digits.
    std::size_t group = 0;
    char separator = 0;
    if (text.size() == 17 && (text[2] == ':' || text[2] == '-')) {
        group = 2;
        separator = text[2];
    } else if (text.size() == 14) {
        group = 4;
        separator = '.';
    } else if (text.size() == 12) {
        group = 12;
    } else {
        return std::nullopt;
    }
    Bytes bytes(6, 0);
    std::size_t digits = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i % (group + 1) == group) {
            if (text[i] != separator) return std::nullopt;
        } else {
            const int value = hex_digit(text[i]);
            if (value < 0) return std::nullopt;
            bytes[digits / 2] = static_cast<std::uint8_t>(bytes[digits / 2] << 4 | value);
            ++digits;
        }
    }
    return bytes;
}

bool is_valid_mac(const std::string& text) {
    try {
        const std::regex pattern("^([0-9A-Fa-f]{2}[:]){5}([0-9A-Fa-f]{2})$",
                                 std::regex::ECMAScript);
        // Only 17 characters can match; longer text is not handed to the
        // backtracking matcher at all.
        return text.size() == 17 && std::regex_match(text, pattern);
    } catch (const std::regex_error& e) {
        std::cout << "Regex error: " << e.what() << std::endl;
        return false;
    }
}

}  // namespace hexalune
