#include "read_token.h"

#include <cctype>

namespace hexalune {

namespace {

bool is_space(int c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

const int kEof = std::char_traits<char>::eof();
const int kNoByte = -1;  // NextByte's end of input

// Reads the token into `token` and gives the character after it, still
// unread (kEof at the end of input).
int take_token(std::streambuf& buffer, std::size_t limit, std::string& token) {
    int c = buffer.sgetc();
    while (c != kEof && is_space(c)) c = buffer.snextc();
    while (c != kEof && !is_space(c) && token.size() <= limit) {
        token += static_cast<char>(c);
        c = buffer.snextc();
    }
    return c;
}

}  // namespace

std::string read_token(NextByte next, std::size_t limit) {
    std::string token;
    int c = next();
    while (c != kNoByte && is_space(c)) c = next();
    while (c != kNoByte && !is_space(c)) {
        token += static_cast<char>(c);
        if (token.size() > limit) break;  // nothing past the cut is read
        c = next();
    }
    return token;
}

std::string read_token_line(std::istream& in, std::size_t limit) {
    std::string token;
    std::streambuf* buffer = in.rdbuf();
    if (buffer == nullptr || !in.good()) return token;
    int c = take_token(*buffer, limit, token);
    // Looking past the line feed would wait for the next line.
    while (c != kEof && c != '\n') c = buffer->snextc();
    if (c == '\n') buffer->sbumpc();
    return token;
}

}  // namespace hexalune
