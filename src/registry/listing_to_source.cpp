// Build tool: writes a C++ source that defines embedded_listing() over the
// bytes of a listing file, for targets where the assembler cannot include
// the file itself. Usage: listing_to_source LISTING OUTPUT.
//
// The bytes become adjacent string literals of a bounded length, with every
// byte outside printable ASCII as a three-digit octal escape, so that a
// compiler reads them quickly and no escape can run into the next byte.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace {

// Bytes per string literal.
const std::size_t kChunk = 1024;

// The C++ source that carries `bytes`.
std::string listing_source(const std::string& bytes) {
    static const char kOctal[] = "01234567";
    std::string out =
        "// Generated from the registry listing by listing_to_source: do not edit.\n\n"
        "#include \"registry/embedded_listing.h\"\n\nnamespace {\n\nconst char kListing[] =";
    out.reserve(bytes.size() * 3);
    if (bytes.empty()) out += " \"\"";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % kChunk == 0) out += "\n    \"";
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\' && c != '?') {
            out += static_cast<char>(c);
        } else {
            out += '\\';
            out += kOctal[c >> 6];
            out += kOctal[(c >> 3) & 7];
            out += kOctal[c & 7];
        }
        if (i % kChunk == kChunk - 1 || i + 1 == bytes.size()) out += '"';
    }
    out +=
        ";\n\n}  // namespace\n\nnamespace hexalune {\n\n"
        "EmbeddedListing embedded_listing() { return {kListing, sizeof kListing - 1}; }\n\n"
        "}  // namespace hexalune\n";
    return out;
}

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
    const std::string source = listing_source(bytes);
    std::ofstream out(argv[2], std::ios::binary);
    if (!(out << source) || !out.flush()) {
        std::cerr << "listing_to_source: cannot write " << argv[2] << '\n';
        out.close();
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}
