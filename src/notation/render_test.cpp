#include "notation/render.h"

#include <gtest/gtest.h>

namespace hexalune {
namespace {

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
        {{0x01, 0x02, 0x03},
         "01:02:03",
         "010203",
         "80-40-c0",
         "0102.03",
         "{01,02,03}",
         0x010203,
         "0x010203"},
        {{0x00, 0x80, 0x10, 0xa4, 0x00, 0x0c},
         "00:80:10:a4:00:0c",
         "008010a4000c",
         "00-01-08-25-00-30",
         "0080.10a4.000c",
         "{00,80,10,a4,00,0c}",
         550034997260ull,
         "0x008010a4000c"},
        {{0x00, 0x80, 0x10, 0xff, 0xfe, 0xa4, 0x00, 0x0c},
         "00:80:10:ff:fe:a4:00:0c",
         "008010fffea4000c",
         "00-01-08-ff-7f-25-00-30",
         "0080.10ff.fea4.000c",
         "{00,80,10,ff,fe,a4,00,0c}",
         36047488693829644ull,
         "0x008010fffea4000c"},
        {{0, 0, 0, 0, 0, 0},
         "00:00:00:00:00:00",
         "000000000000",
         "00-00-00-00-00-00",
         "0000.0000.0000",
         "{00,00,00,00,00,00}",
         0,
         "0x000000000000"},
        {{0xff, 0xff, 0xff, 0xff, 0xff, 0xff},
         "ff:ff:ff:ff:ff:ff",
         "ffffffffffff",
         "ff-ff-ff-ff-ff-ff",
         "ffff.ffff.ffff",
         "{ff,ff,ff,ff,ff,ff}",
         281474976710655ull,
         "0xffffffffffff"},
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
}

TEST(Render, IntegerKeepsTheLastEightBytes) {
    EXPECT_EQ(to_integer({1, 2, 3, 4, 5, 6, 7, 8, 9}), 0x0203040506070809ull);
}

TEST(Render, BitReversalOfEveryByte) {
    for (int value = 0; value < 256; ++value) {
        std::uint8_t byte = static_cast<std::uint8_t>(value);
        std::string group = to_bit_reversed({byte});
        unsigned reversed = static_cast<unsigned>(std::stoul(group, nullptr, 16));
        for (int bit = 0; bit < 8; ++bit) {
            EXPECT_EQ((reversed >> bit) & 1u, (value >> (7 - bit)) & 1u) << value;
        }
        // Reversing twice is the identity.
        EXPECT_EQ(to_bit_reversed({static_cast<std::uint8_t>(reversed)}), to_hex({byte}, false));
    }
}

}  // namespace
}  // namespace hexalune
