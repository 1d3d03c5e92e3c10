// Finding addresses in text read in pieces, against the reference model:
// the same addresses, lines and places, whatever the pieces; and the text
// given back with " [N]" after each, byte for byte. The first input byte
// chooses the pieces' sizes (one byte each to all at once).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "reference/scan_reference.h"
#include "scan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t kSizes[] = {1, 2, 3, 7, 16, 64, 1100, std::size_t{1} << 20};
    const std::size_t piece = kSizes[data[0] & 7];
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::vector<hexalune_reference::FoundAddress> found;
    std::string echo;
    hexalune::Scanner scanner;
    const hexalune::FoundAddress take = [&](std::string_view address, hexalune::InputType,
                                            const hexalune::Bytes&, std::size_t line,
                                            std::string* out) {
        found.push_back({line, std::string(address), 0});
        *out += " [" + std::to_string(found.size()) + "]";
    };
    for (std::size_t at = 0; at < text.size(); at += piece) {
        hexalune::scan_text(scanner, std::string_view(text).substr(at, piece), &echo, take);
    }
    hexalune::scan_text(scanner, {}, &echo, take);

    const std::vector<hexalune_reference::FoundAddress> expected =
        hexalune_reference::find_addresses(text);
    FUZZ_CHECK(found.size() == expected.size());
    std::string annotated;
    std::size_t copied = 0;
    for (std::size_t i = 0; i < expected.size() && i < found.size(); ++i) {
        FUZZ_CHECK(found[i].line == expected[i].line && found[i].text == expected[i].text);
        annotated +=
            text.substr(copied, expected[i].end - copied) + " [" + std::to_string(i + 1) + "]";
        copied = expected[i].end;
    }
    FUZZ_CHECK(echo == annotated + text.substr(copied));
    return 0;
}
