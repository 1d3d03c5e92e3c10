#include "platform/utf16.h"

#include <gtest/gtest.h>

namespace hexalune {
namespace {

TEST(Utf16ToUtf8, EncodesEachCodePointAndReplacesLoneSurrogates) {
    const struct {
        const char* label;
        std::u16string text;
        std::string utf8;
    } cases[] = {
        {"ASCII", u"00:80:10:A4:00:0C", "00:80:10:A4:00:0C"},
        {"two-byte boundaries", u"\u0080\u07FF", "\xC2\x80\xDF\xBF"},
        {"three-byte boundaries", u"\u0800\uFFFF", "\xE0\xA0\x80\xEF\xBF\xBF"},
        {"surrogate pair, lowest", u"\xD800\xDC00", "\xF0\x90\x80\x80"},
        {"surrogate pair, highest", u"\xDBFF\xDFFF", "\xF4\x8F\xBF\xBF"},
        {"lone high surrogate before ASCII", u"\xD800:", "\xEF\xBF\xBD:"},
        {"lone high surrogate last", u"0\xDBFF", "0\xEF\xBF\xBD"},
        {"lone low surrogate",
         u"\xDC00"
         u"0",
         "\xEF\xBF\xBD"
         "0"},
        {"two high surrogates, then a pair", u"\xD800\xD800\xDC00", "\xEF\xBF\xBD\xF0\x90\x80\x80"},
        {"NUL", std::u16string(1, u'\0'), std::string(1, '\0')},
    };
    for (const auto& c : cases) EXPECT_EQ(utf16_to_utf8(c.text), c.utf8) << c.label;
}

}  // namespace
}  // namespace hexalune
