#pragma once
// The frames that dyadlist-cluster and its kernel pass through pipes: counts and sizes as 8
// bytes, record fields as 4, in the machine's own (little-endian) order, and byte strings
// after their size. The kernel reads only what dyadlist-cluster wrote, yet a short or
// inconsistent frame still ends in a WireError, never a read past the end.

#include <bit>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace cluster {

static_assert(std::endian::native == std::endian::little, "frames are little-endian");

class WireError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class WireReader {
public:
    explicit WireReader(std::string_view bytes) : rest_(bytes) {}

    bool AtEnd() const { return rest_.empty(); }
    std::uint64_t U64() { return Number<std::uint64_t>(); }
    std::uint32_t U32() { return Number<std::uint32_t>(); }
    std::string_view Bytes(std::uint64_t size) {
        if (size > rest_.size())
            throw WireError("a frame is cut short");
        const std::string_view bytes = rest_.substr(0, static_cast<std::size_t>(size));
        rest_.remove_prefix(static_cast<std::size_t>(size));
        return bytes;
    }
    /// A byte string after its 8-byte size.
    std::string_view Sized() { return Bytes(U64()); }

private:
    template <class T> T Number() {
        T value;
        std::memcpy(&value, Bytes(sizeof value).data(), sizeof value);
        return value;
    }

    std::string_view rest_;
};

inline void PutU64(std::string& out, std::uint64_t value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

inline void PutU32(std::string& out, std::uint32_t value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

inline void PutSized(std::string& out, std::string_view bytes) {
    PutU64(out, bytes.size());
    out.append(bytes);
}

} // namespace cluster
