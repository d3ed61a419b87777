#pragma once

#include <QIdentityProxyModel>

namespace tavorel {

// Sits between Qt's file dialog and its file list so that the list writes dates and sizes the
// program's way (05/03/2026 10:00, 12,5 KB) whatever the desktop's regional settings: the list
// itself follows the system's, not the program's, conventions.
class FileDialogFormats : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

} // namespace tavorel
