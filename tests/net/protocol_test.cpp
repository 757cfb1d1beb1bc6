#include <gtest/gtest.h>

#include <set>

#include "net/protocol.h"
#include "net/wiretext.h"

using namespace protocol;

namespace {
QByteArray wire(const char* text) {
    return QByteArray(text) + char(0xFF);
}
}  // namespace

TEST(Protocol, TableHoldsEveryMessageOnceInItsOrder) {
    ASSERT_EQ(messages().size(), 25u);
    std::set<std::pair<std::string, Direction>> seen;
    for (size_t i = 0; i < messages().size(); ++i) {
        const MessageDef& m = messages()[i];
        EXPECT_EQ(static_cast<size_t>(m.id), i) << m.command;
        EXPECT_TRUE(seen.insert({m.command, m.direction}).second) << m.command;
        // Requests name their seat first: the host checks it against the sender.
        if (m.direction == Direction::ClientToHost) {
            ASSERT_FALSE(m.fields.empty()) << m.command;
            EXPECT_STREQ(m.fields[0].name, "seat") << m.command;
        }
        for (size_t f = 0; f + 1 < m.fields.size(); ++f)
            EXPECT_NE(m.fields[f].kind, FieldKind::Text) << m.command << ": text only last";
    }
    EXPECT_EQ(find("CMD_chat", Direction::ClientToHost)->id, Msg::chatRequest);
    EXPECT_EQ(find("CMD_chat", Direction::HostToClient)->id, Msg::chatAnnouncement);
    EXPECT_EQ(find("CMD_nope", Direction::HostToClient), nullptr);
}

TEST(Protocol, BuildsExactBytes) {
    EXPECT_EQ(build(Msg::logininfo, {3, QString(kVersion), QString("Ann")}),
              wire("CMD_logininfo+3+2.0.10+Ann"));
    EXPECT_EQ(build(Msg::full), wire("CMD_full+"));
    EXPECT_EQ(build(Msg::wrongversion), wire("CMD_wrongversion+"));
    EXPECT_EQ(build(Msg::nextplayer, {3}), wire("CMD_nextplayer+3"));
    EXPECT_EQ(build(Msg::placediceAnnouncement, {2, QString("dBull"), 12, 3, 4}),
              wire("CMD_placedice+2+dBull+12+3+4"));
    std::vector<Value> dice;
    for (int v : {3, 1, 5, 2, 6, 2, 4, 1, 6, 5, 3, 4})
        dice.emplace_back(v);
    EXPECT_EQ(build(Msg::thedart, dice), wire("CMD_thedart+3+1+5+2+6+2+4+1+6+5+3+4+"));
    EXPECT_THROW(build(Msg::nextplayer, {}), std::logic_error);
}

TEST(Protocol, LastFieldTakesTheRest) {
    const Split s = split("CMD_logininfo+2+2.0.10+A+B");
    EXPECT_EQ(s.command, "CMD_logininfo");
    Fields f(Msg::logininfo, s.args);
    EXPECT_EQ(f.number(0), 2);
    EXPECT_EQ(f.raw(1), "2.0.10");
    EXPECT_EQ(f.text(2), "A+B");
    Fields chat(Msg::chatRequest, "3+hello+world|clRed");
    EXPECT_EQ(chat.raw(1), "hello+world|clRed");
}

TEST(Protocol, RollCarriesOnlyValuesEndedByPlus) {
    Fields twelve(Msg::thedart, "3+1+5+2+6+2+4+1+6+5+3+4+");
    ASSERT_EQ(twelve.count(), 12);
    EXPECT_EQ(twelve.number(0), 3);
    EXPECT_EQ(twelve.number(11), 4);
    EXPECT_EQ(Fields(Msg::thedart, "3+1+5").count(), 2);
    EXPECT_EQ(Fields(Msg::thedart, "").count(), 0);
}

TEST(Protocol, SplitWithoutPlusHasNoCommand) {
    EXPECT_TRUE(split("CMD_nextplayer3").command.isEmpty());
    EXPECT_TRUE(split("").command.isEmpty());
    EXPECT_EQ(split("CMD_nextplayer+3").command, "CMD_nextplayer");
    EXPECT_EQ(split("+3").command, "");
}

TEST(Protocol, NumbersFailLoudly) {
    Fields f(Msg::placediceRequest, "1+x+");
    EXPECT_EQ(f.number(0), 1);
    EXPECT_THROW(f.number(1), ProtocolError);
    EXPECT_THROW(f.number(2), ProtocolError) << "empty";
    EXPECT_THROW(f.number(3), ProtocolError) << "missing";
    EXPECT_THROW(toNumber("1x"), ProtocolError);
    EXPECT_THROW(toNumber(" 1"), ProtocolError);
    EXPECT_THROW(toNumber("99999999999"), ProtocolError);
    EXPECT_EQ(toNumber("007"), 7);
    EXPECT_EQ(toNumber("-3"), -3);
    try {
        toNumber("abc");
    } catch (const ProtocolError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
}

TEST(WireText, TypedTextCanNeverEndAMessage) {
    EXPECT_EQ(wiretext::encode(QString::fromUtf8("ÿ")), "?");
    EXPECT_EQ(wiretext::encode(QString::fromUtf8("€é")), "\x80\xE9");
    EXPECT_EQ(wiretext::encode(QString::fromUtf8("中")), "?");
    EXPECT_EQ(wiretext::encode(QString::fromUtf8("a😀b")), "a?b") << "one ? per character";
    // Every character a user could type becomes a byte other than 0xFF.
    QString all;
    for (char32_t c = 1; c < 0x3000; ++c)
        if (c < 0xD800 || c > 0xDFFF) all += QString::fromUcs4(&c, 1);
    const QByteArray message = protocol::build(Msg::chatRequest, {1, all});
    EXPECT_EQ(message.count(char(0xFF)), 1);
    EXPECT_TRUE(message.endsWith(char(0xFF)));
}

TEST(WireText, EveryByteOtherThanTheEndRoundTrips) {
    QByteArray bytes;
    for (int b = 1; b < 0xFF; ++b)
        bytes.append(char(b));
    EXPECT_EQ(wiretext::encode(wiretext::decode(bytes)), bytes);
    EXPECT_EQ(wiretext::decode("\x80"), QString::fromUtf8("€"));
    EXPECT_EQ(wiretext::decode("\x9F"), QString::fromUtf8("Ÿ"));
}
