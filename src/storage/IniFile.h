#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QMultiHash>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace tavorel {

// A settings file in the Windows INI layout: "[Section]" lines, then "key=value" lines.
// Section and key names are matched without regard to case and may hold blanks ("Rigo 1");
// blanks around names and values are not part of them. The first occurrence of a section or of
// a key within it is the one that counts. Text is Windows-1252; new lines end in CR LF.
//
// Editing keeps every line it does not change byte for byte (comments, unknown keys, other
// sections, their line ends), and saving replaces the whole file through a temporary file.
//
// The content is read once into an index of its sections and keys, so a lookup does not read the
// file again. A file on disk is read only when it is a regular file of at most
// kMaxSettingsFileBytes (storage/RegularFile.h).
class IniFile {
public:
    using KeyValues = QList<std::pair<QString, QString>>;

    IniFile() = default;
    explicit IniFile(const QByteArray& content);

    // A missing file loads as an empty one; false when the file exists but cannot be read, is not
    // a regular file, or is bigger than any settings file the program writes.
    bool load(const QString& path);
    bool save(const QString& path) const;
    QByteArray toBytes() const;

    // The value, trimmed; empty when the section or the key is missing.
    QString value(const QString& section, const QString& key) const;
    bool contains(const QString& section, const QString& key) const;
    // Sets the key, adding it (and the section) when missing. Line breaks in the value become
    // blanks, since they would end the line. False for a name the layout cannot hold (empty,
    // with a line break, a section name with "]", a key with "=" or starting with "[" or ";"),
    // and for a name or value with a character Windows-1252 cannot hold: nothing is stored as "?".
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
    // A line of the file: its text where it lies in content_, or in own_ once the line was
    // changed or added; no line is a copy of its own while the file is only read.
    struct Line {
        qsizetype start = 0;
        qsizetype length = 0;
        qsizetype own = -1; // index in own_, or -1
        quint8 end = 0;     // 0: none (the last line), 1: LF, 2: CR LF
    };
    // A section's first header and where its lines end; its keys by the hash of their folded
    // names (several keys may share a hash: each candidate is compared by name).
    struct Section {
        qsizetype header = 0;
        qsizetype end = 0;
        QMultiHash<size_t, qsizetype> keys;
    };

    QByteArrayView textOf(qsizetype line) const;
    // Reads every line once: the sections (first header of each name) and their keys (first of
    // each name). Called on loading and after a line is added.
    void buildIndex();
    const Section* findSection(QStringView section) const;
    // Index of the key's line within the section, or -1.
    qsizetype findKey(const Section& s, QStringView key) const;
    void insertLine(qsizetype at, const QByteArray& text);

    QByteArray content_;
    std::vector<Line> lines_;
    QList<QByteArray> own_;
    std::vector<Section> sections_;
    QMultiHash<size_t, qsizetype> sectionsByName_; // folded-name hash -> index in sections_
};

} // namespace tavorel
