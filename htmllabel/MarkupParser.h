#pragma once
// Cutting the prepared markup into the pieces that layout consumes one at a time: runs of
// text and tags. A run is the text up to the next "<", or up to and including the first blank
// before it, so words wrap at blanks. A tag runs from "<" through the next ">"; one without
// ">" takes the rest of the text. Only the first one or two letters of a tag's name are
// looked at; attribute values are the text between the first pair of double quotes after the
// attribute's name.

#include <cstddef>
#include <string>
#include <string_view>

/// Where the run that starts at `pos` ends (exclusive): at the next "<", or just after the
/// first blank before it, or at the end of the text.
std::size_t RunEnd(std::string_view text, std::size_t pos);

class TMarkupTag {
public:
    /// The tag at the start of `text` (which begins with "<"), through its ">" or to the end.
    explicit TMarkupTag(std::string_view text);

    /// The source the tag takes, ">" included.
    std::size_t Length() const { return source_.size(); }
    std::string_view Source() const { return source_; }
    bool Closing() const { return closing_; }
    bool Terminated() const { return terminated_; }
    /// The name's first and second characters upper-cased ('>' when the tag ends there), or
    /// 0 past the end.
    char Letter() const { return first_; }
    char SecondLetter() const { return second_; }
    /// True when the whole tag reads `tag` in any letter case ("<SUB>").
    bool Is(std::string_view tag) const { return upper_ == tag; }

    /// The quoted value after the first occurrence of `name` (upper case) in the upper-cased
    /// tag from `from` on, as written, or "" when there is none or it is not quoted.
    std::string Attribute(std::string_view name, std::size_t from = 0) const;
    /// The same, upper-cased.
    std::string UpperAttribute(std::string_view name, std::size_t from = 0) const;
    /// The first quoted value anywhere in the tag.
    std::string FirstQuoted() const;

private:
    std::string_view source_;
    std::string upper_;
    bool closing_ = false;
    bool terminated_ = false;
    char first_ = 0;
    char second_ = 0;
};

/// The integer at the start of `value`: optional sign, decimal digits, or hexadecimal ones
/// after "$" or "0x"; reading stops at the first character that cannot continue it, and text
/// without leading digits reads as 0. Values are held to +-kMarkupNumberLimit, so sizes and
/// positions taken from markup stay far from overflow.
int ParseMarkupInt(std::string_view value);
/// True when the whole of `value` is such an integer.
bool IsMarkupInt(std::string_view value);

inline constexpr int kMarkupNumberLimit = 1 << 20;
