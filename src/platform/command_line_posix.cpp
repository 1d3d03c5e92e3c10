// program_arguments where arguments arrive as bytes: taken as they are.

#include "platform/command_line.h"

namespace hexalune {

std::vector<std::string> program_arguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
}

}  // namespace hexalune
