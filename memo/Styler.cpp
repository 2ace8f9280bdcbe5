#include "memo/Styler.h"

#include <algorithm>

TElementStyle::TElementStyle() {
    Font.SetName("Courier New");
    Font.SetSize(8);
    Font.SetColor(clBlack);
}

TElementStyle& TElementStyles::Add() {
    items_.push_back(std::make_unique<TElementStyle>());
    Changed();
    return *items_.back();
}

void TElementStyles::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    items_.erase(items_.begin() + index);
    Changed();
}

void TElementStyles::Changed() const {
    if (OnChange)
        OnChange();
}

TAdvCustomMemoStyler::TAdvCustomMemoStyler() = default;

void TAdvCustomMemoStyler::SetColors(int kind, const TCharStyle& colors) {
    if (kind == 1)
        CommentColors = colors;
    else if (kind == 2)
        NumberColors = colors;
    Elements.Changed();
}

TLanguage TAdvCustomMemoStyler::Language(bool caseSensitive, bool urlAware) const {
    TLanguage language;
    for (int i = 0; i < Elements.Count(); ++i) {
        const TElementStyle& style = Elements.Item(i);
        TLanguageElement element{style.StyleType, style.KeyWords, style.BracketStart,
                                 style.BracketEnd, style.Symbols};
        if (!caseSensitive)
            for (std::string& word : element.KeyWords)
                std::transform(word.begin(), word.end(), word.begin(), [](char c) {
                    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
                });
        std::sort(element.KeyWords.begin(), element.KeyWords.end());
        language.Elements.push_back(std::move(element));
    }
    language.LineCommentMarker = LineCommentMarker;
    language.CommentOpenMarker = CommentOpenMarker;
    language.CommentCloseMarker = CommentCloseMarker;
    language.NumberCharacters = NumberCharacters;
    language.HexPrefix = HexPrefix;
    language.LiteralEscape = LiteralEscape.empty() ? '\0' : LiteralEscape.front();
    language.CaseSensitive = caseSensitive;
    language.UrlAware = urlAware;
    return language;
}
