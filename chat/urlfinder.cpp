#include "chat/urlfinder.h"

#include <array>

namespace urlfinder {

namespace {

// In this order: the first of them found anywhere in a word wins.
constexpr std::array<std::u16string_view, 8> kPrefixes = {
    u"http://", u"ftp://", u"file://", u"gopher://", u"telnet://", u"news:", u"mailto:", u"www."};

bool endsCandidate(char16_t c) {
    return c == u' ' || c == u'\r' || c == u'\n';
}

bool isWordBreak(char16_t c) {
    // The display's line end is the paragraph separator; tabs are blanks too.
    return endsCandidate(c) || c == u'\t' || c == u'\u2029' || c == u'\u2028';
}

bool keepsAtEnd(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'/';
}

char16_t lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

}  // namespace

std::optional<Url> UrlInRange(std::u16string_view text, std::size_t start, std::size_t end) {
    if (start >= text.size() || end < start) return std::nullopt;
    std::u16string_view candidate = text.substr(start, end - start + 1);
    for (std::size_t i = 0; i < candidate.size(); ++i) {
        if (endsCandidate(candidate[i])) {
            candidate = candidate.substr(0, i + 1);
            break;
        }
    }
    std::u16string lowered(candidate);
    for (char16_t& c : lowered)
        c = lower(c);

    for (std::u16string_view prefix : kPrefixes) {
        const std::size_t at = lowered.find(prefix);
        if (at == std::u16string::npos) continue;
        std::size_t length = candidate.size() - at;
        while (length > 0 && !keepsAtEnd(candidate[at + length - 1]))
            --length;
        if (length <= prefix.size()) return std::nullopt;
        return Url{start + at, length, std::u16string(candidate.substr(at, length))};
    }
    return std::nullopt;
}

std::pair<std::size_t, std::size_t> wordAround(std::u16string_view text, std::size_t index) {
    if (index >= text.size() || isWordBreak(text[index])) return {index, index};
    std::size_t first = index;
    while (first > 0 && !isWordBreak(text[first - 1]))
        --first;
    std::size_t last = index;
    while (last < text.size() && !isWordBreak(text[last]))
        ++last;
    return {first, last};
}

}  // namespace urlfinder
