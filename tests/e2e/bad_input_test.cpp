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

// Which texts are addresses is is_valid_mac's unit test; here, the ways an
// argument could reach it changed, and the forms the laxer parse_mac takes.
TEST(BadInput, ArgumentsAreRejected) {
    const BadInput cases[] = {
        {"empty, which is not a missing argument", ""},
        {"dashes", "00-80-10-A4-00-0C"},
        // Switches' and BSD's notations, which hexalune-batch reads.
        {"three groups of four joined by dashes", "0080-10A4-000C"},
        {"two groups of six", "008010-A4000C"},
        {"one-digit groups", "0:80:10:a4:0:c"},
        // Forms parse_mac accepts: validation is the stricter is_valid_mac.
        {"twelve bare digits", "008010A4000C"},
        {"one-digit group", "0:80:10:A4:00:0C"},
        {"trailing colon", kAddress + ":"},
        // White space and control characters are never trimmed or dropped.
        {"space before", " " + kAddress},
        {"space after", kAddress + " "},
        {"tab inside", "00:80:10:\tA4:00:0C"},
        {"carriage return after", kAddress + "\r"},
        {"line feed after", kAddress + "\n"},
        {"bell and backspace after", kAddress + "\a\b"},
        // Neither cut off nor handed whole to a backtracking matcher.
        {"100 kB of digits after an address", kAddress + repeated("0", 100 * 1024)},
        {"100 kB of colon pairs", repeated("00:", 100 * 1024)},
        // Look-alikes, which a Windows ANSI code page maps to ASCII by best
        // fit: fullwidth, subscript, U+2236 RATIO, fullwidth letters; a
        // byte-order mark, which a UTF-16 conversion could drop; bytes that
        // are not UTF-8, a colon's overlong encoding among them.
        {"fullwidth digits and colons",
         "\uff10\uff10\uff1a\uff18\uff10\uff1a\uff11\uff10\uff1a\uff21\uff14\uff1a\uff10\uff10"
         "\uff1a\uff10\uff23"},
        {"subscript digits", "\u2080\u2080:80:10:A4:00:0C"},
        {"ratio for a colon", "00\u223680:10:A4:00:0C"},
        {"fullwidth letters", "\uff41\uff43:de:48:00:00:80"},
        {"byte-order mark first", "\xef\xbb\xbf" + kAddress},
        {"Latin-1 letters", "\xe0\xe1:80:10:A4:00:0C"},
        {"overlong encoding of a colon",
         "00\xc0\xba"
         "80:10:A4:00:0C"},
    };
    for (const BadInput& c : cases) {
        ASSERT_LT(c.text.size(), 128u * 1024) << c.label;  // one argument's limit on Linux
        if (windows_build() && !representable_on_windows(c.text)) continue;
        expect_rejected(run_with_argument(c.text), kBanner, c.label);
    }
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

// Standard input that ends, cannot be read, never ends, or holds no address.
TEST(BadInput, PromptInputIsRejected) {
    // Were the prompt token not cut off, this would be read whole, and the
    // run would grow past the bound (but no further).
    const SparseFile nul_bytes(off_t{80} * 1024 * 1024);
    ASSERT_FALSE(nul_bytes.path().empty()) << "cannot create a temporary file";
    const auto piped = [](const std::string& input) {
        Invocation run;
        run.input = input;
        return run;
    };
    const auto from_file = [](const std::string& path) {
        Invocation run;
        run.stdin_path = path;
        return run;
    };
    Invocation closed;
    closed.close_stdin = true;

    const std::string before = std::string(kBanner) + kPrompt;
    const struct {
        const char* label;
        Invocation run;
    } cases[] = {
        {"end of input", piped("")},
        {"closed", closed},
        {"a directory: every read fails", from_file("/")},
        {"80 MiB of NUL bytes", from_file(nul_bytes.path())},
        {"1 MB token starting with an address", piped(kAddress + repeated("0", 1024 * 1024))},
        {"binary data", piped(random_bytes(256 * 1024, 7))},
        // Neither the end nor the white space of a token.
        {"address and NUL", piped(kAddress + std::string(1, '\0'))},
        {"NUL and address", piped(std::string(1, '\0') + kAddress + "\n")},
        {"byte-order mark first", piped("\xef\xbb\xbf" + kAddress + "\n")},
        {"backspace editing", piped("00:80:10:A4:00:0X\b"
                                    "C\n")},
    };
    for (const auto& c : cases) expect_rejected(run_hexalune(c.run), before, c.label);
}

}  // namespace
}  // namespace hexalune_test
