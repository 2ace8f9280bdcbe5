// Gutter markers follow their lines through the document's changes.

#include <gtest/gtest.h>

#include <vector>

#include "tests/memo/model/ModelEditor.h"

namespace {

std::vector<int> MarkedLines(const TAdvMarkerList& markers) {
    std::vector<int> lines;
    for (int i = 0; i < markers.Count(); ++i)
        lines.push_back(markers.Item(i).LineNumber);
    return lines;
}

TEST(Markers, FollowInsertedAndRemovedLinesAndGoWithTheirOwn) {
    TModelEditor editor("l0\r\nl1\r\nl2\r\nl3\r\nl4");
    TAdvMarkerList& markers = editor.Model().Markers();
    std::vector<int> removed;
    markers.OnMarkerRemoved = [&](const TAdvMarker& m) { removed.push_back(m.LineNumber); };
    markers.AddMarker(1, 3, "one");
    markers.AddMarker(3, 5);
    markers.AddMarker(3, 7); // a line holds one marker: this changes it
    markers.AddMarker(-1, 0); // no line
    markers.AddMarker(0, 0);
    EXPECT_EQ(MarkedLines(markers), (std::vector<int>{1, 3, 0}));
    EXPECT_TRUE(markers.RemoveMarker(0));
    EXPECT_FALSE(markers.RemoveMarker(0));
    EXPECT_EQ(removed, (std::vector<int>{0}));
    removed.clear();
    EXPECT_EQ(markers.MarkerImageIndex(3), 7);
    EXPECT_TRUE(markers.MarkerBelowLine(2));
    EXPECT_FALSE(markers.MarkerBelowLine(3));
    editor.Go(2, 0);
    editor.Type("\n"); // Enter on line 0: the lines below move down
    EXPECT_EQ(MarkedLines(markers), (std::vector<int>{2, 4}));
    editor.Go(0, 2);
    editor.Type("x"); // a line changed in place moves nothing
    editor.Go(0, 3);
    editor.Type("\b"); // line 3 joins line 2: the marked line 4 moves up
    EXPECT_EQ(MarkedLines(markers), (std::vector<int>{2, 3}));
    editor.Go(0, 2);
    editor.Editing().DeleteLine(); // its marker goes with it
    EXPECT_EQ(MarkedLines(markers), (std::vector<int>{2}));
    EXPECT_EQ(removed, (std::vector<int>{2}));
    markers.SetUseDefaultMarkerImageIndex(true);
    markers.SetDefaultMarkerImageIndex(9);
    EXPECT_EQ(markers.MarkerImageIndex(2), 9);
    EXPECT_EQ(markers.MarkerImageIndex(0), -1);
    editor.Lines().SetText("new"); // a new text has no markers
    EXPECT_EQ(markers.Count(), 0);
    EXPECT_EQ(removed, (std::vector<int>{2, 2}));
}

} // namespace
