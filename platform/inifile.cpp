#include "platform/inifile.h"

#include <QFile>
#include <QFileInfo>
#include <optional>
#include <vector>

#include "platform/durablefile.h"
#include "platform/programfolder.h"

namespace platform {

namespace {

// One line of the file as it stands, its end ("\r\n", "\n" or none) kept apart.
struct Line {
    QByteArray text;
    QByteArray end;
};

std::vector<Line> linesOf(const QByteArray& bytes) {
    std::vector<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype lf = bytes.indexOf('\n', start);
        if (lf < 0) {
            lines.push_back({bytes.mid(start), {}});
            break;
        }
        const bool cr = lf > start && bytes[lf - 1] == '\r';
        lines.push_back({bytes.mid(start, lf - start - (cr ? 1 : 0)), cr ? "\r\n" : "\n"});
        start = lf + 1;
    }
    return lines;
}

// The section named by a line, if it is a section line.
std::optional<QString> sectionOf(const QByteArray& line) {
    const QByteArray t = line.trimmed();
    if (!t.startsWith('[')) return std::nullopt;
    const qsizetype close = t.indexOf(']');
    return QString::fromUtf8(t.mid(1, close < 0 ? -1 : close - 1)).trimmed();
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Whether a line sets this key; `value` gets its raw value.
bool setsKey(const QByteArray& line, const QString& key, QByteArray* value = nullptr) {
    const qsizetype eq = line.indexOf('=');
    if (eq < 0 || line.trimmed().startsWith(';')) return false;
    if (!sameName(QString::fromUtf8(line.left(eq)).trimmed(), key)) return false;
    if (value) *value = line.mid(eq + 1);
    return true;
}

// Where the first section of a name and its key lie, as line indexes (-1: none).
struct SectionPlace {
    qsizetype heading = -1;
    qsizetype key = -1;       // the first line that sets the key
    qsizetype lastText = -1;  // the section's last line that is not blank
};

SectionPlace find(const std::vector<Line>& lines, const QString& section, const QString& key) {
    SectionPlace place;
    bool inside = false;
    for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
        const QByteArray& text = lines[size_t(i)].text;
        if (const auto name = sectionOf(text)) {
            if (inside) break;  // only the first section of the name counts
            inside = sameName(*name, section);
            if (inside) place.heading = place.lastText = i;
            continue;
        }
        if (!inside) continue;
        if (!text.trimmed().isEmpty()) place.lastText = i;
        if (place.key < 0 && setsKey(text, key)) place.key = i;
    }
    return place;
}

std::optional<QByteArray> readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > IniFile::kMaxFileSize) return std::nullopt;
    return file.readAll();
}

}  // namespace

EIniWrite::EIniWrite(const QString& path)
    : std::runtime_error(("Unable to write to " + path).toStdString()) {}

std::optional<QString> IniFile::valueIn(const QByteArray& contents, const QString& section,
                                        const QString& key) {
    const std::vector<Line> lines = linesOf(contents);
    const SectionPlace place = find(lines, section, key);
    QByteArray raw;
    if (place.key < 0 || !setsKey(lines[size_t(place.key)].text, key, &raw)) return std::nullopt;
    QString value = QString::fromUtf8(raw).trimmed();
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value.left(kMaxValue);
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const std::optional<QByteArray> bytes = readAll(path_);
    if (!bytes) return defaultValue;
    return valueIn(*bytes, section, key).value_or(defaultValue);
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const {
    const QString text = readString(section, key, QString());
    bool ok = false;
    const bool hex = text.startsWith("0x", Qt::CaseInsensitive);
    const int value = hex ? text.mid(2).toInt(&ok, 16) : text.toInt(&ok, 10);
    return ok ? value : defaultValue;
}

QByteArray IniFile::withValue(const QByteArray& contents, const QString& section,
                              const QString& key, const QString& value) {
    std::vector<Line> lines = linesOf(contents);
    const QByteArray eol =
        lines.empty() || lines.front().end.isEmpty() ? QByteArray("\r\n") : lines.front().end;
    // A line break in a value would start a line of its own.
    QString flat = value;
    flat.replace('\r', ' ').replace('\n', ' ');
    const QByteArray setting = key.toUtf8() + '=' + flat.toUtf8();

    const SectionPlace place = find(lines, section, key);
    auto insertAfter = [&](qsizetype at, std::vector<Line> added) {
        if (at >= 0 && lines[size_t(at)].end.isEmpty()) lines[size_t(at)].end = eol;
        lines.insert(lines.begin() + (at + 1), added.begin(), added.end());
    };
    if (place.key >= 0) {
        lines[size_t(place.key)].text = setting;
    } else if (place.heading >= 0) {
        insertAfter(place.lastText, {{setting, eol}});
    } else {
        insertAfter(qsizetype(lines.size()) - 1,
                    {{'[' + section.toUtf8() + ']', eol}, {setting, eol}});
    }
    QByteArray out;
    for (const Line& line : lines)
        out += line.text + line.end;
    return out;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) const {
    const QString full = QFileInfo(path_).absoluteFilePath();
    QByteArray bytes;
    if (QFileInfo::exists(path_)) {
        const std::optional<QByteArray> old = readAll(path_);
        if (!old) throw EIniWrite(full);
        bytes = *old;
    }
    const QByteArray out = withValue(bytes, section, key, value);
    try {
        replaceFile(full.toStdString(), std::string_view(out.constData(), size_t(out.size())));
    } catch (const std::runtime_error&) {
        throw EIniWrite(full);
    }
}

IniFile settingsFile() {
    return IniFile(programFile("vantlobby.ini"));
}

}  // namespace platform
