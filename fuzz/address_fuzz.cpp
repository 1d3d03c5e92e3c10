// Address text and bytes: validation, parsing (the devices' notations too),
// every rendering and every derived identifier, and the well-known address
// lookup, each checked against the tests' reference model.
//
// The input is the address text as typed; its bytes (at most 64) are also
// used as an address of arbitrary length for the renderings.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "check.h"
#include "notation/eui64.h"
#include "notation/parse.h"
#include "notation/render.h"
#include "notation/well_known.h"
#include "reference/notation_reference.h"
#include "reference/well_known_reference.h"

namespace {

using hexalune::Bytes;
namespace reference = hexalune_reference;

std::string upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

// Checks that `derive` throws std::invalid_argument exactly where the
// reference gives nothing, and gives the reference's result otherwise.
template <typename Derive, typename Expected>
void check_derived(const Bytes& bytes, Derive derive, const Expected& expected) {
    try {
        const auto result = derive(bytes);
        FUZZ_CHECK(expected && result == *expected);
    } catch (const std::invalid_argument&) {
        FUZZ_CHECK(!expected);
    }
}

// The row's name for `bytes` fits its room and is the reference's.
void check_well_known_name(const hexalune::WellKnownEntry& entry, const Bytes& bytes) {
    char name[hexalune::kWellKnownNameRoom];
    char* const end = hexalune::write_well_known_name(name, entry, bytes);
    FUZZ_CHECK(end - name <= static_cast<std::ptrdiff_t>(hexalune::kWellKnownNameRoom));
    FUZZ_CHECK(std::string(name, end) == reference::well_known_name(entry, bytes));
}

// The well-known row of an address of any length, and of its first three
// bytes as an OUI alone: each covers what it was looked up for, and a row
// that covers the whole OUI is never narrower than the address's own.
void check_well_known(const Bytes& bytes) {
    const hexalune::WellKnownEntry* const entry = hexalune::find_well_known(bytes);
    const std::uint64_t address = reference::to_integer(bytes);
    FUZZ_CHECK(!entry || (bytes.size() == 6 && entry->first <= address && address <= entry->last));
    if (entry) check_well_known_name(*entry, bytes);
    if (bytes.size() < 3) return;
    const Bytes oui(bytes.begin(), bytes.begin() + 3);
    const hexalune::WellKnownEntry* const whole = hexalune::find_well_known_oui(oui);
    if (!whole) return;
    const std::uint64_t first = reference::to_integer(oui) << 24;
    FUZZ_CHECK(whole->first <= first && (first | 0xffffff) <= whole->last);
    FUZZ_CHECK(bytes.size() != 6 ||
               (entry && entry->last - entry->first <= whole->last - whole->first));
    check_well_known_name(*whole, oui);
    check_well_known_name(*whole, bytes);
}

// Every rendering and derivation of an address of any length.
void check_renderings(const Bytes& bytes) {
    FUZZ_CHECK(hexalune::to_hex(bytes, true) == reference::to_hex(bytes, true));
    FUZZ_CHECK(hexalune::to_hex(bytes, false) == reference::to_hex(bytes, false));
    FUZZ_CHECK(hexalune::to_bit_reversed(bytes) == reference::to_bit_reversed(bytes));
    FUZZ_CHECK(hexalune::to_byte_string(bytes) == reference::to_byte_string(bytes));
    FUZZ_CHECK(hexalune::to_base16_integer(bytes) == reference::to_base16_integer(bytes));
    FUZZ_CHECK(hexalune::to_dot_notation(bytes) == reference::to_dot_notation(bytes));
    FUZZ_CHECK(hexalune::to_integer(bytes) == reference::to_integer(bytes));
    check_derived(bytes, hexalune::convert_to_eui64, reference::convert_to_eui64(bytes));
    check_derived(bytes, hexalune::to_ipv6_link_local, reference::to_ipv6_link_local(bytes));
    check_derived(bytes, hexalune::to_contained_mac48, reference::to_contained_mac48(bytes));
    check_derived(bytes, hexalune::to_contained_eui48, reference::to_contained_eui48(bytes));
    check_derived(bytes, hexalune::to_contained_eui48_ul, reference::to_contained_eui48_ul(bytes));
    check_derived(bytes, hexalune::to_ipv6_link_local_canonical,
                  reference::to_ipv6_link_local_canonical(bytes));
    check_well_known(bytes);
    check_derived(
        bytes,
        [](const Bytes& eui64) {
            char out[25];
            return std::string(out, hexalune::write_ipv6_link_local_from_eui64(out, eui64));
        },
        reference::ipv6_link_local_from_eui64(bytes));
}

// The reference tells an identifier's type by its number of bytes.
std::size_t size_of(hexalune::InputType type) {
    const std::size_t kSizes[] = {6, 8, 16, 3};  // in InputType's order
    return kSizes[static_cast<std::size_t>(type)];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    const bool valid = hexalune::is_valid_mac(text);
    FUZZ_CHECK(valid == reference::is_valid_mac(text));

    // parse_mac either gives the reference's bytes or fails with the format
    // error; any other exception escapes and is reported as a crash.
    const std::optional<Bytes> expected = reference::parse_mac(text);
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

    // The notations devices print (hexalune-batch's input).
    const std::optional<Bytes> device = reference::parse_device_notation(text);
    Bytes read;
    FUZZ_CHECK(hexalune::parse_device_notation(text, read) == device.has_value());
    FUZZ_CHECK(!device || read == *device);

    // Every identifier hexalune-batch takes.
    const std::optional<Bytes> identifier = reference::parse_identifier(text);
    hexalune::InputType type{};
    FUZZ_CHECK(hexalune::parse_identifier(text, type, read) == identifier.has_value());
    FUZZ_CHECK(!identifier || (read == *identifier && size_of(type) == read.size()));
    if (identifier) check_renderings(read);

    check_renderings(Bytes(data, data + std::min<std::size_t>(size, 64)));
    return 0;
}
