#ifndef HEXALUNE_BATCH_OUTPUT_H_
#define HEXALUNE_BATCH_OUTPUT_H_

#include <string>

namespace hexalune {

/// What a run has still to write: records for standard output, messages
/// for standard error. The program flushes them before it waits for input,
/// so nothing is held back from a reader, and whenever they grow large.
struct Output {
    std::string records;
    std::string messages;
    int error = 0;  // why standard output could not be written (errno); 0 while it can
    bool messages_lost = false;
};

/// Writes and empties both. False once standard output has failed: the
/// run must stop.
bool flush_output(Output& output);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_OUTPUT_H_
