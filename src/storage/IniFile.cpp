#include "storage/IniFile.h"

#include "storage/Cp1252.h"
#include "storage/SafeFile.h"
#include "storage/Trim.h"

#include <QFile>
#include <QFileInfo>

namespace tavorel {

namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");

// The section named by a "[Name]" line.
std::optional<QString> sectionOf(const QByteArray& line)
{
    const QByteArray t = trimStored(line).toByteArray();
    if (!t.startsWith('['))
        return std::nullopt;
    qsizetype close = t.indexOf(']');
    if (close < 0)
        close = t.size();
    return TrimSpazi(fromCp1252(t.mid(1, close - 1)));
}

// The key and value of a "key=value" line; comment lines (";") have none.
std::optional<std::pair<QString, QString>> keyValueOf(const QByteArray& line)
{
    const QByteArray t = trimStored(line).toByteArray();
    if (t.isEmpty() || t.startsWith(';') || t.startsWith('['))
        return std::nullopt;
    const qsizetype eq = t.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    return std::pair{TrimSpazi(fromCp1252(t.left(eq))), TrimSpazi(fromCp1252(t.mid(eq + 1)))};
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool hasLineBreak(const QString& s)
{
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
}

} // namespace

IniFile::IniFile(const QByteArray& content)
{
    qsizetype start = 0;
    while (start < content.size()) {
        const qsizetype nl = content.indexOf('\n', start);
        if (nl < 0) {
            lines_.append({content.mid(start), QByteArray()});
            break;
        }
        const bool cr = nl > start && content.at(nl - 1) == '\r';
        const qsizetype textEnd = cr ? nl - 1 : nl;
        lines_.append({content.mid(start, textEnd - start), content.mid(textEnd, nl + 1 - textEnd)});
        start = nl + 1;
    }
}

bool IniFile::load(const QString& path)
{
    lines_.clear();
    if (!QFileInfo::exists(path))
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    *this = IniFile(content);
    return true;
}

bool IniFile::save(const QString& path) const
{
    return replaceFileContents(path, toBytes());
}

QByteArray IniFile::toBytes() const
{
    QByteArray out;
    for (const Line& line : lines_)
        out += line.text + line.end;
    return out;
}

QString IniFile::value(const QString& section, const QString& key) const
{
    const qsizetype s = findSection(section);
    const qsizetype k = s < 0 ? -1 : findKey(s, key);
    return k < 0 ? QString() : keyValueOf(lines_[k].text)->second;
}

bool IniFile::contains(const QString& section, const QString& key) const
{
    const qsizetype s = findSection(section);
    return s >= 0 && findKey(s, key) >= 0;
}

bool IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    const QString sectionName = TrimSpazi(section);
    const QString keyName = TrimSpazi(key);
    if (sectionName.isEmpty() || hasLineBreak(sectionName) || sectionName.contains(QLatin1Char(']')))
        return false;
    if (keyName.isEmpty() || hasLineBreak(keyName) || keyName.contains(QLatin1Char('=')) ||
        keyName.startsWith(QLatin1Char('[')) || keyName.startsWith(QLatin1Char(';')))
        return false;
    QString flat = value;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));

    const qsizetype s = findSection(sectionName);
    if (s < 0) {
        insertLine(lines_.size(), toCp1252(QLatin1Char('[') + sectionName + QLatin1Char(']')));
        insertLine(lines_.size(), toCp1252(keyName + QLatin1Char('=') + flat));
        return true;
    }
    const qsizetype k = findKey(s, keyName);
    if (k >= 0) {
        // The key keeps the spelling it has in the file.
        lines_[k].text = toCp1252(keyValueOf(lines_[k].text)->first + QLatin1Char('=') + flat);
        return true;
    }
    // A new key goes after the section's last line that is not blank, before any blank lines
    // that separate it from the next section.
    qsizetype at = sectionEnd(s);
    while (at > s + 1 && trimStored(lines_[at - 1].text).isEmpty())
        --at;
    insertLine(at, toCp1252(keyName + QLatin1Char('=') + flat));
    return true;
}

std::optional<QString> IniFile::readValue(const QString& path, const QString& section, const QString& key)
{
    IniFile ini;
    if (!ini.load(path))
        return std::nullopt;
    return ini.value(section, key);
}

bool IniFile::writeValue(const QString& path, const QString& section, const QString& key, const QString& value)
{
    return writeValues(path, section, {{key, value}});
}

bool IniFile::writeValues(const QString& path, const QString& section, const KeyValues& values)
{
    IniFile ini;
    if (!ini.load(path))
        return false;
    for (const auto& [key, value] : values) {
        if (!ini.setValue(section, key, value))
            return false;
    }
    return ini.save(path);
}

qsizetype IniFile::findSection(const QString& section) const
{
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const auto name = sectionOf(lines_[i].text);
        if (name && sameName(*name, TrimSpazi(section)))
            return i;
    }
    return -1;
}

qsizetype IniFile::findKey(qsizetype s, const QString& key) const
{
    const qsizetype end = sectionEnd(s);
    for (qsizetype i = s + 1; i < end; ++i) {
        const auto kv = keyValueOf(lines_[i].text);
        if (kv && sameName(kv->first, TrimSpazi(key)))
            return i;
    }
    return -1;
}

qsizetype IniFile::sectionEnd(qsizetype s) const
{
    qsizetype i = s + 1;
    while (i < lines_.size() && !sectionOf(lines_[i].text))
        ++i;
    return i;
}

void IniFile::insertLine(qsizetype at, const QByteArray& text)
{
    // The line before it may be the file's last one, written without a line end.
    if (at > 0 && lines_[at - 1].end.isEmpty())
        lines_[at - 1].end = kCrLf;
    lines_.insert(at, {text, kCrLf});
}

} // namespace tavorel
