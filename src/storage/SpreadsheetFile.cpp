#include "storage/SpreadsheetFile.h"

#include "storage/Cp1252.h"

#include <QIODevice>

namespace tavorel {

namespace {

constexpr qsizetype kBlock = 1 << 16;

// The style that marks a cell as text ("@" is the text format; Excel's own files write it "\@").
constexpr const char* kTextClass = "testo";

bool isBlankOrControl(char32_t c)
{
    return c <= 0x20 || (c >= 0x7F && c <= 0x9F);
}

} // namespace

SpreadsheetWriter::SpreadsheetWriter(QIODevice& out, const QString& worksheet, const QList<SpreadsheetColumn>& columns)
    : out_(out), columns_(int(columns.size()))
{
    buffer_.reserve(kBlock + 4096);
    put("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
        "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"");
    put("http://www.w3.org/TR/REC-html40");
    put("\">");
    put("<head>");
    put("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">");
    put("<style>.");
    put(kTextClass);
    put("{mso-number-format:\"\\@\";}</style>");
    put("<!--[if gte mso 9]><xml>");
    put("<x:ExcelWorkbook>");
    put("<x:ExcelWorksheets>");
    put("<x:ExcelWorksheet>");
    put("<x:Name>");
    putText(worksheet);
    put("</x:Name>");
    put("<x:WorksheetOptions>");
    put("<x:Selected/>");
    put("<x:Panes>");
    put("<x:Pane>");
    put("<x:Number>1</x:Number>");
    put("<x:ActiveRow>3</x:ActiveRow>");
    put("</x:Pane>");
    put("</x:Panes>");
    put("<x:ProtectContents>False</x:ProtectContents>");
    put("<x:ProtectObjects>False</x:ProtectObjects>");
    put("<x:ProtectScenarios>False</x:ProtectScenarios>");
    put("</x:WorksheetOptions>");
    put("</x:ExcelWorksheet>");
    put("</x:ExcelWorksheets>");
    put("</x:ExcelWorkbook>");
    put("</xml><![endif]-->");
    put("</head>");
    put("<body>");
    put("<table x:str>");
    put("<tr>");
    for (const SpreadsheetColumn& c : columns) {
        put("<td style=\"text-align: left; font-weight: bold;\" width=");
        buffer_.append(QByteArray::number(c.width));
        put(">");
        putText(c.title);
        put("</td>");
    }
    put("</tr>");
    flushIfFull();
}

SpreadsheetWriter::~SpreadsheetWriter() = default;

void SpreadsheetWriter::writeRow(const QStringList& cells)
{
    put("<tr>");
    for (int i = 0; i < columns_; ++i) {
        put("<td class=\"");
        put(kTextClass);
        put("\" style=\"text-align: left;\">");
        if (i < cells.size())
            putText(cells.at(i));
        put("</td>");
    }
    put("</tr>");
    flushIfFull();
}

bool SpreadsheetWriter::finish()
{
    put("</table>");
    put("</body>");
    put("</html>");
    if (ok_ && !buffer_.isEmpty())
        ok_ = out_.write(buffer_) == buffer_.size();
    buffer_.clear();
    return ok_;
}

void SpreadsheetWriter::put(const char* ascii)
{
    buffer_.append(ascii);
}

// One pass over the text: blanks and control characters at either end dropped, those inside turned
// into blanks (a line break in a cell would break the file's single line) and kept one for one, the HTML-special
// characters as entities, the rest as Windows-1252 bytes or, without one, as numeric entities so
// that the spreadsheet still shows them.
void SpreadsheetWriter::putText(const QString& text)
{
    const QChar* p = text.constData();
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlankOrControl(p[first].unicode()))
        ++first;
    while (last > first && isBlankOrControl(p[last - 1].unicode()))
        --last;
    bool afterBlank = false;
    for (qsizetype i = first; i < last; ++i) {
        char32_t c = p[i].unicode();
        if (isBlankOrControl(c)) {
            // HTML folds a run of blanks into one; written as a reference, a blank is kept.
            buffer_.append(afterBlank ? "&#32;" : " ");
            afterBlank = true;
            continue;
        }
        afterBlank = false;
        switch (c) {
        case '<':
            buffer_.append("&lt;");
            continue;
        case '>':
            buffer_.append("&gt;");
            continue;
        case '&':
            buffer_.append("&amp;");
            continue;
        default:
            break;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < last && p[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), p[++i].unicode());
        const int b = cp1252Byte(c);
        if (b >= 0) {
            buffer_.append(char(b));
        } else {
            buffer_.append("&#");
            buffer_.append(QByteArray::number(uint(c)));
            buffer_.append(';');
        }
    }
}

void SpreadsheetWriter::flushIfFull()
{
    if (buffer_.size() < kBlock)
        return;
    if (ok_)
        ok_ = out_.write(buffer_) == buffer_.size();
    buffer_.clear();
}

} // namespace tavorel
