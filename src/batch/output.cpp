#include "output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace hexalune {

char* record_room(Output& output, std::size_t bytes) {
    if (output.capacity - output.size < bytes) {
        // Why: a run writes records in blocks of about a megabyte, so the
        // buffer grows a few times at most.
        const std::size_t capacity = (output.size + bytes) * 2;
        std::unique_ptr<char[]> grown(new char[capacity]);
        if (output.size != 0) std::memcpy(grown.get(), output.records.get(), output.size);
        output.records = std::move(grown);
        output.capacity = capacity;
    }
    return output.records.get() + output.size;
}

void records_written(Output& output, const char* end) {
    output.size = static_cast<std::size_t>(end - output.records.get());
}

bool flush_output(Output& output) {
    if (output.error != 0) return false;
    if (output.size != 0) {
        errno = 0;
        if (std::fwrite(output.records.get(), 1, output.size, stdout) != output.size ||
            std::fflush(stdout) != 0) {
            output.error = errno != 0 ? errno : EIO;
        }
        output.size = 0;
    }
    if (!output.messages.empty()) {
        if (std::fwrite(output.messages.data(), 1, output.messages.size(), stderr) !=
                output.messages.size() ||
            std::fflush(stderr) != 0) {
            output.messages_lost = true;
        }
        output.messages.clear();
    }
    return output.error == 0;
}

}  // namespace hexalune
