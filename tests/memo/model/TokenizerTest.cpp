// A language's tokens: keywords, symbols, numbers, literals and comments, and the state one
// line leaves for the next.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memo/model/Tokenizer.h"

namespace {

using C = TTokenClass;

TLanguage Pascalish(bool caseSensitive) {
    TLanguage language;
    TLanguageElement keywords;
    keywords.KeyWords = caseSensitive ? std::vector<std::string>{"Begin", "end"}
                                      : std::vector<std::string>{"abz", "begin", "end"};
    TLanguageElement strings{TStyleType::stBracket, {}, '\'', '\'', {}};
    TLanguageElement symbols{TStyleType::stSymbol, {}, '\0', '\0', "();=+"};
    language.Elements = {keywords, strings, symbols};
    language.LineCommentMarker = "//";
    language.CommentOpenMarker = "{";
    language.CommentCloseMarker = "}";
    language.HexPrefix = "$";
    language.LiteralEscape = '\\';
    language.CaseSensitive = caseSensitive;
    return language;
}

/// The line's tokens as "text:class" pieces.
std::string Shown(const TLanguage& language, std::string_view line, TTokenState state = {}) {
    std::vector<TToken> tokens;
    Tokenize(language, line, state, &tokens);
    const char* names[] = {"plain", "comment", "number", "keyword", "literal", "symbol", "url"};
    std::string shown;
    int at = 0;
    for (const TToken& t : tokens) {
        EXPECT_EQ(t.Start, at) << "tokens cover the line in order";
        at = t.End;
        shown += "[" + std::string(line.substr(static_cast<std::size_t>(t.Start),
                                               static_cast<std::size_t>(t.End - t.Start))) +
                 ":" + names[static_cast<int>(t.Class)] + "]";
    }
    EXPECT_EQ(at, static_cast<int>(line.size()));
    return shown;
}

TEST(Tokenizer, KeywordsByCaseAndAfterSymbolsButNotGluedToALetter) {
    const TLanguage insensitive = Pascalish(false);
    EXPECT_EQ(Shown(insensitive, "BEGIN begin Begin"),
              "[BEGIN:keyword][ :plain][begin:keyword][ :plain][Begin:keyword]");
    EXPECT_EQ(Shown(insensitive, "ABZ"), "[ABZ:keyword]"); // the alphabet's ends fold too
    const TLanguage sensitive = Pascalish(true);
    EXPECT_EQ(Shown(sensitive, "BEGIN Begin"), "[BEGIN :plain][Begin:keyword]");
    EXPECT_EQ(Shown(insensitive, "(end;xend"), "[(:symbol][end:keyword][;:symbol][xend:plain]");
}

TEST(Tokenizer, NumbersEndBeforeTheFirstOfTwoPoints) {
    const TLanguage language = Pascalish(false);
    EXPECT_EQ(Shown(language, "1.5 1.5.3 $1aF x2"),
              "[1.5:number][ :plain][1:number][.5.3 :plain][$1aF:number][ x2:plain]");
    EXPECT_EQ(Shown(language, "=12e3"), "[=:symbol][12e3:number]");
}

TEST(Tokenizer, CommentsAndLiteralsCarryTheirStateToTheNextLine) {
    const TLanguage language = Pascalish(false);
    TTokenState state = Tokenize(language, "a { open", {}, nullptr);
    EXPECT_TRUE(state.InComment);
    EXPECT_EQ(Shown(language, "still } end", state), "[still }:comment][ :plain][end:keyword]");
    EXPECT_FALSE(Tokenize(language, "still } end", state, nullptr).InComment);
    EXPECT_EQ(Shown(language, "x}end", state), "[x}:comment][end:plain]"); // glued: no word start
    EXPECT_EQ(Shown(language, "x // end {"), "[x :plain][// end {:comment]");
    EXPECT_FALSE(Tokenize(language, "x // end {", {}, nullptr).InComment);
    // A literal: its escape keeps the quote inside; one left open goes on below.
    EXPECT_EQ(Shown(language, "'it\\'s' end"), "['it\\'s':literal][ :plain][end:keyword]");
    state = Tokenize(language, "'open", {}, nullptr);
    EXPECT_EQ(state.LiteralElement, 1);
    EXPECT_EQ(Shown(language, "more' end", state), "[more':literal][ :plain][end:keyword]");
}

TEST(Tokenizer, LinksStayWholeOnlyWhileUrlAware) {
    TLanguage language = Pascalish(false);
    EXPECT_EQ(Shown(language, "see http://a.b/end"), "[see :plain][http://a.b/end:url]");
    language.UrlAware = false;
    EXPECT_EQ(Shown(language, "http://a"), "[http::plain][//a:comment]");
}

} // namespace
