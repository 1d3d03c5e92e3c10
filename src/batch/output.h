#ifndef HEXALUNE_BATCH_OUTPUT_H_
#define HEXALUNE_BATCH_OUTPUT_H_

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace hexalune {

/// Writes bytes to a stream; gives 0, or why it could not (errno).
using Writer = std::function<int(std::string_view bytes)>;

/// What a run has still to write: records, and messages on lines that are
/// no address, each for its writer. They are written before each wait for
/// input, so nothing is held back from a reader, and whenever they grow
/// large.
struct Output {
    Writer write_records;
    Writer write_messages;
    std::unique_ptr<char[]> records{};
    std::size_t size = 0;      // bytes of records waiting
    std::size_t capacity = 0;  // bytes `records` holds
    std::string messages{};
    int error = 0;  // why the records could not be written (errno); 0 while they can
    bool messages_lost = false;
};

/// Where the next `room` bytes of records can be written, at the end of
/// those waiting.
char* reserve_records(Output& output, std::size_t room);

/// Appends what `write` writes at the char* it is given, within `room`
/// bytes, to the records; `write` returns the end of what it wrote.
template <typename Write>
void append_records(Output& output, std::size_t room, Write write) {
    const char* end = write(reserve_records(output, room));
    output.size = static_cast<std::size_t>(end - output.records.get());
}

/// Writes and empties both. False once the records have failed: the run
/// must stop.
bool flush_output(Output& output);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_OUTPUT_H_
