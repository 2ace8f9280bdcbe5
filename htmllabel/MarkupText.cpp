#include "htmllabel/MarkupText.h"

#include <cctype>
#include <span>

namespace {

struct TEntity {
    std::string_view Name;
    std::string_view Text;
};

constexpr TEntity kNamedEntities[] = {
    {"&amp;", "&&"},      {"&quot;", "\""},    {"&sect;", "\xA7"},
    {"&permil;", "\x89"}, {"&reg;", "\xAE"},   {"&copy;", "\xA9"},
    {"&para;", "\xB6"},   {"&trade;", "\x99"}, {"&euro;", "\x80"},
};

constexpr TEntity kRunEntities[] = {{"&nbsp;", " "}, {"&lt;", "<"}, {"&gt;", ">"}};

// One left-to-right round; true when it replaced anything.
bool ReplaceEntities(std::string& text, std::span<const TEntity> entities) {
    if (text.find('&') == std::string::npos)
        return false;
    std::string out;
    out.reserve(text.size());
    bool replaced = false;
    for (std::size_t i = 0; i < text.size();) {
        const TEntity* found = nullptr;
        if (text[i] == '&')
            for (const TEntity& e : entities)
                if (StartsWithNoCase(text, i, e.Name)) {
                    found = &e;
                    break;
                }
        if (found) {
            out += found->Text;
            i += found->Name.size();
            replaced = true;
        } else {
            out += text[i++];
        }
    }
    text = std::move(out);
    return replaced;
}

} // namespace

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view word) {
    if (at > text.size() || text.size() - at < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[at + i])) !=
            std::tolower(static_cast<unsigned char>(word[i])))
            return false;
    return true;
}

TMarkupSource PreprocessMarkup(std::string_view markup) {
    TMarkupSource source;
    source.LiteralAmpersands = markup.find(" & ") != std::string_view::npos;

    // Every replacement is shorter than its entity, so the rounds end.
    std::string text(markup);
    while (ReplaceEntities(text, kNamedEntities)) {
    }

    if (const std::size_t hash = text.find("<#"); hash != std::string::npos) {
        text.erase(hash, 1);
        if (const std::size_t close = text.find('>', hash); close != std::string::npos)
            text.erase(close, 1);
    }

    source.Text.reserve(text.size());
    for (const char c : text) {
        if (c == '\r')
            source.Text += "<BR>";
        else if (c != '\n')
            source.Text += c;
    }
    while (!source.Text.empty() && IsBlankOrControl(source.Text.back()))
        source.Text.pop_back();
    return source;
}

std::string ReplaceRunEntities(std::string_view run) {
    std::string text(run);
    ReplaceEntities(text, kRunEntities);
    return text;
}

std::string WithoutPrefixes(std::string_view run) {
    std::string shown;
    shown.reserve(run.size());
    for (std::size_t i = 0; i < run.size(); ++i) {
        if (run[i] == '&') {
            if (run.substr(i, 2) == "&&")
                shown += run[++i];
            continue;
        }
        shown += run[i];
    }
    return shown;
}
