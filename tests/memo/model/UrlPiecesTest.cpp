// Web and mail addresses in a line: the pieces, which of them are links, and what a click
// hands to the desktop.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "memo/model/UrlPieces.h"

namespace {

std::string PieceAt(std::string_view line, int column, char escape = '\0') {
    const auto piece = UrlPieceAt(line, column, escape);
    return piece ? std::string(line.substr(static_cast<std::size_t>(piece->Start),
                                           static_cast<std::size_t>(piece->End - piece->Start)))
                 : "-";
}

TEST(UrlPieces, SeparatorsCutPiecesAndOnlyWordsWithAPrefixAreLinks) {
    EXPECT_EQ(PieceAt("www.example.org", 0), "www.example.org");
    EXPECT_EQ(PieceAt("www.example.org", 14), "www.example.org");
    EXPECT_EQ(PieceAt("www.example.org", 15), "-"); // just right of the last character
    EXPECT_EQ(PieceAt("word,www.x.org", 2), "-");
    EXPECT_EQ(PieceAt("word,www.x.org", 4), "-"); // the comma
    EXPECT_EQ(PieceAt("word,www.x.org", 5), "www.x.org");
    EXPECT_EQ(PieceAt("see \"mailto:a@b\" or 'ftp://c'", 6), "mailto:a@b");
    EXPECT_EQ(PieceAt("see \"mailto:a@b\" or 'ftp://c'", 23), "ftp://c");
    EXPECT_EQ(PieceAt("HTTPS://UPPER.CASE", 3), "HTTPS://UPPER.CASE");
    EXPECT_EQ(PieceAt("httpx://no nntp://yes file://f", 2), "-");
    EXPECT_EQ(PieceAt("httpx://no nntp://yes file://f", 12), "nntp://yes");
    EXPECT_EQ(PieceAt("httpx://no nntp://yes file://f", 23), "file://f");
    EXPECT_EQ(PieceAt("xwww.no", 1), "-");
    // A styler's escape keeps the character after it in its piece.
    EXPECT_EQ(PieceAt("http://a\\ b", 0, '\\'), "http://a\\ b");
    EXPECT_EQ(PieceAt("http://a\\ b", 0), "http://a\\");
    EXPECT_EQ(PiecesAround("a\\", 0, 2, '\\').back().End, 2); // an escape at the end
}

TEST(UrlPieces, PiecesAreCutOnlyAroundTheColumnsAsked) {
    const std::string word(kPieceReach + 10, 'a');
    // A word whose start lies further back than the reach is no link, whatever its tail.
    EXPECT_TRUE(PieceAt(word + "www.x", kPieceReach + 12) == "-");
    EXPECT_TRUE(PieceAt("http://" + word, 3) == "http://" + word); // whole, for the click
    EXPECT_TRUE(PieceAt("http://" + word, kPieceReach + 14) == "-");
    const std::string line = word + " www.y " + word;
    const std::vector<TPiece> pieces = PiecesAround(line, kPieceReach + 10, kPieceReach + 12);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], (TPiece{kPieceReach + 10, kPieceReach + 11, true, false}));
    EXPECT_EQ(pieces[1], (TPiece{kPieceReach + 11, kPieceReach + 16, false, false}));
}

TEST(UrlPieces, WhatAClickOpens) {
    EXPECT_EQ(UrlToOpen("www.example.org"), "http://www.example.org");
    // Shell metacharacters stay as they are: the piece is one argument, never a command line.
    const std::string hostile = "http://a;b|c&d$(touch x)`id`>y<z*?~!#";
    EXPECT_EQ(UrlToOpen(hostile), hostile);
    EXPECT_EQ(UrlToOpen("plain words"), std::nullopt);
    // A file link to something the system would run is never opened; other files are.
    EXPECT_EQ(UrlToOpen("file:///bin/sh"), std::nullopt);
    EXPECT_EQ(UrlToOpen("file://localhost/bin/sh"), std::nullopt);
    const auto dir = std::filesystem::temp_directory_path() / "dyadlist-url-test";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "run9 me.desktop") << "[Desktop Entry]\n";
    std::ofstream(dir / "list.txt") << "a\n";
    EXPECT_EQ(UrlToOpen("file://" + (dir / "run%39%20me.desktop").string()), std::nullopt);
    EXPECT_EQ(UrlToOpen("FILE://" + (dir / "list.txt").string()),
              "FILE://" + (dir / "list.txt").string());
    std::filesystem::remove_all(dir);
}

} // namespace
