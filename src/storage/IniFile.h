#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace tavorel {

// A settings file in the Windows INI layout: "[Section]" lines, then "key=value" lines.
// Section and key names are matched without regard to case and may hold blanks ("Rigo 1");
// blanks around names and values are not part of them. The first occurrence of a section or of
// a key within it is the one that counts. Text is Windows-1252; new lines end in CR LF.
//
// Editing keeps every line it does not change byte for byte (comments, unknown keys, other
// sections, their line ends), and saving replaces the whole file through a temporary file.
class IniFile {
public:
    using KeyValues = QList<std::pair<QString, QString>>;

    IniFile() = default;
    explicit IniFile(const QByteArray& content);

    // A missing file loads as an empty one; false when the file exists but cannot be read.
    bool load(const QString& path);
    bool save(const QString& path) const;
    QByteArray toBytes() const;

    // The value, trimmed; empty when the section or the key is missing.
    QString value(const QString& section, const QString& key) const;
    bool contains(const QString& section, const QString& key) const;
    // Sets the key, adding it (and the section) when missing. Line breaks in the value become
    // blanks, since they would end the line. False for a name the layout cannot hold (empty,
    // with a line break, a section name with "]", a key with "=" or starting with "[" or ";").
    bool setValue(const QString& section, const QString& key, const QString& value);

    // The value of one key: empty when the file, section or key is missing; nullopt when the
    // file exists but cannot be read.
    static std::optional<QString> readValue(const QString& path, const QString& section, const QString& key);
    // Writes one key, keeping the rest of the file. False when the file exists but cannot be
    // read (it is then left alone) or cannot be replaced.
    static bool writeValue(const QString& path, const QString& section, const QString& key, const QString& value);
    // Several keys of one section in a single replace of the file.
    static bool writeValues(const QString& path, const QString& section, const KeyValues& values);

private:
    struct Line {
        QByteArray text; // without its line end
        QByteArray end;  // "\r\n", "\n" or empty for a last line without one
    };

    // Index of the first line of the section's header, or -1.
    qsizetype findSection(const QString& section) const;
    // Index of the key's line within the section starting at header `s`, or -1.
    qsizetype findKey(qsizetype s, const QString& key) const;
    // One past the last line of the section whose header is at `s`.
    qsizetype sectionEnd(qsizetype s) const;
    void insertLine(qsizetype at, const QByteArray& text);

    QList<Line> lines_;
};

} // namespace tavorel
