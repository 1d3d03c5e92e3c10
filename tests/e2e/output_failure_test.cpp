// Output that cannot be written, end to end: the run never claims success
// for a report that went nowhere.

#include <gtest/gtest.h>

#include <signal.h>

#include "expected.h"
#include "process.h"

namespace hexalune_test {
namespace {

const char kCannotWrite[] = "Error: cannot write to standard output\n";

struct Case {
    const char* label;
    std::vector<std::string> args;
    std::string input;
    std::string err;  // what standard error holds before the write error
};

const Case kCases[] = {
    {"found", {"00:80:10:A4:00:0C"}, "", ""},
    {"not found", {"12:34:56:78:9A:BC"}, "", kNotFound},
    {"invalid", {"00-80-10-A4-00-0C"}, "", kInvalidMessage},
    {"prompt, found", {}, "00:80:10:A4:00:0C\n", ""},
    {"prompt, end of input", {}, "", kInvalidMessage},
};

// The run of one case, its output still to be pointed somewhere.
Invocation invocation(const Case& c) {
    Invocation run;
    run.args = c.args;
    run.input = c.input;
    return run;
}

// Standard output on a full device, or closed: status 2 and the reason on
// standard error, after whatever else the run had to say there. That
// includes an invalid address: the banner is lost too.
TEST(OutputFailure, UnwritableStandardOutputFailsTheRun) {
    for (Stdout mode : {Stdout::kDevFull, Stdout::kClosed}) {
        for (const Case& c : kCases) {
            Invocation run = invocation(c);
            run.stdout_mode = mode;
            const Outcome got = run_hexalune(run);
            const char* label = mode == Stdout::kDevFull ? "/dev/full" : "closed";
            EXPECT_EQ(got.signal, 0) << c.label << ", " << label;
            EXPECT_EQ(got.exit_status, 2) << c.label << ", " << label;
            EXPECT_EQ(got.err, c.err + kCannotWrite) << c.label << ", " << label;
        }
    }
}

// Standard error on a full device: the report itself is complete, but a
// lost not-found line or invalid-format message still fails the run.
TEST(OutputFailure, UnwritableStandardErrorFailsTheRun) {
    for (const Case& c : kCases) {
        Invocation run = invocation(c);
        run.stderr_dev_full = true;
        const Outcome got = run_hexalune(run);
        EXPECT_EQ(got.signal, 0) << c.label;
        EXPECT_EQ(got.exit_status, c.err.empty() ? 0 : 2) << c.label;
    }
}

// A reader that goes away (`hexalune ADDRESS | head -1`) ends the run by
// SIGPIPE, the default every filter in a pipeline keeps: the shell reports
// it as status 141, `set -o pipefail` sees a failure, and nothing is
// printed about it. Both cases are deterministic: in the first no reader
// ever exists; in the second the reader leaves after the first line while
// the program still waits at the prompt, and the address arrives only then,
// so the report is written into a pipe nobody reads.
TEST(OutputFailure, ReaderThatGoesAwayEndsTheRunBySigpipe) {
    // Windows has no SIGPIPE: the write fails, and the run says so.
    const bool windows = windows_build();
    const auto expect_ended = [&](const Outcome& got, const char* label) {
        EXPECT_EQ(got.signal, windows ? 0 : SIGPIPE) << label;
        EXPECT_EQ(got.exit_status, windows ? 2 : -1) << label;
        EXPECT_EQ(got.err, windows ? "Error: cannot write to standard output\n" : "") << label;
    };

    Invocation gone;
    gone.args = {"00:80:10:A4:00:0C"};
    gone.stdout_mode = Stdout::kReaderGone;
    expect_ended(run_hexalune(gone), "no reader");

    Invocation head;
    head.input = "00:80:10:A4:00:0C\n";
    head.stdout_mode = Stdout::kFirstLineOnly;
    const Outcome second = run_hexalune(head);
    expect_ended(second, "reader gone after the first line");
    EXPECT_EQ(second.out.substr(0, second.out.find('\n') + 1),
              std::string(kBanner).substr(0, std::string(kBanner).find('\n') + 1));
}

// Started with SIGPIPE ignored (as some services and shells start their
// children), the write fails instead, and the run says so.
TEST(OutputFailure, ReaderThatGoesAwayWithSigpipeIgnored) {
    Invocation run;
    run.args = {"00:80:10:A4:00:0C"};
    run.stdout_mode = Stdout::kReaderGone;
    run.sigpipe_ignored = true;
    const Outcome got = run_hexalune(run);
    EXPECT_EQ(got.signal, 0);
    EXPECT_EQ(got.exit_status, 2);
    EXPECT_EQ(got.err, kCannotWrite);
}

}  // namespace
}  // namespace hexalune_test
