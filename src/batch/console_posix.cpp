// Arguments and standard input where both are bytes.

#include <errno.h>
#include <unistd.h>

#include <cstring>

#include "console.h"

namespace hexalune {

std::vector<std::string> program_arguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
}

std::size_t read_input(char* buffer, std::size_t size, std::string& error) {
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, buffer, size);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) {
            error = std::strerror(errno);
            return 0;
        }
    }
}

}  // namespace hexalune
