#pragma once

#include <QByteArray>
#include <functional>

// Cuts received bytes into messages at each 0xFF byte. Bytes after the last 0xFF of
// a read are kept and joined to the next read, because TCP may split a message. A
// message longer than the limit, finished or not, means a misbehaving peer: how
// the bytes happened to arrive must not decide whether it passes.
class MessageFramer {
  public:
    static constexpr char kEnd = char(0xFF);
    static constexpr qsizetype kMaxUnfinished = 64 * 1024;

    // Calls `message` for every complete message, in order. Returns false, having
    // passed on only the messages before it, when a message or the unfinished rest
    // is longer than the limit; the caller should drop the connection.
    bool feed(const QByteArray& data, const std::function<void(const QByteArray&)>& message);

    qsizetype unfinished() const { return pending_.size(); }

  private:
    QByteArray pending_;
};
