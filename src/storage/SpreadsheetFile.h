#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstring>

class QIODevice;

namespace tavorel {

// One column of a spreadsheet file: its header title and the width written for it.
struct SpreadsheetColumn {
    QString title;
    int width = 0;
};

// The spreadsheet file of the two exports: an HTML table with the office spreadsheet markup,
// which spreadsheet programs open as a worksheet. Windows-1252, one byte per character, as the
// file declares, and no line break anywhere in it.
//
// Two things keep every cell exactly as it was typed:
// - "<", ">" and "&" are written as HTML entities (a note "<b>" cannot break the table), and a
//   character Windows-1252 has no byte for as a numeric entity instead of a "?";
// - every data cell carries a class whose style tells the spreadsheet the cell is text, so a
//   postal code "00100" or a card "007" keeps its leading zeros. Excel also honours the table's
//   x:str; LibreOffice only honours the style.
//
// The pieces are gathered in one buffer and handed to the device in large blocks.
class SpreadsheetWriter {
public:
    SpreadsheetWriter(QIODevice& out, const QString& worksheet, const QList<SpreadsheetColumn>& columns);
    ~SpreadsheetWriter();
    SpreadsheetWriter(const SpreadsheetWriter&) = delete;
    SpreadsheetWriter& operator=(const SpreadsheetWriter&) = delete;

    // One data row, one cell per column (missing cells are written empty, extra ones ignored).
    void writeRow(const QStringList& cells);
    void writeRow(const QList<QStringView>& cells);
    // The closing pieces, and everything still buffered. False when any write to the device failed.
    bool finish();

private:
    void put(const char* ascii, qsizetype size)
    {
        std::memcpy(room(size), ascii, size_t(size));
        used_ += size;
    }
    template <qsizetype N>
    void put(const char (&literal)[N])
    {
        put(literal, N - 1);
    }
    void putText(QStringView text);
    // Space for `size` more bytes at the end of the buffer, handing the full buffer to the device first.
    char* room(qsizetype size) { return used_ + size <= buffer_.size() ? buffer_.data() + used_ : makeRoom(size); }
    char* makeRoom(qsizetype size);
    void flush();

    QIODevice& out_;
    QByteArray buffer_; // its whole size is the block; used_ bytes of it are filled
    qsizetype used_ = 0;
    int columns_ = 0;
    bool ok_ = true;
};

} // namespace tavorel
