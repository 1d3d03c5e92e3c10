#ifndef HEXALUNE_TESTS_E2E_PROCESS_H_
#define HEXALUNE_TESTS_E2E_PROCESS_H_

#include <string>
#include <vector>

namespace hexalune_test {

// Where the child's standard output goes.
enum class Stdout { kPipe, kDevFull, kClosed };

struct Invocation {
    std::string program;            // empty: the hexalune under test
    std::vector<std::string> args;  // after the program name
    std::string input;              // fed to standard input, then closed
    bool close_stdin = false;       // start with standard input closed instead
    Stdout stdout_mode = Stdout::kPipe;
};

struct Outcome {
    int exit_status = -1;  // -1 when killed by a signal
    int signal = 0;
    std::string out;
    std::string err;
    long max_rss_kib = 0;
};

/// Runs the hexalune executable under test as a separate process: the one
/// built beside this test, or $HEXALUNE_EXE, started through
/// $HEXALUNE_LAUNCHER when that is set (e.g. wine). With $HEXALUNE_CRLF set,
/// CR LF in the captured output is read as LF (the Windows console's line
/// ending).
Outcome run_hexalune(const Invocation& run);

/// Shorthand: one argument, nothing on standard input.
Outcome run_with_argument(const std::string& argument);

/// Shorthand: no argument, `input` on standard input.
Outcome run_with_input(const std::string& input);

}  // namespace hexalune_test

#endif  // HEXALUNE_TESTS_E2E_PROCESS_H_
