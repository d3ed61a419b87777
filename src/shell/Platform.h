#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>

class QDialog;
class QWidget;

namespace tavorel {

class Camera;
class Report;

// The five kinds of message box the program uses.
enum class MessageKind {
    Warning,      // OK + Cancel
    Error,        // OK + Cancel
    Information,  // OK + Cancel
    Confirmation, // Yes + No
    Question,     // Yes + No + Cancel
    Plain,        // OK
};

enum class Answer { Ok, Cancel, Yes, No };

// Everything the program asks of the desktop. Screens never call QMessageBox, QFileDialog,
// QDialog::exec, the clock or the print system directly: they go through platform(), so that
// tests can install a fake that records each call and answers from a script.
class Platform {
public:
    virtual ~Platform();

    virtual Answer message(QWidget* parent, MessageKind kind, const QString& text) = 0;
    // Shows the dialog modally and returns its result (QDialog::Accepted / Rejected).
    virtual int runModal(QDialog* dialog) = 0;
    // Returns the chosen path, or an empty text when the user cancels.
    virtual QString chooseOpenFile(QWidget* parent, const QString& title, const QStringList& filters) = 0;
    virtual QString chooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                                   const QString& proposedName) = 0;
    // A folder chooser opened on `startFolder`; the chosen folder, or an empty text on cancel.
    virtual QString chooseFolder(QWidget* parent, const QString& title, const QString& startFolder) = 0;
    // Hands a path, a web address or a "mailto:" address to the desktop. False when no program of
    // the computer took it (no viewer for the file's kind, no browser, no mail program). Screens
    // call openOnDesktop, which tells the user.
    virtual bool shellOpen(const QString& command) = 0;
    // Print through the print dialog; false when the user cancelled or there is no printer at all.
    // A renderer or printer failure throws ReportError.
    virtual bool print(const Report& report, QWidget* parent) = 0;
    // Modal preview window; returns when the user closes it. Throws ReportError on failure.
    virtual void preview(const Report& report, QWidget* parent) = 0;
    // Ends the program after the current event (by default: leaves Qt's event loop).
    virtual void terminate();
    // The default video capture device, not yet started; nullptr when the system has none.
    virtual std::unique_ptr<Camera> camera();

    virtual QDate today() = 0;
    virtual QDateTime now() = 0;
    // The folder that holds the executable and every data file.
    virtual QString programFolder() = 0;
};

// The platform in force: the fake a test installed, else the real one.
Platform& platform();
// Installs a platform (nullptr goes back to the real one). The caller keeps ownership.
void setPlatform(Platform* p);

// The one way a screen hands a document, a web address or a "mailto:" address to the desktop:
// when no program of the computer can open it, the user is told so in plain words, naming what
// could not be opened. Returns whether it was opened.
bool openOnDesktop(QWidget* parent, const QString& command);

// The one way a screen runs a dialog: made for the occasion, shown modally through the platform,
// gone when this returns. Returns the dialog's result.
template <typename Dialog, typename... Args>
int runDialog(Args&&... args)
{
    Dialog dialog(std::forward<Args>(args)...);
    return platform().runModal(&dialog);
}

} // namespace tavorel
