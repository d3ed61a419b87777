#pragma once

#include "printing/Report.h"
#include "shell/Camera.h"
#include "shell/Platform.h"

#include <QList>
#include <QPointer>
#include <QTemporaryDir>

#include <functional>
#include <optional>

class QDialog;

namespace tavorel::test {

// A camera the test feeds: deliver() hands a frame to the window, as the real device's capture
// thread does, but only while the camera runs.
class FakeCamera : public Camera {
    Q_OBJECT
public:
    void start() override
    {
        active_ = true;
        ++starts;
    }
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }
    void deliver(const QImage& frame)
    {
        if (active_)
            emit frameArrived(frame);
    }
    int starts = 0;

private:
    bool active_ = false;
};

// A scripted desktop for screen tests. Every call is recorded; answers come from queues that the
// test fills before acting. verifyConsumed() fails the test when an answer was left unused, so one
// test cannot answer another's question. No call ever blocks.
class FakePlatform : public Platform {
public:
    struct Message {
        MessageKind kind;
        QString text;
    };
    // Runs inside runModal with the dialog shown; returns the dialog's result.
    using DialogScript = std::function<int(QDialog*)>;

    FakePlatform();
    ~FakePlatform() override;

    // Platform
    Answer message(QWidget* parent, MessageKind kind, const QString& text) override;
    int runModal(QDialog* dialog) override;
    QString chooseOpenFile(QWidget* parent, const QString& title, const QStringList& filters) override;
    QString chooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                           const QString& proposedName) override;
    QString chooseFolder(QWidget* parent, const QString& title, const QString& startFolder) override;
    bool shellOpen(const QString& command) override;
    bool print(const Report& report, QWidget* parent) override;
    void preview(const Report& report, QWidget* parent) override;
    void terminate() override;
    std::unique_ptr<Camera> camera() override;
    QDate today() override { return todayValue; }
    QDateTime now() override { return nowValue; }
    QString programFolder() override { return folder; }

    // Script
    QList<Answer> answers;               // next answers to message(); default Ok / Yes
    QList<DialogScript> dialogScripts;   // next behaviours of runModal(); default: reject
    QStringList openFileAnswers;         // next answers of chooseOpenFile()
    QStringList saveFileAnswers;         // next answers of chooseSaveFile()
    QStringList folderAnswers;           // next answers of chooseFolder()
    bool printAnswer = true;             // what print() returns
    bool openAnswer = true;              // what shellOpen() returns (false: no program opens it)
    std::optional<QString> printFailure; // when set, print() and preview() throw ReportError
    bool cameraPresent = true;           // camera() gives a FakeCamera, else nullptr
    // message() shows a real modal box over its parent, closed as soon as it is the active window:
    // the screen loses and gets back the focus as it does on the desktop.
    bool modalMessages = false;

    // Record
    QList<Message> messages;
    QStringList dialogsRun; // object names, in order
    QStringList fileDialogTitles;
    QStringList fileDialogFilters;
    QStringList folderDialogStarts; // the folder each folder chooser opened on
    QStringList opened;
    QList<Report> printed;
    QList<Report> previewed;
    int terminations = 0;
    QPointer<FakeCamera> lastCamera; // the camera handed out last, while its owner keeps it

    QDate todayValue{2026, 12, 10};
    QDateTime nowValue{QDate(2026, 12, 10), QTime(9, 30, 0)};
    QString folder; // a fresh temporary folder unless the test sets another

    // The last message's text, or empty.
    QString lastMessage() const { return messages.isEmpty() ? QString() : messages.last().text; }
    // Fails the current test if a queued answer was not used. Returns true when all were used.
    bool verifyConsumed() const;

private:
    QTemporaryDir tempDir_;
};

// Installs a FakePlatform for the lifetime of the object.
class FakePlatformScope {
public:
    FakePlatformScope() { setPlatform(&fake); }
    ~FakePlatformScope() { setPlatform(nullptr); }
    FakePlatform fake;
};

} // namespace tavorel::test
