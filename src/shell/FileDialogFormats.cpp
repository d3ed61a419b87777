#include "shell/FileDialogFormats.h"

#include <QFileSystemModel>
#include <QLocale>

namespace tavorel {

namespace {
// The columns of the file list.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;
} // namespace

QVariant FileDialogFormats::data(const QModelIndex& index, int role) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || !index.isValid())
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    if (index.column() == kDateColumn) {
        const QDateTime modified = files->lastModified(source);
        if (modified.isValid())
            return QLocale().toString(modified, QStringLiteral("dd/MM/yyyy HH:mm"));
    } else if (index.column() == kSizeColumn && !files->isDir(source)) {
        return QLocale().formattedDataSize(files->size(source), 1, QLocale::DataSizeTraditionalFormat);
    }
    return QIdentityProxyModel::data(index, role);
}

} // namespace tavorel
