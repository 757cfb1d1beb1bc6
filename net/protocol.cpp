#include "net/protocol.h"

#include <charconv>

#include "net/framer.h"
#include "net/wiretext.h"

namespace protocol {

namespace {

using enum Direction;
constexpr FieldDef kSeat{"seat", FieldKind::Number};
constexpr FieldDef kName{"name", FieldKind::Text};
constexpr FieldDef kTextWithColour{"text|colour", FieldKind::Text};
constexpr FieldDef kLineWithColour{"line|colour", FieldKind::Text};

std::vector<FieldDef> dice() {
    std::vector<FieldDef> d;
    for (int i = 0; i < 12; ++i)
        d.push_back({"die value", FieldKind::Number});
    return d;
}

const std::vector<MessageDef> kMessages = {
    {Msg::sendlogininfo, "CMD_sendlogininfo", HostToClient, {kSeat}},
    {Msg::logininfo, "CMD_logininfo", ClientToHost, {kSeat, {"version", FieldKind::Token}, kName}},
    {Msg::full, "CMD_full", HostToClient, {}},
    {Msg::newplayerinfo, "CMD_newplayerinfo", HostToClient, {kSeat, kName}},
    {Msg::existingplayers, "CMD_existingplayers", HostToClient, {kSeat, kName}},
    {Msg::havewrongversion, "CMD_havewrongversion", HostToClient, {kName}},
    {Msg::wrongversion, "CMD_wrongversion", HostToClient, {}},
    {Msg::loadboard,
     "CMD_loadboard",
     HostToClient,
     {kSeat,
      {"card number", FieldKind::Number},
      {"marks", FieldKind::Number},
      {"score", FieldKind::Number}}},
    {Msg::playerdisconnected, "CMD_playerdisconnected", HostToClient, {kSeat, kName}},
    {Msg::chatRequest, "CMD_chat", ClientToHost, {kSeat, kTextWithColour}},
    {Msg::chatAnnouncement, "CMD_chat", HostToClient, {kLineWithColour}},
    {Msg::actionRequest, "CMD_action", ClientToHost, {kSeat, kTextWithColour}},
    {Msg::actionAnnouncement, "CMD_action", HostToClient, {kLineWithColour}},
    {Msg::startgameRequest,
     "CMD_startgame",
     ClientToHost,
     {kSeat, {"team flag", FieldKind::Token}}},
    {Msg::startgameAnnouncement,
     "CMD_startgame",
     HostToClient,
     {kSeat, {"team flag", FieldKind::Token}}},
    {Msg::nextplayer, "CMD_nextplayer", HostToClient, {kSeat}},
    {Msg::throwdarts, "CMD_throwdarts", ClientToHost, {kSeat}},
    {Msg::thedart, "CMD_thedart", HostToClient, dice(), true},
    {Msg::placediceRequest,
     "CMD_placedice",
     ClientToHost,
     {kSeat,
      {"die", FieldKind::Number},
      {"dart", FieldKind::Number},
      {"position", FieldKind::Number}}},
    {Msg::placediceAnnouncement,
     "CMD_placedice",
     HostToClient,
     {kSeat,
      {"dart text", FieldKind::Token},
      {"die", FieldKind::Number},
      {"dart", FieldKind::Number},
      {"position", FieldKind::Number}}},
    {Msg::autoplace, "CMD_autoplace", ClientToHost, {kSeat}},
    {Msg::endturn,
     "CMD_endturn",
     HostToClient,
     {kSeat,
      {"score", FieldKind::Number},
      {"dart 1 text", FieldKind::Token},
      {"dart 2 text", FieldKind::Token},
      {"dart 3 text", FieldKind::Token}}},
    {Msg::winner, "CMD_winner", HostToClient, {{"names", FieldKind::Text}}},
    {Msg::justwatch, "CMD_justwatch", ClientToHost, {kSeat, {"switch", FieldKind::Token}}},
    {Msg::justwatching, "CMD_justwatching", HostToClient, {kSeat, {"switch", FieldKind::Token}}},
};

QByteArray valueBytes(const Value& v) {
    if (const int* n = std::get_if<int>(&v)) return QByteArray::number(*n);
    return wiretext::encode(std::get<QString>(v));
}

}  // namespace

const std::vector<MessageDef>& messages() {
    return kMessages;
}

const MessageDef& definition(Msg id) {
    return kMessages[static_cast<size_t>(id)];
}

const MessageDef* find(const QByteArray& command, Direction direction) {
    for (const MessageDef& m : kMessages)
        if (m.direction == direction && command == m.command) return &m;
    return nullptr;
}

QByteArray build(Msg id, const std::vector<Value>& values) {
    const MessageDef& def = definition(id);
    if (values.size() != def.fields.size())
        throw std::logic_error(std::string("wrong number of fields for ") + def.command);
    QByteArray out(def.command);
    out.append('+');
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0 && !def.fieldsTerminated) out.append('+');
        out.append(valueBytes(values[i]));
        if (def.fieldsTerminated) out.append('+');
    }
    out.append(MessageFramer::kEnd);
    return out;
}

Split split(const QByteArray& message) {
    qsizetype plus = message.indexOf('+');
    if (plus < 0) return {};
    return {message.left(plus), message.mid(plus + 1)};
}

int toNumber(const QByteArray& field) {
    int value = 0;
    const char* begin = field.constData();
    const char* end = begin + field.size();
    auto [ptr, ec] = std::from_chars(begin, end, value);
    if (field.isEmpty() || ec != std::errc() || ptr != end)
        throw ProtocolError("'" + field.toStdString() + "' is not a valid integer value");
    return value;
}

Fields::Fields(Msg id, const QByteArray& args) {
    const MessageDef& def = definition(id);
    if (def.fieldsTerminated) {
        // Only values that are followed by "+" count; a short list gives fewer.
        qsizetype start = 0;
        for (qsizetype plus; (plus = args.indexOf('+', start)) >= 0; start = plus + 1)
            values_.push_back(args.mid(start, plus - start));
        return;
    }
    QByteArray rest = args;
    for (size_t i = 0; i < def.fields.size(); ++i) {
        qsizetype plus = rest.indexOf('+');
        if (i + 1 == def.fields.size() || plus < 0) {
            values_.push_back(rest);
            rest.clear();
        } else {
            values_.push_back(rest.left(plus));
            rest = rest.mid(plus + 1);
        }
    }
}

QByteArray Fields::raw(int i) const {
    return i >= 0 && i < count() ? values_[size_t(i)] : QByteArray();
}

QString Fields::text(int i) const {
    return wiretext::decode(raw(i));
}

int Fields::number(int i) const {
    return toNumber(raw(i));
}

}  // namespace protocol
