// hexalune-batch's block records of fuzzed blocks, in both formats, within
// their room, against the reference's. Input: a byte of the bits (1 to 48)
// and, in bit 7, whether the block is a user's name (the organization
// alone); six of its first address, cut to those bits; the sizes of the
// organization and the address; their bytes, then the short name's.

#include <cstdint>
#include <string>
#include <vector>

#include "block_record.h"
#include "block_search.h"
#include "check.h"
#include "reference/record_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 9) return 0;
    const unsigned bits = 1 + (data[0] & 0x7F) % 48;
    const bool name = (data[0] & 0x80) != 0;
    std::uint64_t first = 0;
    for (std::size_t i = 1; i <= 6; ++i) first = first << 8 | data[i];
    first &= ~((std::uint64_t{1} << (48 - bits)) - 1);
    const std::string texts(reinterpret_cast<const char*>(data) + 9, size - 9);
    const std::string organization = texts.substr(0, data[7]);
    const std::string address = texts.substr(organization.size(), data[8]);
    const std::string short_name = texts.substr(organization.size() + address.size());

    const hexalune::UserName user{first, bits, organization};  // the block's texts are its
    hexalune::AddressBlock block = hexalune::name_block(user);
    if (!name) block.registry = "MA-M", block.address = address, block.short_name = short_name;
    for (const auto format : {hexalune::Format::kJson, hexalune::Format::kCsv}) {
        std::vector<char> room(hexalune::block_room(block));
        char* const end = hexalune::write_block_record(room.data(), format, block);
        FUZZ_CHECK(end <= room.data() + room.size());
        FUZZ_CHECK(std::string(room.data(), end) ==
                   hexalune_reference::block_record(
                       name ? "names" : "MA-M", bits, first, organization,
                       name ? std::nullopt : std::optional<std::string>(address),
                       name ? organization : short_name, format == hexalune::Format::kJson));
    }
    return 0;
}
