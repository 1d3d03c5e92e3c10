#ifndef HEXALUNE_PLATFORM_COMMAND_LINE_H_
#define HEXALUNE_PLATFORM_COMMAND_LINE_H_

#include <string>
#include <vector>

namespace hexalune {

/// The command-line arguments after the program name, whole, as given to
/// `main`. On Windows they are taken from the UTF-16 command line and
/// converted to UTF-8 instead, since the narrow arguments have been through
/// the ANSI code page, whose best-fit mapping turns look-alikes such as
/// fullwidth digits into ASCII; should that command line be out of reach,
/// each narrow argument is given as U+FFFD, which nothing takes for an
/// address or an option.
std::vector<std::string> program_arguments(int argc, char* argv[]);

}  // namespace hexalune

#endif  // HEXALUNE_PLATFORM_COMMAND_LINE_H_
