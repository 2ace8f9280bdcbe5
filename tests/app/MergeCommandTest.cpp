// "Merge it!" as the user sees it: the panes, the captions and the messages.

#include "FormFixture.h"

#include "core/ListComparison.h"

namespace {

using Lines = std::vector<std::string>;
const std::string kIdentical(core::kIdenticalListsMessage);

TEST_F(FormFixture, WorkedExampleFillsBothPanesAndCaptions) {
    LoadLeft("a\r\nb\r\nc\r\n");
    LoadRight("b\r\nc\r\nd\r\n");
    form.MergeButton().Click();
    EXPECT_EQ(Entries(form.MultipleHitsPane()), (Lines{"b", "c"}));
    EXPECT_EQ(Entries(form.SingleHitsPane()), (Lines{"a", "d"}));
    EXPECT_EQ(form.MultipleHitsCaption().Markup(), "multiple hits: 2");
    EXPECT_EQ(form.SingleHitsCaption().Markup(), "single hits: 2");
    EXPECT_TRUE(seam.messageBoxes.empty());
}

TEST_F(FormFixture, DuplicatesMultiplyAndTheLongerListSetsTheOrder) {
    LoadLeft("x\r\na\r\na\r\n");
    LoadRight("a\r\ny\r\n");
    form.MergeButton().Click();
    EXPECT_EQ(Entries(form.MultipleHitsPane()), (Lines{"a", "a"}));
    EXPECT_EQ(Entries(form.SingleHitsPane()), (Lines{"x", "y"}));

    LoadLeft("b\r\na\r\n");
    LoadRight("a\r\nb\r\nz\r\n");
    form.MergeButton().Click();
    EXPECT_EQ(Entries(form.MultipleHitsPane()), (Lines{"a", "b"}));
    EXPECT_EQ(Entries(form.SingleHitsPane()), (Lines{"z"}));
}

TEST_F(FormFixture, IdenticalListsShowTheMessageAndKeepTheCaptions) {
    LoadLeft("a\r\nb\r\nc\r\n");
    LoadRight("b\r\nc\r\nd\r\n");
    form.MergeButton().Click();
    LoadRight("a\r\nb\r\nc");
    form.MergeButton().Click();
    ASSERT_EQ(seam.messageBoxes.size(), 1u);
    EXPECT_EQ(seam.messageBoxes[0].text, kIdentical);
    EXPECT_EQ(seam.messageBoxes[0].caption, "Dyadlist");
    EXPECT_EQ(seam.messageBoxes[0].icon, TMsgIcon::None);
    EXPECT_FALSE(seam.messageBoxes[0].busyCursor);
    EXPECT_EQ(form.MultipleHitsPane().EntryCount(), 0u);
    EXPECT_EQ(form.SingleHitsPane().EntryCount(), 0u);
    EXPECT_EQ(form.MultipleHitsCaption().Markup(), "multiple hits: 2");
    EXPECT_EQ(form.SingleHitsCaption().Markup(), "single hits: 2");
}

TEST_F(FormFixture, UntouchedEditorsAreIdentical) {
    form.MergeButton().Click();
    ASSERT_EQ(seam.messageBoxes.size(), 1u);
    EXPECT_EQ(seam.messageBoxes[0].text, kIdentical);
    EXPECT_EQ(form.MultipleHitsCaption().Markup(), "<P align=\"left\">  multiple hits:</P>");
}

TEST_F(FormFixture, AnEmptiedListShowsTheMessage) {
    LoadLeft("a\r\n");
    LoadRight("b\r\n");
    form.ClearLeftButton().Click(); // Clear Left: no lines at all
    form.MergeButton().Click();
    ASSERT_EQ(seam.messageBoxes.size(), 1u);
    EXPECT_EQ(seam.messageBoxes[0].text, kIdentical);

    seam.openAnswers.push_back(std::nullopt); // a cancelled load empties the list too
    LoadLeft("a\r\n");
    form.LoadRightButton().Click();
    form.MergeButton().Click();
    EXPECT_EQ(seam.messageBoxes.size(), 2u);
}

TEST_F(FormFixture, OneLoadedListIsComparedWithTheOtherEditorsEmptyLine) {
    LoadLeft("a\r\n\r\nb\r\n");
    form.MergeButton().Click();
    EXPECT_TRUE(seam.messageBoxes.empty());
    EXPECT_EQ(Entries(form.MultipleHitsPane()), (Lines{""}));
    EXPECT_EQ(form.MultipleHitsCaption().Markup(), "multiple hits: 1");
    EXPECT_EQ(Entries(form.SingleHitsPane()), (Lines{"a", "b"}));
}

TEST_F(FormFixture, CaseAndTrailingSpacesMatter) {
    LoadLeft("Apple\r\na\r\n");
    LoadRight("apple\r\na \r\n");
    form.MergeButton().Click();
    EXPECT_EQ(form.MultipleHitsPane().EntryCount(), 0u);
    EXPECT_EQ(Entries(form.SingleHitsPane()), (Lines{"Apple", "a", "apple", "a "}));
    EXPECT_EQ(form.MultipleHitsCaption().Markup(), "multiple hits: 0");
    EXPECT_EQ(form.SingleHitsCaption().Markup(), "single hits: 4");
}

TEST_F(FormFixture, TheListsThemselvesAreNeverChanged) {
    LoadLeft("q\r\nw\r\nq\r\n");
    LoadRight("w\r\ne\r\n");
    const std::string left = form.LeftList().Lines().Text();
    const std::string right = form.RightList().Lines().Text();
    form.MergeButton().Click();
    EXPECT_EQ(form.LeftList().Lines().Text(), left);
    EXPECT_EQ(form.RightList().Lines().Text(), right);
}

// A line repeated on both lists multiplies: 4,000 x 4,000 copies would be 16 million entries.
// The window refuses, names the count and the limit, and leaves the captions as they were.
TEST_F(FormFixture, TooManyMultipleHitsShowAMessageInsteadOfFillingThePanes) {
    LoadLeft("a\r\nb\r\nc\r\n");
    LoadRight("b\r\nc\r\nd\r\n");
    form.MergeButton().Click();
    std::string same;
    for (int i = 0; i < 4000; ++i)
        same += "same\r\n";
    LoadLeft(same + "left only\r\n");
    LoadRight(same);
    form.MergeButton().Click();
    ASSERT_EQ(seam.messageBoxes.size(), 1u);
    const std::string& text = seam.messageBoxes[0].text;
    EXPECT_NE(text.find("16000000"), std::string::npos) << text;
    EXPECT_NE(text.find("10000000"), std::string::npos) << text;
    EXPECT_FALSE(seam.messageBoxes[0].busyCursor);
    EXPECT_EQ(form.MultipleHitsPane().EntryCount(), 0u);
    EXPECT_EQ(form.SingleHitsPane().EntryCount(), 0u);
    EXPECT_EQ(form.MultipleHitsCaption().Markup(), "multiple hits: 2");
    EXPECT_EQ(form.SingleHitsCaption().Markup(), "single hits: 2");
}

TEST_F(FormFixture, BelowTheLimitThePanesAreFilledInFull) {
    // 100 x 100 copies: well inside the limit, filled in full.
    std::string same;
    for (int i = 0; i < 100; ++i)
        same += "same\r\n";
    LoadLeft(same + "x\r\n");
    LoadRight(same);
    form.MergeButton().Click();
    EXPECT_TRUE(seam.messageBoxes.empty());
    EXPECT_EQ(form.MultipleHitsPane().EntryCount(), 10000u);
    EXPECT_EQ(form.MultipleHitsCaption().Markup(), "multiple hits: 10000");
    EXPECT_EQ(Entries(form.SingleHitsPane()), (Lines{"x"}));
}

} // namespace
