#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What the host does to a chat or action line before relaying it: lines that are
// too long are refused, control characters (which could forge a second line in
// everybody's chat) become blanks, and each connection is held to a burst of five
// lines and two a second after that.
namespace chatguard {

inline constexpr int kMaxText = 1024;

// The relayed text, or nothing when the line is too long to relay.
std::optional<QString> cleanText(const QString& text);

// The notice the sender of a flood gets, once per flood (it carries its own colour).
QByteArray tooManyLines();

}  // namespace chatguard

// The flood control of one connection: a bucket of five lines that refills at two
// lines a second.
class FloodGate {
  public:
    static constexpr double kBurst = 5;
    static constexpr double kPerSecond = 2;

    enum class Verdict { relay, dropAndTell, drop };
    Verdict admit(qint64 nowMs);

  private:
    double tokens_ = kBurst;
    qint64 last_ = 0;
    bool started_ = false;
    bool told_ = false;  // the sender knows about this flood already
};
