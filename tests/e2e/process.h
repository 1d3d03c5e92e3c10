#ifndef HEXALUNE_TESTS_E2E_PROCESS_H_
#define HEXALUNE_TESTS_E2E_PROCESS_H_

#include <string>
#include <vector>

namespace hexalune_test {

// Where the child's standard output goes.
enum class Stdout {
    kPipe,
    kDevFull,
    kClosed,
    kReaderGone,     // a pipe whose reading end is closed before the child starts
    kFirstLineOnly,  // a pipe read up to its first line feed and then closed, as by
                     // `head -1`; standard input is written only after that
};

struct Invocation {
    std::string program;            // empty: the hexalune under test
    std::vector<std::string> args;  // after the program name
    std::string input;              // fed to standard input, then closed
    // Or these, each once the child has read all before it: a read each.
    std::vector<std::string> input_reads = {};
    bool close_stdin = false;     // start with standard input closed instead
    std::string stdin_path = {};  // or open this file read-only as standard input
    bool stdin_terminal = false;  // or a pseudo-terminal (echo off) at which `input` is typed
    Stdout stdout_mode = Stdout::kPipe;
    bool stderr_dev_full = false;  // standard error to /dev/full (nothing is captured)
    bool sigpipe_ignored = false;  // start the child with SIGPIPE ignored, not by default
};

struct Outcome {
    int exit_status = -1;  // -1 when killed by a signal
    int signal = 0;
    std::string out;
    std::string err;
    // The child's peak resident size (getrusage). Linux carries the size of
    // the address space a process leaves at exec over into it, and a child
    // starts in this process's, so this is at least this process's own
    // peak when it started the child: an upper bound on the program's.
    long max_rss_kib = 0;
    // With stdin_terminal: what the terminal still holds, once the child
    // has exited, for the next program that reads it.
    std::string terminal_left;
    // With `input` through the pipe: what of it the child left unread.
    std::string input_left;
};

/// Runs the hexalune executable under test as a separate process: the one
/// built beside this test, or $HEXALUNE_EXE, started through
/// $HEXALUNE_LAUNCHER when that is set: a program and its arguments,
/// separated by spaces (e.g. wine, or valgrind with its options). With $HEXALUNE_CRLF set,
/// CR LF in the captured output is read as LF (the Windows console's line
/// ending), and an LF without CR is marked "[LF without CR]".
Outcome run_hexalune(const Invocation& run);

/// The hexalune-batch under test: the one built beside this test, or
/// $HEXALUNE_BATCH_EXE. As `program` of an Invocation, it is started
/// through $HEXALUNE_LAUNCHER like hexalune.
std::string batch_executable();

/// Whether the program under test runs under valgrind ($HEXALUNE_LAUNCHER
/// starts with it): the peak memory measured is then valgrind's own.
bool under_valgrind();

/// Whether the executable under test is a Windows build ($HEXALUNE_WINDOWS
/// set, as scripts/test-windows does): its command line is limited to
/// 32,767 characters, and a broken pipe is a failed write, not a signal.
bool windows_build();

/// Shorthand: one argument, nothing on standard input.
Outcome run_with_argument(const std::string& argument);

/// Shorthand: no argument, `input` on standard input.
Outcome run_with_input(const std::string& input);

}  // namespace hexalune_test

#endif  // HEXALUNE_TESTS_E2E_PROCESS_H_
