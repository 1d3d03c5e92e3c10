#include "registry/generated_source.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <stdexcept>

namespace hexalune {

std::string string_rows(std::string_view bytes, std::size_t row, RowLayout layout) {
    static const char kOctal[] = "01234567";
    const bool terminated = layout == RowLayout::kTerminated;
    std::string out;
    out.reserve(bytes.size() * 3);
    std::size_t start = 0;
    do {
        const std::string_view text = bytes.substr(start, row - (terminated ? 1 : 0));
        start += row;
        if (terminated && start <= bytes.size() && bytes[start - 1] != '\0') {
            throw std::invalid_argument("string_rows: a row of a char[][] array ends in no null");
        }
        out += "\n    \"";
        for (const char byte : text) {
            const auto c = static_cast<unsigned char>(byte);
            if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\' && c != '?') {
                out += byte;
            } else {
                out += {'\\', kOctal[c >> 6], kOctal[(c >> 3) & 7], kOctal[c & 7]};
            }
        }
        out += terminated ? "\"," : "\"";
    } while (start < bytes.size());
    return out;
}

int write_generated_source(const char* tool, const char* path, const std::string& source) {
    std::ofstream out(path, std::ios::binary);
    if (out << source && out.flush()) return 0;
    std::cerr << tool << ": cannot write " << path << '\n';
    out.close();
    std::remove(path);
    return 1;
}

}  // namespace hexalune
