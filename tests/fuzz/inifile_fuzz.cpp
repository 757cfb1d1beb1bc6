// Arbitrary settings files: a read finds at most 2047 characters, and a write makes
// the value read back while every other key keeps its value.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "platform/inifile.h"

using platform::IniFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // The first byte picks the value to write (never with blanks or quotes at its
    // ends, which a read takes off); the rest is the file.
    const QString value = QString("v%1 \"x\"").arg(data[0]).repeated(data[0] % 4);
    const QByteArray file(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QString keys[] = {"Textsize", "phrase1", "Other"};
    QString before[3];
    bool had[3];
    for (int i = 0; i < 3; ++i) {
        const auto v = IniFile::valueIn(file, "Quivelo", keys[i]);
        had[i] = v.has_value();
        before[i] = v.value_or(QString());
        if (before[i].size() > IniFile::kMaxValue) std::abort();
    }
    const QByteArray written = IniFile::withValue(file, "quivelo", "TEXTSIZE", value);
    const auto back = IniFile::valueIn(written, "Quivelo", "Textsize");
    if (!back || *back != value) std::abort();
    for (int i = 1; i < 3; ++i) {
        const auto v = IniFile::valueIn(written, "Quivelo", keys[i]);
        if (v.has_value() != had[i] || v.value_or(QString()) != before[i]) std::abort();
    }
    return 0;
}
