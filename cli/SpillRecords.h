#pragma once
// The records of the spill files that an out-of-core comparison (SpilledComparison.h) writes
// and reads back, each in the order it was written. A record is a few numbers, each in as
// many bytes as it needs (7 bits a byte, the top bit saying that more follow), and a line's
// bytes. Files are written and read a buffer at a time; a failure raises FileWriteError or
// core::FileOpenError naming the file, with the system's reason (a full disk: "No space
// left on device").

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace cli {

class RecordWriter {
public:
    /// Creates `fileName`, which must not exist.
    RecordWriter(std::string fileName, std::size_t bufferSize);
    ~RecordWriter();
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    void WriteNumber(std::uint64_t value) {
        if (used_ + kMostNumberBytes > size_)
            Flush();
        while (value >= 0x80) {
            buffer_[used_++] = static_cast<char>(value | 0x80);
            value >>= 7;
        }
        buffer_[used_++] = static_cast<char>(value);
    }
    /// A line: its length, then its bytes.
    void WriteLine(std::string_view line);

    /// Writes out what is buffered and closes the file.
    void Finish();
    /// Bytes written so far, buffered ones included.
    std::uint64_t Size() const { return written_ + used_; }
    const std::string& FileName() const { return fileName_; }

private:
    static constexpr std::size_t kMostNumberBytes = 10;
    void Flush();

    std::string fileName_;
    int fd_ = -1;
    std::unique_ptr<char[]> buffer_;
    std::size_t size_;
    std::size_t used_ = 0;
    std::uint64_t written_ = 0;
};

class RecordReader {
public:
    RecordReader(const std::string& fileName, std::size_t bufferSize);
    ~RecordReader();
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    /// Whether every record has been read.
    bool AtEnd() { return used_ == filled_ && !Fill(1); }
    std::uint64_t ReadNumber();
    /// A line written by WriteLine; the view holds until the next read.
    std::string_view ReadLine();
    /// Bytes of the file read as records so far.
    std::uint64_t BytesRead() const { return fileRead_ - (filled_ - used_); }

private:
    /// Makes at least `bytes` unread bytes buffered; false when the file ends first.
    bool Fill(std::size_t bytes);
    [[noreturn]] void Damaged() const;

    std::string fileName_;
    int fd_ = -1;
    std::unique_ptr<char[]> buffer_;
    std::size_t size_;
    std::size_t used_ = 0;   // bytes of the buffer read
    std::size_t filled_ = 0; // bytes in the buffer
    std::uint64_t fileRead_ = 0;
};

} // namespace cli
