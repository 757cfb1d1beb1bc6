#include "host/chatguard.h"

#include <algorithm>

#include "net/protocol.h"

namespace chatguard {

std::optional<QString> cleanText(const QString& text) {
    if (text.size() > kMaxText) return std::nullopt;
    QString clean = text;
    for (QChar& c : clean)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = u' ';
    return clean;
}

QByteArray tooManyLines() {
    return protocol::build(protocol::Msg::chatAnnouncement,
                           {QString("Too many lines; wait a moment.|clSilver")});
}

}  // namespace chatguard

FloodGate::Verdict FloodGate::admit(qint64 nowMs) {
    if (started_) tokens_ = std::min(kBurst, tokens_ + (nowMs - last_) * kPerSecond / 1000.0);
    started_ = true;
    last_ = nowMs;
    if (tokens_ >= 1) {
        tokens_ -= 1;
        told_ = false;
        return Verdict::relay;
    }
    if (told_) return Verdict::drop;
    told_ = true;
    return Verdict::dropAndTell;
}
