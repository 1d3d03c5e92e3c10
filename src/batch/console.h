#ifndef HEXALUNE_BATCH_CONSOLE_H_
#define HEXALUNE_BATCH_CONSOLE_H_

#include <cstddef>
#include <string>

namespace hexalune {

/// Reads the next bytes of standard input into `buffer`, at most `size`,
/// as soon as there are any: never waits to fill the buffer. 0 at the end
/// of input, and when it cannot be read (a directory, a closed standard
/// input, an I/O error): then `error` holds the system's reason. A Windows
/// console is read as UTF-16 and given as UTF-8.
std::size_t read_input(char* buffer, std::size_t size, std::string& error);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_CONSOLE_H_
