// The markup as text: preparation, entities, tag attributes, numbers and colours.

#include <gtest/gtest.h>

#include "htmllabel/MarkupColour.h"
#include "htmllabel/MarkupParser.h"
#include "htmllabel/MarkupText.h"

TEST(MarkupText, PreparationKeepsItsOrder) {
    // The ampersand mode is read before the entities turn "&amp;" into "&&".
    EXPECT_FALSE(PreprocessMarkup("a &amp; b").LiteralAmpersands);
    EXPECT_TRUE(PreprocessMarkup("x & y &amp; b").LiteralAmpersands);
    EXPECT_EQ(PreprocessMarkup("a &AMP; b &Quot;&euro;").Text, "a && b \"\x80");
    // Rounds go on until nothing changes: "&amp;" made of a replacement is replaced again.
    EXPECT_EQ(PreprocessMarkup("&amp;quot;").Text, "&\"");
    EXPECT_EQ(PreprocessMarkup("a<#b>c>d").Text, "a#bc>d");
    EXPECT_EQ(PreprocessMarkup("a\r\nb\n \t").Text, "a<BR>b");
    // Run entities are the layout's, not the preparation's.
    EXPECT_EQ(PreprocessMarkup("&lt;B&gt;").Text, "&lt;B&gt;");
    EXPECT_EQ(ReplaceRunEntities("&LT;B&gt;&nbsp;"), "<B> ");
    EXPECT_EQ(WithoutPrefixes("&Save && go&"), "Save & go");
}

TEST(MarkupText, RunsEndAtTagsOrAfterTheirFirstBlank) {
    EXPECT_EQ(RunEnd("ab cd<x>", 0), 3u);
    EXPECT_EQ(RunEnd("ab cd<x>", 3), 5u);
    EXPECT_EQ(RunEnd("abc", 0), 3u);
    EXPECT_EQ(RunEnd("  x", 1), 2u);
}

TEST(MarkupText, TagsAreReadByTheirFirstLettersAndQuotedValues) {
    const TMarkupTag font(R"(<font Face="Courier" color="clRed" bgcolor="#00FF00">rest)");
    EXPECT_EQ(font.Letter(), 'F');
    EXPECT_EQ(font.SecondLetter(), 'O');
    EXPECT_FALSE(font.Closing());
    EXPECT_TRUE(font.Terminated());
    EXPECT_EQ(font.Source().size(), font.Length());
    EXPECT_EQ(font.Attribute("FACE"), "Courier");
    EXPECT_EQ(font.UpperAttribute("FACE"), "COURIER");
    // " COLOR" with its blank is not found inside BGCOLOR.
    EXPECT_EQ(font.Attribute(" COLOR"), "clRed");
    EXPECT_EQ(font.Attribute("BGCOLOR"), "#00FF00");
    EXPECT_EQ(font.Attribute("SIZE"), "");

    const TMarkupTag closing("</b>");
    EXPECT_TRUE(closing.Closing());
    EXPECT_EQ(closing.Letter(), 'B');
    EXPECT_EQ(closing.SecondLetter(), '>');

    const TMarkupTag open("<P align=center x=\"1");
    EXPECT_FALSE(open.Terminated());
    EXPECT_EQ(open.Attribute("ALIGN"), ""); // an unquoted or unclosed value is not seen
    EXPECT_TRUE(TMarkupTag("<sub>").Is("<SUB>"));
    EXPECT_EQ(TMarkupTag("<a title=\"t\" href=\"h\">").FirstQuoted(), "t");
}

TEST(MarkupText, NumbersStopAtTheFirstCharacterThatCannotGoOn) {
    EXPECT_EQ(ParseMarkupInt("12px"), 12);
    EXPECT_EQ(ParseMarkupInt("-7"), -7);
    EXPECT_EQ(ParseMarkupInt("$1F"), 31);
    EXPECT_EQ(ParseMarkupInt("0x1F"), 31);
    const std::string longer = "12345";
    EXPECT_EQ(ParseMarkupInt(std::string_view(longer).substr(0, 2)), 12);
    EXPECT_EQ(ParseMarkupInt("0x1g"), 1);
    EXPECT_EQ(ParseMarkupInt("0xg"), 0);
    EXPECT_EQ(ParseMarkupInt("px"), 0);
    EXPECT_EQ(ParseMarkupInt("99999999999999999999"), kMarkupNumberLimit);
    EXPECT_TRUE(IsMarkupInt("40"));
    EXPECT_FALSE(IsMarkupInt("40px"));
    EXPECT_FALSE(IsMarkupInt(""));
}

TEST(MarkupText, ColoursByValueAndByName) {
    EXPECT_EQ(ParseColour("#FF8000"), 0x0080FFu);
    EXPECT_EQ(ParseColour("#ff8000"), 0x0080FFu);
    EXPECT_EQ(ParseColour("#F"), 0x0000F0u); // missing digits read as 0
    EXPECT_EQ(ParseColour("clRed"), 0x0000FFu);
    EXPECT_EQ(ParseColour("CLNAVY"), 0x800000u);
    EXPECT_EQ(ParseColour("clMaroon"), 0x000080u);
    EXPECT_EQ(ParseColour("clBackground"), 0xFF000001u);
    EXPECT_EQ(ParseColour("clInfoBk"), 0xFF000018u);
    EXPECT_EQ(ParseColour("clBlack"), 0u);
    EXPECT_EQ(ParseColour("tomato"), 0u);
    EXPECT_EQ(ParseColour(""), clNone);
}
