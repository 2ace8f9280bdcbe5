#include "memo/model/RegionDefinition.h"

namespace {

std::string Trimmed(std::string_view value) {
    const std::size_t from = value.find_first_not_of(" \t");
    if (from == std::string_view::npos)
        return {};
    return std::string(value.substr(from, value.find_last_not_of(" \t") - from + 1));
}

} // namespace

void TRegionDefinition::SetIdentifier(std::string_view value) {
    identifier_ = Trimmed(value);
}

void TRegionDefinition::SetRegionStart(std::string_view value) {
    regionStart_ = Trimmed(value);
}

void TRegionDefinition::SetRegionEnd(std::string_view value) {
    regionEnd_ = Trimmed(value);
}

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

TRegionLanguage TRegionLanguage::From(const std::vector<TRegionDefinition>& definitions,
                                      std::string lineComment, std::string commentOpen,
                                      std::string commentClose, std::string_view symbols) {
    TRegionLanguage language;
    for (const TRegionDefinition& d : definitions) {
        language.Definitions.push_back({d.RegionType, UpperAscii(d.Identifier()),
                                        UpperAscii(d.RegionStart()), UpperAscii(d.RegionEnd()),
                                        d.ShowComments});
    }
    language.LineCommentMarker = std::move(lineComment);
    language.CommentOpenMarker = std::move(commentOpen);
    language.CommentCloseMarker = std::move(commentClose);
    language.Separators = std::string(symbols) + "{};";
    return language;
}
