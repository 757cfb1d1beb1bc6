// Arbitrary text and places in it: an address found lies inside the text, reads as
// written there, begins with a known prefix and is longer than it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "chat/urlfinder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t index = data[0] | (std::size_t(data[1]) << 8);
    std::u16string text;
    for (std::size_t i = 2; i + 1 < size; i += 2)
        text += char16_t(data[i] | (data[i + 1] << 8));
    const auto [first, last] = urlfinder::wordAround(text, index);
    // An empty word (a blank, or past the end) may sit anywhere; a word lies in the text.
    if (first > last || (first < last && (last > text.size() || index < first || index >= last)))
        std::abort();
    for (const auto& [start, end] :
         {std::pair{first, last}, std::pair{index, index + data[0] % 64}}) {
        const auto url = urlfinder::UrlInRange(text, start, end);
        if (!url) continue;
        if (url->start < start || url->start + url->length > text.size()) std::abort();
        if (text.compare(url->start, url->length, url->address) != 0) std::abort();
        if (url->address.empty() || url->address.find(u' ') != std::u16string::npos) std::abort();
    }
    return 0;
}
