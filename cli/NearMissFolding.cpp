#include "cli/NearMissFolding.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>

#include <unicode/bytestream.h>
#include <unicode/casemap.h>
#include <unicode/normalizer2.h>
#include <unicode/stringpiece.h>

namespace cli {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

/// Most lines are printable ASCII, where no byte order mark, encoding or invisible
/// character can hide.
bool IsPrintableAscii(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) <= 0x7E;
    });
}

/// The code point of the UTF-8 sequence at `text[i]` and its length; length 0 when the bytes
/// there are no valid sequence (overlong forms and surrogates included).
struct Decoded {
    char32_t codePoint = 0;
    std::size_t length = 0;
};

Decoded DecodeUtf8(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t min = 0;
    char32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, min = 0x80, cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, min = 0x800, cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, min = 0x10000, cp = lead & 0x07;
    } else {
        return {};
    }
    if (text.size() - i < length)
        return {};
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80)
            return {};
        cp = cp << 6 | (byte(k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return {};
    return {cp, length};
}

/// Appends `cp`, which the folds only ever take from the Basic Multilingual Plane.
void AppendUtf8(std::string& out, char16_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = DecodeUtf8(text, i).length;
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

/// Windows-1252's characters for 0x80 to 0x9F; its five unassigned bytes read as the C1
/// controls of the same number, as ISO 8859-1 has them. 0xA0 and up are ISO 8859-1's.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte);
    }
    return out;
}

/// `text`, valid UTF-8 with a byte from 0x80 on, case-folded by ICU: full folding with the
/// default mappings (not the Turkic ones), every script alike, so that "Straße" meets
/// "STRASSE" and "ﬁ" meets "fi". Empty when ICU fails, which leaves the text to the table.
std::string CaseFolded(std::string_view text) {
    std::string folded;
    if (text.size() > static_cast<std::size_t>(INT32_MAX) / 3)
        return folded;
    UErrorCode status = U_ZERO_ERROR;
    icu::StringByteSink<std::string> sink(&folded, static_cast<std::int32_t>(text.size()));
    icu::CaseMap::utf8Fold(U_FOLD_CASE_DEFAULT,
                           icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())),
                           sink, nullptr, status);
    if (U_FAILURE(status))
        folded.clear();
    return folded;
}

/// The small letter of `cp`, for ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic
/// capitals; anything else as it is. Only for text that is not UTF-8, which ICU cannot fold.
char32_t Lower(char32_t cp) {
    if ((cp >= 'A' && cp <= 'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7))
        return cp + 0x20;
    if (cp >= 0x100 && cp <= 0x17F) {
        // Pairs of capital and small, the capital even up to U+0137 and from U+014A to
        // U+0177, odd in between and after U+0178 (Ÿ, whose small letter is U+00FF).
        // U+0130 (İ) and U+0138 (ĸ) have no partner in the pattern.
        if (cp == 0x178)
            return 0xFF;
        if (cp == 0x130 || cp == 0x138 || cp == 0x149 || cp == 0x17F)
            return cp;
        const bool evenCapitals = cp < 0x139 || (cp >= 0x14A && cp < 0x178);
        return (cp % 2 == 0) == evenCapitals ? cp + 1 : cp;
    }
    if ((cp >= 0x391 && cp <= 0x3A9 && cp != 0x3A2) || (cp >= 0x410 && cp <= 0x42F))
        return cp + 0x20;
    if (cp >= 0x400 && cp <= 0x40F)
        return cp + 0x50;
    switch (cp) {
    case 0x386:
        return 0x3AC;
    case 0x388:
    case 0x389:
    case 0x38A:
        return cp + 0x25;
    case 0x38C:
        return 0x3CC;
    case 0x38E:
    case 0x38F:
        return cp + 0x3F;
    default:
        return cp;
    }
}

std::string_view TrimBlanks(std::string_view text) {
    constexpr std::string_view kNoBreakSpace = "\xC2\xA0";
    for (bool trimmed = true; trimmed;) {
        trimmed = false;
        for (const std::string_view blank :
             {std::string_view(" "), std::string_view("\t"), kNoBreakSpace}) {
            if (text.starts_with(blank))
                text.remove_prefix(blank.size()), trimmed = true;
            if (text.ends_with(blank))
                text.remove_suffix(blank.size()), trimmed = true;
        }
    }
    return text;
}

/// Whether `text`, valid UTF-8, is composed already (Unicode's NFC). Only a code point from
/// U+0300 on (a lead byte from 0xCC on) can combine with what stands before it or be
/// replaced, so text without one is, and ICU need not look. Text ICU cannot look at counts
/// as composed: it stays as it is.
bool IsComposed(std::string_view text) {
    if (std::none_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0xCC; }) ||
        text.size() > static_cast<std::size_t>(INT32_MAX))
        return true;
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status))
        return true;
    const bool composed = nfc->isNormalizedUTF8(
        icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())), status);
    return U_FAILURE(status) || composed;
}

/// `text`, valid UTF-8 and not IsComposed, with its letters composed by ICU, so that a letter
/// with a combining accent reads as its precomposed form; empty when ICU fails, which leaves
/// the text as it is.
std::string Composed(std::string_view text) {
    std::string composed;
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status))
        return composed;
    icu::StringByteSink<std::string> sink(&composed, static_cast<std::int32_t>(text.size()));
    nfc->normalizeUTF8(0, icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())),
                       sink, nullptr, status);
    if (U_FAILURE(status))
        composed.clear();
    return composed;
}

/// The length of an invisible character's UTF-8 sequence at `text[i]`, else 0. Its lead byte
/// can be no other sequence's continuation, so the bytes mean the character wherever they
/// stand.
std::size_t InvisibleAt(std::string_view text, std::size_t i) {
    const std::string_view rest = text.substr(i);
    if (rest.starts_with("\xC2\xAD")) // soft hyphen
        return 2;
    if (rest.size() >= 3 && rest.starts_with("\xE2\x80") &&
        (rest[2] == '\x8B' || rest[2] == '\x8C' || rest[2] == '\x8D')) // zero-width space, joiners
        return 3;
    return rest.starts_with("\xE2\x81\xA0") ? 3 : 0; // word joiner
}

bool HasInvisible(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (InvisibleAt(text, i) != 0)
            return true;
    }
    return false;
}

/// The line being folded: a view of the line itself until a fold must change bytes, then of
/// `storage`, which the later folds change in place.
class Folding {
public:
    Folding(std::string_view line, std::string& storage) : text_(line), storage_(storage) {}

    std::string_view Text() const { return text_; }
    /// Keeps only `part`, a part of Text().
    void Narrow(std::string_view part) { text_ = part; }
    /// Goes on with `text` instead, kept in `storage`.
    void Take(std::string&& text) {
        storage_ = std::move(text);
        text_ = storage_;
        owned_ = true;
    }
    /// The bytes of the text, copied into `storage` first if they are the line's.
    char* Writable() {
        if (!owned_)
            Take(std::string(text_));
        return storage_.data() + (text_.data() - storage_.data());
    }
    /// Drops the invisible characters, moving what follows each forward.
    void DropInvisible() {
        std::size_t i = 0;
        while (i < text_.size() && InvisibleAt(text_, i) == 0)
            ++i;
        if (i == text_.size())
            return;
        char* bytes = Writable();
        std::size_t kept = i;
        while (i < text_.size()) {
            if (const std::size_t length = InvisibleAt(text_, i))
                i += length;
            else
                bytes[kept++] = bytes[i++];
        }
        text_ = text_.substr(0, kept);
    }
    /// Folds letter case: valid UTF-8 by ICU (ASCII alone in place), anything else by Lower().
    void FoldCase(bool validUtf8) {
        const bool ascii = std::all_of(text_.begin(), text_.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        if (validUtf8 && !ascii) {
            if (std::string folded = CaseFolded(text_); !folded.empty() || text_.empty()) {
                if (folded != text_)
                    Take(std::move(folded));
                return;
            }
        }
        Lower();
    }
    /// Makes each capital small by the table. Lower() keeps ASCII in ASCII and the rest within
    /// U+0080 to U+07FF, so a small letter is as long in UTF-8 as its capital and the bytes
    /// change in place; bytes that are no valid sequence stay as they are.
    void Lower() {
        char* bytes = nullptr;
        for (std::size_t i = 0; i < text_.size();) {
            const Decoded decoded = DecodeUtf8(text_, i);
            if (decoded.length == 0) {
                ++i;
                continue;
            }
            const char32_t small = cli::Lower(decoded.codePoint);
            if (small != decoded.codePoint) {
                if (!bytes)
                    bytes = Writable();
                std::string encoded;
                AppendUtf8(encoded, static_cast<char16_t>(small));
                std::copy(encoded.begin(), encoded.end(), bytes + i);
            }
            i += decoded.length;
        }
    }

private:
    std::string_view text_;
    std::string& storage_;
    bool owned_ = false; // text_ lies in storage_
};

/// `text` without spaces at either end: TrimBlanks for printable ASCII, where the space is the
/// only blank.
std::string_view TrimSpaces(std::string_view text) {
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

/// FoldLine for printable ASCII, the common case: only blanks and case can differ, and
/// at most one copy is made, into `storage`, whose room is reused from line to line.
std::string_view FoldAscii(std::string_view line, CauseSet causes, std::string& storage) {
    if (causes & CauseBit(NearMissCause::kBlanks))
        line = TrimSpaces(line);
    if (!(causes & CauseBit(NearMissCause::kCase)) ||
        std::none_of(line.begin(), line.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
        return line;
    storage.assign(line);
    for (char& c : storage) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
    }
    return storage;
}

} // namespace

std::string_view CauseName(NearMissCause cause) {
    switch (cause) {
    case NearMissCause::kBlanks:
        return "blanks";
    case NearMissCause::kCase:
        return "case";
    case NearMissCause::kEncoding:
        return "encoding";
    case NearMissCause::kByteOrderMark:
        return "byte-order-mark";
    case NearMissCause::kComposition:
        return "composition";
    case NearMissCause::kInvisible:
        return "invisible";
    }
    return "?";
}

CauseSet MayChange(std::string_view line, bool firstLine) {
    CauseSet causes = CauseBit(NearMissCause::kBlanks) | CauseBit(NearMissCause::kCase);
    if (IsPrintableAscii(line))
        return causes;
    // Text read as Windows-1252 may gain accents, from 0xCC on, and soft hyphens, 0xAD.
    const bool valid = IsValidUtf8(line);
    if (!valid)
        causes |= CauseBit(NearMissCause::kEncoding) | CauseBit(NearMissCause::kComposition) |
                  CauseBit(NearMissCause::kInvisible);
    if (firstLine && line.starts_with(kByteOrderMark))
        causes |= CauseBit(NearMissCause::kByteOrderMark);
    if (valid && !IsComposed(line)) // a byte order mark before it makes no difference
        causes |= CauseBit(NearMissCause::kComposition);
    // Composing neither makes nor takes invisible characters.
    if (HasInvisible(line))
        causes |= CauseBit(NearMissCause::kInvisible);
    return causes;
}

std::string_view FoldLine(std::string_view line, CauseSet causes, bool firstLine,
                          std::string& storage) {
    if (IsPrintableAscii(line))
        return FoldAscii(line, causes, storage);
    Folding folding(line, storage);
    bool valid = IsValidUtf8(line);
    if ((causes & CauseBit(NearMissCause::kEncoding)) && !valid) {
        folding.Take(Windows1252ToUtf8(line));
        valid = true;
    }
    if ((causes & CauseBit(NearMissCause::kByteOrderMark)) && firstLine &&
        folding.Text().starts_with(kByteOrderMark))
        folding.Narrow(folding.Text().substr(kByteOrderMark.size()));
    if ((causes & CauseBit(NearMissCause::kComposition)) && valid && !IsComposed(folding.Text())) {
        if (std::string composed = Composed(folding.Text()); !composed.empty())
            folding.Take(std::move(composed));
    }
    if (causes & CauseBit(NearMissCause::kInvisible))
        folding.DropInvisible();
    if (causes & CauseBit(NearMissCause::kBlanks))
        folding.Narrow(TrimBlanks(folding.Text()));
    if (causes & CauseBit(NearMissCause::kCase))
        folding.FoldCase(valid);
    return folding.Text();
}

namespace {

// Lines are hashed eight bytes at a time: each word is mixed in by a multiplication, the
// last, shorter one padded with zeros and the length mixed in after it, and the sum goes
// through a final mix so that its low bits (which pick the filter's bit) depend on every byte.
constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;
constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

std::uint64_t MixWord(std::uint64_t hash, std::uint64_t word) {
    hash = (hash ^ word) * kMultiplier;
    return hash ^ hash >> 29;
}
std::uint64_t Finish(std::uint64_t hash, std::size_t length) {
    hash = MixWord(hash, length);
    hash = (hash ^ hash >> 33) * 0xFF51AFD7ED558CCDULL;
    hash = (hash ^ hash >> 33) * 0xC4CEB9FE1A85EC53ULL;
    return hash ^ hash >> 33;
}
/// The eight bytes of `text` from `i` on as a word, the first in the lowest bits; past the
/// end of `text` the word holds zeros. The last, shorter word of a text of eight bytes or more
/// is read as the text's last eight bytes, shifted: one load rather than a byte at a time.
std::uint64_t LoadWord(std::string_view text, std::size_t i) {
    const auto load8 = [](const char* bytes) {
        std::uint64_t word;
        std::memcpy(&word, bytes, 8);
        return std::endian::native == std::endian::little ? word : __builtin_bswap64(word);
    };
    const std::size_t count = text.size() - i;
    if (count >= 8)
        return load8(text.data() + i);
    if (text.size() >= 8)
        return load8(text.data() + text.size() - 8) >> 8 * (8 - count);
    std::uint64_t word = 0;
    for (std::size_t k = 0; k < count; ++k)
        word |= std::uint64_t{static_cast<unsigned char>(text[i + k])} << 8 * k;
    return word;
}
/// Whether every byte of `word` is printable ASCII (0x20 to 0x7E).
bool AllPrintable(std::uint64_t word) {
    const auto anyBelow = [](std::uint64_t w, std::uint64_t n) {
        return ((w - kOnes * n) & ~w & kHighBits) != 0;
    };
    return (word & kHighBits) == 0 && !anyBelow(word, 0x20) && !anyBelow(word ^ (kOnes * 0x7F), 1);
}
/// `word`, all ASCII, with its capitals made small.
std::uint64_t LowerAscii(std::uint64_t word) {
    const std::uint64_t fromA = word + kOnes * (0x80 - 'A');     // high bit: at least 'A'
    const std::uint64_t pastZ = word + kOnes * (0x80 - 'Z' - 1); // high bit: past 'Z'
    return word | ((fromA ^ pastZ) & kHighBits) >> 2;
}

/// Blanks in the bytes of a word that LoadWord pads with zeros after `count` bytes, so that
/// the padding passes for printable.
std::uint64_t PaddingBlanks(std::size_t count) {
    return count >= 8 ? 0 : (~std::uint64_t{0} << 8 * count) & kOnes * ' ';
}

std::uint64_t HashBytes(std::string_view bytes) {
    std::uint64_t hash = 0;
    for (std::size_t i = 0; i < bytes.size(); i += 8)
        hash = MixWord(hash, LoadWord(bytes, i));
    return Finish(hash, bytes.size());
}

} // namespace

void FoldHashes::Add(std::uint64_t hash) {
    if (std::find(values_.begin(), values_.begin() + count_, hash) == values_.begin() + count_)
        values_[count_++] = hash;
}

FoldHashes FoldedHashes(std::string_view line, bool firstLine, std::string& storage) {
    // Case is folded after blanks, so two lines alike ignoring blanks are alike ignoring
    // case too: the first fold needs no hash of its own. The others are no function of the
    // one before (their folds come first), so each that may change the line has one.
    //
    // While the line proves printable ASCII, its fold ignoring blanks and case is hashed as it
    // is made, as HashBytes would hash it; the other causes never change printable ASCII.
    const std::string_view trimmed = TrimSpaces(line);
    std::uint64_t hash = 0;
    bool ascii = true;
    for (std::size_t i = 0; i < trimmed.size() && ascii; i += 8) {
        const std::uint64_t word = LoadWord(trimmed, i);
        ascii = AllPrintable(word | PaddingBlanks(trimmed.size() - i));
        hash = MixWord(hash, LowerAscii(word));
    }
    FoldHashes hashes;
    if (ascii) {
        // The blanks trimmed were printable too, so the whole line was.
        hashes.Add(Finish(hash, trimmed.size()));
        return hashes;
    }
    // A fold differs from the one before only by a cause that may change the line, and
    // folds as it would without the causes that cannot.
    const CauseSet mayChange = MayChange(line, firstLine);
    for (int count = 2; count <= kNearMissCauses; ++count) {
        if (mayChange & CauseBit(static_cast<NearMissCause>(count - 1)))
            hashes.Add(
                HashBytes(FoldLine(line, FirstCauses(count) & mayChange, firstLine, storage)));
    }
    return hashes;
}

} // namespace cli
