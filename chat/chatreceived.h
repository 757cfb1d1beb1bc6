#pragma once

#include <QColor>
#include <QString>
#include <cstdint>

class ChatDisplay;

// A received chat or action line: the text up to the first "|", in the colour
// whose text follows it; white when there is no "|" or the colour does not read.
struct ReceivedLine {
    QString text;
    QColor colour;
};
ReceivedLine readReceivedLine(const QString& data);

void chatrecieved(ChatDisplay& display, const QString& data);

// The colour for a colour value of the text form (0x00BBGGRR, or a desktop colour).
QColor toQColor(std::uint32_t colour);

// An ordinary colour as 0x00BBGGRR.
std::uint32_t fromQColor(const QColor& colour);
