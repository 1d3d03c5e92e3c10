#ifndef HEXALUNE_CLI_ARGUMENTS_H_
#define HEXALUNE_CLI_ARGUMENTS_H_

#include <optional>
#include <string>

namespace hexalune {

/// The first command-line argument after the program name, whole, as given
/// to `main`; nothing when there is none. On Windows it is taken from the
/// UTF-16 command line and converted to UTF-8 instead, since the narrow
/// arguments have been through the ANSI code page, whose best-fit mapping
/// turns look-alikes such as fullwidth digits into ASCII.
std::optional<std::string> first_argument(int argc, const char* const argv[]);

}  // namespace hexalune

#endif  // HEXALUNE_CLI_ARGUMENTS_H_
