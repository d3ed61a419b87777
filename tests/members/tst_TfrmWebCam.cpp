// The webcam window with a fake camera that yields frames, and with no camera at all; the webcam
// module as the program loads it.
#include "members/PhotoStore.h"
#include "members/PhotoView.h"
#include "members/TfrmWebCam.h"
#include "shell/ModuleCamera.h"
#include "shell/QtPlatform.h"
#include "storage/Messages.h"
#include "support/FakePlatform.h"
#include "support/Screens.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatformScope;

namespace {

QImage solid(int w, int h, const QColor& colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A video input as the module would make it, driven by the test.
class ScriptedInput : public VideoInput {
public:
    explicit ScriptedInput(bool* destroyed) : destroyed_(destroyed) {}
    ~ScriptedInput() override { *destroyed_ = true; }
    void start() override { active = true; }
    void stop() override { active = false; }
    bool isActive() const override { return active; }
    void setFrameSink(std::function<void(const QImage&)> s) override { sink = std::move(s); }

    bool active = false;
    std::function<void(const QImage&)> sink;

private:
    bool* destroyed_;
};

} // namespace

class tst_TfrmWebCam : public QObject {
    Q_OBJECT
private slots:
    void framesShowLiveAndCaptureFreezesOne();
    void importHandsTheCaptureOnlyToTheMemberTag_data();
    void importHandsTheCaptureOnlyToTheMemberTag();
    void withoutCameraTheUserIsTold();
    void saveCaptureToDisk();
    void closingStopsTheCamera();
    void moduleCameraForwardsToItsInput();
    void webcamModuleLoads();
    void missingOrWrongModuleGivesNoCamera();
    void desktopWithoutCamera();
};

void tst_TfrmWebCam::framesShowLiveAndCaptureFreezesOne()
{
    FakePlatformScope scope;
    TfrmWebCam w(nullptr);
    auto* imgCamera = child<PhotoView>(&w, "imgCamera");
    w.show();
    const QImage drawing = imgCamera->picture();
    QVERIFY(!drawing.isNull());
    child<QPushButton>(&w, "btnAccendi")->click();
    QVERIFY(scope.fake.lastCamera);
    QVERIFY(w.cameraRunning());
    scope.fake.lastCamera->deliver(solid(1280, 720, Qt::red));
    // The live box takes the frame's own size and draws it reduced to fit.
    QCOMPARE(imgCamera->picture().size(), QSize(1280, 720));
    QCOMPARE(imgCamera->pictureRect(), QRect(0, 34, 366, 206));
    child<QPushButton>(&w, "btnCattura")->click();
    scope.fake.lastCamera->deliver(solid(1280, 720, Qt::blue)); // the live box moves on
    QCOMPARE(imgCamera->picture().pixelColor(0, 0), QColor(Qt::blue));
    QCOMPARE(child<PhotoView>(&w, "imgTarget")->picture().pixelColor(0, 0), QColor(Qt::red));
    child<QPushButton>(&w, "btnSpegni")->click();
    QVERIFY(!w.cameraRunning());
    scope.fake.lastCamera->deliver(solid(10, 10, Qt::green)); // a stopped camera delivers nothing
    QCOMPARE(imgCamera->picture().pixelColor(0, 0), QColor(Qt::blue));
    QVERIFY(scope.fake.messages.isEmpty());
}

void tst_TfrmWebCam::importHandsTheCaptureOnlyToTheMemberTag_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("capture");
    QTest::addColumn<bool>("imported");
    QTest::newRow("member editor") << QStringLiteral("euro_01") << true << true;
    QTest::newRow("another caller") << QStringLiteral("altro") << true << false;
    QTest::newRow("nothing captured yet") << QStringLiteral("euro_01") << false << false;
}

void tst_TfrmWebCam::importHandsTheCaptureOnlyToTheMemberTag()
{
    QFETCH(QString, tag);
    QFETCH(bool, capture);
    QFETCH(bool, imported);
    FakePlatformScope scope;
    TfrmWebCam w(nullptr);
    w.setMode(tag);
    w.show();
    child<QPushButton>(&w, "btnAccendi")->click();
    scope.fake.lastCamera->deliver(solid(320, 240, Qt::darkCyan));
    if (capture)
        child<QPushButton>(&w, "btnCattura")->click();
    child<QPushButton>(&w, "btnImportaFoto")->click();
    QCOMPARE(w.isVisible(), !imported);
    QCOMPARE(w.importedPicture().isNull(), !imported);
    if (imported) {
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(w.importedPicture().pixelColor(5, 5), QColor(Qt::darkCyan));
    }
    // Import stops the camera, except when there was nothing to import: then the user can still capture.
    QCOMPARE(w.cameraRunning(), !capture);
}

void tst_TfrmWebCam::withoutCameraTheUserIsTold()
{
    FakePlatformScope scope;
    scope.fake.cameraPresent = false;
    TfrmWebCam w(nullptr);
    auto* imgCamera = child<PhotoView>(&w, "imgCamera");
    auto* imgTarget = child<PhotoView>(&w, "imgTarget");
    w.setMode(TfrmWebCam::kModeScheda);
    w.show();
    const QImage live = imgCamera->picture();
    const QImage target = imgTarget->picture();
    for (QPushButton* b : {child<QPushButton>(&w, "btnAccendi"), child<QPushButton>(&w, "btnCattura"),
                           child<QPushButton>(&w, "btnSalvaFotogramma"), child<QPushButton>(&w, "btnImportaFoto"),
                           child<QPushButton>(&w, "btnSpegni")})
        b->click();
    QCOMPARE(imgCamera->picture(), live);
    QCOMPARE(imgTarget->picture(), target);
    QVERIFY(w.isVisible());
    QVERIFY(w.importedPicture().isNull());
    // "Accendi webcam" says why nothing shows; the other buttons have nothing to act on.
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].text, kMsgNessunaWebcam);
    QVERIFY(scope.fake.fileDialogTitles.isEmpty());
    child<QPushButton>(&w, "btnClose")->click();
    QCOMPARE(w.result(), int(QDialog::Rejected));
}

void tst_TfrmWebCam::saveCaptureToDisk()
{
    FakePlatformScope scope;
    QTemporaryDir target;
    TfrmWebCam w(nullptr);
    auto* btnSalvaFotogramma = child<QPushButton>(&w, "btnSalvaFotogramma");
    w.show();
    child<QPushButton>(&w, "btnAccendi")->click();
    scope.fake.lastCamera->deliver(solid(200, 150, Qt::red));
    child<QPushButton>(&w, "btnCattura")->click();
    scope.fake.saveFileAnswers << target.filePath(QStringLiteral("scatto"))
                               << target.filePath(QStringLiteral("no/scatto.jpg"));
    btnSalvaFotogramma->click();
    QCOMPARE(readPicture(target.filePath(QStringLiteral("scatto.jpg"))).size(), QSize(200, 150));
    QVERIFY(scope.fake.messages.isEmpty());
    btnSalvaFotogramma->click(); // a folder that does not exist
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.lastMessage(), kMsgFotoNonEsportata);
    QCOMPARE(child<PhotoView>(&w, "imgTarget")->picture().size(),
             QSize(200, 150)); // the capture is still there to retry
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_TfrmWebCam::closingStopsTheCamera()
{
    FakePlatformScope scope;
    QPointer<test::FakeCamera> camera;
    {
        TfrmWebCam w(nullptr);
        auto* btnAccendi = child<QPushButton>(&w, "btnAccendi");
        w.show();
        btnAccendi->click();
        camera = scope.fake.lastCamera;
        child<QPushButton>(&w, "btnClose")->click();
        QVERIFY(!camera->isActive());
        btnAccendi->click();
        QVERIFY(camera->isActive());
    }
    QVERIFY(!camera); // the window's destruction ends the camera with it
}

void tst_TfrmWebCam::moduleCameraForwardsToItsInput()
{
    bool destroyed = false;
    auto owned = std::make_unique<ScriptedInput>(&destroyed);
    ScriptedInput* input = owned.get();
    {
        ModuleCamera camera(std::move(owned));
        QSignalSpy frames(&camera, &Camera::frameArrived);
        camera.start();
        QVERIFY(camera.isActive());
        QVERIFY(input->sink);
        input->sink(solid(4, 3, Qt::red));
        QCOMPARE(frames.count(), 1);
        QCOMPARE(frames.at(0).at(0).value<QImage>().size(), QSize(4, 3));
        camera.stop();
        QVERIFY(!camera.isActive());
    }
    QVERIFY(destroyed); // the camera owns its input
}

void tst_TfrmWebCam::webcamModuleLoads()
{
    // The module built beside the program: it loads, and its entry point gives the default input
    // or, on a machine without one, nothing.
    QString error;
    const OpenVideoInput open = WebcamModule::load(QStringLiteral(TAVOREL_WEBCAM_MODULE), &error);
    QVERIFY2(open, qPrintable(error));
    const std::unique_ptr<VideoInput> input(open());
    if (input)
        QVERIFY(!input->isActive()); // opened, not started
}

void tst_TfrmWebCam::missingOrWrongModuleGivesNoCamera()
{
    QTemporaryDir dir;
    QFile notAModule(dir.filePath(QStringLiteral("tavorel_webcam.so")));
    QVERIFY(notAModule.open(QIODevice::WriteOnly));
    notAModule.write("not a library");
    notAModule.close();
    for (const QString& path : {dir.filePath(QStringLiteral("missing")), notAModule.fileName()}) {
        QString error;
        QVERIFY(!WebcamModule::load(path, &error));
        QVERIFY(!error.isEmpty());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^The webcam module cannot be loaded")));
        QVERIFY(!ModuleCamera::openDefault(path));
    }
}

void tst_TfrmWebCam::desktopWithoutCamera()
{
    // The real desktop seam, on a machine with no video input (a test never switches a real camera on).
    {
        QString error;
        const OpenVideoInput open = WebcamModule::load(QStringLiteral(TAVOREL_WEBCAM_MODULE), &error);
        QVERIFY2(open, qPrintable(error));
        if (std::unique_ptr<VideoInput>(open()))
            QSKIP("this machine has a camera");
    }
    // Beside this test there is no module: the seam logs why and gives no camera.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^The webcam module cannot be loaded")));
    QVERIFY(!QtPlatform().camera());
    // The desktop's camera, a scripted message box.
    struct DesktopCamera : test::FakePlatform {
        std::unique_ptr<Camera> camera() override { return QtPlatform().camera(); }
    } desktop;
    setPlatform(&desktop);
    const auto restore = qScopeGuard([] { setPlatform(nullptr); });
    TfrmWebCam w(nullptr);
    auto* imgCamera = child<PhotoView>(&w, "imgCamera");
    w.setMode(TfrmWebCam::kModeScheda);
    w.show();
    const QImage live = imgCamera->picture();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^The webcam module cannot be loaded")));
    child<QPushButton>(&w, "btnAccendi")->click();
    child<QPushButton>(&w, "btnCattura")->click();
    child<QPushButton>(&w, "btnImportaFoto")->click();
    QVERIFY(!w.cameraRunning());
    QCOMPARE(imgCamera->picture(), live);
    QVERIFY(w.isVisible());
    QCOMPARE(desktop.messages.size(), 1);
    QCOMPARE(desktop.messages[0].text, kMsgNessunaWebcam);
}

QTEST_MAIN(tst_TfrmWebCam)
#include "tst_TfrmWebCam.moc"
