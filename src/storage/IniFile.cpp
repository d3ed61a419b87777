#include "storage/IniFile.h"

#include "storage/Cp1252.h"
#include "storage/SafeFile.h"

#include <QFile>
#include <QFileInfo>

namespace tavorel {

namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");

// The section named by a "[Name]" line.
std::optional<QString> sectionOf(const QByteArray& line)
{
    const QByteArray t = line.trimmed();
    if (!t.startsWith('['))
        return std::nullopt;
    qsizetype close = t.indexOf(']');
    if (close < 0)
        close = t.size();
    return fromCp1252(t.mid(1, close - 1)).trimmed();
}

// The key and value of a "key=value" line; comment lines (";") have none.
std::optional<std::pair<QString, QString>> keyValueOf(const QByteArray& line)
{
    const QByteArray t = line.trimmed();
    if (t.isEmpty() || t.startsWith(';') || t.startsWith('['))
        return std::nullopt;
    const qsizetype eq = t.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    return std::pair{fromCp1252(t.left(eq)).trimmed(), fromCp1252(t.mid(eq + 1)).trimmed()};
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
            m_lines.append({content.mid(start), QByteArray()});
            break;
        }
        const bool cr = nl > start && content.at(nl - 1) == '\r';
        const qsizetype textEnd = cr ? nl - 1 : nl;
        m_lines.append({content.mid(start, textEnd - start), content.mid(textEnd, nl + 1 - textEnd)});
        start = nl + 1;
    }
}

bool IniFile::load(const QString& path)
{
    m_lines.clear();
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
    for (const Line& line : m_lines)
        out += line.text + line.end;
    return out;
}

QString IniFile::value(const QString& section, const QString& key) const
{
    const qsizetype s = findSection(section);
    const qsizetype k = s < 0 ? -1 : findKey(s, key);
    return k < 0 ? QString() : keyValueOf(m_lines[k].text)->second;
}

bool IniFile::contains(const QString& section, const QString& key) const
{
    const qsizetype s = findSection(section);
    return s >= 0 && findKey(s, key) >= 0;
}

bool IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    if (sectionName.isEmpty() || hasLineBreak(sectionName) || sectionName.contains(QLatin1Char(']')))
        return false;
    if (keyName.isEmpty() || hasLineBreak(keyName) || keyName.contains(QLatin1Char('=')) ||
        keyName.startsWith(QLatin1Char('[')) || keyName.startsWith(QLatin1Char(';')))
        return false;
    QString flat = value;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));

    const qsizetype s = findSection(sectionName);
    if (s < 0) {
        insertLine(m_lines.size(), toCp1252(QLatin1Char('[') + sectionName + QLatin1Char(']')));
        insertLine(m_lines.size(), toCp1252(keyName + QLatin1Char('=') + flat));
        return true;
    }
    const qsizetype k = findKey(s, keyName);
    if (k >= 0) {
        // The key keeps the spelling it has in the file.
        m_lines[k].text = toCp1252(keyValueOf(m_lines[k].text)->first + QLatin1Char('=') + flat);
        return true;
    }
    // A new key goes after the section's last line that is not blank, before any blank lines
    // that separate it from the next section.
    qsizetype at = sectionEnd(s);
    while (at > s + 1 && m_lines[at - 1].text.trimmed().isEmpty())
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
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionOf(m_lines[i].text);
        if (name && sameName(*name, section.trimmed()))
            return i;
    }
    return -1;
}

qsizetype IniFile::findKey(qsizetype s, const QString& key) const
{
    const qsizetype end = sectionEnd(s);
    for (qsizetype i = s + 1; i < end; ++i) {
        const auto kv = keyValueOf(m_lines[i].text);
        if (kv && sameName(kv->first, key.trimmed()))
            return i;
    }
    return -1;
}

qsizetype IniFile::sectionEnd(qsizetype s) const
{
    qsizetype i = s + 1;
    while (i < m_lines.size() && !sectionOf(m_lines[i].text))
        ++i;
    return i;
}

void IniFile::insertLine(qsizetype at, const QByteArray& text)
{
    // The line before it may be the file's last one, written without a line end.
    if (at > 0 && m_lines[at - 1].end.isEmpty())
        m_lines[at - 1].end = kCrLf;
    m_lines.insert(at, {text, kCrLf});
}

} // namespace tavorel
