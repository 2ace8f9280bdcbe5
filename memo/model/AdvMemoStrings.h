#pragma once
// The text of one list editor, as a string list: the list face of a text document and of the
// per-line records that follow it. It calls nothing in the editor; the editor listens to the
// document and lets caret, bookmarks and view follow the text.
//
// A plain store takes lines as they come. An editor's store keeps the editor's rules: no CR,
// LF or tab in a stored line (tabs become TabSize spaces), a record for every line it adds
// (unless NoRecord is set), and never fewer than one line when a line is deleted.

#include <algorithm>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/TextDocument.h"
#include "memo/model/LineRecords.h"
#include "platform/Classes.h"

class TAdvMemoStrings : public TStrings {
public:
    /// `editorStore`: the store belongs to an editor and keeps its rules.
    explicit TAdvMemoStrings(bool editorStore = false);
    ~TAdvMemoStrings() override;

    bool EditorStore() const { return editorStore_; }
    int TabSize() const { return tabSize_; }
    void SetTabSize(int value) { tabSize_ = value; }
    /// Lines assigned to the store lose their trailing spaces.
    bool TrimOnAssign() const { return trimOnAssign_; }
    void SetTrimOnAssign(bool value) { trimOnAssign_ = value; }
    bool NoRecord() const { return noRecord_; }
    void SetNoRecord(bool value) { noRecord_ = value; }

    int Count() const override { return document_.Count(); }
    std::string_view Get(int index) const override;
    void Put(int index, std::string_view s) override;
    TObject* GetObject(int index) const override { return records_.Object(index); }
    void PutObject(int index, TObject* object) override { records_.SetObject(index, object); }
    int Add(std::string_view s) override;
    int AddObject(std::string_view s, TObject* object) override;
    void Insert(int index, std::string_view s) override;
    /// Inserts `lines` before line `index`, each with a record of its own (what typing a line
    /// break or pasting lines makes), in one change of the document.
    void InsertWithRecords(int index, std::span<const std::string_view> lines);
    /// With an editor: through the editor's DeleteLine, so the deletion can be undone and the
    /// caret stays on its text; without one, RemoveLine.
    void Delete(int index) override;
    /// Removes line `index` and nothing else (an editor's only line is emptied instead).
    void RemoveLine(int index);
    void Clear() override;
    void AddStrings(const TStrings& list) override;
    void Assign(const TStrings& list) override;
    void SetText(std::string_view text) override;
    void LoadFromFile(const std::string& fileName) override;
    /// An editor's store: LoadFromFile in two halves. ReadFile reads and splits the file by
    /// this store's rules and changes nothing, so another thread may run it while the store
    /// stays as it is; LoadText then puts the lines read from `fileName` in.
    core::TextDocument::SplitText ReadFile(const std::string& fileName) const;
    void LoadText(core::TextDocument::SplitText&& text, const std::string& fileName);
    void LoadFromStream(TStream& stream) override;
    /// Writes the joined text (every line and CR LF) to `fileName`; an editor's lines first
    /// lose their trailing spaces and control characters, in the store too. Failures raise
    /// core::FileCreateError, and the file stays as it was.
    void SaveToFile(const std::string& fileName);

    /// Drops every line at once, leaving the editor's caret, selection and view as they are
    /// (the load commands do this before their dialog).
    void ClearStore();
    /// With an editor, Clear also puts its caret and selection at the start.
    std::function<void()> OnCleared;

    /// The record of line `index` to read, or nullptr when it has none.
    const TLineProp* Record(int index) const { return records_.Record(index); }
    /// The record of line `index` to write into, or nullptr when it has none.
    TLineProp* LineProp(int index) { return records_.EditRecord(index); }
    const LineRecords& Records() const { return records_; }
    int LineLength(int index) const { return document_.Length(index); }
    /// 1 while an update bracket is open, else 0; the editor does not paint while it is above 0.
    int LockCount() const { return lockCount_; }
    /// Every line as a view, in order; valid until the store next changes.

    core::TextDocument& Document() { return document_; }
    const core::TextDocument& Document() const { return document_; }

    /// Called after every change made outside an update bracket.
    TNotifyEvent OnChange;
    /// Called when a file or stream was loaded (the editor empties its undo list).
    TNotifyEvent OnLoad;
    /// The editor's deletion of line `index` (set by the editor that owns the store).
    std::function<void(int)> OnDeleteLine;

protected:
    void SetUpdateState(bool updating) override {
        lockCount_ = std::max(0, lockCount_ + (updating ? 1 : -1));
    }

private:
    std::string EditorLine(std::string_view s) const;
    void CheckIndex(int index) const;
    /// Gives the lines [first, first + count) their records, as adding them does.
    void Added(int first, int count, TObject* object = nullptr);
    void Changed();
    void LoadBytes(std::string bytes);
    void TakeText(core::TextDocument::SplitText&& text);

    core::TextDocument document_;
    LineRecords records_{document_};
    bool editorStore_;
    int tabSize_ = 4;
    bool trimOnAssign_ = false;
    bool noRecord_ = false;
    int lockCount_ = 0;
};
