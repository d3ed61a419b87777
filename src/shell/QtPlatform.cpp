#include "shell/QtPlatform.h"

#include "printing/ReportOutput.h"
#include "shell/FileDialogFormats.h"
#include "shell/ModuleCamera.h"
#include "storage/Trim.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QTreeView>
#include <QUrl>

namespace tavorel {

namespace {

// Box titles in the program's language; the buttons come from Qt's Italian translation.
QString titleFor(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return QStringLiteral("Attenzione");
    case MessageKind::Error:
        return QStringLiteral("Errore");
    case MessageKind::Information:
        return QStringLiteral("Informazione");
    case MessageKind::Confirmation:
    case MessageKind::Question:
        return QStringLiteral("Conferma");
    case MessageKind::Plain:
        break;
    }
    return QStringLiteral("Tavorel");
}

// The program's dates and sizes in the file list, the date column wide enough to show them whole.
void prepareFileDialog(QFileDialog& dialog)
{
    dialog.setProxyModel(new FileDialogFormats(&dialog));
    if (auto* details = dialog.findChild<QTreeView*>())
        details->header()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
}

} // namespace

void QtPlatform::prepareMessageBox(QMessageBox& box, MessageKind kind, const QString& text)
{
    box.setWindowTitle(titleFor(kind));
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (kind) {
    case MessageKind::Warning:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageKind::Confirmation:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageKind::Question:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MessageKind::Plain:
        box.setIcon(QMessageBox::NoIcon);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
}

Answer QtPlatform::message(QWidget* parent, MessageKind kind, const QString& text)
{
    QMessageBox box(parent);
    prepareMessageBox(box, kind, text);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

int QtPlatform::runModal(QDialog* dialog)
{
    return dialog->exec();
}

QString QtPlatform::chooseOpenFile(QWidget* parent, const QString& title, const QStringList& filters)
{
    QFileDialog dialog(parent, title, QString(), filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    prepareFileDialog(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString QtPlatform::chooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                                   const QString& proposedName)
{
    QFileDialog dialog(parent, title, QString(), filter);
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    prepareFileDialog(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString QtPlatform::chooseFolder(QWidget* parent, const QString& title, const QString& startFolder)
{
    QFileDialog dialog(parent, title, startFolder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    prepareFileDialog(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QUrl QtPlatform::shellUrl(const QString& command, const QString& folder)
{
    // The desktop shell takes a path in double quotes (a folder with blanks in its name); the quotes
    // are not part of the path.
    QString c = TrimSpazi(command);
    if (c.size() >= 2 && c.startsWith(QLatin1Char('"')) && c.endsWith(QLatin1Char('"')))
        c = c.mid(1, c.size() - 2);
    // A mail or web address goes as written; blanks and accented letters are encoded here.
    if (c.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive) || c.contains(QStringLiteral("://")))
        return QUrl(c, QUrl::TolerantMode);
    return QUrl::fromUserInput(c, folder, QUrl::AssumeLocalFile);
}

bool QtPlatform::shellOpen(const QString& command)
{
    return QDesktopServices::openUrl(shellUrl(command, programFolder()));
}

bool QtPlatform::print(const Report& report, QWidget* parent)
{
    return printReportWithDialog(report, parent, now());
}

void QtPlatform::preview(const Report& report, QWidget* parent)
{
    showReportPreview(report, parent, now());
}

std::unique_ptr<Camera> QtPlatform::camera()
{
    return ModuleCamera::openDefault();
}

QDate QtPlatform::today()
{
    return QDate::currentDate();
}

QDateTime QtPlatform::now()
{
    return QDateTime::currentDateTime();
}

QString QtPlatform::programFolder()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace tavorel
