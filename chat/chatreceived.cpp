#include "chat/chatreceived.h"

#include <array>

#include "chat/chatdisplay.h"
#include "chat/colortext.h"

namespace {

// The desktop colours of the classic Windows scheme, for roles 0 to 24.
constexpr std::array<std::uint32_t, 25> kDesktop = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000,
    0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D,
    0x000000, 0x544E43, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000, 0xE1FFFF};

}  // namespace

QColor toQColor(std::uint32_t colour) {
    if ((colour & 0xFF000000) == 0x80000000 && (colour & 0xFFFFFF) < kDesktop.size())
        colour = kDesktop[colour & 0xFFFFFF];
    else if (colour > 0xFFFFFF)
        colour = colortext::kWhite;  // no colour, or none we know
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

ReceivedLine readReceivedLine(const QString& data) {
    const qsizetype bar = data.indexOf('|');
    if (bar < 0) return {data, toQColor(colortext::kWhite)};
    const auto value = colortext::textToColor(data.mid(bar + 1).toStdString());
    return {data.left(bar), toQColor(value.value_or(colortext::kWhite))};
}

void chatrecieved(ChatDisplay& display, const QString& data) {
    const ReceivedLine line = readReceivedLine(data);
    display.addlinetochat(line.text, line.colour);
}

std::uint32_t fromQColor(const QColor& colour) {
    return std::uint32_t(colour.red()) | std::uint32_t(colour.green()) << 8 |
           std::uint32_t(colour.blue()) << 16;
}
