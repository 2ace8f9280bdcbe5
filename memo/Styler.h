#pragma once
// A syntax styler: a language an editor paints its lines by. Elements are keyword groups,
// bracketed literals and symbol sets, each with its font colour, font style and background;
// comments and numbers have colours of their own. Assigned to an editor (SyntaxStyles), it
// switches the editor's UseStyler on; one styler may serve several editors, and an editor
// forgets a styler that is destroyed.
//
// The tokenizer reads the styler as a TLanguage (memo/model/Tokenizer.h): the editor prepares
// one from it, its keywords lower-cased unless the editor is case-sensitive, and sorted.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "memo/ViewSettings.h"
#include "memo/model/RegionDefinition.h"
#include "memo/model/Tokenizer.h"
#include "platform/FreeNotification.h"
#include "platform/Graphics.h"

class TElementStyle {
public:
    TElementStyle();
    TStyleType StyleType = TStyleType::stKeyword;
    std::vector<std::string> KeyWords;
    char BracketStart = '\0';
    char BracketEnd = '\0';
    std::string Symbols;
    TFont Font; // its colour and style paint the element's tokens
    TColor BGColor = clWhite; // clNone: the editor's background
    std::string Info;
};

/// The styler's elements, in order; a change refreshes the editor that owns the collection.
class TElementStyles {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TElementStyle& Item(int index) { return *items_[static_cast<std::size_t>(index)]; }
    const TElementStyle& Item(int index) const { return *items_[static_cast<std::size_t>(index)]; }
    TElementStyle& Add();
    void Delete(int index);
    /// Tells the owner that an element changed.
    void Changed() const;
    /// Set by the editor that owns the collection (the last one it was assigned to).
    std::function<void()> OnChange;
    const void* Owner = nullptr;

private:
    std::vector<std::unique_ptr<TElementStyle>> items_; // a font is no value to copy
};

/// The calls a parameter hint knows, and how a call is written.
struct THintParameter {
    TColor TextColor = clBlack;
    TColor BkColor = clInfoBk;
    char HintCharStart = '(';
    char HintCharEnd = ')';
    char HintCharDelimiter = ';';
    char HintCharWriteDelimiter = ',';
    std::vector<std::string> Parameters;
};

/// A completion entry: usually a kind word, a space and the text ("procedure WriteLn(text)"),
/// and the entry's kind, 0 to 6 (identifier, variable, property, event, method, function,
/// procedure), which picks its colour and image.
struct TCompletionEntry {
    TCompletionEntry(std::string text = {}, int kind = 0) : Text(std::move(text)), Kind(kind) {}
    std::string Text;
    int Kind;
    friend bool operator==(const TCompletionEntry&, const TCompletionEntry&) = default;
};

class TAdvCustomMemoStyler {
public:
    TAdvCustomMemoStyler();
    virtual ~TAdvCustomMemoStyler() = default;
    TAdvCustomMemoStyler(const TAdvCustomMemoStyler&) = delete;
    TAdvCustomMemoStyler& operator=(const TAdvCustomMemoStyler&) = delete;

    TElementStyles Elements;
    TCharStyle CommentColors{0xC0C0C0, 0xFFFFFF, TFontStyles{TFontStyle::fsItalic}};
    TCharStyle NumberColors{0x800000, 0xFFFFFF, TFontStyles{TFontStyle::fsBold}};
    std::string LineCommentMarker;
    std::string CommentOpenMarker;
    std::string CommentCloseMarker;
    std::string NumberCharacters = "+-.0123456789";
    std::string HexPrefix;
    std::string LiteralEscape; // its first character
    std::string BlockOpenWord;
    std::string BlockCloseWord;
    /// Fold regions, parameter hints and completion entries: held for folding and
    /// completion, which read them.
    std::vector<TRegionDefinition> RegionDefinitions;
    THintParameter HintParameter;
    std::vector<TCompletionEntry> AutoCompletion;

    /// Replaces the comment colours (kind 1) or the number colours (kind 2).
    virtual void SetColors(int kind, const TCharStyle& colors);

    /// The language the tokenizer reads: keywords lower-cased unless `caseSensitive`, sorted.
    TLanguage Language(bool caseSensitive, bool urlAware) const;

    TFreeNotifier& FreeNotifier() { return freeNotifier_; }

private:
    TFreeNotifier freeNotifier_;
};
