// The manual page against the program: the example run and the messages it
// shows in example blocks are the program's own output, byte for byte,
// trailing spaces included (written "\ " in the page).

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "expected.h"
#include "process.h"

namespace hexalune_test {
namespace {

// A line of an example block as it reads: \- \  and \& resolved; any other
// escape stays as written, so it cannot compare equal to real output.
std::string unescape(const std::string& line) {
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const bool escape = line[i] == '\\' && i + 1 < line.size();
        if (escape && (line[i + 1] == '-' || line[i + 1] == ' ')) {
            text += line[++i];
        } else if (escape && line[i + 1] == '&') {
            ++i;
        } else {
            text += line[i];
        }
    }
    return text;
}

// The text of each example block (.EX to .EE) of the configured page.
std::vector<std::string> example_blocks() {
    std::ifstream in(HEXALUNE_MANUAL_PAGE);
    if (!in) throw std::runtime_error("cannot read " HEXALUNE_MANUAL_PAGE);
    std::vector<std::string> blocks;
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (line == ".EX") {
            blocks.emplace_back();
            inside = true;
        } else if (line == ".EE") {
            inside = false;
        } else if (inside) {
            blocks.back() += unescape(line) + "\n";
        }
    }
    return blocks;
}

TEST(Manual, ExampleBlocksAreTheProgramsOutput) {
    const std::vector<std::string> blocks = example_blocks();
    const std::string example = "00:80:10:A4:00:0C";
    const Outcome example_run = run_with_argument(example);
    const Outcome prompt_run = run_with_input("");
    const struct {
        const char* label;
        std::string shown;  // what the block must read: whole lines
    } cases[] = {
        {"example run", "$ hexalune " + example + "\n" + example_run.out},
        {"invalid address", run_with_argument("00-80-10-A4-00-0C").err},
        {"OUI not found", run_with_argument("02:00:00:00:00:00").err},
        // The prompt, after the banner, as a line of its own.
        {"prompt", prompt_run.out.substr(std::string(kBanner).size()) + "\n"},
    };
    for (const auto& c : cases) {
        const std::string first_line = c.shown.substr(0, c.shown.find('\n') + 1);
        ASSERT_GT(first_line.size(), 1u) << c.label;
        const std::string* block = nullptr;
        for (const std::string& b : blocks) {
            if (b.compare(0, first_line.size(), first_line) == 0) block = &b;
        }
        ASSERT_NE(block, nullptr) << c.label << ": no example block begins with " << first_line;
        EXPECT_EQ(*block, c.shown) << c.label;
    }
}

}  // namespace
}  // namespace hexalune_test
