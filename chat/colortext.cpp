#include "chat/colortext.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <limits>

namespace colortext {

namespace {

struct NamedColor {
    std::uint32_t value;
    const char* name;
};

constexpr std::uint32_t kSystem = 0x80000000;

constexpr std::array<NamedColor, 42> kNames{{
    {0x000000, "clBlack"},
    {0x000080, "clMaroon"},
    {0x008000, "clGreen"},
    {0x008080, "clOlive"},
    {0x800000, "clNavy"},
    {0x800080, "clPurple"},
    {0x808000, "clTeal"},
    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},
    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},
    {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},
    {kSystem + 0, "clScrollBar"},
    {kSystem + 1, "clBackground"},
    {kSystem + 2, "clActiveCaption"},
    {kSystem + 3, "clInactiveCaption"},
    {kSystem + 4, "clMenu"},
    {kSystem + 5, "clWindow"},
    {kSystem + 6, "clWindowFrame"},
    {kSystem + 7, "clMenuText"},
    {kSystem + 8, "clWindowText"},
    {kSystem + 9, "clCaptionText"},
    {kSystem + 10, "clActiveBorder"},
    {kSystem + 11, "clInactiveBorder"},
    {kSystem + 12, "clAppWorkSpace"},
    {kSystem + 13, "clHighlight"},
    {kSystem + 14, "clHighlightText"},
    {kSystem + 15, "clBtnFace"},
    {kSystem + 16, "clBtnShadow"},
    {kSystem + 17, "clGrayText"},
    {kSystem + 18, "clBtnText"},
    {kSystem + 19, "clInactiveCaptionText"},
    {kSystem + 20, "clBtnHighlight"},
    {kSystem + 21, "cl3DDkShadow"},
    {kSystem + 22, "cl3DLight"},
    {kSystem + 23, "clInfoText"},
    {kSystem + 24, "clInfoBk"},
    {0x1FFFFFFF, "clNone"},
}};

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// Reads all of `digits` as an unsigned number in `base`; fails on anything left over.
std::optional<std::uint32_t> readUnsigned(std::string_view digits, int base) {
    if (digits.empty()) return std::nullopt;
    std::uint32_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [rest, error] = std::from_chars(digits.data(), end, value, base);
    if (error != std::errc() || rest != end) return std::nullopt;
    return value;
}

// A decimal integer of 32 bits with an optional sign; negative values are the
// high colours written the signed way.
std::optional<std::uint32_t> readDecimal(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || rest != end) return std::nullopt;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
}

}  // namespace

std::string colorToText(std::uint32_t color) {
    for (const NamedColor& named : kNames) {
        if (named.value == color) return named.name;
    }
    char text[10];
    std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(color));
    return text;
}

std::optional<std::uint32_t> textToColor(std::string_view text) {
    for (const NamedColor& named : kNames) {
        if (sameName(text, named.name)) return named.value;
    }
    if (!text.empty() && text.front() == '$') return readUnsigned(text.substr(1), 16);
    return readDecimal(text);
}

}  // namespace colortext
