// Hostile input, end to end: whatever arrives as the argument or on standard
// input, the run ends normally with the invalid-format message, writes
// nothing but the banner (and prompt), and stays small.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <random>

#include "expected.h"
#include "process.h"

namespace hexalune_test {
namespace {

// Generous: a run needs a few MiB (a sanitizer build a few tens). The
// measure also counts this test process's own size when it starts the
// child (see Outcome), so it is an upper bound.
const long kRssBoundKib = 64 * 1024;

struct BadInput {
    const char* label;
    std::string text;
};

std::string repeated(const std::string& piece, std::size_t size) {
    std::string out;
    while (out.size() < size) out += piece;
    out.resize(size);
    return out;
}

std::string random_bytes(std::size_t size, unsigned seed) {
    std::mt19937 generator(seed);
    std::string out(size, '\0');
    for (char& c : out) c = static_cast<char>(generator() & 0xff);
    return out;
}

void expect_rejected(const Outcome& got, const std::string& before, const char* label) {
    EXPECT_EQ(got.signal, 0) << label;
    EXPECT_EQ(got.exit_status, 1) << label;
    EXPECT_EQ(got.out, before) << label;
    EXPECT_EQ(got.err, kInvalidMessage) << label;
    if (!under_valgrind()) {  // valgrind's peak is its own; it checks the memory itself
        EXPECT_GT(got.max_rss_kib, 0) << label;
        EXPECT_LT(got.max_rss_kib, kRssBoundKib) << label;
    }
}

const std::string kAddress = "00:80:10:A4:00:0C";

// Whether a Windows command line can carry the argument: it holds 32,767
// characters at most. (Under wine in a UTF-8 locale, bytes that are not
// UTF-8 arrive as U+FFFD, which fails validation just as they do.)
bool representable_on_windows(const std::string& argument) { return argument.size() <= 32000; }

TEST(BadInput, ArgumentsAreRejected) {
    const BadInput cases[] = {
        {"100 kB of digits after an address", kAddress + repeated("0", 100 * 1024)},
        {"100 kB of colon pairs", repeated("00:", 100 * 1024)},
        {"bytes above 0x7F", "00:80:10:A4:00:\xc3\xa9"},
        {"Latin-1 letters", "\xe0\xe1:80:10:A4:00:0C"},
        {"all 0xFF", std::string(17, '\xff')},
        {"fullwidth digits", "\xef\xbc\x90\xef\xbc\x90:80:10:A4:00:0C"},
        {"byte-order mark first", "\xef\xbb\xbf" + kAddress},
        {"truncated UTF-8 sequence", "00:80:10:A4:00:\xc3"},
        {"stray continuation bytes", "\xa0\xa1:80:10:A4:00:0C"},
        {"overlong encoding of a colon",
         "00\xc0\xba"
         "80:10:A4:00:0C"},
        {"encoded surrogate", "00:80:10:A4:00:\xed\xa0\x80"},
        {"five-byte sequence", "\xf8\x88\x80\x80\x80:10:A4:00:0C"},
        {"tab after", kAddress + "\t"},
        {"tab before", "\t" + kAddress},
        {"tab inside", "00:80:10:\tA4:00:0C"},
        {"escape sequence after", kAddress + "\x1b[0m"},
        {"lone escape", "\x1b"},
        {"carriage return after", kAddress + "\r"},
        {"carriage return inside", "00:80:10:A4\r:00:0C"},
        {"line feed after", kAddress + "\n"},
        {"delete character", "00:80:10:A4:00:0\x7f"},
        {"bell and backspace", "00:80:10:A4:00:0C\a\b"},
    };
    for (const BadInput& c : cases) {
        ASSERT_LT(c.text.size(), 128u * 1024) << c.label;  // one argument's limit on Linux
        if (windows_build() && !representable_on_windows(c.text)) continue;
        expect_rejected(run_with_argument(c.text), kBanner, c.label);
    }
}

TEST(BadInput, PromptInputIsRejected) {
    const std::string before = std::string(kBanner) + kPrompt;
    const BadInput cases[] = {
        {"1 MB token", repeated("A", 1024 * 1024)},
        {"1 MB token starting with an address", kAddress + repeated("0", 1024 * 1024)},
        {"1 MB of 0xFF", std::string(1024 * 1024, '\xff')},
        {"1 MB of NUL bytes", std::string(1024 * 1024, '\0')},
        {"binary data", random_bytes(256 * 1024, 7)},
        {"binary data, white space first", " \n" + random_bytes(256 * 1024, 11)},
        {"address and NUL", kAddress + std::string(1, '\0')},
        {"address, NUL and line feed", kAddress + std::string(1, '\0') + "\n"},
        {"NUL and address", std::string(1, '\0') + kAddress + "\n"},
        {"NUL inside the address", "00:80:10:A4:00" + std::string(1, '\0') + ":0C\n"},
        {"byte-order mark first", "\xef\xbb\xbf" + kAddress + "\n"},
        {"invalid UTF-8", "\xc3\x28:80:10:A4:00:0C\n"},
        {"escape sequence", "\x1b[31m" + kAddress + "\x1b[0m\n"},
        {"backspace editing",
         "00:80:10:A4:00:0X\b"
         "C\n"},
    };
    for (const BadInput& c : cases) expect_rejected(run_with_input(c.text), before, c.label);
}

// A file of NUL bytes larger than the memory bound, without a block on disk.
class SparseFile {
public:
    explicit SparseFile(off_t size) {
        const char* dir = std::getenv("TMPDIR");
        path_ = std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/hexalune-XXXXXX";
        const int fd = mkstemp(&path_[0]);
        if (fd < 0 || ftruncate(fd, size) != 0) path_.clear();
        if (fd >= 0) close(fd);
    }
    ~SparseFile() {
        if (!path_.empty()) unlink(path_.c_str());
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

TEST(BadInput, EndlessOrUnreadableStandardInputEndsTheRun) {
    // Were the prompt token not cut off, this would be read whole, and the
    // run would grow past the bound (but no further).
    const SparseFile nul_bytes(off_t{80} * 1024 * 1024);
    ASSERT_FALSE(nul_bytes.path().empty()) << "cannot create a temporary file";

    const std::string before = std::string(kBanner) + kPrompt;
    struct {
        const char* label;
        bool closed;
        std::string path;
    } cases[] = {
        {"closed", true, ""},
        {"empty file", false, "/dev/null"},
        {"a directory: every read fails", false, "/"},
        {"80 MiB of NUL bytes", false, nul_bytes.path()},
    };
    for (const auto& c : cases) {
        Invocation run;
        run.close_stdin = c.closed;
        run.stdin_path = c.path;
        expect_rejected(run_hexalune(run), before, c.label);
    }
}

TEST(BadInput, WhiteSpaceAroundAPromptedAddressIsNotPartOfIt) {
    // A CR LF line ending (a Windows terminal, a file written there) ends
    // the token like any other white space.
    for (const char* input : {"00:80:10:A4:00:0C\r\n", "\r\n\t\v\f 00:80:10:A4:00:0C\r\n"}) {
        const Outcome got = run_with_input(input);
        EXPECT_EQ(got.exit_status, 0) << input;
        EXPECT_EQ(got.out, std::string(kBanner) + kPrompt + expected_run(kAddress).out) << input;
        EXPECT_EQ(got.err, "") << input;
    }
}

}  // namespace
}  // namespace hexalune_test
