// first_argument where arguments arrive as bytes: taken as they are.

#include "arguments.h"

namespace hexalune {

std::optional<std::string> first_argument(int argc, const char* const argv[]) {
    if (argc < 2) return std::nullopt;
    return std::string(argv[1]);
}

}  // namespace hexalune
