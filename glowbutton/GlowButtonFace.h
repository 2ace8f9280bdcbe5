#pragma once
// Painting one glow-button face and measuring its content: the glow background (split when a
// drop-down part shows), the frame by the button's place in a row, the focus frames, caption
// and notes, the picture, and the drop-down part. It reads what it is given and changes
// nothing, so the button's behaviour decides the look and this only draws it.

#include <string>

#include "drawing/GDIPicture.h"
#include "drawing/GlowText.h"
#include "glowbutton/GlowButtonAppearance.h"
#include "platform/Types.h"

class TBitmap;
class TCanvas;
class TFont;
class TImageList;

/// What the face shows of the button's state, decided by the button for this paint.
struct TGlowFaceState {
    bool Enabled = true;
    bool DrawsBorder = true;       ///< the frame is drawn
    bool FocusBorder = false;      ///< the focus frames are drawn
    bool NoBackground = false;     ///< a transparent, idle face: no glow and no frame
    bool GroupFrameActive = false; ///< middle and right group frames drawn active
    bool PressedLook = false;      ///< the colour set is the hot or the down set
    int DropDownState = 0;         ///< 0 no drop-down part, 1 shown, 2 pointer over it
};

/// The content and the layout settings of a face.
struct TGlowFaceContent {
    std::string Caption{};        ///< used when not empty
    std::u16string CaptionWide{}; ///< used when Caption is empty
    const TFont* Font = nullptr;
    std::string Notes{}; ///< the notes list's text; none when empty
    const TFont* NotesFont = nullptr;

    const TBitmap* Glyph = nullptr;
    const TGDIPPicture* Picture = nullptr;
    int PictureWidth = 0; ///< a fixed picture size is in force when both are above 0
    int PictureHeight = 0;
    const TImageList* Images = nullptr; ///< used without a glyph or picture
    int ImageIndex = -1;
    bool ImagesEnabled = true; ///< false: the image shows greyed

    TButtonLayout Layout = TButtonLayout::blGlyphLeft;
    int Spacing = 2;
    bool WordWrap = false;
    StringTrimming Trimming = StringTrimming::StringTrimmingNone;
    TAntiAlias AntiAlias = TAntiAlias::aaClearType;
    bool Rounded = true;
    TButtonPosition Position = TButtonPosition::bpStandalone;

    bool DropDownButton = false;
    TDropDownPosition DropDownPosition = TDropDownPosition::dpRight;
    bool DropDownSplit = true;
    bool DropDownDownward = true; ///< the menu opens below, so the arrow points down
};

/// Paints the face in `face` with `colors` and returns the content's size; with `measuring`
/// only the background, frame and focus frames are painted and the size is still returned.
TSize DrawGlowButtonFace(TCanvas& canvas, const TRect& face, const TGlowColorSet& colors,
                         const TGlowFaceContent& content, const TGlowFaceState& state,
                         bool measuring);
