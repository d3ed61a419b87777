#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

namespace tavorel {

// Whole-file replaces (settings, logo, exports). The new content is written to a temporary file
// beside the target and renamed over it only when complete, so a failed or abandoned write leaves
// the old file exactly as it was, and the old file is never removed before the new one is in place.

bool replaceFileContents(const QString& path, const QByteArray& data);

// The same, with the content produced by `write` (for writers that want a device, such as
// QImage::save). When `write` returns false nothing is replaced.
bool replaceFileContents(const QString& path, const std::function<bool(QIODevice& out)>& write);

} // namespace tavorel
