#include "synthetic_listing.h"

#include <cstdio>

namespace hexalune_test {

namespace {

// Six upper-case digits; multiplying by an odd number is a bijection
// modulo 2^24, so the assignments are distinct and arrive unsorted.
std::string assignment(std::size_t i) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%06X",
                  static_cast<unsigned>((i * 0x9E3779u) & 0xFFFFFFu));
    return digits;
}

// A five-digit postal code.
std::string postal_code(std::size_t i) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%05u", static_cast<unsigned>(i % 100000));
    return digits;
}

}  // namespace

std::string synthetic_listing(std::size_t min_size) {
    std::string text;
    text.reserve(min_size + 256);
    text = "Registry,Assignment,Organization Name,Organization Address\r\n";
    for (std::size_t i = 0; text.size() < min_size; ++i) {
        const std::string n = std::to_string(i);
        text += "MA-L," + assignment(i) + ",";
        if (i % 97 == 0) {
            text += "\"Synthetic \"\"Quoted\"\" Networks, Ltd. " + n + "\",\"Unit " + n +
                    ", Example Park, Springfield ST US " + postal_code(i) + " \"\r\n";
        } else {
            text += "Synthetic Networks " + n + "," + n +
                    " Example Road Suite 100 Springfield ST US 12345 \r\n";
        }
        if ((i + 1) % 100000 == 0) text += "MA-L," + assignment(i) + ",Three fields only\r\n";
    }
    return text;
}

}  // namespace hexalune_test
