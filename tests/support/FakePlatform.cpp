#include "support/FakePlatform.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace tavorel::test {

FakePlatform::FakePlatform()
{
    folder = tempDir_.path();
}

FakePlatform::~FakePlatform() = default;

Answer FakePlatform::message(QWidget* parent, MessageKind kind, const QString& text)
{
    messages.append({kind, text});
    if (modalMessages) {
        QMessageBox box(parent);
        box.setText(text);
        box.setStandardButtons(QMessageBox::Ok);
        QTimer closer;
        int ticks = 0;
        QObject::connect(&closer, &QTimer::timeout, &box, [&box, &ticks] {
            if ((box.isVisible() && QApplication::activeWindow() == &box) || ++ticks > 200)
                box.done(QMessageBox::Ok);
        });
        closer.start(5);
        box.exec();
        // The desktop gives the keyboard back to the window the box was over.
        if (QWidget* window = parent ? parent->window() : nullptr; window && window->isVisible()) {
            window->activateWindow();
            (void)QTest::qWaitForWindowActive(window);
        }
    }
    if (!answers.isEmpty())
        return answers.takeFirst();
    return kind == MessageKind::Confirmation || kind == MessageKind::Question ? Answer::Yes : Answer::Ok;
}

int FakePlatform::runModal(QDialog* dialog)
{
    dialogsRun.append(dialog->objectName());
    if (dialogScripts.isEmpty()) {
        dialog->setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    DialogScript script = dialogScripts.takeFirst();
    dialog->setResult(QDialog::Rejected);
    dialog->show();
    dialog->activateWindow();
    QApplication::processEvents();
    const int result = script(dialog);
    dialog->hide();
    return result;
}

QString FakePlatform::chooseOpenFile(QWidget*, const QString& title, const QStringList& filters)
{
    fileDialogTitles.append(title);
    fileDialogFilters.append(filters.join(QStringLiteral(";;")));
    return openFileAnswers.isEmpty() ? QString() : openFileAnswers.takeFirst();
}

QString FakePlatform::chooseSaveFile(QWidget*, const QString& title, const QString& filter, const QString&)
{
    fileDialogTitles.append(title);
    fileDialogFilters.append(filter);
    return saveFileAnswers.isEmpty() ? QString() : saveFileAnswers.takeFirst();
}

QString FakePlatform::chooseFolder(QWidget*, const QString& title, const QString& startFolder)
{
    fileDialogTitles.append(title);
    folderDialogStarts.append(startFolder);
    return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
}

bool FakePlatform::shellOpen(const QString& command)
{
    opened.append(command);
    return openAnswer;
}

bool FakePlatform::print(const Report& report, QWidget*)
{
    if (printFailure)
        throw ReportError(printFailure->toStdString());
    printed.append(report);
    return printAnswer;
}

void FakePlatform::preview(const Report& report, QWidget*)
{
    if (printFailure)
        throw ReportError(printFailure->toStdString());
    previewed.append(report);
}

void FakePlatform::terminate()
{
    ++terminations;
}

std::unique_ptr<Camera> FakePlatform::camera()
{
    if (!cameraPresent)
        return nullptr;
    auto camera = std::make_unique<FakeCamera>();
    lastCamera = camera.get();
    return camera;
}

bool FakePlatform::verifyConsumed() const
{
    bool ok = true;
    if (!answers.isEmpty()) {
        QTest::qFail("queued message answers were not used", __FILE__, __LINE__);
        ok = false;
    }
    if (!dialogScripts.isEmpty()) {
        QTest::qFail("queued dialog scripts were not used", __FILE__, __LINE__);
        ok = false;
    }
    if (!openFileAnswers.isEmpty() || !saveFileAnswers.isEmpty() || !folderAnswers.isEmpty()) {
        QTest::qFail("queued file answers were not used", __FILE__, __LINE__);
        ok = false;
    }
    return ok;
}

} // namespace tavorel::test
