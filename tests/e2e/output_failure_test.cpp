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

// Standard output on a full device, closed, or a pipe without a reader to
// a run started with SIGPIPE ignored (as some services and shells start
// their children): status 2 and the reason on standard error, after
// whatever else the run had to say there. That includes an invalid
// address: the banner is lost too.
TEST(OutputFailure, UnwritableStandardOutputFailsTheRun) {
    const struct {
        const char* label;
        Stdout mode;
        bool sigpipe_ignored;
    } outputs[] = {{"/dev/full", Stdout::kDevFull, false},
                   {"closed", Stdout::kClosed, false},
                   {"no reader, SIGPIPE ignored", Stdout::kReaderGone, true}};
    for (const auto& output : outputs) {
        for (const Case& c : kCases) {
            Invocation run = invocation(c);
            run.stdout_mode = output.mode;
            run.sigpipe_ignored = output.sigpipe_ignored;
            const Outcome got = run_hexalune(run);
            EXPECT_EQ(got.signal, 0) << c.label << ", " << output.label;
            EXPECT_EQ(got.exit_status, 2) << c.label << ", " << output.label;
            EXPECT_EQ(got.err, c.err + kCannotWrite) << c.label << ", " << output.label;
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
        EXPECT_EQ(got.err, windows ? kCannotWrite : "") << label;
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

}  // namespace
}  // namespace hexalune_test
