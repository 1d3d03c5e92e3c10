// Arguments and standard input where both are bytes.

#include <errno.h>
#include <unistd.h>

#include "console.h"

namespace hexalune {

std::vector<std::string> program_arguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
}

std::size_t read_input(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, buffer, size);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) return 0;
    }
}

}  // namespace hexalune
