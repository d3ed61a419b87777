#include "storage/LinkGuard.h"

#include <QDir>
#include <QFileInfo>

namespace tavorel {

bool passesThroughLink(const QString& root, const QString& path)
{
    // Compared as written, never resolved: resolving would follow the very links looked for.
    const QString base = QDir::cleanPath(QFileInfo(root).absoluteFilePath());
    QString p = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const Qt::CaseSensitivity cs = QDir::separator() == QLatin1Char('\\') ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const QString prefix = base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/');
    if (!p.startsWith(prefix, cs))
        return false;
    while (p.size() > base.size()) {
        const QFileInfo info(p);
        if (info.isSymLink() || info.isJunction())
            return true;
        const qsizetype cut = p.lastIndexOf(QLatin1Char('/'));
        if (cut < 0)
            break;
        p.truncate(cut);
    }
    return false;
}

} // namespace tavorel
