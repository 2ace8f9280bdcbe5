// What a terminal is shown of the user's bytes: nothing that acts on it, letters as they are.

#include <string>

#include <gtest/gtest.h>

#include "cli/Escaping.h"

namespace {

using namespace std::string_literals;

TEST(Escaping, PrintableKeepsCharactersAndEscapesWhatIsNone) {
    struct Case {
        std::string text;
        std::string shown;
    };
    const Case cases[] = {
        {"plain name.txt", "plain name.txt"},
        {"a\\b", "a\\x5Cb"},
        {"\x1B[2J\t\n\x7F"s, "\\x1B[2J\\x09\\x0A\\x7F"},
        {"\0"s, "\\x00"},
        // Two, three and four bytes at the ends of their ranges.
        {"\xC2\xA0\xDF\xBF", "\xC2\xA0\xDF\xBF"},
        {"\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF",
         "\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF"},
        {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
        // The C1 controls, as characters or as lone bytes.
        {"\xC2\x80\xC2\x9F", "\\xC2\\x80\\xC2\\x9F"},
        {"\x9B"
         "1m",
         "\\x9B1m"},
        // Overlong forms, surrogates, past U+10FFFF, leads that cannot start a character.
        {"\xC0\x80\xC1\xBF", "\\xC0\\x80\\xC1\\xBF"},
        {"\xE0\x9F\xBF", "\\xE0\\x9F\\xBF"},
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"},
        {"\xF0\x8F\xBF\xBF", "\\xF0\\x8F\\xBF\\xBF"},
        {"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},
        {"\xF5\x80\x80\x80", "\\xF5\\x80\\x80\\x80"},
        // Cut short, at the end or by another character.
        {"\xE2\x82", "\\xE2\\x82"},
        {"\xF0\x9F\x98"
         "a",
         "\\xF0\\x9F\\x98a"},
        {"\xE2"
         "a\x82",
         "\\xE2a\\x82"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cli::Printable(c.text), c.shown) << cli::Escaped(c.text);
}

} // namespace
