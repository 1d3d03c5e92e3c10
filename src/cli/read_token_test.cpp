#include "read_token.h"

#include <gtest/gtest.h>

#include <sstream>

namespace hexalune {
namespace {

// read_token's input, and how much of it it has taken.
std::string source;
std::size_t source_read = 0;
int next_source_byte() {
    return source_read < source.size() ? static_cast<unsigned char>(source[source_read++]) : -1;
}

// Tokens of addresses after white space, and what read_token leaves in the
// pipe after them, are checked end to end (Cli.PromptReadsOneToken).
TEST(ReadToken, OneWhitespaceDelimitedToken) {
    const struct {
        std::string input;
        std::string token;
        std::string left;  // what stays unread
    } cases[] = {
        {"", "", ""},
        {"   \n", "", ""},
        {std::string("00:80\0:10", 9) + " x", std::string("00:80\0:10", 9), "x"},
        {"\xff:80 x", "\xff:80", "x"},
    };
    for (const auto& c : cases) {
        source = c.input, source_read = 0;
        EXPECT_EQ(read_token(next_source_byte, 1024), c.token);
        EXPECT_EQ(source.substr(source_read), c.left);
    }
}

// The typed line's leftovers, long lines among them, are checked at a
// terminal end to end (Cli.PromptAtATerminalTakesTheWholeLine).
TEST(ReadToken, LineVersionDropsTheRestOfTheLineAndNoMore) {
    const struct {
        std::string input;
        std::string token;
        std::string left;
    } cases[] = {
        {std::string(5000, 'a') + "\nnext\n", std::string(101, 'a'), "next\n"},
        {"\n\n  00:80:10:A4:00:0C\r\n\nnext", "00:80:10:A4:00:0C", "\nnext"},
        {"00:80:10:A4:00:0C rest without a line feed", "00:80:10:A4:00:0C", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.input);
        EXPECT_EQ(read_token_line(in, 100), c.token) << c.input.substr(0, 40);
        std::string rest((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(rest, c.left) << c.input.substr(0, 40);
    }
    std::istringstream failed("00:80:10:A4:00:0C");
    failed.setstate(std::ios::failbit);
    EXPECT_EQ(read_token_line(failed, 1024), "");
}

TEST(ReadToken, StopsJustPastTheLimit) {
    source = std::string(5000, 'a') + " b", source_read = 0;
    EXPECT_EQ(read_token(next_source_byte, 100), std::string(101, 'a'));
    EXPECT_EQ(source_read, 101u);
}

}  // namespace
}  // namespace hexalune
