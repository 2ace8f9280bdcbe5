#pragma once
// The text of one list editor: its lines, a per-line record for each line it adds, and a
// parallel list of line lengths. Without an owner editor it is a plain string list; with one,
// it keeps the editor's invariants: no CR, LF or tab in a stored line (tabs become TabSize
// spaces), one length entry per line, and caret, bookmarks and view in step with the lines.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "memo/LineProp.h"
#include "platform/Classes.h"

class TAdvCustomMemo;

class TAdvMemoStrings : public TStringList {
public:
    explicit TAdvMemoStrings(TAdvCustomMemo* owner = nullptr);
    ~TAdvMemoStrings() override;

    TAdvCustomMemo* Owner() const { return owner_; }

    void Put(int index, std::string_view s) override;
    int Add(std::string_view s) override;
    int AddObject(std::string_view s, TObject* object) override;
    void Insert(int index, std::string_view s) override;
    void Delete(int index) override;
    void Clear() override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void AddStrings(const TStrings& list) override;
    void Assign(const TStrings& list) override;
    void SetText(std::string_view text) override;
    void LoadFromFile(const std::string& fileName) override;
    void LoadFromStream(TStream& stream) override;

    /// Drops all lines, records and lengths at once, leaving caret, selection and scroll
    /// position alone; the change callback then lets the editor catch up.
    void ClearStore();

    /// The record of line `index`, or nullptr when the line has none or is out of range.
    TLineProp* LineProp(int index) const;
    /// The stored length of line `index`, from the length list.
    std::int32_t LineLength(int index) const { return lengths_[static_cast<std::size_t>(index)]; }
    const std::vector<std::int32_t>& Lengths() const { return lengths_; }
    /// Number of open update brackets seen by the editor; it does not paint while above 0.
    int LockCount() const { return lockCount_; }
    bool NoRecord() const { return noRecord_; }
    void SetNoRecord(bool value) { noRecord_ = value; }
    /// Every line as a view, in order; valid until the store next changes.
    std::vector<std::string_view> Views() const;

    /// Removes line `index` and its length entry without any editor bookkeeping: the last
    /// step of the editor's own line deletion.
    void RemoveLine(int index);

protected:
    void SetUpdateState(bool updating) override;

private:
    std::string ExpandTabs(std::string_view s) const;
    void RebuildLengths();
    void LoadBytes(const std::string& bytes);
    void ReplaceLines(const std::string& bytes);

    TAdvCustomMemo* owner_;
    std::deque<TLineProp> records_; // every record created, in creation order; owned here
    std::vector<std::int32_t> lengths_;
    bool deleting_ = false;
    bool noRecord_ = false;
    int lockCount_ = 0;
};
