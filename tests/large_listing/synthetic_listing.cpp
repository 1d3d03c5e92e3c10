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

bool quoted(std::size_t i) { return i % 97 == 0; }

// A five-digit postal code.
std::string postal_code(std::size_t i) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%05u", static_cast<unsigned>(i % 100000));
    return digits;
}

}  // namespace

SyntheticRecord synthetic_record(std::size_t i) {
    const std::string n = std::to_string(i);
    if (quoted(i)) {
        return {assignment(i), "Synthetic \"Quoted\" Networks, Ltd. " + n,
                "Unit " + n + ", Example Park, Springfield ST US " + postal_code(i) + " "};
    }
    return {assignment(i), "Synthetic Networks " + n,
            n + " Example Road Suite 100 Springfield ST US 12345 "};
}

SyntheticListing synthetic_listing(std::size_t min_size) {
    SyntheticListing listing;
    listing.text.reserve(min_size + 256);
    listing.text = "Registry,Assignment,Organization Name,Organization Address\r\n";
    std::size_t line = 1;
    for (std::size_t i = 0; listing.text.size() < min_size; ++i) {
        const std::string n = std::to_string(i);
        listing.text += "MA-L," + assignment(i) + ",";
        if (quoted(i)) {
            listing.text += "\"Synthetic \"\"Quoted\"\" Networks, Ltd. " + n + "\",\"Unit " + n +
                            ", Example Park, Springfield ST US " + postal_code(i) + " \"\r\n";
        } else {
            listing.text += "Synthetic Networks " + n + "," + n +
                            " Example Road Suite 100 Springfield ST US 12345 \r\n";
        }
        ++line;
        ++listing.records;
        if ((i + 1) % 100000 == 0) {
            listing.text += "MA-L," + assignment(i) + ",Three fields only\r\n";
            ++line;
            listing.report += "Error parsing line " + std::to_string(line) +
                              ": Insufficient data columns in CSV\n";
        }
    }
    return listing;
}

}  // namespace hexalune_test
