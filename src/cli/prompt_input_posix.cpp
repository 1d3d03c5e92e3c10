// read_prompt_token where standard input is a byte stream: at a terminal
// the token's whole line is read; elsewhere one byte at a time, so that
// whatever follows the token stays in a pipe for the next reader.

#include <unistd.h>

#include <iostream>

#include "platform/standard_input.h"
#include "prompt_input.h"
#include "read_token.h"

namespace hexalune {

namespace {

int next_stdin_byte() {
    char byte = 0;
    std::string error;
    return read_input(&byte, 1, error) == 1 ? static_cast<unsigned char>(byte) : -1;
}

}  // namespace

std::string read_prompt_token(std::size_t limit) {
    if (isatty(STDIN_FILENO) == 1) return read_token_line(std::cin, limit);
    return read_token(next_stdin_byte, limit);
}

}  // namespace hexalune
