#include "storage/SafeFile.h"

#include <QSaveFile>

namespace tavorel {

bool replaceFileContents(const QString& path, const QByteArray& data)
{
    return replaceFileContents(path, [&data](QIODevice& out) { return out.write(data) == data.size(); });
}

bool replaceFileContents(const QString& path, const std::function<bool(QIODevice& out)>& write)
{
    QSaveFile file(path);
    // No fallback to writing the target in place when no temporary file can be made beside it:
    // that would leave a half-written file behind on failure.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile buffers: a write error (full disk, size limit) only shows at the flush, and
    // commit() would not report it. Flush first so such a failure keeps the old file.
    if (!write(file) || !file.flush()) {
        file.cancelWriting();
        file.commit(); // discards the temporary file; the target is not touched
        return false;
    }
    return file.commit();
}

} // namespace tavorel
