// The editor model's construction, its settings, and how it follows its document.

#include "memo/model/EditorModel.h"

TEditorModel::TEditorModel(TEditorHost& host) : host_(host) {
    lines_.Document().AddListener(*this);
    lines_.OnChange = [this](TObject*) {
        if (refreshOn_)
            RefreshStep();
    };
    lines_.OnCleared = [this] {
        caret_.Caret = {0, 0};
        caret_.ResetSelection();
        host_.InvalidateText();
    };
}

TEditorModel::~TEditorModel() {
    lines_.OnChange = nullptr;
    lines_.OnCleared = nullptr;
    lines_.Document().RemoveListener(*this);
}

void TEditorModel::SetTrimTrailingSpaces(bool value) {
    trimTrailingSpaces_ = value;
    lines_.SetTrimOnAssign(value);
}

// The document changed: caret, selection and bookmarks follow their text.
void TEditorModel::LinesChanged(const core::LineChange& change) {
    FollowChange(caret_, change, lines_.Count());
}

void TEditorModel::RefreshStep() {
    host_.Notify(TEditorNotice::Change);
    host_.UpdateScrollBars();
    host_.ScrollCaretIntoView();
    host_.InvalidateText();
}
