#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace tavorel {

// Windows-1252, the single-byte code page in which the archives and the INI files are written.
// The conversion uses the program's own table, so it does not depend on the codecs of the system
// it runs on.

// One byte per character; a character with no Windows-1252 form becomes "?" (a surrogate pair,
// being one character, becomes one "?"). For texts the program only compares or shows (search
// keys, list rows); whatever is written to a file goes through cp1252Exact.
QByteArray toCp1252(const QString& text);

// The bytes of a text that Windows-1252 holds whole; nullopt when some character has no byte.
std::optional<QByteArray> cp1252Exact(const QString& text);

// The first character (a Unicode code point) of the text that Windows-1252 has no byte for.
std::optional<char32_t> firstOutsideCp1252(QStringView text);

// Every byte has a character: the five bytes Windows-1252 leaves unassigned (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) become the control characters of the same code, as Windows reads them.
QString fromCp1252(const QByteArray& bytes);
// The same into a buffer of bytes.size() characters, for texts built from many stored fields.
void fromCp1252(QByteArrayView bytes, QChar* dst);

// fromCp1252, appended to `out` without an intermediate text.
void appendFromCp1252(QString& out, QByteArrayView bytes);

// The byte of one character (a Unicode code point), or -1 when Windows-1252 has none.
int cp1252Byte(char32_t c);

} // namespace tavorel
