// Standard input where it is bytes.

#include <errno.h>
#include <unistd.h>

#include <cstring>

#include "platform/standard_input.h"

namespace hexalune {

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
