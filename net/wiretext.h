#pragma once

#include <QByteArray>
#include <QString>

// Text on the wire is single-byte Windows-1252. The byte 0xFF ends a message, so
// "ÿ" and every character the code page cannot carry are sent as "?": typed text
// can never end a message early or smuggle in another command.
namespace wiretext {

QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);

}  // namespace wiretext
