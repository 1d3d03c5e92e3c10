// read_prompt_token where standard input is a byte stream: at a terminal
// the token's whole line is read; elsewhere one byte at a time, so that
// whatever follows the token stays in a pipe for the next reader.

#include <unistd.h>

#include <cerrno>
#include <iostream>

#include "prompt_input.h"
#include "read_token.h"

namespace hexalune {

namespace {

int next_stdin_byte() {
    unsigned char byte = 0;
    ssize_t got = 0;
    do {
        got = read(STDIN_FILENO, &byte, 1);
    } while (got < 0 && errno == EINTR);
    return got == 1 ? byte : -1;
}

}  // namespace

std::string read_prompt_token(std::size_t limit) {
    if (isatty(STDIN_FILENO) == 1) return read_token_line(std::cin, limit);
    return read_token(next_stdin_byte, limit);
}

}  // namespace hexalune
