// stripSubstring and lookup_oui_info. The first input byte gives the length
// (0 to 7) of the substring that follows it; the rest is the text, which is
// also looked up as an address.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "check.h"
#include "reference/registry_reference.h"
#include "registry/lookup.h"

namespace {

// A small registry: keys of every case, and ones no lookup key can match.
const hexalune::RegistryMap& registry() {
    static const hexalune::RegistryMap kRegistry = {
        {"008010", {"008010", "COMMODORE INTERNATIONAL", "WEST CHESTER ", ""}},
        {"ACDE48", {"ACDE48", "Private", "", ""}},
        {"0A1B2C", {"0A1B2C", "Mixed", "Somewhere ", ""}},
        {"abcdef", {"abcdef", "Lower case", "never found", ""}},
        {"", {"", "Empty key", "found for text without characters besides colons", ""}},
        {"A:B:C:", {"A:B:C:", "Colons", "never found", ""}},
    };
    return kRegistry;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const char* const chars = reinterpret_cast<const char*>(data);
    const std::size_t length = std::min<std::size_t>(data[0] % 8, size - 1);
    const std::string substring(chars + 1, length);
    const std::string text(chars + 1 + length, size - 1 - length);

    const std::string stripped = hexalune::stripSubstring(text, substring);
    FUZZ_CHECK(stripped == hexalune_reference::strip_substring(text, substring));
    if (!substring.empty()) FUZZ_CHECK(stripped.find(substring) == std::string::npos);
    FUZZ_CHECK(stripped.size() <= text.size());

    const hexalune::OUIInfo found = hexalune::lookup_oui_info(text, registry());
    const auto expected = registry().find(hexalune_reference::lookup_key(text));
    if (expected == registry().end()) {
        FUZZ_CHECK(found.assignment.empty() && found.organization.empty() &&
                   found.address.empty() && found.note.empty());
    } else {
        FUZZ_CHECK(found.assignment == expected->second.assignment);
        FUZZ_CHECK(found.organization == expected->second.organization);
        FUZZ_CHECK(found.address == expected->second.address);
    }
    return 0;
}
