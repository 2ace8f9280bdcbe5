#pragma once
// Where each line of a document starts for the tokenizer (inside a comment, inside a literal),
// kept at checkpoints every kStride lines and dropped from an edited line down. The state of
// line n comes from the checkpoint above it, or from the last line asked when that is nearer:
// rows painted one after another tokenize one line each, and a paint far down a list of ten
// million lines tokenizes from the top once, not on every paint.

#include <vector>

#include "core/TextDocument.h"
#include "memo/model/Tokenizer.h"

class TLineStates : private core::DocumentListener {
public:
    static constexpr int kStride = 256;

    /// Follows `document` from now on, until destroyed.
    explicit TLineStates(core::TextDocument& document);
    ~TLineStates();
    TLineStates(const TLineStates&) = delete;
    TLineStates& operator=(const TLineStates&) = delete;

    /// The language the states are of; a new one drops them all.
    void SetLanguage(const TLanguage* language);
    const TLanguage* Language() const { return language_; }
    /// The state line `line` starts in.
    TTokenState StateAt(int line) const;

private:
    void LinesChanged(const core::LineChange& change) override;
    void Drop(int fromLine);

    core::TextDocument& document_;
    const TLanguage* language_ = nullptr;
    mutable std::vector<TTokenState> checkpoints_; // [k]: the state line k * kStride starts in
    mutable int lastLine_ = -1;
    mutable TTokenState lastState_;
};
