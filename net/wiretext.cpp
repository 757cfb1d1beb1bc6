#include "net/wiretext.h"

#include <QList>
#include <array>

namespace wiretext {

namespace {

// 0x80..0x9F; 0 marks the five bytes the code page leaves undefined, which stand
// for the control characters of the same value, as Windows converts them.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char encodeOne(char32_t c) {
    if (c < 0x80) return char(c);
    if (c >= 0xA0 && c < 0xFF) return char(c);
    for (size_t i = 0; i < kHigh.size(); ++i) {
        char32_t mapped = kHigh[i] ? kHigh[i] : char32_t(0x80 + i);
        if (mapped == c) return char(0x80 + i);
    }
    return '?';
}

}  // namespace

QByteArray encode(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (char32_t c : text.toUcs4())
        out.append(encodeOne(c));
    return out;
}

QString decode(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        auto u = static_cast<unsigned char>(b);
        if (u >= 0x80 && u < 0xA0 && kHigh[u - 0x80])
            out.append(QChar(kHigh[u - 0x80]));
        else
            out.append(QChar(u));
    }
    return out;
}

}  // namespace wiretext
