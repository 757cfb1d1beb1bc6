#pragma once

#include <QByteArray>
#include <QString>
#include <stdexcept>
#include <string_view>
#include <variant>
#include <vector>

// The game protocol: every message of the game, declared once, so that the host and
// the clients build and read each one from the same table. A message is the
// command, "+", its fields joined by "+", and the byte 0xFF. The last field of a
// message is everything that remains, so a name or a chat text may contain "+".
namespace protocol {

// The version text a client sends at login and the host compares with its own.
inline constexpr const char* kVersion = "2.0.10";

enum class Direction { HostToClient, ClientToHost };

enum class FieldKind {
    Number,  // decimal digits
    Token,   // a short text: version, team flag, switch, dart text
    Text,    // names, chat and action text: always the last field
};

struct FieldDef {
    const char* name;
    FieldKind kind;
};

enum class Msg {
    sendlogininfo,
    logininfo,
    full,
    newplayerinfo,
    existingplayers,
    havewrongversion,
    wrongversion,
    loadboard,
    playerdisconnected,
    chatRequest,
    chatAnnouncement,
    actionRequest,
    actionAnnouncement,
    startgameRequest,
    startgameAnnouncement,
    nextplayer,
    throwdarts,
    thedart,
    placediceRequest,
    placediceAnnouncement,
    autoplace,
    endturn,
    winner,
    justwatch,
    justwatching,
};

struct MessageDef {
    Msg id;
    const char* command;
    Direction direction;
    std::vector<FieldDef> fields;
    // Every field is followed by "+" (the roll), instead of the last one taking the rest.
    bool fieldsTerminated = false;
};

// The whole table, in the order of the protocol's message list.
const std::vector<MessageDef>& messages();
const MessageDef& definition(Msg id);
// The message a receiver on this side understands by that command, or nullptr.
const MessageDef* find(const QByteArray& command, Direction direction);

// A field value for building: a number or a text (sent as Windows-1252).
using Value = std::variant<int, QString>;

// The complete message with its ending 0xFF. Throws std::logic_error when the
// values do not match the message's fields (a mistake in the caller, not input).
QByteArray build(Msg id, const std::vector<Value>& values = {});

// A received message cut at its first "+": the command before it and the
// arguments after it. A message without "+" has an empty command.
struct Split {
    QByteArray command;
    QByteArray args;
};
Split split(const QByteArray& message);

// A numeric field that is not a decimal number.
class ProtocolError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The fields of a received message, read by its definition: each up to the next
// "+", the last one the whole rest. Missing fields read as empty.
class Fields {
  public:
    Fields(Msg id, const QByteArray& args);

    int count() const { return int(values_.size()); }
    QByteArray raw(int i) const;
    QString text(int i) const;
    // Throws ProtocolError unless the field is a decimal integer.
    int number(int i) const;

  private:
    std::vector<QByteArray> values_;
};

// A decimal integer, or ProtocolError.
int toNumber(const QByteArray& field);

}  // namespace protocol
