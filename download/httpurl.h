#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The parts of an "http://" address that a request needs.
struct HttpUrl {
    QString host;
    std::uint16_t port = 80;
    QString path = "/";  // with its query; "/" when the address has none

    // Nothing for an address that is not plain "http://host[:port][/path]".
    static std::optional<HttpUrl> parse(const QString& address);
    // A "location" value, absolute or relative to `base`, as an absolute address.
    static QString resolve(const QString& base, const QString& location);
};
