#ifndef HEXALUNE_NOTATION_HEX_PAIRS_H_
#define HEXALUNE_NOTATION_HEX_PAIRS_H_

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace hexalune {

/// Each byte's two hexadecimal digits, at twice its value: lower case, or
/// upper case; with `reversed`, those of the byte with its bit order
/// reversed. Why: a byte
/// is then one load and one store, and the notations are written in a
/// third of the instructions they take a digit at a time (callgrind,
/// hexalune-batch on 100,000 lines).
struct HexPairs {
    char digits[512];
};

constexpr HexPairs hex_pairs(bool reversed, bool upper = false) {
    HexPairs pairs{};
    const char* const kDigits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    for (unsigned byte = 0; byte < 256; ++byte) {
        unsigned value = byte;
        if (reversed) {
            value = 0;
            for (unsigned bit = 0; bit < 8; ++bit) value |= ((byte >> bit) & 1u) << (7 - bit);
        }
        pairs.digits[2 * byte] = kDigits[value >> 4];
        pairs.digits[2 * byte + 1] = kDigits[value & 0x0f];
    }
    return pairs;
}

inline constexpr HexPairs kHexPairs = hex_pairs(false);
inline constexpr HexPairs kReversedHexPairs = hex_pairs(true);
inline constexpr HexPairs kUpperHexPairs = hex_pairs(false, true);

/// Writes `byte`'s pair from `pairs` at `out`; gives the end.
inline char* put_hex_pair(char* out, const HexPairs& pairs, std::uint8_t byte) {
    std::memcpy(out, pairs.digits + 2 * byte, 2);
    return out + 2;
}

/// Gives `write(count)`, `count` a constant for an EUI-48's six bytes and
/// an EUI-64's eight. Why: the loops of a writer are then unrolled for
/// them, and take half the instructions (callgrind, hexalune-batch on
/// 100,000 lines).
template <typename Write>
char* unrolled_for_eui(std::size_t count, Write write) {
    switch (count) {
        case 6:
            return write(std::integral_constant<std::size_t, 6>{});
        case 8:
            return write(std::integral_constant<std::size_t, 8>{});
        default:
            return write(count);
    }
}

}  // namespace hexalune

#endif  // HEXALUNE_NOTATION_HEX_PAIRS_H_
