// What each tag does to the render state and the line.

#include <algorithm>

#include "htmllabel/HTMLPicture.h"
#include "htmllabel/MarkupColour.h"
#include "htmllabel/MarkupLayouter.h"
#include "htmllabel/MarkupText.h"
#include "htmllabel/PictureContainer.h"
#include "platform/ImageList.h"

namespace markup_layout {

namespace {

constexpr int kListStep = 12;
constexpr int kBulletSize = 8;
constexpr TColor kHighlightBrush = 0xFF00000D;
constexpr TColor kHighlightFont = 0xFF00000E;

} // namespace

bool TLayouter::LayOutTag(const TMarkupTag& tag) {
    if (!tag.Closing())
        return OpeningTag(tag);
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
            AddBox(THTMLBoxKind::Rule, TAnchor::BelowLine);
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
    case 'R':
        state_.TurnedFrom.push_back(font);
        font.Orientation = ParseMarkupInt(tag.Attribute("A")) % 360 * 10;
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
    case 'R':
        if (!state_.TurnedFrom.empty()) {
            font = state_.TurnedFrom.back();
            state_.TurnedFrom.pop_back();
        }
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
        THTMLBox& box = AddBox(THTMLBoxKind::Gradient, TAnchor::LineGradient);
        box.Color = ParseColour(from);
        box.ColorTo = ParseColour(to);
        return;
    }
    state_.ParagraphBrushSave = state_.Brush;
    state_.Brush = ParseColour(from);
    state_.ParagraphBackground = true;
    AddBox(THTMLBoxKind::Fill, TAnchor::LineBand).Color = state_.Brush;
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
    // An empty picture, or one whose bytes do not decode, has no size; others are held to
    // the sizes markup may ask for.
    if (picture && !picture->Empty() && picture->DisplayWidth() > 0) {
        p = {THTMLBoxKind::Picture,
             picture,
             -1,
             std::min(picture->DisplayWidth(), kMaxPictureSide),
             std::min(picture->DisplayHeight(), kMaxPictureSide),
             std::min(picture->FrameXPos(), kMaxPictureSide),
             std::min(picture->FrameYPos(), kMaxPictureSide),
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
    if (!Fits(p.Width))
        return false;
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
    if (line_.HasListItem)
        return false;
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

} // namespace markup_layout
