#include "htmllabel/MarkupParser.h"

#include <algorithm>
#include <cctype>

namespace {

char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// The digit's value in base 10 or 16, or -1.
int DigitValue(char c, int base) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (base == 16 && std::isxdigit(static_cast<unsigned char>(c)))
        return Upper(c) - 'A' + 10;
    return -1;
}

// The number's digits: their sign and base, where they start and where they end.
struct TDigits {
    bool negative;
    int base;
    std::size_t begin;
    std::size_t end;
};

TDigits ScanInt(std::string_view value) {
    std::size_t i = 0;
    const bool negative = value.starts_with('-');
    if (negative || value.starts_with('+'))
        ++i;
    int base = 10;
    if (value.substr(i, 1) == "$") {
        base = 16;
        i += 1;
    } else if (value.substr(i, 2) == "0x" || value.substr(i, 2) == "0X") {
        base = 16;
        i += 2;
    }
    std::size_t end = i;
    while (end < value.size() && DigitValue(value[end], base) >= 0)
        ++end;
    return {negative, base, i, end};
}

} // namespace

std::size_t RunEnd(std::string_view text, std::size_t pos) {
    const std::size_t tag = std::min(text.find('<', pos), text.size());
    const std::size_t blank = text.find(' ', pos);
    return blank < tag ? blank + 1 : tag;
}

TMarkupTag::TMarkupTag(std::string_view text) {
    const std::size_t close = text.find('>');
    terminated_ = close != std::string_view::npos;
    source_ = terminated_ ? text.substr(0, close + 1) : text;
    upper_.resize(source_.size());
    std::transform(source_.begin(), source_.end(), upper_.begin(), Upper);
    closing_ = upper_.starts_with("</");
    const std::size_t name = closing_ ? 2 : 1;
    // A string reads NUL at its size, which no letter test matches.
    first_ = upper_[std::min(name, upper_.size())];
    second_ = upper_[std::min(name + 1, upper_.size())];
}

std::string TMarkupTag::Attribute(std::string_view name, std::size_t from) const {
    const std::size_t at = upper_.find(name, std::min(from, upper_.size()));
    if (at == std::string::npos)
        return {};
    const std::size_t open = upper_.find('"', at + name.size());
    if (open == std::string::npos)
        return {};
    const std::size_t close = upper_.find('"', open + 1);
    if (close == std::string::npos)
        return {};
    return std::string(source_.substr(open + 1, close - open - 1));
}

std::string TMarkupTag::UpperAttribute(std::string_view name, std::size_t from) const {
    std::string value = Attribute(name, from);
    std::transform(value.begin(), value.end(), value.begin(), Upper);
    return value;
}

std::string TMarkupTag::FirstQuoted() const {
    return Attribute("");
}

int ParseMarkupInt(std::string_view value) {
    const TDigits d = ScanInt(value);
    long long n = 0;
    for (std::size_t i = d.begin; i < d.end && n <= kMarkupNumberLimit; ++i)
        n = n * d.base + DigitValue(value[i], d.base);
    n = std::min<long long>(n, kMarkupNumberLimit);
    return static_cast<int>(d.negative ? -n : n);
}

bool IsMarkupInt(std::string_view value) {
    const TDigits d = ScanInt(value);
    return d.end > d.begin && d.end == value.size();
}
