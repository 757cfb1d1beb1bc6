#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// The address finder's text rules: which part of a chat text, if any, is a web
// address a player can click. Positions are in UTF-16 code units, as the chat
// display counts its characters.
namespace urlfinder {

struct Url {
    std::size_t start = 0;  // where the address lies in the text
    std::size_t length = 0;
    std::u16string address;  // as written, letter case kept
};

// The address in the range [start, end) of `text` (looking one character further,
// as far as the first blank, CR or LF), narrowed to where the address lies.
std::optional<Url> UrlInRange(std::u16string_view text, std::size_t start, std::size_t end);

// The word around `index`: the run of characters other than blanks and line ends
// that holds it, as [start, end); empty when the character there is one of those.
std::pair<std::size_t, std::size_t> wordAround(std::u16string_view text, std::size_t index);

}  // namespace urlfinder
