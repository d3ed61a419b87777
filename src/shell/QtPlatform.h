#pragma once

#include "shell/Platform.h"

class QMessageBox;
class QUrl;

namespace tavorel {

// The real desktop: message boxes, modal dialogs, file choosers, the shell, printing, the clock.
class QtPlatform : public Platform {
public:
    // Title, icon, text and buttons of the box for one of the five kinds of message.
    static void prepareMessageBox(QMessageBox& box, MessageKind kind, const QString& text);
    // What shellOpen hands to the desktop for a command (relative paths are taken in `folder`).
    static QUrl shellUrl(const QString& command, const QString& folder);

    Answer message(QWidget* parent, MessageKind kind, const QString& text) override;
    int runModal(QDialog* dialog) override;
    QString chooseOpenFile(QWidget* parent, const QString& title, const QStringList& filters) override;
    QString chooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                           const QString& proposedName) override;
    QString chooseFolder(QWidget* parent, const QString& title, const QString& startFolder) override;
    bool shellOpen(const QString& command) override;
    bool print(const Report& report, QWidget* parent) override;
    void preview(const Report& report, QWidget* parent) override;
    std::unique_ptr<Camera> camera() override;
    QDate today() override;
    QDateTime now() override;
    QString programFolder() override;
};

} // namespace tavorel
