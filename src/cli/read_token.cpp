#include "read_token.h"

#include <cctype>

namespace hexalune {

namespace {

bool is_space(int c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

}  // namespace

std::string read_token(std::istream& in, std::size_t limit) {
    std::string token;
    std::streambuf* buffer = in.rdbuf();
    if (buffer == nullptr || !in.good()) return token;
    const int eof = std::char_traits<char>::eof();
    int c = buffer->sgetc();
    while (c != eof && is_space(c)) c = buffer->snextc();
    while (c != eof && !is_space(c) && token.size() <= limit) {
        token += static_cast<char>(c);
        c = buffer->snextc();
    }
    return token;
}

}  // namespace hexalune
