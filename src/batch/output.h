#ifndef HEXALUNE_BATCH_OUTPUT_H_
#define HEXALUNE_BATCH_OUTPUT_H_

#include <cstddef>
#include <memory>
#include <string>

namespace hexalune {

/// What a run has still to write: records for standard output, messages
/// for standard error. The program flushes them before it waits for input,
/// so nothing is held back from a reader, and whenever they grow large.
struct Output {
    std::unique_ptr<char[]> records;
    std::size_t size = 0;      // bytes of records waiting
    std::size_t capacity = 0;  // bytes `records` holds
    std::string messages;
    int error = 0;  // why standard output could not be written (errno); 0 while it can
    bool messages_lost = false;
};

/// Where the next `bytes` bytes of records can be written, at the end of
/// those waiting; the caller then marks what it wrote with records_written.
char* record_room(Output& output, std::size_t bytes);

/// The records now end at `end`, within the room record_room gave.
void records_written(Output& output, const char* end);

/// Writes and empties both. False once standard output has failed: the
/// run must stop.
bool flush_output(Output& output);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_OUTPUT_H_
