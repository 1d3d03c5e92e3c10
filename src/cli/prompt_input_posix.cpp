// read_prompt_token where standard input is a byte stream: at a terminal
// the token's whole line is read; elsewhere one byte at a time, so that
// whatever follows the token stays in a pipe for the next reader.

#include <unistd.h>

#include <iostream>

#include "platform/standard_input.h"
#include "prompt_input.h"
#include "read_token.h"

namespace hexalune {

std::string read_prompt_token(std::size_t limit) {
    if (isatty(STDIN_FILENO) == 1) return read_token_line(std::cin, limit);
    return read_token(read_input_byte, limit);
}

}  // namespace hexalune
