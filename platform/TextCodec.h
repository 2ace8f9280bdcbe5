#pragma once
// Where 8-bit list text meets the screen or the clipboard. Lines are kept as bytes exactly as
// read; for display they are decoded sequence by sequence: a valid UTF-8 sequence is its
// character, every other byte a Windows-1252 character (its five unused bytes 0x81 0x8D 0x8F
// 0x90 0x9D as the C1 controls of the same value), so nothing is lost or replaced. Text coming
// in from the desktop is stored as UTF-8.

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

/// One character of displayed text: the bytes [offset, offset + length) show as `ch`.
struct DisplayChar {
    std::size_t offset = 0;
    std::size_t length = 0;
    char32_t ch = 0;
};

/// The character whose bytes start at `offset` (< bytes.size()). Strict UTF-8: no overlong
/// forms, no surrogates, nothing above U+10FFFF; a byte that starts no valid sequence is one
/// Windows-1252 character.
DisplayChar DecodeDisplayChar(std::string_view bytes, std::size_t offset);

/// Where the character that covers byte `offset` starts when `bytes` is decoded from its
/// beginning: `offset` itself, or up to three bytes before it inside a UTF-8 sequence. Looks
/// at no more than those bytes, so a run cut out of a long line is decoded in its context.
std::size_t DisplayCharStart(std::string_view bytes, std::size_t offset);

/// The characters of `bytes` from `from` (a character start) on, in order:
///     for (const DisplayChar c : DisplayChars(line)) ...
class DisplayChars {
public:
    explicit DisplayChars(std::string_view bytes, std::size_t from = 0)
        : bytes_(bytes), from_(from) {}

    class Iterator {
    public:
        using value_type = DisplayChar;
        using difference_type = std::ptrdiff_t;
        Iterator() = default;
        Iterator(std::string_view bytes, std::size_t at) : bytes_(bytes) { Load(at); }
        const DisplayChar& operator*() const { return current_; }
        const DisplayChar* operator->() const { return &current_; }
        Iterator& operator++() {
            Load(current_.offset + current_.length);
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(std::default_sentinel_t) const { return current_.length == 0; }

    private:
        void Load(std::size_t at) {
            current_ = at < bytes_.size() ? DecodeDisplayChar(bytes_, at) : DisplayChar{at, 0, 0};
        }
        std::string_view bytes_;
        DisplayChar current_;
    };

    Iterator begin() const { return Iterator(bytes_, from_); }
    std::default_sentinel_t end() const { return {}; }

private:
    std::string_view bytes_;
    std::size_t from_;
};

/// True when the whole of `bytes` is strict UTF-8.
bool IsValidUtf8(std::string_view bytes);

/// The UTF-8 text that shows `bytes`: valid sequences as they are, other bytes mapped.
std::string DisplayUtf8(std::string_view bytes);

/// Appends DisplayUtf8(bytes) to `out` without a temporary (for building big texts).
void AppendDisplayUtf8(std::string& out, std::string_view bytes);
