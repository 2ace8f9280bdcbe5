#include "memo/model/LineStates.h"

#include <algorithm>

TLineStates::TLineStates(core::TextDocument& document) : document_(document) {
    document_.AddListener(*this);
}

TLineStates::~TLineStates() {
    document_.RemoveListener(*this);
}

void TLineStates::SetLanguage(const TLanguage* language) {
    language_ = language;
    Drop(0);
}

void TLineStates::Drop(int fromLine) {
    // A checkpoint at line k * kStride holds while the lines above it are as they were.
    const auto keep = static_cast<std::size_t>(std::max(0, fromLine) / kStride + 1);
    if (checkpoints_.size() > keep)
        checkpoints_.resize(keep);
    if (lastLine_ > fromLine)
        lastLine_ = -1;
}

void TLineStates::LinesChanged(const core::LineChange& change) {
    Drop(change.replacedAll ? 0 : change.first);
}

TTokenState TLineStates::StateAt(int line) const {
    if (!language_ || line <= 0)
        return {};
    line = std::min(line, document_.Count());
    if (checkpoints_.empty())
        checkpoints_.push_back({});
    // From the nearer of the last line asked and the checkpoint above, down to `line`.
    const std::size_t k = std::min(checkpoints_.size() - 1, static_cast<std::size_t>(line / kStride));
    int from = static_cast<int>(k) * kStride;
    TTokenState state = checkpoints_[k];
    if (lastLine_ >= from && lastLine_ <= line) {
        from = lastLine_;
        state = lastState_;
    }
    for (int at = from; at < line; ++at) {
        state = Tokenize(*language_, document_.Line(at), state, nullptr);
        if ((at + 1) % kStride == 0 && static_cast<std::size_t>((at + 1) / kStride) == checkpoints_.size())
            checkpoints_.push_back(state);
    }
    lastLine_ = line;
    lastState_ = state;
    return state;
}
