#pragma once
// The bytes of an input file, owned. A regular file is mapped into memory (read-only,
// private), so a list of hundreds of megabytes is neither copied nor allocated; anything else
// (pipes, FIFOs, devices, process substitutions, and empty regular files, which may be
// /proc's that only a read fills) is read, as ReadFileBytes reads it.
//
// The first NUL byte ends a text, so nothing goes past it: a read stops once it has brought
// the NUL (/dev/zero costs one read), and a mapped file is searched up to it and no further
// (a sparse file of zeros costs a page).
//
// A mapped file that another program truncates meanwhile would raise SIGBUS at the first
// touch of a page past its new end. The SIGBUS handler, installed with the first mapping,
// maps zeros over that page and the rest of the mapping and notes that the file shrank: the
// reader sees NUL there, which ends a text by the load rules, and Shrank() tells the caller
// that what it read is not the file. Any other SIGBUS goes to the action that was there
// before; under the default one the process dies of it as usual. Only shrinking is caught:
// bytes that another program rewrites in place show through, as they would between two
// reads.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "core/FileBytes.h"

namespace core {

class FileText {
public:
    /// Files mapped at once, at most; the SIGBUS handler follows that many. Past them, files
    /// are read.
    static constexpr int kMaxMapped = 64;

    /// Maps or reads `fileName`; failures raise FileOpenError as ReadFileBytes does, "Cannot
    /// allocate memory" included when the file does not fit in the address space.
    static FileText Open(const std::string& fileName, FileKinds kinds = FileKinds::AnyReadable);

    /// Bytes read by other means; `whole` when they are the whole file, not a read that
    /// stopped at a NUL.
    explicit FileText(std::string bytes, bool whole = true);

    FileText(FileText&& other) noexcept;
    FileText& operator=(FileText&& other) noexcept;
    FileText(const FileText&) = delete;
    FileText& operator=(const FileText&) = delete;
    ~FileText();

    /// The bytes mapped or read: the whole file, or when a read stopped at the first NUL,
    /// the bytes up to it and a few after it. They stay at their address when this object
    /// moves.
    std::string_view Bytes() const { return bytes_; }
    /// The text: Bytes() before the first NUL.
    std::string_view Text() const { return bytes_.substr(0, textSize_); }
    /// Whether Bytes() holds the whole file, so the bytes after a NUL can be counted.
    bool Whole() const { return whole_; }
    const FileIdentity& Identity() const { return identity_; }

    bool IsMapped() const { return slot_ >= 0; }

    /// Whether the mapped file shrank while it was mapped, so that some of Bytes() read as
    /// NUL instead of the file's bytes. Once true, stays true.
    bool Shrank() const;

private:
    FileText() = default;
    bool Map(int fd, std::size_t size, const std::string& fileName);
    void Unmap(); // the members stay as they were

    void FindText();

    std::string_view bytes_;
    std::size_t textSize_ = 0;
    bool whole_ = true;
    FileIdentity identity_;
    std::unique_ptr<const std::string> read_; // bytes read rather than mapped
    int slot_ = -1; // the mapping's entry in the handler's table; bytes_ is the mapping
};

} // namespace core
