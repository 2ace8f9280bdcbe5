#pragma once
// The per-line records of a line store, kept in step with its document as a listener.
//
// A line has no record, a plain record (every field at its initial value: a loaded line
// costs four bytes for it), or a record of its own, held by value in a pool and made when a
// field is first written. A line without a record may still hold an object in its slot, as
// in any string list. Records and objects move with their lines; a line replaced in place
// keeps its record; removed lines give theirs back to the pool.

#include <cstdint>
#include <vector>

#include "core/GapVector.h"
#include "core/TextDocument.h"
#include "memo/model/LineProp.h"

class LineRecords : public core::DocumentListener {
public:
    explicit LineRecords(core::TextDocument& document);
    ~LineRecords();
    LineRecords(const LineRecords&) = delete;
    LineRecords& operator=(const LineRecords&) = delete;

    bool HasRecord(int line) const;
    /// The record of `line`, or nullptr when it has none; never makes one.
    const TLineProp* Record(int line) const;
    /// The record of `line` to write into (made from the plain record when needed), or
    /// nullptr when the line has none.
    TLineProp* EditRecord(int line);
    /// Gives lines [first, first + count) plain records whose user object is `object`.
    void GiveRecords(int first, int count, TObject* object = nullptr);

    /// The object shown for `line`: its record's user object, or what its slot holds.
    TObject* Object(int line) const;
    void SetObject(int line, TObject* object);

    /// Records held by value (for tests and benchmarks).
    std::size_t PoolSize() const { return pool_.size() - free_.size(); }

    void LinesChanged(const core::LineChange& change) override;

private:
    // 0: nothing; kPlain: a plain record; above: pool index + kFirstPooled.
    static constexpr std::uint32_t kNone = 0;
    static constexpr std::uint32_t kPlain = 1;
    static constexpr std::uint32_t kFirstPooled = 2;

    struct Pooled {
        TLineProp record; // the user object lives in record.UserObject either way
        bool isRecord = true;
    };

    std::uint32_t Handle(int line) const { return handles_[static_cast<std::size_t>(line)]; }
    std::uint32_t Pool(Pooled value);
    void Release(std::uint32_t handle);

    core::TextDocument& document_;
    core::GapVector<std::uint32_t>
        handles_; // one per line, with a gap where lines last came or went
    std::vector<Pooled> pool_;
    std::vector<std::uint32_t> free_;
};
