#pragma once
// The records of an out-of-core comparison's files (SpilledComparison.h), and one list's
// entries back in the list's order from the result files of its partitions. Each file holds the
// entries of its partition's lines in their order on the list; a line is in one partition only, so
// merging the files by position gives each entry once, in order. A result record: the position less
// the previous record's position less one, the copies on the other list when the line is a multiple
// hit (0: a single hit), and the line.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/SpillRecords.h"

namespace cli {

struct ResultEntry {
    std::uint64_t position;
    std::uint64_t copies; // on the other list, for a multiple hit; 0 for a single hit
    std::string_view line;
};

/// Writes records in the order of their positions. The spill files hold records too, their
/// copies 0, so that one format serves every file.
class ResultWriter {
public:
    ResultWriter(std::string fileName, std::size_t bufferSize)
        : out_(std::move(fileName), bufferSize) {}
    void Write(std::uint64_t position, std::uint64_t copies, std::string_view line) {
        out_.WriteNumber(position - next_);
        out_.WriteNumber(copies);
        out_.WriteLine(line);
        next_ = position + 1;
    }
    void Finish() { out_.Finish(); }

private:
    RecordWriter out_;
    std::uint64_t next_ = 0;
};

/// Reads the records of one file in order.
class ResultReader {
public:
    ResultReader(const std::string& fileName, std::size_t bufferSize) : in_(fileName, bufferSize) {}
    bool Next(ResultEntry& entry) {
        if (in_.AtEnd())
            return false;
        entry.position = next_ + in_.ReadNumber();
        entry.copies = in_.ReadNumber();
        entry.line = in_.ReadLine();
        next_ = entry.position + 1;
        return true;
    }
    std::uint64_t BytesRead() const { return in_.BytesRead(); }

private:
    RecordReader in_;
    std::uint64_t next_ = 0;
};

class MergedResults {
public:
    MergedResults(const std::vector<std::string>& fileNames, std::size_t bufferSize);

    /// Sets `entry` to the next entry in the list's order; its line holds until the next
    /// call. False after the last.
    bool Next(ResultEntry& entry);

private:
    struct Source {
        std::unique_ptr<RecordReader> reader;
        std::uint64_t position = 0; // of the record to read next
    };
    /// Reads the position of source `i`'s next record and queues it; nothing when it is done.
    void Queue(std::size_t i);

    std::vector<Source> sources_;
    std::vector<std::pair<std::uint64_t, std::size_t>> heap_; // least position first
    std::size_t advanceDue_ = SIZE_MAX; // the source whose entry was handed out last
};

} // namespace cli
