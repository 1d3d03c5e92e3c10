#include "notation/render.h"

#include <gtest/gtest.h>

namespace hexalune {
namespace {

// The worked example's six and eight bytes are checked literally end to end
// (Cli.WorkedExampleByteForByte), and every byte value against the reference
// by the address fuzz target's corpus (every-byte-*).
struct RenderCase {
    Bytes bytes;
    const char* hex;
    const char* hex_plain;
    const char* bit_reversed;
    const char* dot;
    const char* byte_string;
    std::uint64_t integer;
    const char* base16;
};

TEST(Render, EveryNotation) {
    const RenderCase cases[] = {
        {{}, "", "", "", "", "{}", 0, "0x"},
        {{0x0a}, "0a", "0a", "50", "0a", "{0a}", 10, "0x0a"},
        // An odd count: the dot notation ends in a group of two.
        {{0x01, 0x02, 0x03},
         "01:02:03",
         "010203",
         "80-40-c0",
         "0102.03",
         "{01,02,03}",
         0x010203,
         "0x010203"},
        // Above the signed 64-bit range: printed as unsigned.
        {{0xff, 0xff, 0xff, 0xff, 0xfe, 0xff, 0xff, 0xff},
         "ff:ff:ff:ff:fe:ff:ff:ff",
         "fffffffffeffffff",
         "ff-ff-ff-ff-7f-ff-ff-ff",
         "ffff.ffff.feff.ffff",
         "{ff,ff,ff,ff,fe,ff,ff,ff}",
         18446744073692774399ull,
         "0xfffffffffeffffff"},
    };
    for (const RenderCase& c : cases) {
        SCOPED_TRACE(c.hex);
        EXPECT_EQ(to_hex(c.bytes, true), c.hex);
        EXPECT_EQ(to_hex(c.bytes, false), c.hex_plain);
        EXPECT_EQ(to_bit_reversed(c.bytes), c.bit_reversed);
        EXPECT_EQ(to_dot_notation(c.bytes), c.dot);
        EXPECT_EQ(to_byte_string(c.bytes), c.byte_string);
        EXPECT_EQ(to_integer(c.bytes), c.integer);
        EXPECT_EQ(to_base16_integer(c.bytes), c.base16);
    }
    // More than eight bytes: the integer keeps the last eight.
    EXPECT_EQ(to_integer({1, 2, 3, 4, 5, 6, 7, 8, 9}), 0x0203040506070809ull);
}

}  // namespace
}  // namespace hexalune
