// read_prompt_token for Windows: a console is read as UTF-16 text through
// the wide console API; pipes and files are byte streams, read one byte at
// a time so that whatever follows the token stays for the next reader.

#include <windows.h>

#include "platform/utf16.h"
#include "prompt_input.h"
#include "read_token.h"

namespace hexalune {

namespace {

// The white space of read_token (the C locale's).
bool is_space(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// Ctrl+Z, which ends console input.
const char16_t kEndOfInput = 0x1A;

// The token as read_token reads it, then the rest of its line up to and
// including the line feed, read and dropped.
std::u16string read_console_token(HANDLE console, std::size_t limit) {
    std::u16string token;
    bool token_over = false;
    wchar_t chunk[256];
    DWORD got = 0;
    while (ReadConsoleW(console, chunk, sizeof chunk / sizeof chunk[0], &got, nullptr) != 0 &&
           got != 0) {
        for (DWORD i = 0; i < got; ++i) {
            const char16_t c = static_cast<char16_t>(chunk[i]);
            if (token_over) {
                if (c == u'\n') return token;
            } else if (c == kEndOfInput) {
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

int next_stdin_byte() {
    unsigned char byte = 0;
    DWORD got = 0;
    const BOOL read = ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &got, nullptr);
    return read != 0 && got == 1 ? byte : -1;
}

}  // namespace

std::string read_prompt_token(std::size_t limit) {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (input == nullptr || input == INVALID_HANDLE_VALUE || GetConsoleMode(input, &mode) == 0) {
        return read_token(next_stdin_byte, limit);
    }
    return utf16_to_utf8(read_console_token(input, limit));
}

}  // namespace hexalune
