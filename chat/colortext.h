#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text form of a colour, used in chat lines and the settings file. A colour
// is 0x00BBGGRR; 0x80000000 + n is the desktop's colour for role n and
// 0x1FFFFFFF is no colour.
namespace colortext {

inline constexpr std::uint32_t kWhite = 0xFFFFFF;

// The colour's name, else "$" and eight upper-case hex digits.
std::string colorToText(std::uint32_t color);

// A colour name in any letter case, "$" and hex digits, or a decimal integer.
// Anything else gives nothing.
std::optional<std::uint32_t> textToColor(std::string_view text);

}  // namespace colortext
