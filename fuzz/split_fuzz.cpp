// split: the first input byte is the delimiter, the rest the text.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "check.h"
#include "notation/parse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const char delimiter = static_cast<char>(data[0]);
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

    const std::vector<std::string> pieces = hexalune::split(text, delimiter);

    // No piece holds the delimiter.
    for (const std::string& piece : pieces) {
        FUZZ_CHECK(piece.find(delimiter) == std::string::npos);
    }

    // One piece per delimiter, plus one, except that a delimiter at the very
    // end adds none and empty text gives none.
    const bool trailing = !text.empty() && text.back() == delimiter;
    const std::size_t delimiters =
        static_cast<std::size_t>(std::count(text.begin(), text.end(), delimiter));
    FUZZ_CHECK(pieces.size() == (text.empty() ? 0 : delimiters + 1 - (trailing ? 1 : 0)));

    // Joined again, the pieces give the text without its final delimiter.
    std::string joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i != 0) joined += delimiter;
        joined += pieces[i];
    }
    FUZZ_CHECK(joined == (trailing ? text.substr(0, text.size() - 1) : text));
    return 0;
}
