#include "output.h"

#include <cerrno>
#include <cstdio>

namespace hexalune {

namespace {

// Writes `text` to `stream` at once; false when it cannot be written.
bool write_all(std::FILE* stream, std::string& text) {
    const bool written =
        text.empty() || (std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
                         std::fflush(stream) == 0);
    text.clear();
    return written;
}

}  // namespace

bool flush_output(Output& output) {
    if (output.error != 0) return false;
    errno = 0;
    if (!write_all(stdout, output.records)) output.error = errno != 0 ? errno : EIO;
    if (!write_all(stderr, output.messages)) output.messages_lost = true;
    return output.error == 0;
}

}  // namespace hexalune
