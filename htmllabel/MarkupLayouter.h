#pragma once
// Private to the markup layout: the layouter that reads the prepared markup run by run and tag
// by tag into lines of boxes. MarkupLayout.cpp holds the lines and runs, MarkupTags.cpp what
// each tag does.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "htmllabel/MarkupLayout.h"
#include "htmllabel/MarkupParser.h"

namespace markup_layout {

enum class TLineAlign { Left, Right, Center };

// How a box finds its place once the line's height is known.
enum class TAnchor {
    Fixed,        // Bounds are final (backgrounds of the whole rectangle)
    Baseline,     // bottom on the line's text baseline, moved by the run's script
    LineTop,      // top at the line's top
    BelowLine,    // a rule just below the line box
    LineBand,     // the line box across the whole layout width
    LineGradient, // the line box from the line's left, two pixels taller
};

// Superscript lifts a run, subscript lowers it; with both on, both shifts apply.
enum class TScript { Normal, Superscript, Subscript, Both };

struct TPlacement {
    std::size_t Box = 0;
    TAnchor Anchor = TAnchor::Fixed;
    int X = 0;
    int Y = 0; // offset from the anchor (a picture's frame offset)
    int Width = 0;
    int Height = 0;
    TScript Script = TScript::Normal;
    int SlotX = 0; // where a picture's slot on the line starts (before its frame offset)
};

// What tags change; it lives from the start of the call to its end.
struct TRenderState {
    TMarkupFont Font;
    TColor Brush = clNone;
    TColor FontBackgroundSave = clNone;
    TColor HighlightFontSave = clNone;
    TColor HighlightBrushSave = clNone;
    TColor ParagraphBrushSave = clNone;
    bool Link = false;
    bool Hidden = false;
    bool Shadow = false;
    bool Subscript = false;
    bool Superscript = false;
    bool ErrorMark = false;
    bool ParagraphBackground = false;
    int LinkCount = 0;
    int ListLevel = 0;
    int ImageCount = 0;
    int XOffset = 0;
    TLineAlign Align = TLineAlign::Left;
    int Indent = 0;
    /// The fonts that <R> tags replaced, the latest last, for their closing tags.
    std::vector<TMarkupFont> TurnedFrom;
};

// The line being laid out.
struct TLineState {
    int Top = 0;
    int GhHeight = 0;
    int Width = 0;
    int Height = 0;
    int ImageShift = 0;
    int SubExtra = 0;
    int SuperExtra = 0;
    int TrailingSpace = 0;
    int XOffset = 0;
    bool Placed = false;
    bool HasListItem = false;
    bool Ended = false;
    std::vector<TPlacement> Placements;
};

// A picture a name resolves to, with the size it takes.
struct TResolvedPicture {
    THTMLBoxKind Kind = THTMLBoxKind::Picture;
    const THTMLPicture* Picture = nullptr;
    int ImageIndex = -1;
    int Width = 0;
    int Height = 0;
    int FrameX = 0;
    int FrameY = 0;
    bool Found = false;
};

class TLayouter {
public:
    TLayouter(TCanvas& canvas, const TRect& rect, const THTMLSources& sources,
              const THTMLLayoutOptions& options)
        : canvas_(canvas), rect_(rect), sources_(sources), options_(options),
          base_(TMarkupFont::Of(canvas.Font())), entryBrush_(canvas.Brush().Color) {
        state_.Font = base_;
        state_.HighlightFontSave = base_.Color;
    }

    THTMLLayout Run(std::string_view markup);

private:
    void LayOutLine();
    void LayOutRun();
    // False when the line ends before the tag, which then stays for the next line.
    bool LayOutTag(const TMarkupTag& tag);
    bool OpeningTag(const TMarkupTag& tag);
    void ClosingTag(const TMarkupTag& tag);
    void FontTag(const TMarkupTag& tag);
    void ParagraphTag(const TMarkupTag& tag);
    void BodyTag(const TMarkupTag& tag);
    bool ImageTag(const TMarkupTag& tag);
    bool ListItemTag(const TMarkupTag& tag);
    void FinishLine(std::size_t sourceBegin);

    TResolvedPicture ResolvePicture(const std::string& name);
    bool Fits(int width) const {
        return !line_.Placed || line_.Width + width <= rect_.Width() - line_.XOffset;
    }
    int TextHeight(const TMarkupFont& font, std::string_view text) {
        font.ApplyTo(canvas_.Font());
        return canvas_.TextHeight(text);
    }
    int TextWidth(const TMarkupFont& font, std::string_view shown) {
        font.ApplyTo(canvas_.Font());
        return canvas_.TextWidth(layout_.Source.LiteralAmpersands ? std::string(shown)
                                                                  : WithoutPrefixes(shown));
    }
    TMarkupFont RunFont() const {
        TMarkupFont f = state_.Font;
        if (state_.Link)
            f.Style.Include(TFontStyle::fsUnderline);
        return f;
    }
    THTMLBox& AddBox(THTMLBoxKind kind, TAnchor anchor, int x = 0, int width = 0, int height = 0,
                     TScript script = TScript::Normal, int dy = 0) {
        layout_.Boxes.push_back({});
        layout_.Boxes.back().Kind = kind;
        line_.Placements.push_back(
            {layout_.Boxes.size() - 1, anchor, x, dy, width, height, script});
        return layout_.Boxes.back();
    }
    THTMLBox& AddFixedBox(THTMLBoxKind kind, const TRect& bounds) {
        THTMLBox& box = AddBox(kind, TAnchor::Fixed);
        box.Bounds = bounds;
        return box;
    }
    void Link(THTMLBox& box) {
        if (state_.Link)
            box.Link = state_.LinkCount;
    }

    TCanvas& canvas_;
    TRect rect_;
    THTMLSources sources_;
    THTMLLayoutOptions options_;
    TMarkupFont base_;
    TColor entryBrush_; // its colour, clear or not: <BLINK> text takes it
    TRenderState state_;
    TLineState line_;
    THTMLLayout layout_;
    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace markup_layout
