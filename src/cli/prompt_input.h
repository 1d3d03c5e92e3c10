#ifndef HEXALUNE_CLI_PROMPT_INPUT_H_
#define HEXALUNE_CLI_PROMPT_INPUT_H_

#include <cstddef>
#include <string>

namespace hexalune {

/// The address token answered at the prompt on standard input, by the
/// rules of read_token (at most just over `limit` characters). From a
/// terminal or console, the rest of the typed line is read and discarded
/// too, so none of it is left for whatever reads the terminal next (the
/// shell); from a pipe or file nothing after the white space that ends the
/// token is read, so the next reader (a script's `read`) gets the rest.
/// Windows console input is read as UTF-16 and given as UTF-8, like the
/// arguments.
std::string read_prompt_token(std::size_t limit);

}  // namespace hexalune

#endif  // HEXALUNE_CLI_PROMPT_INPUT_H_
