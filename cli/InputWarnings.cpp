#include "cli/InputWarnings.h"

#include <cstring>

namespace cli {

namespace {

/// "UTF-16" or "UTF-32" when `bytes` look like one of them, else empty: a byte order mark,
/// or (without one) NUL in every other byte of the first kWideSample, the high byte of
/// ASCII text stored in two bytes a character, and not in all of the others.
std::string_view WideEncodingOf(std::string_view bytes) {
    if (bytes.starts_with(std::string_view("\xFF\xFE\0\0", 4)) ||
        bytes.starts_with(std::string_view("\0\0\xFE\xFF", 4)))
        return "UTF-32";
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return "UTF-16";
    const std::size_t sample = std::min(bytes.size(), kWideSample) & ~std::size_t{1};
    if (sample < 4)
        return {};
    // NULs alone (a file of zeros) are no text in any encoding.
    std::size_t nulsAt[2] = {0, 0};
    for (std::size_t i = 0; i < sample; ++i)
        nulsAt[i % 2] += bytes[i] == '\0';
    const std::size_t half = sample / 2;
    if ((nulsAt[0] == half) != (nulsAt[1] == half))
        return "UTF-16";
    return {};
}

/// Line ends that are a lone LF and that are CR LF, in the text before its first NUL.
void CountLineEnds(std::string_view text, InputFacts& counts) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    for (const char* p = begin; p != end;) {
        const void* found = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        if (found == nullptr)
            break;
        const char* lf = static_cast<const char*>(found);
        ++(lf != begin && lf[-1] == '\r' ? counts.crLf : counts.lf);
        p = lf + 1;
    }
}

} // namespace

InputFacts FactsOf(const core::FileText& file) {
    InputFacts facts;
    const std::string_view bytes = file.Bytes();
    const std::string_view text = file.Text();
    facts.head = bytes.substr(0, kWideSample);
    if (text.size() < bytes.size()) {
        facts.nulAt = text.size();
        // A read that stopped at the NUL does not know how much follows.
        if (file.Whole())
            facts.afterNul = bytes.size() - text.size() - 1;
    }
    CountLineEnds(text, facts);
    return facts;
}

std::vector<std::string> InputWarnings(const InputFacts& facts, const std::string& fileName) {
    std::vector<std::string> warnings;
    const std::string quoted = "\"" + fileName + "\"";
    const std::string_view wide = WideEncodingOf(facts.head);
    if (!wide.empty()) {
        warnings.push_back(quoted + " looks like " + std::string(wide) +
                           ", which is compared as bytes up to its first NUL byte; convert it "
                           "to UTF-8 first, e.g. iconv -f " +
                           std::string(wide) + " -t UTF-8");
    }
    if (facts.nulAt) {
        const std::string unread =
            facts.afterNul ? std::to_string(*facts.afterNul) + " bytes" : "bytes";
        warnings.push_back(quoted + " holds a NUL byte at offset " + std::to_string(*facts.nulAt) +
                           ", which ends the list; the " + unread + " after it are not read");
    }
    if (facts.lf > 0 && facts.crLf > 0) {
        warnings.push_back(quoted + " has lines ending in a mix of LF (" +
                           std::to_string(facts.lf) + ") and CR LF (" + std::to_string(facts.crLf) +
                           "); both end a line alike");
    }
    return warnings;
}

std::vector<std::string> InputWarnings(const core::FileText& file, const std::string& fileName) {
    return InputWarnings(FactsOf(file), fileName);
}

} // namespace cli
