#include "download/httpresponsehead.h"

#include <QRegularExpression>

std::optional<QByteArray> HttpResponseHead::nextLine(QByteArray& pending) {
    if (tooLarge_) return std::nullopt;
    const qsizetype end = pending.indexOf('\n');
    const qsizetype lineBytes = end < 0 ? pending.size() : end + 1;
    if (bytes_ + lineBytes > kMaxBytes) {
        tooLarge_ = true;
        error_ = QString("header larger than %1 bytes").arg(kMaxBytes);
        return std::nullopt;
    }
    if (end < 0) return std::nullopt;
    QByteArray line = pending.left(end);
    pending.remove(0, end + 1);
    bytes_ += lineBytes;
    if (line.endsWith('\r')) line.chop(1);
    return line;
}

bool HttpResponseHead::read(const QByteArray& line) {
    if (!statusSeen_) {
        static const QRegularExpression kStatus(R"(^HTTP/\d+\.\d+ +(\d{3})(?: +(.*))?$)",
                                                QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = kStatus.match(QString::fromLatin1(line));
        if (!m.hasMatch()) {
            error_ = "not an HTTP answer";
            return false;
        }
        statusSeen_ = true;
        status_ = m.captured(1).toInt();
        reason_ = m.captured(2);
        return true;
    }
    const qsizetype colon = line.indexOf(':');
    if (colon < 0) return true;
    const QByteArray name = line.left(colon).trimmed().toLower();
    const QByteArray value = line.mid(colon + 1).trimmed();
    if (name == "content-length") {
        bool ok = false;
        contentLength_ = value.toLongLong(&ok);
        if (!ok || contentLength_ < 0) {
            error_ = "bad content-length: " + QString::fromLatin1(value);
            return false;
        }
    } else if (name == "location") {
        location_ = QString::fromLatin1(value);
    }
    return true;
}
