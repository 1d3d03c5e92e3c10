#include "process.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

extern char** environ;

namespace hexalune_test {

namespace {

// A names file of the user's who runs the tests would label their records:
// the programs look for none (a test that wants one sets its own).
[[maybe_unused]] const bool kNoUserConfig =
    setenv("XDG_CONFIG_HOME", "/nonexistent/hexalune-tests", 1) == 0;

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

void check(int result, const char* what) {
    if (result != 0) {
        errno = result;
        fail(what);
    }
}

std::string env_or(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : fallback;
}

// The words of $HEXALUNE_LAUNCHER, split at spaces.
std::vector<std::string> launcher_words() {
    std::vector<std::string> words;
    const std::string launcher = env_or("HEXALUNE_LAUNCHER", "");
    for (std::size_t start = 0; start < launcher.size();) {
        const std::size_t end = std::min(launcher.find(' ', start), launcher.size());
        if (end > start) words.push_back(launcher.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

// The Windows console's CR LF read as LF; a line ended by LF alone is
// marked, so that no comparison with the expected text can pass.
std::string without_cr_before_lf(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += "[LF without CR]";
        out += text[i];
    }
    return out;
}

// A pseudo-terminal with echo off; the parent types at `master`.
struct Terminal {
    int master = -1, slave = -1;
    Terminal() {
        if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) fail("openpty");
        fcntl(master, F_SETFD, FD_CLOEXEC);
        fcntl(slave, F_SETFD, FD_CLOEXEC);
        termios mode{};
        if (tcgetattr(slave, &mode) != 0) fail("tcgetattr");
        mode.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        if (tcsetattr(slave, TCSANOW, &mode) != 0) fail("tcsetattr");
    }
    ~Terminal() {
        if (master >= 0) close(master);
        if (slave >= 0) close(slave);
    }
    // What the line discipline (or a pipe) holds for the next reader.
    static std::string left(int fd) {
        fcntl(fd, F_SETFL, O_NONBLOCK);
        std::string out;
        char buffer[8192];
        for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) {
            out.append(buffer, static_cast<std::size_t>(n));
        }
        return out;
    }
};

struct Pipe {
    int read = -1, write = -1;
    Pipe() {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) fail("pipe2");
        read = fds[0];
        write = fds[1];
    }
};

Outcome run_once(const Invocation& run) {
    std::vector<std::string> argv_strings = launcher_words();
    argv_strings.push_back(run.program.empty() ? env_or("HEXALUNE_EXE", HEXALUNE_EXE)
                                               : run.program);
    argv_strings.insert(argv_strings.end(), run.args.begin(), run.args.end());
    std::vector<char*> argv;
    for (std::string& s : argv_strings) argv.push_back(&s[0]);
    argv.push_back(nullptr);

    Pipe in, out, err;
    std::unique_ptr<Terminal> terminal;
    if (run.stdin_terminal) terminal = std::make_unique<Terminal>();
    posix_spawn_file_actions_t actions;
    check(posix_spawn_file_actions_init(&actions), "file actions");
    if (terminal) {
        check(posix_spawn_file_actions_adddup2(&actions, terminal->slave, 0), "dup2 terminal");
    } else if (run.close_stdin) {
        check(posix_spawn_file_actions_addclose(&actions, 0), "close stdin");
    } else if (!run.stdin_path.empty()) {
        check(posix_spawn_file_actions_addopen(&actions, 0, run.stdin_path.c_str(), O_RDONLY, 0),
              "open stdin");
    } else {
        check(posix_spawn_file_actions_adddup2(&actions, in.read, 0), "dup2 stdin");
    }
    switch (run.stdout_mode) {
        case Stdout::kPipe:
        case Stdout::kReaderGone:
        case Stdout::kFirstLineOnly:
            check(posix_spawn_file_actions_adddup2(&actions, out.write, 1), "dup2 stdout");
            break;
        case Stdout::kDevFull:
            check(posix_spawn_file_actions_addopen(&actions, 1, "/dev/full", O_WRONLY, 0),
                  "open /dev/full");
            break;
        case Stdout::kClosed:
            check(posix_spawn_file_actions_addclose(&actions, 1), "close stdout");
            break;
    }
    if (run.stderr_dev_full) {
        check(posix_spawn_file_actions_addopen(&actions, 2, "/dev/full", O_WRONLY, 0),
              "open /dev/full");
    } else {
        check(posix_spawn_file_actions_adddup2(&actions, err.write, 2), "dup2 stderr");
    }

    // This process ignores SIGPIPE (see below); the child gets the default.
    posix_spawnattr_t attributes;
    check(posix_spawnattr_init(&attributes), "spawn attributes");
    sigset_t defaults;
    sigemptyset(&defaults);
    if (!run.sigpipe_ignored) sigaddset(&defaults, SIGPIPE);
    check(posix_spawnattr_setsigdefault(&attributes, &defaults), "sigdefault");
    check(posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF), "spawn flags");

    signal(SIGPIPE, SIG_IGN);  // a child that stops reading must not kill the test
    if (run.stdout_mode == Stdout::kReaderGone) {
        close(out.read);
        out.read = -1;
    }
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(out.write);
    close(err.write);
    if (spawned != 0) {
        close(in.read);
        close(in.write);
        if (out.read >= 0) close(out.read);
        close(err.read);
        errno = spawned;
        fail("posix_spawn " + argv_strings[0]);
    }

    Outcome outcome;
    int from_out = out.read, from_err = err.read;
    char buffer[65536];
    if (run.stdout_mode == Stdout::kFirstLineOnly) {
        // Read as `head -1` would, then go away before any input is written.
        while (outcome.out.find('\n') == std::string::npos) {
            ssize_t n = read(from_out, buffer, sizeof buffer);
            if (n > 0) {
                outcome.out.append(buffer, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                break;
            }
        }
        close(from_out);
        from_out = -1;
    }
    std::string input = run.input;
    std::vector<std::size_t> piece_ends;  // where each of input_reads ends in `input`
    for (const std::string& piece : run.input_reads) piece_ends.push_back((input += piece).size());
    std::size_t written = 0, piece = 0;
    int to_child = in.write;
    if (terminal) {
        close(in.write);
        to_child = terminal->master;
    }
    // Stops writing; the terminal stays open for the next reader.
    const auto done_writing = [&](int& fd) {
        if (!terminal) close(fd);
        fd = -1;
    };
    if (input.empty()) {
        done_writing(to_child);
    } else {
        fcntl(to_child, F_SETFL, O_NONBLOCK);
    }
    while (from_out >= 0 || from_err >= 0) {
        // The next piece only once the pipe is empty, looked at each millisecond.
        int unread = 0;
        const bool at_end = piece < piece_ends.size() && written == piece_ends[piece];
        const bool draining = at_end && ioctl(in.read, FIONREAD, &unread) == 0 && unread > 0;
        piece += at_end && !draining;
        pollfd fds[3];
        nfds_t count = 0;
        if (from_out >= 0) fds[count++] = {from_out, POLLIN, 0};
        if (from_err >= 0) fds[count++] = {from_err, POLLIN, 0};
        if (to_child >= 0 && !draining) fds[count++] = {to_child, POLLOUT, 0};
        if (poll(fds, count, draining ? 1 : -1) < 0) {
            if (errno == EINTR) continue;
            fail("poll");
        }
        for (nfds_t i = 0; i < count; ++i) {
            if (fds[i].revents == 0) continue;
            int& fd = fds[i].fd == from_out   ? from_out
                      : fds[i].fd == from_err ? from_err
                                              : to_child;
            if (fd == to_child) {
                const std::size_t end =
                    piece < piece_ends.size() ? piece_ends[piece] : input.size();
                ssize_t n = write(fd, input.data() + written, end - written);
                if (n > 0) written += static_cast<std::size_t>(n);
                if (n < 0 && errno != EAGAIN) written = input.size();  // child stopped reading
                if (written == input.size()) done_writing(fd);
                continue;
            }
            ssize_t n = read(fd, buffer, sizeof buffer);
            if (n > 0) {
                (fd == from_out ? outcome.out : outcome.err)
                    .append(buffer, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                close(fd);
                fd = -1;
            }
        }
    }
    if (to_child >= 0) done_writing(to_child);

    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR) fail("wait4");
    }
    outcome.max_rss_kib = usage.ru_maxrss;
    if (terminal) outcome.terminal_left = Terminal::left(terminal->slave);
    outcome.input_left = Terminal::left(in.read);
    close(in.read);
    if (WIFEXITED(status)) {
        outcome.exit_status = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        outcome.signal = WTERMSIG(status);
    }
    if (std::getenv("HEXALUNE_CRLF") != nullptr) {
        outcome.out = without_cr_before_lf(outcome.out);
        outcome.err = without_cr_before_lf(outcome.err);
    }
    return outcome;
}

}  // namespace

Outcome run_hexalune(const Invocation& run) {
    Outcome outcome = run_once(run);
    // Now and then wine's own Linux loader fails an assertion as the wine
    // process exits, after the program under test has finished: that is the
    // launcher failing, not the program, so such a run is made again.
    const char kLauncherCrash[] = "Inconsistency detected by ld.so: ";
    for (int retry = 0; retry < 2 && std::getenv("HEXALUNE_LAUNCHER") != nullptr &&
                        outcome.err.find(kLauncherCrash) != std::string::npos;
         ++retry) {
        outcome = run_once(run);
    }
    return outcome;
}

std::string batch_executable() { return env_or("HEXALUNE_BATCH_EXE", HEXALUNE_BATCH_EXE); }

bool under_valgrind() {
    const std::vector<std::string> words = launcher_words();
    if (words.empty()) return false;
    const std::string& program = words.front();
    return program.substr(program.rfind('/') + 1) == "valgrind";
}

bool windows_build() { return std::getenv("HEXALUNE_WINDOWS") != nullptr; }

Outcome run_with_argument(const std::string& argument) {
    Invocation run;
    run.args = {argument};
    return run_hexalune(run);
}

Outcome run_with_input(const std::string& input) {
    Invocation run;
    run.input = input;
    return run_hexalune(run);
}

}  // namespace hexalune_test
