#include "htmllabel/MarkupLayout.h"

#include <algorithm>
#include <cctype>

#include "htmllabel/HTMLPicture.h"
#include "htmllabel/MarkupColour.h"
#include "htmllabel/MarkupParser.h"
#include "htmllabel/PictureContainer.h"
#include "platform/ImageList.h"
#include "platform/SysUtils.h"

TMarkupFont TMarkupFont::Of(const TFont& font) {
    return {font.Name(), font.Height(), font.Style(), font.Color()};
}

void TMarkupFont::ApplyTo(TFont& font) const {
    font.SetName(Name);
    font.SetHeight(Height);
    font.SetStyle(Style);
    font.SetColor(Color);
}

namespace {

constexpr int kListStep = 12;
constexpr int kBulletSize = 8;
constexpr TColor kHighlightBrush = 0xFF00000D;
constexpr TColor kHighlightFont = 0xFF00000E;

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

enum class TScript { Normal, Superscript, Subscript };

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
          base_(TMarkupFont::Of(canvas.Font())),
          entryBrush_(canvas.Brush().Style == TBrushStyle::bsClear ? clNone
                                                                   : canvas.Brush().Color) {
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
    THTMLBox& AddBox(THTMLBoxKind kind, TAnchor anchor, int x, int width, int height,
                     TScript script = TScript::Normal, int dy = 0) {
        layout_.Boxes.push_back({});
        layout_.Boxes.back().Kind = kind;
        line_.Placements.push_back(
            {layout_.Boxes.size() - 1, anchor, x, dy, width, height, script});
        return layout_.Boxes.back();
    }
    THTMLBox& AddFixedBox(THTMLBoxKind kind, const TRect& bounds) {
        THTMLBox& box = AddBox(kind, TAnchor::Fixed, 0, 0, 0);
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
    TColor entryBrush_;
    TRenderState state_;
    TLineState line_;
    THTMLLayout layout_;
    std::string_view text_;
    std::size_t pos_ = 0;
};

THTMLLayout TLayouter::Run(std::string_view markup) {
    layout_.Source = PreprocessMarkup(markup);
    layout_.Rect = rect_;
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
        AddBox(THTMLBoxKind::Fill, TAnchor::LineBand, 0, 0, 0).Color = state_.Brush;
    while (!line_.Ended && pos_ < text_.size()) {
        if (text_[pos_] != '<') {
            LayOutRun();
            continue;
        }
        // A lone "<" or "<x" at the very end is dropped.
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
    const TScript script = state_.Superscript ? TScript::Superscript
                           : state_.Subscript ? TScript::Subscript
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

bool TLayouter::LayOutTag(const TMarkupTag& tag) {
    if (!tag.Closing())
        return OpeningTag(tag);
    // "</" needs a letter before the end of the text.
    if (tag.Length() > 2)
        ClosingTag(tag);
    return true;
}

bool TLayouter::OpeningTag(const TMarkupTag& tag) {
    TMarkupFont& font = state_.Font;
    const char second = tag.SecondLetter();
    switch (tag.Letter()) {
    case 'A':
        ++state_.LinkCount;
        layout_.Hrefs.push_back(tag.FirstQuoted());
        state_.Link = true;
        font.Color = options_.URLColor;
        break;
    case 'B':
        if (second == '>')
            font.Style.Include(TFontStyle::fsBold);
        else if (second == 'L')
            font.Color = entryBrush_;
        else if (second == 'O')
            BodyTag(tag);
        else if (second == 'R')
            line_.Ended = true;
        break;
    case 'E':
        state_.ErrorMark = true;
        break;
    case 'F':
        FontTag(tag);
        break;
    case 'H':
        if (second == 'I') {
            state_.HighlightFontSave = font.Color;
            state_.HighlightBrushSave = state_.Brush;
            state_.Brush = kHighlightBrush;
            font.Color = kHighlightFont;
        } else if (second == 'R') {
            AddBox(THTMLBoxKind::Rule, TAnchor::BelowLine, 0, 0, 0);
            line_.Ended = true;
        }
        break;
    case 'I':
        if (second == '>') {
            font.Style.Include(TFontStyle::fsItalic);
        } else if (second == 'N') {
            const std::string x = tag.Attribute("X");
            if (IsMarkupInt(x) && ParseMarkupInt(x) > line_.Width)
                line_.Width = ParseMarkupInt(x);
        } else if (second == 'M') {
            return ImageTag(tag);
        }
        break;
    case 'L':
        return ListItemTag(tag);
    case 'O':
        if (second == 'F') {
            state_.XOffset = ParseMarkupInt(tag.Attribute("X"));
            line_.Width = state_.XOffset;
        }
        break;
    case 'P':
        ParagraphTag(tag);
        break;
    case 'S':
        if (second == '>')
            font.Style.Include(TFontStyle::fsStrikeOut);
        else if (second == 'H')
            state_.Shadow = true;
        else if (tag.Is("<SUB>"))
            state_.Subscript = true;
        else if (tag.Is("<SUP>"))
            state_.Superscript = true;
        break;
    case 'U':
        if (second == '>') {
            font.Style.Include(TFontStyle::fsUnderline);
        } else {
            ++state_.ListLevel;
            line_.Ended = true;
        }
        break;
    case 'Z':
        state_.Hidden = true;
        break;
    default:
        break;
    }
    return true;
}

void TLayouter::ClosingTag(const TMarkupTag& tag) {
    TMarkupFont& font = state_.Font;
    const char second = tag.SecondLetter();
    switch (tag.Letter()) {
    case 'A':
        font.Color = base_.Color;
        state_.Link = false;
        break;
    case 'B':
        if (second == '>')
            font.Style.Exclude(TFontStyle::fsBold);
        else
            font.Color = base_.Color;
        break;
    case 'E':
        state_.ErrorMark = false;
        break;
    case 'F':
        font.Name = base_.Name;
        font.Height = base_.Height;
        font.Color = base_.Color;
        state_.Brush = state_.FontBackgroundSave;
        break;
    case 'H':
        font.Color = state_.HighlightFontSave;
        state_.Brush = state_.HighlightBrushSave;
        break;
    case 'I':
        font.Style.Exclude(TFontStyle::fsItalic);
        break;
    case 'L':
        line_.Ended = true;
        break;
    case 'O':
        state_.XOffset = 0;
        break;
    case 'P':
        line_.Ended = true;
        state_.Brush = state_.ParagraphBrushSave;
        state_.ParagraphBackground = false;
        break;
    case 'S':
        if (second == 'U') {
            state_.Subscript = false;
            state_.Superscript = false;
        } else if (second == 'H') {
            state_.Shadow = false;
        } else {
            font.Style.Exclude(TFontStyle::fsStrikeOut);
        }
        break;
    case 'U':
        if (second != '>' && state_.ListLevel > 0)
            --state_.ListLevel;
        else
            font.Style.Exclude(TFontStyle::fsUnderline);
        break;
    case 'Z':
        state_.Hidden = false;
        break;
    default:
        break;
    }
}

void TLayouter::FontTag(const TMarkupTag& tag) {
    if (!tag.Terminated())
        return;
    constexpr std::size_t kAttributes = 5; // after "<FONT"
    TMarkupFont& font = state_.Font;
    if (const std::string face = tag.UpperAttribute("FACE", kAttributes); !face.empty())
        font.Name = face;
    if (const TColor c = ParseColour(tag.Attribute(" COLOR", kAttributes)); c != clNone)
        font.Color = c;
    if (const std::string bg = tag.Attribute("BGCOLOR", kAttributes); !bg.empty()) {
        state_.FontBackgroundSave = state_.Brush;
        state_.Brush = ParseColour(bg);
    }
    if (const std::string size = tag.Attribute("SIZE", kAttributes); !size.empty()) {
        static constexpr int kPoints[] = {8, 10, 12, 14, 16};
        const int n = ParseMarkupInt(size);
        const int points = n >= 1 && n <= 5 ? kPoints[n - 1] : n;
        TFont sized;
        sized.SetSize(std::clamp(points, 1, kMaxFontPoints));
        font.Height = sized.Height();
    }
}

void TLayouter::ParagraphTag(const TMarkupTag& tag) {
    const std::string align = tag.UpperAttribute("ALIGN");
    if (align.find("RIGHT") != std::string::npos)
        state_.Align = TLineAlign::Right;
    if (align.find("LEFT") != std::string::npos)
        state_.Align = TLineAlign::Left;
    if (align.find("CENTER") != std::string::npos)
        state_.Align = TLineAlign::Center;
    if (const std::string indent = tag.Attribute("INDENT"); !indent.empty())
        state_.Indent = ParseMarkupInt(indent);
    const std::string from = tag.Attribute("BGCOLOR");
    if (from.empty())
        return;
    if (const std::string to = tag.Attribute("BGCOLORTO"); !to.empty()) {
        THTMLBox& box = AddBox(THTMLBoxKind::Gradient, TAnchor::LineGradient, 0, 0, 0);
        box.Color = ParseColour(from);
        box.ColorTo = ParseColour(to);
        return;
    }
    state_.ParagraphBrushSave = state_.Brush;
    state_.Brush = ParseColour(from);
    state_.ParagraphBackground = true;
    AddBox(THTMLBoxKind::Fill, TAnchor::LineBand, 0, 0, 0).Color = state_.Brush;
}

void TLayouter::BodyTag(const TMarkupTag& tag) {
    // Pictures from an image list come once at the current position.
    auto picture = [&](const std::string& name, auto&& place) {
        if (name.empty())
            return;
        const TResolvedPicture p = ResolvePicture(name);
        if (!p.Found)
            return;
        if (p.Kind == THTMLBoxKind::ListImage) {
            AddBox(THTMLBoxKind::ListImage, TAnchor::LineTop, line_.Width, p.Width, p.Height)
                .ImageIndex = p.ImageIndex;
            return;
        }
        place(p);
    };
    picture(tag.Attribute("BACKGROUND"), [&](const TResolvedPicture& p) {
        AddFixedBox(THTMLBoxKind::TiledPicture, rect_).Picture = p.Picture;
    });
    picture(tag.Attribute("BGTOPLEFT"), [&](const TResolvedPicture& p) {
        AddFixedBox(THTMLBoxKind::Picture, Bounds(rect_.Left, rect_.Top, p.Width, p.Height))
            .Picture = p.Picture;
    });
    picture(tag.Attribute("BGTOPRIGHT"), [&](const TResolvedPicture& p) {
        AddFixedBox(THTMLBoxKind::Picture,
                    Bounds(rect_.Right - p.Width, rect_.Top, p.Width, p.Height))
            .Picture = p.Picture;
    });
    const std::string from = tag.Attribute("BGCOLOR");
    if (from.empty())
        return;
    if (const std::string to = tag.Attribute("BGCOLORTO"); !to.empty()) {
        THTMLBox& box = AddFixedBox(THTMLBoxKind::Gradient, rect_);
        box.Color = ParseColour(from);
        box.ColorTo = ParseColour(to);
        const std::string dir = tag.UpperAttribute("DIR");
        box.Horizontal = dir.empty() || dir == "H";
        return;
    }
    AddFixedBox(THTMLBoxKind::Fill, Rect(rect_.Left - 2, rect_.Top, rect_.Right, rect_.Bottom))
        .Color = ParseColour(from);
}

TResolvedPicture TLayouter::ResolvePicture(const std::string& name) {
    TResolvedPicture p;
    if (StartsWithNoCase(name, 0, "IDX:")) {
        const int index = ParseMarkupInt(std::string_view(name).substr(4));
        const TImageList* images = sources_.Images;
        if (images && index >= 0 && index < images->Count()) {
            p = {THTMLBoxKind::ListImage, nullptr, index, images->Width(),
                 images->Height(),        0,       0,     true};
        }
        return p;
    }
    if (StartsWithNoCase(name, 0, "SSYS:") || StartsWithNoCase(name, 0, "LSYS:"))
        return p;
    THTMLPicture* picture = nullptr;
    if (name.find(':') == std::string::npos) {
        if (sources_.PictureContainer)
            picture = sources_.PictureContainer->FindPicture(name);
    } else if (name.find("://") != std::string::npos && sources_.PictureCache) {
        picture = sources_.PictureCache->FindPicture(name);
        if (!picture) {
            picture = &sources_.PictureCache->AddPicture();
            picture->SetAsynch(false);
            picture->LoadFromURL(name);
        }
    }
    if (picture && !picture->Empty() && picture->DisplayWidth() > 0 &&
        picture->DisplayHeight() > 0) {
        p = {THTMLBoxKind::Picture,
             picture,
             -1,
             picture->DisplayWidth(),
             picture->DisplayHeight(),
             picture->FrameXPos(),
             picture->FrameYPos(),
             true};
    }
    return p;
}

bool TLayouter::ImageTag(const TMarkupTag& tag) {
    const int number = ++state_.ImageCount;
    std::string name = tag.Attribute("SRC");
    const std::string alt = tag.UpperAttribute("ALT");
    if (!alt.empty() && options_.HoveredImage == number)
        name = alt;
    const int width = std::min(ParseMarkupInt(tag.Attribute("WIDTH")), kMaxPictureSide);
    const int height = std::min(ParseMarkupInt(tag.Attribute("HEIGHT")), kMaxPictureSide);
    const bool stretch = width >= 1 && height >= 1;
    TResolvedPicture p = ResolvePicture(name);
    if (!p.Found || state_.Hidden)
        return true;
    if (p.Kind == THTMLBoxKind::Picture && stretch) {
        p.Width = width;
        p.Height = height;
        p.FrameX = p.FrameY = 0;
    }
    if (!Fits(p.Width)) {
        line_.Ended = true;
        return false;
    }
    THTMLBox& box = AddBox(p.Kind, TAnchor::LineTop, line_.Width + p.FrameX, p.Width, p.Height,
                           TScript::Normal, p.FrameY);
    box.Picture = p.Picture;
    box.ImageIndex = p.ImageIndex;
    box.Stretch = stretch;
    box.ImageNumber = number;
    box.HasAlt = !alt.empty();
    Link(box);
    line_.Placements.back().SlotX = line_.Width;
    line_.Width += p.Width;
    line_.Height = std::max(line_.Height, p.Height);
    line_.Placed = true;
    line_.TrailingSpace = 0;
    const std::string align = tag.UpperAttribute("ALIGN");
    if (align.starts_with("TOP"))
        line_.ImageShift = line_.Height - line_.GhHeight;
    else if (align.starts_with("MIDDLE"))
        line_.ImageShift = (line_.Height - line_.GhHeight) / 2;
    else if (align.starts_with("WRAP")) {
        line_.Height = line_.GhHeight;
        line_.ImageShift = 0;
    }
    return true;
}

bool TLayouter::ListItemTag(const TMarkupTag& tag) {
    if (line_.HasListItem) {
        line_.Ended = true;
        return false;
    }
    line_.HasListItem = true;
    const int bulletX = line_.Width + state_.ListLevel * kListStep - kListStep;
    line_.Width += state_.ListLevel * kListStep;
    if (state_.Hidden)
        return true;
    const std::string type = tag.UpperAttribute("TYPE");
    const TColor colour = ParseColour(tag.Attribute("COLOR"));
    const TColor bulletColour = colour == clNone ? state_.Font.Color : colour;
    if (type == "SQUARE" || type == "CIRCLE") {
        const THTMLBoxKind kind =
            type == "SQUARE" ? THTMLBoxKind::SquareBullet : THTMLBoxKind::CircleBullet;
        AddBox(kind, TAnchor::LineTop, bulletX, kBulletSize, kBulletSize, TScript::Normal, 2)
            .Color = bulletColour;
        return true;
    }
    TMarkupFont symbol = state_.Font;
    symbol.Name = "Symbol";
    symbol.Color = bulletColour;
    const std::string bullet = state_.ListLevel % 2 != 0 ? "\xB7" : "o";
    THTMLBox& box = AddBox(THTMLBoxKind::Bullet, TAnchor::Baseline, bulletX,
                           TextWidth(symbol, bullet), TextHeight(symbol, bullet));
    box.Text = bullet;
    box.Font = symbol;
    return true;
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
    for (const TPlacement& p : l.Placements) {
        THTMLBox& box = layout_.Boxes[p.Box];
        switch (p.Anchor) {
        case TAnchor::Fixed:
            break;
        case TAnchor::Baseline: {
            const int runBottom = baseline - (p.Script == TScript::Superscript ? l.SuperExtra : 0) +
                                  (p.Script == TScript::Subscript ? l.SubExtra : 0);
            box.Bounds = Rect(x0 + p.X, runBottom - p.Height, x0 + p.X + p.Width, runBottom);
            box.ErrorMarkLine = bottom - l.SubExtra;
            if (box.Link)
                box.HitArea =
                    Rect(x0 + p.X, baseline - l.GhHeight + 1, x0 + p.X + p.Width + 1, baseline);
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

} // namespace

THTMLLayout LayoutHTML(TCanvas& canvas, std::string_view markup, const TRect& rect,
                       const THTMLSources& sources, const THTMLLayoutOptions& options) {
    return TLayouter(canvas, rect, sources, options).Run(markup);
}
