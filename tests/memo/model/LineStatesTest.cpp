// Where each line starts for the tokenizer, asked in any order through edits, against
// tokenizing every line from the top.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/TextDocument.h"
#include "memo/model/LineStates.h"

namespace {

TTokenState FromTheTop(const TLanguage& language, const core::TextDocument& document, int line) {
    TTokenState state;
    for (int at = 0; at < line; ++at)
        state = Tokenize(language, document.Line(at), state, nullptr);
    return state;
}

TEST(LineStates, AnyLineAskedInAnyOrderThroughEditsStartsAsFromTheTop) {
    TLanguage language;
    language.CommentOpenMarker = "{";
    language.CommentCloseMarker = "}";
    language.Elements.push_back({TStyleType::stBracket, {}, '\'', '\'', {}});
    core::TextDocument document;
    const std::vector<std::string_view> pieces = {"a", "{", "}", "'", "b c", "x}y{", ""};
    std::mt19937 random(5);
    std::vector<std::string> lines;
    for (int i = 0; i < 1500; ++i)
        lines.emplace_back(pieces[random() % pieces.size()]);
    std::vector<std::string_view> views(lines.begin(), lines.end());
    document.InsertLines(0, views);
    TLineStates states(document);
    EXPECT_EQ(states.StateAt(700), TTokenState{}); // no language: plain everywhere
    states.SetLanguage(&language);
    // Rows painted one after another ask lines in order; edits come between paints.
    const auto expect = [&](int line, int step) {
        ASSERT_EQ(states.StateAt(line), FromTheTop(language, document, line))
            << "line " << line << " step " << step;
    };
    for (int step = 0; step < 300; ++step) {
        const int line = static_cast<int>(random() % (document.Count() - 2));
        expect(line, step);
        expect(line + 1, step);
        expect(line + 2, step);
        if (step % 3 == 0) {
            const int at = static_cast<int>(random() % document.Count());
            if (random() % 2)
                document.ReplaceLine(at, pieces[random() % pieces.size()]);
            else
                document.InsertLine(at, pieces[random() % pieces.size()]);
            expect(1, step);
            expect(at + 1, step);
        }
    }
    // A new language drops what was found with the old one.
    language.CommentOpenMarker = "'";
    states.SetLanguage(&language);
    EXPECT_EQ(states.StateAt(1400), FromTheTop(language, document, 1400));
}

} // namespace
