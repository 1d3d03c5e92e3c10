#include "output.h"

#include <cstring>

namespace hexalune {

char* reserve_records(Output& output, std::size_t room) {
    if (output.capacity - output.size < room) {
        // Why: records are flushed at a fixed size, so the buffer grows a
        // few times at most.
        const std::size_t capacity = (output.size + room) * 2;
        std::unique_ptr<char[]> grown(new char[capacity]);
        if (output.size != 0) std::memcpy(grown.get(), output.records.get(), output.size);
        output.records = std::move(grown);
        output.capacity = capacity;
    }
    return output.records.get() + output.size;
}

bool flush_output(Output& output) {
    if (output.error != 0) return false;
    if (output.size != 0) {
        output.error = output.write_records({output.records.get(), output.size});
        output.size = 0;
    }
    if (!output.messages.empty()) {
        if (output.write_messages(output.messages) != 0) output.messages_lost = true;
        output.messages.clear();
    }
    return output.error == 0;
}

}  // namespace hexalune
