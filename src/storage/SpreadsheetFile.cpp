#include "storage/SpreadsheetFile.h"

#include "storage/Cp1252.h"

#include <QIODevice>

#include <cstdio>
#include <cstring>

namespace tavorel {

namespace {

constexpr qsizetype kBlock = 1 << 16;

// The style that marks a cell as text ("@" is the text format; Excel's own files write it "\@").
#define TEXT_CLASS "testo"
constexpr char kStyle[] = "<style>." TEXT_CLASS "{mso-number-format:\"\\@\";}</style>";
constexpr char kCellClose[] = "</td>";
constexpr char kCellOpen[] = "<td class=\"" TEXT_CLASS "\" style=\"text-align: left;\">";
#undef TEXT_CLASS

bool isBlankOrControl(char32_t c)
{
    return c <= 0x20 || (c >= 0x7F && c <= 0x9F);
}

} // namespace

SpreadsheetWriter::SpreadsheetWriter(QIODevice& out, const QString& worksheet, const QList<SpreadsheetColumn>& columns)
    : out_(out), columns_(int(columns.size()))
{
    buffer_.resize(kBlock);
    put("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
        "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"");
    put("http://www.w3.org/TR/REC-html40");
    put("\">");
    put("<head>");
    put("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">");
    put(kStyle);
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
        const QByteArray width = QByteArray::number(c.width);
        put(width.constData(), width.size());
        put(">");
        putText(c.title);
        put("</td>");
    }
    put("</tr>");
}

SpreadsheetWriter::~SpreadsheetWriter() = default;

void SpreadsheetWriter::writeRow(const QStringList& cells)
{
    QList<QStringView> views;
    views.reserve(cells.size());
    for (const QString& c : cells)
        views.append(c);
    writeRow(views);
}

void SpreadsheetWriter::writeRow(const QList<QStringView>& cells)
{
    put("<tr>");
    for (int i = 0; i < columns_; ++i) {
        put(kCellOpen);
        if (i < cells.size())
            putText(cells.at(i));
        put(kCellClose);
    }
    put("</tr>");
}

bool SpreadsheetWriter::finish()
{
    put("</table>");
    put("</body>");
    put("</html>");
    flush();
    return ok_;
}

// One pass over the text: blanks and control characters at either end dropped, those inside turned
// into blanks (a line break in a cell would break the file's single line) and kept one for one, the HTML-special
// characters as entities, the rest as Windows-1252 bytes or, without one, as numeric entities so
// that the spreadsheet still shows them.
void SpreadsheetWriter::putText(QStringView text)
{
    const QChar* p = text.constData();
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlankOrControl(p[first].unicode()))
        ++first;
    while (last > first && isBlankOrControl(p[last - 1].unicode()))
        --last;
    if (first == last)
        return;
    // Written straight into the buffer: at most 8 bytes per UTF-16 unit ("&#65533;").
    char* const start = room((last - first) * 8);
    char* dst = start;
    auto putAscii = [&dst](const char* s, int n) {
        std::memcpy(dst, s, size_t(n));
        dst += n;
    };
    bool afterBlank = false;
    for (qsizetype i = first; i < last; ++i) {
        char32_t c = p[i].unicode();
        if (isBlankOrControl(c)) {
            // HTML folds a run of blanks into one; written as a reference, a blank is kept.
            if (afterBlank)
                putAscii("&#32;", 5);
            else
                *dst++ = ' ';
            afterBlank = true;
            continue;
        }
        afterBlank = false;
        if (c < 0x80) {
            if (c == '<')
                putAscii("&lt;", 4);
            else if (c == '>')
                putAscii("&gt;", 4);
            else if (c == '&')
                putAscii("&amp;", 5);
            else
                *dst++ = char(c);
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < last && p[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), p[++i].unicode());
        const int b = cp1252Byte(c);
        if (b >= 0) {
            *dst++ = char(b);
        } else {
            char reference[16];
            const int n = std::snprintf(reference, sizeof reference, "&#%u;", unsigned(c));
            putAscii(reference, n);
        }
    }
    used_ += dst - start;
}

char* SpreadsheetWriter::makeRoom(qsizetype size)
{
    flush();
    if (size > buffer_.size())
        buffer_.resize(size); // a cell longer than a block
    return buffer_.data();
}

void SpreadsheetWriter::flush()
{
    if (ok_ && used_ > 0)
        ok_ = out_.write(buffer_.constData(), used_) == used_;
    used_ = 0;
}

} // namespace tavorel
