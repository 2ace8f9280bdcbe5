#include "memo/model/RegionScan.h"

#include <algorithm>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool StartsWith(std::string_view text, std::size_t at, const std::string& marker) {
    return !marker.empty() && text.compare(at, marker.size(), marker) == 0;
}

} // namespace

void TRegionScanState::FollowChange(int first, int removed, int added) {
    auto follow = [&](std::vector<TOpenRegion>& regions) {
        for (TOpenRegion& r : regions) {
            if (r.Start >= first + removed)
                r.Start += added - removed;
            else if (r.Start >= first + std::min(removed, added))
                r.Start = -1;
        }
    };
    follow(Closing);
    follow(Running);
}

bool TRegionScanner::IsSeparator(char c) const {
    return language_.Separators.find(c) != std::string::npos;
}

template <typename OnWord>
void TRegionScanner::Words(bool& inComment, std::string_view text, OnWord onWord) const {
    const TRegionLanguage& l = language_;
    std::size_t at = 0;
    while (at < text.size()) {
        if (inComment) {
            const std::size_t close = l.CommentCloseMarker.empty()
                                          ? std::string_view::npos
                                          : text.find(l.CommentCloseMarker, at);
            if (close == std::string_view::npos)
                return;
            inComment = false;
            at = close + l.CommentCloseMarker.size();
            continue;
        }
        if (StartsWith(text, at, l.LineCommentMarker))
            return;
        if (StartsWith(text, at, l.CommentOpenMarker)) {
            // The comment's first word may be a keyword.
            at += l.CommentOpenMarker.size();
            std::size_t end = at;
            while (end < text.size() && !IsBlank(text[end]) && text[end] != ';' &&
                   text[end] != ':' && !StartsWith(text, end, l.CommentCloseMarker))
                ++end;
            inComment = true;
            if (end > at && !onWord(text.substr(at, end - at), end))
                return;
            at = end;
            continue;
        }
        const char c = text[at];
        if (IsBlank(c)) {
            ++at;
            continue;
        }
        std::size_t end = at + 1;
        if (!IsSeparator(c)) {
            while (end < text.size() && !IsBlank(text[end]) && !IsSeparator(text[end]) &&
                   !StartsWith(text, end, l.LineCommentMarker) &&
                   !StartsWith(text, end, l.CommentOpenMarker))
                ++end;
        }
        if (!onWord(text.substr(at, end - at), end))
            return;
        at = end;
    }
}

void TRegionScanner::Line(TRegionScanState& state, std::string_view text, int line,
                          std::vector<TRegionPair>& found) const {
    Words(state.InComment, text, [&](std::string_view word, std::size_t) {
        Word(state, UpperAscii(word), line, found);
        return true;
    });
}

std::string TRegionScanner::FirstWord(std::string_view text, std::size_t* end) const {
    std::string first;
    bool inComment = false;
    Words(inComment, text, [&](std::string_view word, std::size_t wordEnd) {
        first = UpperAscii(word);
        if (end)
            *end = wordEnd;
        return false;
    });
    return first;
}

void TRegionScanner::Word(TRegionScanState& state, const std::string& word, int line,
                          std::vector<TRegionPair>& found) const {
    const auto& definitions = language_.Definitions;
    for (int d = 0; d < static_cast<int>(definitions.size()); ++d) {
        const TRegionLanguage::Definition& def = definitions[static_cast<std::size_t>(d)];
        const bool closing = def.Type == TRegionType::rtClosed || def.Type == TRegionType::rtIgnore;
        if (word == def.Identifier) {
            if (def.Type == TRegionType::rtOpen) {
                // A running rtOpen region ends on the line before.
                const auto open = std::find_if(state.Running.begin(), state.Running.end(),
                    [&](const TOpenRegion& r) {
                        return definitions[static_cast<std::size_t>(r.Definition)].Type ==
                               TRegionType::rtOpen;
                    });
                if (open != state.Running.end()) {
                    const TOpenRegion ended = *open;
                    state.Running.erase(open);
                    Finish(state, ended, line - 1, found, true);
                }
                state.Running.push_back({d, line, false, false});
                return;
            }
            if (def.Type == TRegionType::rtFile) {
                state.Running.push_back({d, line, false, false});
                return;
            }
            if (def.Identifier != def.RegionStart) {
                state.Closing.push_back({d, line, true, false});
                return;
            }
        }
        if (closing && word == def.RegionStart) {
            if (!state.Closing.empty() && state.Closing.back().WaitsForBody &&
                definitions[static_cast<std::size_t>(state.Closing.back().Definition)]
                        .RegionStart == word) {
                state.Closing.back().WaitsForBody = false;
                return;
            }
            state.Closing.push_back({d, line, false, false});
            return;
        }
        if (closing && word == def.RegionEnd) {
            for (std::size_t i = state.Closing.size(); i-- > 0;) {
                const TOpenRegion r = state.Closing[i];
                if (r.WaitsForBody ||
                    definitions[static_cast<std::size_t>(r.Definition)].RegionEnd != word)
                    continue;
                // Waiting regions opened after it never got their body.
                state.Closing.erase(std::remove_if(state.Closing.begin() + static_cast<long>(i),
                                                   state.Closing.end(),
                                                   [](const TOpenRegion& o) { return o.WaitsForBody; }),
                                    state.Closing.end());
                state.Closing.erase(state.Closing.begin() + static_cast<long>(i));
                Finish(state, r, line, found);
                return;
            }
            return;
        }
    }
}

void TRegionScanner::Finish(TRegionScanState& state, const TOpenRegion& region, int end,
                            std::vector<TRegionPair>& found, bool foundBelowEnd) const {
    const TRegionType type = language_.Definitions[static_cast<std::size_t>(region.Definition)].Type;
    if (region.LineTaken || region.Start < 0 || end <= region.Start || type == TRegionType::rtIgnore)
        return;
    found.push_back({region.Start, end, foundBelowEnd});
    // The line is taken: other regions opened on it make none.
    for (auto* regions : {&state.Closing, &state.Running}) {
        for (TOpenRegion& r : *regions) {
            if (r.Start == region.Start)
                r.LineTaken = true;
        }
    }
}

void TRegionScanner::End(TRegionScanState& state, int lastLine,
                         std::vector<TRegionPair>& found) const {
    // In start order; each one made marks the others of its line as taken.
    for (std::size_t i = 0; i < state.Running.size(); ++i) {
        const TOpenRegion r = state.Running[i];
        Finish(state, r, lastLine, found);
    }
    state.Running.clear();
    state.Closing.clear();
}
