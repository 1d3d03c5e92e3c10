// read_prompt_token for Windows: a console is read as UTF-16 text through
// the wide console API; pipes and files are byte streams, read one byte at
// a time so that whatever follows the token stays for the next reader.

#include "platform/standard_input.h"
#include "platform/utf16.h"
#include "prompt_input.h"
#include "read_token.h"

namespace hexalune {

namespace {

// The white space of read_token (the C locale's).
bool is_space(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// The token as read_token reads it, then the rest of its line up to and
// including the line feed, read and dropped.
std::u16string read_console_token(std::size_t limit) {
    std::u16string token;
    bool token_over = false;
    std::string error;  // what was read is the token, whatever the reason it stopped
    for (std::u16string chunk; !(chunk = read_console(256, error)).empty();) {
        for (const char16_t c : chunk) {
            if (token_over) {
                if (c == u'\n') return token;
            } else if (c == kConsoleEnd) {
                token_over = true;
            } else if (is_space(c)) {
                // White space before the token, blank lines included, is skipped.
                if (!token.empty()) token_over = true;
                if (token_over && c == u'\n') return token;
            } else if (token.size() <= limit) {
                token += c;
            } else {
                token_over = true;
            }
        }
    }
    return token;
}

}  // namespace

std::string read_prompt_token(std::size_t limit) {
    if (!input_is_console()) return read_token(read_input_byte, limit);
    return utf16_to_utf8(read_console_token(limit));
}

}  // namespace hexalune
