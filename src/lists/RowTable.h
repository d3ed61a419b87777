#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <vector>

namespace tavorel {

// The rows of a list, kept as their Windows-1252 bytes end to end in one buffer. A list screen's
// rows are made from stored records, whose text is Windows-1252 already: a hundred thousand rows
// cost one growing buffer and one byte a character instead of a text each, and a row becomes text
// only when it is shown, searched or printed.
class RowTable {
public:
    qsizetype size() const { return qsizetype(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    void clear();

    // The row as text, and as its stored bytes.
    QString at(qsizetype i) const;
    QByteArrayView bytesAt(qsizetype i) const;
    // Characters of the longest row.
    int longest() const { return longest_; }

    // A row already in Windows-1252 bytes.
    void append(QByteArrayView row);
    // A row as text; a character Windows-1252 lacks becomes "?", as it would in an archive.
    void append(const QString& row);
    // A row written straight into the buffer: `write(text)` appends its bytes to `text`.
    template <typename Write>
    void appendWith(Write&& write)
    {
        // The room of a row of any list: the text grows by doubling, never row by row.
        if (text_.capacity() - text_.size() < kRowRoom)
            growText(kRowRoom);
        const qsizetype at = text_.size();
        write(text_);
        endRow(at);
    }

    // Every row of `rows` after these, in its order; `rows` is left empty.
    void appendRows(RowTable&& rows);

    // The order of the sorted lists: a to z taken as A to Z, then by character code; a row that
    // is the beginning of another sorts first; equal rows keep their order.
    void sort();

    QStringList toStringList() const;
    static RowTable fromStringList(const QStringList& rows);

private:
    static constexpr qsizetype kRowRoom = 4096;
    void growText(qsizetype extra);
    void endRow(qsizetype at);

    struct Row {
        quint64 head; // the sort key's first eight bytes (see sort)
        qsizetype at;
        qsizetype size;
    };
    QByteArray text_;
    std::vector<Row> rows_;
    int longest_ = 0;
};

} // namespace tavorel
