#include "download/httpurl.h"

#include <QUrl>

namespace {
const QString kScheme = "http://";
}

std::optional<HttpUrl> HttpUrl::parse(const QString& address) {
    if (!address.startsWith(kScheme, Qt::CaseInsensitive)) return std::nullopt;
    const QString rest = address.mid(kScheme.size());
    qsizetype end = 0;
    while (end < rest.size() && rest[end] != '/' && rest[end] != '?' && rest[end] != '#')
        ++end;
    QString authority = rest.left(end);
    authority = authority.mid(authority.lastIndexOf('@') + 1);  // no credentials are sent
    HttpUrl url;
    const qsizetype colon = authority.lastIndexOf(':');
    url.host = colon < 0 ? authority : authority.left(colon);
    if (colon >= 0) {
        bool ok = false;
        const uint port = authority.mid(colon + 1).toUInt(&ok);
        if (!ok || port == 0 || port > 65535) return std::nullopt;
        url.port = std::uint16_t(port);
    }
    if (url.host.isEmpty()) return std::nullopt;
    QString path = rest.mid(end);
    path = path.left(path.indexOf('#'));  // a fragment never goes on the wire
    if (path.isEmpty() || path.front() != '/') path.prepend('/');
    // Blanks or line ends would end the request line or the "Host" line early.
    for (QChar c : url.host + path)
        if (c.unicode() <= ' ') return std::nullopt;
    url.path = path;
    return url;
}

QString HttpUrl::resolve(const QString& base, const QString& location) {
    return QUrl(base).resolved(QUrl(location)).toString(QUrl::FullyEncoded);
}
