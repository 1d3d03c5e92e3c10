// Build tool: writes a C++ source that defines embedded_listing() over the
// bytes of a listing file, for every target but Windows, where the listing
// is a resource. Usage: listing_to_source LISTING OUTPUT.
//
// The bytes become adjacent string literals of kRow bytes (string_rows).

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "registry/generated_source.h"

namespace {

// Bytes per string literal.
const std::size_t kRow = 1024;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: listing_to_source LISTING OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.is_open() || in.bad()) {
        std::cerr << "listing_to_source: cannot read " << argv[1] << '\n';
        return 1;
    }
    const std::string source =
        "// Generated from the registry listing by listing_to_source: do not edit.\n\n"
        "#include \"registry/embedded_listing.h\"\n\nnamespace {\n\nconst char kListing[] =" +
        hexalune::string_rows(bytes, kRow, hexalune::RowLayout::kJoined) +
        ";\n\n}  // namespace\n\nnamespace hexalune {\n\n"
        "EmbeddedListing embedded_listing() { return {kListing, sizeof kListing - 1}; }\n\n"
        "}  // namespace hexalune\n";
    return hexalune::write_generated_source("listing_to_source", argv[2], source);
}
