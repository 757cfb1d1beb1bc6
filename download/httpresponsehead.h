#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The head of an HTTP answer as it arrives: the status line and the header lines up
// to the empty line, with the fields a download needs. Names are read without
// regard to case; a head larger than kMaxBytes is refused, so a hostile server
// cannot exhaust memory.
class HttpResponseHead {
  public:
    static constexpr qsizetype kMaxBytes = 64 * 1024;

    // Takes the next whole line (its CR LF or LF dropped) off the front of `pending`;
    // nothing while the line is unfinished, or once the head would pass kMaxBytes
    // (then tooLarge() holds).
    std::optional<QByteArray> nextLine(QByteArray& pending);
    bool tooLarge() const { return tooLarge_; }
    // True for the empty line that ends a head whose status line has come.
    bool ends(const QByteArray& line) const { return line.isEmpty() && statusSeen_; }
    // Reads a line of the head; false, with error(), when it cannot be.
    bool read(const QByteArray& line);

    const QString& error() const { return error_; }
    int status() const { return status_; }
    const QString& reason() const { return reason_; }
    qint64 contentLength() const { return contentLength_; }  // -1: none given
    const QString& location() const { return location_; }

  private:
    qsizetype bytes_ = 0;
    bool tooLarge_ = false;
    bool statusSeen_ = false;
    QString error_;
    int status_ = 0;
    QString reason_;
    qint64 contentLength_ = -1;
    QString location_;
};
