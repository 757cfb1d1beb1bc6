#include "chat/chatlink.h"

#include "chat/chatreceived.h"
#include "chat/colortext.h"
#include "net/protocol.h"

namespace {

QString withColour(const QString& text, const QColor& colour) {
    return text + "|" + QString::fromStdString(colortext::colorToText(fromQColor(colour)));
}

}  // namespace

void ChatLink::chat(const QString& text, const QColor& colour) const {
    send(protocol::build(protocol::Msg::chatRequest, {seat(), withColour(text, colour)}));
}

void ChatLink::action(const QString& text, const QColor& colour) const {
    send(protocol::build(protocol::Msg::actionRequest, {seat(), withColour(text, colour)}));
}
