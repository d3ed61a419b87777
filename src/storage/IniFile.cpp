#include "storage/IniFile.h"

#include "storage/Cp1252.h"
#include "storage/RegularFile.h"
#include "storage/SafeFile.h"
#include "storage/Trim.h"

#include <QFile>
#include <QFileInfo>

namespace tavorel {

namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");

// The name of a "[Name]" line, as its bytes; nullopt for any other line.
std::optional<QByteArrayView> sectionOf(QByteArrayView line)
{
    const QByteArrayView t = trimStored(line);
    if (!t.startsWith('['))
        return std::nullopt;
    qsizetype close = t.indexOf(']');
    if (close < 0)
        close = t.size();
    return trimStored(t.sliced(1, close - 1));
}

// The key and value of a "key=value" line, as their bytes; comment lines (";") have none.
std::optional<std::pair<QByteArrayView, QByteArrayView>> keyValueOf(QByteArrayView line)
{
    const QByteArrayView t = trimStored(line);
    if (t.isEmpty() || t.startsWith(';') || t.startsWith('['))
        return std::nullopt;
    const qsizetype eq = t.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    return std::pair{trimStored(t.first(eq)), trimStored(t.sliced(eq + 1))};
}

// Names match without regard to case: each character compared in its folded case, as
// QString::compare does with Qt::CaseInsensitive.
char16_t folded(char16_t c)
{
    return QChar(c).toCaseFolded().unicode();
}

// The folded characters of a stored name, one by one.
char16_t foldedByte(char b)
{
    const unsigned char u = static_cast<unsigned char>(b);
    if (u < 0x80)
        return (u >= 'A' && u <= 'Z') ? char16_t(u + 32) : char16_t(u);
    QChar c;
    fromCp1252(QByteArrayView(&b, 1), &c);
    return folded(c.unicode());
}

size_t mix(size_t h, char16_t c)
{
    return (h ^ c) * 1099511628211ull; // FNV-1a
}

size_t hashOfStored(QByteArrayView name)
{
    size_t h = 14695981039346656037ull;
    for (char b : name)
        h = mix(h, foldedByte(b));
    return h;
}

size_t hashOfName(QStringView name)
{
    size_t h = 14695981039346656037ull;
    for (QChar c : name)
        h = mix(h, folded(c.unicode()));
    return h;
}

bool sameName(QByteArrayView stored, QStringView name)
{
    if (stored.size() != name.size())
        return false;
    for (qsizetype i = 0; i < stored.size(); ++i)
        if (foldedByte(stored[i]) != folded(name[i].unicode()))
            return false;
    return true;
}

bool sameStored(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (foldedByte(a[i]) != foldedByte(b[i]))
            return false;
    return true;
}

QString textOfStored(QByteArrayView bytes)
{
    QString out;
    appendFromCp1252(out, bytes);
    return out;
}

bool hasLineBreak(const QString& s)
{
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
}

} // namespace

IniFile::IniFile(const QByteArray& content) : content_(content)
{
    qsizetype start = 0;
    while (start < content_.size()) {
        const qsizetype nl = content_.indexOf('\n', start);
        if (nl < 0) {
            lines_.push_back({start, content_.size() - start, -1, 0});
            break;
        }
        const bool cr = nl > start && content_.at(nl - 1) == '\r';
        const qsizetype textEnd = cr ? nl - 1 : nl;
        lines_.push_back({start, textEnd - start, -1, quint8(cr ? 2 : 1)});
        start = nl + 1;
    }
    buildIndex();
}

bool IniFile::load(const QString& path)
{
    *this = IniFile();
    if (!QFileInfo::exists(path))
        return true;
    QFile file;
    if (!openRegularForReading(path, file) || file.size() > kMaxSettingsFileBytes)
        return false;
    // Read no more than the limit, whatever the file has grown to since its size was asked.
    const QByteArray content = file.read(kMaxSettingsFileBytes + 1);
    if (file.error() != QFileDevice::NoError || content.size() > kMaxSettingsFileBytes)
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
    out.reserve(content_.size());
    for (qsizetype i = 0; i < qsizetype(lines_.size()); ++i) {
        out += textOf(i);
        if (lines_[i].end == 2)
            out += kCrLf;
        else if (lines_[i].end == 1)
            out += '\n';
    }
    return out;
}

QString IniFile::value(const QString& section, const QString& key) const
{
    const Section* s = findSection(TrimSpazi(section));
    const qsizetype k = s ? findKey(*s, TrimSpazi(key)) : -1;
    return k < 0 ? QString() : textOfStored(keyValueOf(textOf(k))->second);
}

bool IniFile::contains(const QString& section, const QString& key) const
{
    const Section* s = findSection(TrimSpazi(section));
    return s && findKey(*s, TrimSpazi(key)) >= 0;
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
    const std::optional<QByteArray> sectionBytes = cp1252Exact(sectionName);
    const std::optional<QByteArray> keyBytes = cp1252Exact(keyName);
    const std::optional<QByteArray> valueBytes = cp1252Exact(flat);
    if (!sectionBytes || !keyBytes || !valueBytes)
        return false;

    const Section* s = findSection(sectionName);
    if (!s) {
        insertLine(qsizetype(lines_.size()), '[' + *sectionBytes + ']');
        insertLine(qsizetype(lines_.size()), *keyBytes + '=' + *valueBytes);
        buildIndex();
        return true;
    }
    const qsizetype k = findKey(*s, keyName);
    if (k >= 0) {
        // The key keeps the spelling it has in the file.
        Line& line = lines_[size_t(k)];
        const QByteArray text = keyValueOf(textOf(k))->first.toByteArray() + '=' + *valueBytes;
        if (line.own < 0) {
            line.own = own_.size();
            own_.append(text);
        } else {
            own_[line.own] = text;
        }
        return true;
    }
    // A new key goes after the section's last line that is not blank, before any blank lines
    // that separate it from the next section.
    qsizetype at = s->end;
    while (at > s->header + 1 && trimStored(textOf(at - 1)).isEmpty())
        --at;
    insertLine(at, *keyBytes + '=' + *valueBytes);
    buildIndex();
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

QByteArrayView IniFile::textOf(qsizetype line) const
{
    const Line& l = lines_[size_t(line)];
    if (l.own >= 0)
        return own_[l.own];
    return QByteArrayView(content_).sliced(l.start, l.length);
}

void IniFile::buildIndex()
{
    sections_.clear();
    sectionsByName_.clear();
    Section* current = nullptr; // the section being read, when it is the first of its name
    for (qsizetype i = 0; i < qsizetype(lines_.size()); ++i) {
        const QByteArrayView text = textOf(i);
        if (const auto name = sectionOf(text)) {
            if (current)
                current->end = i;
            current = nullptr;
            const size_t h = hashOfStored(*name);
            bool seen = false;
            for (auto it = sectionsByName_.constFind(h); it != sectionsByName_.cend() && it.key() == h && !seen; ++it)
                seen = sameStored(*name, *sectionOf(textOf(sections_[size_t(*it)].header)));
            if (seen)
                continue;
            sectionsByName_.insert(h, qsizetype(sections_.size()));
            sections_.push_back({i, qsizetype(lines_.size()), {}});
            current = &sections_.back();
            continue;
        }
        if (!current)
            continue;
        const auto kv = keyValueOf(text);
        if (!kv)
            continue;
        const size_t h = hashOfStored(kv->first);
        bool seen = false;
        for (auto it = current->keys.constFind(h); it != current->keys.cend() && it.key() == h && !seen; ++it)
            seen = sameStored(kv->first, keyValueOf(textOf(*it))->first);
        if (!seen)
            current->keys.insert(h, i);
    }
}

const IniFile::Section* IniFile::findSection(QStringView section) const
{
    const size_t h = hashOfName(section);
    for (auto it = sectionsByName_.constFind(h); it != sectionsByName_.cend() && it.key() == h; ++it) {
        const Section& s = sections_[size_t(*it)];
        if (sameName(*sectionOf(textOf(s.header)), section))
            return &s;
    }
    return nullptr;
}

qsizetype IniFile::findKey(const Section& s, QStringView key) const
{
    const size_t h = hashOfName(key);
    for (auto it = s.keys.constFind(h); it != s.keys.cend() && it.key() == h; ++it) {
        if (sameName(keyValueOf(textOf(*it))->first, key))
            return *it;
    }
    return -1;
}

void IniFile::insertLine(qsizetype at, const QByteArray& text)
{
    // The line before it may be the file's last one, written without a line end.
    if (at > 0 && lines_[size_t(at - 1)].end == 0)
        lines_[size_t(at - 1)].end = 2;
    lines_.insert(lines_.begin() + at, Line{0, 0, own_.size(), 2});
    own_.append(text);
}

} // namespace tavorel
