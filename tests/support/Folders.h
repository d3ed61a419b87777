#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

namespace tavorel::test {

// Every file under `folder` (recursively, by path relative to it) with its bytes; a folder is
// listed as "name/" with no bytes. Two snapshots compare equal only when nothing was added,
// removed or changed, a temporary file left behind included.
QMap<QString, QByteArray> snapshot(const QString& folder);

// Writes `bytes` as the whole content of `path`.
bool writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

} // namespace tavorel::test
