#include "htmllabel/MarkupParser.h"

#include <algorithm>
#include <cctype>

namespace {

char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

int DigitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c)))
        v = Upper(c) - 'A' + 10;
    return v < base ? v : -1;
}

// The number's digits: where they start, their base, and where they end.
struct TDigits {
    bool negative = false;
    int base = 10;
    std::size_t begin = 0;
    std::size_t end = 0;
};

TDigits ScanInt(std::string_view value) {
    TDigits d;
    std::size_t i = 0;
    if (i < value.size() && (value[i] == '-' || value[i] == '+'))
        d.negative = value[i++] == '-';
    if (i < value.size() && value[i] == '$') {
        d.base = 16;
        ++i;
    } else if (value.substr(i, 2) == "0x" || value.substr(i, 2) == "0X") {
        d.base = 16;
        i += 2;
    }
    d.begin = d.end = i;
    while (d.end < value.size() && DigitValue(value[d.end], d.base) >= 0)
        ++d.end;
    return d;
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
    first_ = name < upper_.size() ? upper_[name] : 0;
    second_ = name + 1 < upper_.size() ? upper_[name + 1] : 0;
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
