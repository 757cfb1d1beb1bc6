#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <stdexcept>

namespace platform {

// A write to an ini file that the system refused: "Unable to write to" and the path.
class EIniWrite : public std::runtime_error {
  public:
    explicit EIniWrite(const QString& path);
};

// An ini profile file shared with other programs: section lines "[name]" and value
// lines "key=value". Section and key names match without regard to letter case; the
// first section and the first key of a name count. Each call opens the file, does
// its work and closes it again, so the last writer of a key wins.
class IniFile {
  public:
    static constexpr int kMaxValue = 2047;  // characters a read gives at most
    // A file beyond this is nobody's settings: reads give the defaults, writes refuse.
    static constexpr qint64 kMaxFileSize = 1024 * 1024;

    explicit IniFile(QString path) : path_(std::move(path)) {}
    const QString& path() const { return path_; }

    // The value (blanks around it and one pair of quotes removed), or `defaultValue`
    // when the file, the section or the key is missing.
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // A decimal integer, or hexadecimal after "0x" (x in either case); `defaultValue`
    // when missing or not a whole number.
    int readInteger(const QString& section, const QString& key, int defaultValue) const;

    // Replaces the key's value, or adds the key (and the section, and the file).
    // Every other line keeps its bytes, its line end included; the file is replaced
    // whole or not at all. Raises EIniWrite when the system refuses.
    void writeString(const QString& section, const QString& key, const QString& value) const;

    // The same rules on a file's contents in memory.
    static std::optional<QString> valueIn(const QByteArray& contents, const QString& section,
                                          const QString& key);
    static QByteArray withValue(const QByteArray& contents, const QString& section,
                                const QString& key, const QString& value);

  private:
    QString path_;
};

// The settings file "vantlobby.ini" in the program's folder.
IniFile settingsFile();

}  // namespace platform
