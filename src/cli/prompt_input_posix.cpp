// read_prompt_token where standard input is a byte stream: at a terminal
// the token's whole line is read.

#include <unistd.h>

#include <iostream>

#include "prompt_input.h"
#include "read_token.h"

namespace hexalune {

std::string read_prompt_token(std::size_t limit) {
    if (isatty(STDIN_FILENO) == 1) return read_token_line(std::cin, limit);
    return read_token(std::cin, limit);
}

}  // namespace hexalune
