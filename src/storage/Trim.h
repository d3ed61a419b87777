#pragma once

#include <QByteArrayView>
#include <QString>

namespace tavorel {

// The program's one trimming rule: leading and trailing blanks and control characters (every code
// up to U+0020) go, everything else stays. Unlike QString::trimmed() it keeps the no-break space
// (byte 0xA0 in the stored files) and the other Unicode spaces, which the archives and the INI
// files hold as typed. Windows-1252 maps the bytes up to 0x20 to those same characters, so the
// rule trims stored bytes and decoded text alike.
constexpr bool isTrimmed(char16_t c)
{
    return c <= 0x20;
}

QString TrimSpazi(const QString& text);

// The same rule on stored bytes.
QByteArrayView trimStored(QByteArrayView bytes);

} // namespace tavorel
