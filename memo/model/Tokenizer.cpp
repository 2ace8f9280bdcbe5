#include "memo/model/Tokenizer.h"

#include <algorithm>

#include "memo/model/UrlPieces.h"

namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWith(std::string_view text, std::size_t at, std::string_view marker) {
    return !marker.empty() && text.substr(at, marker.size()) == marker;
}

class LineTokenizer {
public:
    LineTokenizer(const TLanguage& language, std::string_view line, std::vector<TToken>* tokens)
        : lang_(language), line_(line), tokens_(tokens) {}

    TTokenState Run(TTokenState state);

private:
    void Emit(std::size_t from, std::size_t to, TTokenClass kind, int element = -1) {
        if (!tokens_ || to <= from)
            return;
        const int a = static_cast<int>(from), b = static_cast<int>(to);
        if (!tokens_->empty() && tokens_->back().End == a && tokens_->back().Class == kind &&
            tokens_->back().Element == element) {
            tokens_->back().End = b;
            return;
        }
        tokens_->push_back({a, b, kind, element});
    }
    int SymbolElement(char c) const {
        for (std::size_t e = 0; e < lang_.Elements.size(); ++e)
            if (lang_.Elements[e].StyleType == TStyleType::stSymbol &&
                lang_.Elements[e].Symbols.find(c) != std::string::npos)
                return static_cast<int>(e);
        return -1;
    }
    int BracketElement(char c) const {
        for (std::size_t e = 0; e < lang_.Elements.size(); ++e)
            if (lang_.Elements[e].StyleType == TStyleType::stBracket &&
                lang_.Elements[e].BracketStart == c && c != '\0')
                return static_cast<int>(e);
        return -1;
    }
    /// The end of a number at `i`, or `i` when none starts there.
    std::size_t NumberEnd(std::size_t i) const;
    /// The end of the literal that runs from `i`; the state leaves it when it closed.
    std::size_t LiteralEnd(std::size_t i, TTokenState& state) const;

    const TLanguage& lang_;
    std::string_view line_;
    std::vector<TToken>* tokens_;
};

std::size_t LineTokenizer::NumberEnd(std::size_t i) const {
    const std::string starts = lang_.NumberCharacters + lang_.HexPrefix;
    const std::string_view rest = line_.substr(i);
    if (starts.find(Upper(line_[i])) == std::string::npos)
        return i;
    std::string allowed = lang_.NumberCharacters + "E";
    std::size_t j = i;
    if (!lang_.HexPrefix.empty() && rest.size() >= lang_.HexPrefix.size() &&
        std::equal(lang_.HexPrefix.begin(), lang_.HexPrefix.end(), rest.begin(),
                   [](char p, char t) { return Upper(p) == Upper(t); })) {
        j += lang_.HexPrefix.size();
        allowed += "ABCDEF";
    }
    std::size_t firstPoint = std::string_view::npos;
    int points = 0;
    while (j < line_.size() && allowed.find(Upper(line_[j])) != std::string::npos) {
        if (line_[j] == '.' && points++ == 0)
            firstPoint = j;
        ++j;
    }
    // A second point ends the number before the first one.
    return points >= 2 ? firstPoint : j;
}

std::size_t LineTokenizer::LiteralEnd(std::size_t i, TTokenState& state) const {
    const TLanguageElement& element = lang_.Elements[static_cast<std::size_t>(state.LiteralElement)];
    while (i < line_.size()) {
        const char c = line_[i];
        if (lang_.LiteralEscape != '\0' && c == lang_.LiteralEscape) {
            i = std::min(line_.size(), i + 2);
            continue;
        }
        ++i;
        if (c == element.BracketEnd) {
            state.LiteralElement = -1;
            break;
        }
    }
    return i;
}

TTokenState LineTokenizer::Run(TTokenState state) {
    const std::size_t n = line_.size();
    const bool blockComments = !lang_.CommentOpenMarker.empty() && !lang_.CommentCloseMarker.empty();
    if (state.LiteralElement >= static_cast<int>(lang_.Elements.size()))
        state.LiteralElement = -1; // an element that went
    bool wordStart = true;
    std::size_t i = 0;
    while (i < n) {
        // 1. Inside a comment, up to and with its closing marker.
        if (state.InComment) {
            const std::size_t close = line_.find(lang_.CommentCloseMarker, i);
            const std::size_t end =
                close == std::string_view::npos ? n : close + lang_.CommentCloseMarker.size();
            Emit(i, end, TTokenClass::Comment);
            state.InComment = close == std::string_view::npos;
            i = end;
            wordStart = false;
            continue;
        }
        // 4. Inside a literal, up to and with its closing character.
        if (state.LiteralElement >= 0) {
            const int element = state.LiteralElement;
            const std::size_t end = LiteralEnd(i, state);
            Emit(i, end, TTokenClass::Bracket, element);
            i = end;
            wordStart = false;
            continue;
        }
        // A link stays whole.
        if (lang_.UrlAware && (i == 0 || kUrlSeparators.find(line_[i - 1]) != std::string_view::npos)) {
            if (const auto url = UrlPieceAt(line_, static_cast<int>(i)); url && url->Start == static_cast<int>(i)) {
                Emit(i, static_cast<std::size_t>(url->End), TTokenClass::Url);
                i = static_cast<std::size_t>(url->End);
                wordStart = false;
                continue;
            }
        }
        // 2. and 3. Comments that open here.
        if (blockComments && StartsWith(line_, i, lang_.CommentOpenMarker)) {
            Emit(i, i + lang_.CommentOpenMarker.size(), TTokenClass::Comment);
            i += lang_.CommentOpenMarker.size();
            state.InComment = true;
            continue;
        }
        if (StartsWith(line_, i, lang_.LineCommentMarker)) {
            Emit(i, n, TTokenClass::Comment);
            break;
        }
        const char c = line_[i];
        // 5. A literal opens.
        if (const int element = BracketElement(c); element >= 0) {
            state.LiteralElement = element;
            Emit(i, i + 1, TTokenClass::Bracket, element);
            ++i;
            continue;
        }
        // 6. A symbol; a word may start after it.
        if (const int element = SymbolElement(c); element >= 0) {
            Emit(i, i + 1, TTokenClass::Symbol, element);
            ++i;
            wordStart = true;
            continue;
        }
        if (wordStart) {
            // 7. A number.
            if (const std::size_t end = NumberEnd(i); end > i) {
                Emit(i, end, TTokenClass::Number);
                i = end;
                wordStart = false;
                continue;
            }
            // 8. A keyword: the word up to a space, ';', ':' or a symbol.
            std::size_t end = i;
            while (end < n && line_[end] != ' ' && line_[end] != ';' && line_[end] != ':' &&
                   SymbolElement(line_[end]) < 0)
                ++end;
            std::string word(line_.substr(i, end - i));
            if (!lang_.CaseSensitive)
                std::transform(word.begin(), word.end(), word.begin(), Lower);
            bool keyword = false;
            for (std::size_t e = 0; e < lang_.Elements.size() && end > i && !keyword; ++e) {
                const TLanguageElement& element = lang_.Elements[e];
                keyword = element.StyleType == TStyleType::stKeyword &&
                          std::binary_search(element.KeyWords.begin(), element.KeyWords.end(), word);
                if (keyword)
                    Emit(i, end, TTokenClass::Keyword, static_cast<int>(e));
            }
            if (keyword) {
                i = end;
                wordStart = false;
                continue;
            }
        }
        // 9. Anything else, a character at a time.
        Emit(i, i + 1, TTokenClass::Plain);
        wordStart = c == ' ';
        ++i;
    }
    // A literal closed by a space closes at the line's end.
    if (state.LiteralElement >= 0 &&
        lang_.Elements[static_cast<std::size_t>(state.LiteralElement)].BracketEnd == ' ')
        state.LiteralElement = -1;
    return state;
}

} // namespace

TTokenState Tokenize(const TLanguage& language, std::string_view line, TTokenState state,
                     std::vector<TToken>* tokens) {
    return LineTokenizer(language, line, tokens).Run(state);
}
