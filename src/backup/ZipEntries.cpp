#include "backup/ZipEntries.h"

namespace tavorel::zip {

ReaderPtr newReader()
{
    ReaderPtr a(archive_read_new());
    if (a) {
        archive_read_support_format_zip_seekable(a.get());
        archive_read_support_filter_none(a.get());
    }
    return a;
}

QString entryName(archive_entry* entry)
{
    const char* utf8 = archive_entry_pathname_utf8(entry);
    QString name = utf8 ? QString::fromUtf8(utf8) : QString::fromLocal8Bit(archive_entry_pathname(entry));
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return name;
}

QString errorOf(archive* a)
{
    const char* s = archive_error_string(a);
    return s ? QString::fromLocal8Bit(s) : QStringLiteral("archive error %1").arg(archive_errno(a));
}

} // namespace tavorel::zip
