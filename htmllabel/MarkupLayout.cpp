#include "htmllabel/MarkupLayout.h"

#include <algorithm>

#include "htmllabel/MarkupLayouter.h"
#include "htmllabel/MarkupParser.h"
#include "htmllabel/MarkupText.h"

TMarkupFont TMarkupFont::Of(const TFont& font) {
    return {font.Name(), font.Height(), font.Style(), font.Color(), font.Orientation()};
}

void TMarkupFont::ApplyTo(TFont& font) const {
    font.SetName(Name);
    font.SetHeight(Height);
    font.SetStyle(Style);
    font.SetColor(Color);
    font.SetOrientation(Orientation);
}

namespace markup_layout {

THTMLLayout TLayouter::Run(std::string_view markup) {
    layout_.Source = PreprocessMarkup(markup);
    layout_.Images = sources_.Images;
    text_ = layout_.Source.Text;
    int top = rect_.Top;
    int lines = 0;
    while (pos_ < text_.size() && lines < options_.MaxLines) {
        // Each line starts in the font the previous one ended in, at least "gh" high.
        line_ = TLineState{};
        line_.Top = top;
        line_.GhHeight = TextHeight(state_.Font, "gh");
        line_.Height = line_.GhHeight;
        line_.XOffset = state_.XOffset;
        while (pos_ < text_.size() && IsBlankOrControl(text_[pos_]))
            ++pos_;
        const std::size_t begin = pos_;
        LayOutLine();
        FinishLine(begin);
        ++lines;
        const int step = line_.Height + line_.SubExtra + line_.SuperExtra;
        top += step;
        layout_.YSize += step;
        if (top + line_.GhHeight > rect_.Bottom)
            break;
    }
    if (layout_.YSize == 0)
        layout_.YSize = TextHeight(base_, "gh");
    base_.ApplyTo(canvas_.Font());
    return std::move(layout_);
}

void TLayouter::LayOutLine() {
    if (state_.ParagraphBackground)
        AddBox(THTMLBoxKind::Fill, TAnchor::LineBand).Color = state_.Brush;
    while (!line_.Ended && pos_ < text_.size()) {
        if (text_[pos_] != '<') {
            LayOutRun();
            continue;
        }
        // A lone "<" or "<x" at the very end is dropped; so a closing tag always has a letter.
        if (text_.size() - pos_ <= 2) {
            pos_ = text_.size();
            break;
        }
        const TMarkupTag tag(text_.substr(pos_));
        if (!LayOutTag(tag))
            break;
        pos_ += tag.Length();
    }
}

void TLayouter::LayOutRun() {
    const std::size_t end = RunEnd(text_, pos_);
    const std::string_view source = text_.substr(pos_, end - pos_);
    const std::string shown = ReplaceRunEntities(source);
    const TMarkupFont font = RunFont();
    const int height = TextHeight(font, shown);
    auto growHeights = [&] {
        line_.Height = std::max(line_.Height, height);
        if (state_.Subscript)
            line_.SubExtra = std::max(line_.SubExtra, height / 4);
        if (state_.Superscript)
            line_.SuperExtra = std::max(line_.SuperExtra, height / 4);
    };
    if (state_.Hidden) {
        growHeights();
        pos_ = end;
        return;
    }
    const int width = TextWidth(font, shown);
    if (!Fits(width)) {
        line_.Ended = true;
        return;
    }
    growHeights();
    const TScript script = state_.Superscript && state_.Subscript ? TScript::Both
                           : state_.Superscript                   ? TScript::Superscript
                           : state_.Subscript                     ? TScript::Subscript
                                                                  : TScript::Normal;
    THTMLBox& box =
        AddBox(THTMLBoxKind::Text, TAnchor::Baseline, line_.Width, width, height, script);
    box.Text = shown;
    box.Font = font;
    box.Background = state_.Brush;
    box.Shadow = state_.Shadow;
    box.ErrorMark = state_.ErrorMark;
    Link(box);
    line_.Width += width;
    line_.Placed = true;
    line_.TrailingSpace =
        shown.size() == source.size() && shown.back() == ' ' ? TextWidth(font, " ") : 0;
    pos_ = end;
}

void TLayouter::FinishLine(std::size_t sourceBegin) {
    TLineState& l = line_;
    l.Width -= l.TrailingSpace;
    int left = rect_.Left;
    if (state_.Align == TLineAlign::Right && rect_.Right - l.Width > rect_.Left)
        left = rect_.Right - l.Width;
    else if (state_.Align == TLineAlign::Center && rect_.Width() - l.Width > 0)
        left += (rect_.Width() - l.Width) / 2;
    left += state_.Indent;
    const int x0 = left + l.XOffset;
    const int bottom = l.Top + l.Height + l.SubExtra + l.SuperExtra;
    // Text sits above the room kept for subscripts and is lifted by a picture's alignment.
    const int baseline = bottom - l.SubExtra - l.ImageShift;
    // The point is on link text within a "gh" height above the line box's bottom, lifted as
    // the text is by a picture's alignment.
    const int linkBottom = bottom - l.ImageShift;
    for (const TPlacement& p : l.Placements) {
        THTMLBox& box = layout_.Boxes[p.Box];
        switch (p.Anchor) {
        case TAnchor::Fixed:
            break;
        case TAnchor::Baseline: {
            const bool up = p.Script == TScript::Superscript || p.Script == TScript::Both;
            const bool down = p.Script == TScript::Subscript || p.Script == TScript::Both;
            const int runBottom = baseline - (up ? l.SuperExtra : 0) + (down ? l.SubExtra : 0);
            box.Bounds = Rect(x0 + p.X, runBottom - p.Height, x0 + p.X + p.Width, runBottom);
            box.ErrorMarkLine = bottom - l.SubExtra;
            if (box.Link)
                box.HitArea =
                    Rect(x0 + p.X, linkBottom - l.GhHeight + 1, x0 + p.X + p.Width + 1, linkBottom);
            break;
        }
        case TAnchor::LineTop:
            box.Bounds = Bounds(x0 + p.X, l.Top + p.Y, p.Width, p.Height);
            // The point is on a picture strictly inside its slot.
            if (box.Link)
                box.HitArea =
                    Rect(x0 + p.SlotX + 1, l.Top + 1, x0 + p.SlotX + p.Width, l.Top + p.Height);
            break;
        case TAnchor::BelowLine:
            box.Bounds = Rect(left, bottom + 1, rect_.Right, bottom + 2);
            break;
        case TAnchor::LineBand:
            box.Bounds = Rect(rect_.Left, l.Top, rect_.Right, bottom);
            break;
        case TAnchor::LineGradient:
            box.Bounds = Rect(left, l.Top, rect_.Right, bottom + 2);
            break;
        }
    }
    if (l.Width > 0)
        layout_.XSize = std::max(layout_.XSize, l.Width + 2);
    layout_.Lines.push_back({Rect(left, l.Top, rect_.Right, bottom), l.Width, sourceBegin, pos_});
}

} // namespace markup_layout

THTMLLayout LayoutHTML(TCanvas& canvas, std::string_view markup, const TRect& rect,
                       const THTMLSources& sources, const THTMLLayoutOptions& options) {
    return markup_layout::TLayouter(canvas, rect, sources, options).Run(markup);
}
