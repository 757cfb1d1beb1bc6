// Arbitrary colour texts and values: a text that reads gives a value that writes
// back to a text reading the same value.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "chat/colortext.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto value = colortext::textToColor(text)) {
        if (colortext::textToColor(colortext::colorToText(*value)) != value) std::abort();
    }
    if (size >= 4) {
        std::uint32_t value;
        std::memcpy(&value, data, 4);
        if (colortext::textToColor(colortext::colorToText(value)) != value) std::abort();
    }
    return 0;
}
