// The receipt's preview and print dialogs: what they hand to the renderer, the logo they carry,
// and what the user sees when the renderer fails.
#include "receipts/ReceiptArtwork.h"
#include "receipts/TfrmAnteprimaRic.h"
#include "receipts/TfrmStampaRic.h"
#include "support/FakePlatform.h"
#include "support/SampleReceipts.h"
#include "support/Screens.h"

#include <QImage>
#include <QPushButton>
#include <QTest>

using namespace tavorel;
using tavorel::test::child;
using tavorel::test::FakePlatformScope;

namespace {

TSchedaRicevuta sample()
{
    return test::sampleReceipt(QStringLiteral("Bianchi Niccolò"));
}

std::unique_ptr<ReceiptPrintDialog> makeDialog(bool preview, const TSchedaRicevuta& data)
{
    if (preview)
        return std::make_unique<TfrmAnteprimaRic>(nullptr, data);
    return std::make_unique<TfrmStampaRic>(nullptr, data);
}

} // namespace

class tst_ReceiptPrintDialogs : public QObject {
    Q_OBJECT
private slots:
    void outputsTheFilledReceipt_data();
    void outputsTheFilledReceipt();
    void rendererFailureIsReported_data();
    void rendererFailureIsReported();
    void annullaOutputsNothing();
    void logoFromFileOrDefault();
};

void tst_ReceiptPrintDialogs::outputsTheFilledReceipt_data()
{
    QTest::addColumn<bool>("preview");
    QTest::newRow("Mostra anteprima") << true;
    QTest::newRow("Stampa") << false;
}

void tst_ReceiptPrintDialogs::outputsTheFilledReceipt()
{
    QFETCH(bool, preview);
    FakePlatformScope scope;
    auto dialog = makeDialog(preview, sample());
    auto* btnStampa = child<QPushButton>(dialog.get(), "btnStampa");
    QCOMPARE(btnStampa->text(), preview ? QStringLiteral("Mostra anteprima") : QStringLiteral("Stampa"));
    dialog->show();
    btnStampa->click();
    const QList<Report>& out = preview ? scope.fake.previewed : scope.fake.printed;
    QCOMPARE(out.size(), 1);
    QCOMPARE((preview ? scope.fake.printed : scope.fake.previewed).size(), 0);
    const Report& r = out.first();
    QCOMPARE(r.name(), QStringLiteral("Ricevuta di Pagamento"));
    for (const QString& suffix : {QString(), QStringLiteral("_B")}) {
        QCOMPARE(r.findMemo(QStringLiteral("txtImpLettere") + suffix)->text(), QStringLiteral("CENTOCINQUANTA/00"));
        QCOMPARE(r.findMemo(QStringLiteral("txtNumRic") + suffix)->text(), QStringLiteral("Ricevuta n. 15"));
        QCOMPARE(r.findMemo(QStringLiteral("txtPagatore") + suffix)->text(), QStringLiteral("Bianchi Niccolò"));
    }
    QVERIFY(scope.fake.messages.isEmpty());
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_ReceiptPrintDialogs::rendererFailureIsReported_data()
{
    outputsTheFilledReceipt_data();
}

void tst_ReceiptPrintDialogs::rendererFailureIsReported()
{
    QFETCH(bool, preview);
    FakePlatformScope scope;
    scope.fake.printFailure = QStringLiteral("printer on fire");
    auto dialog = makeDialog(preview, sample());
    dialog->show();
    child<QPushButton>(dialog.get(), "btnStampa")->click();
    QCOMPARE(scope.fake.messages.size(), 1);
    QCOMPARE(scope.fake.messages[0].kind, MessageKind::Warning);
    QCOMPARE(scope.fake.messages[0].text,
             QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon fine.\n\r\n\r"
                            "Accertarsi che la stampante sia configurata correttamente."));
    QVERIFY(!dialog->isVisible());
    QVERIFY(scope.fake.verifyConsumed());
}

void tst_ReceiptPrintDialogs::annullaOutputsNothing()
{
    FakePlatformScope scope;
    TfrmStampaRic dialog(nullptr, sample());
    dialog.show();
    child<QPushButton>(&dialog, "btnAnnulla")->click();
    QVERIFY(scope.fake.printed.isEmpty());
    QVERIFY(scope.fake.messages.isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void tst_ReceiptPrintDialogs::logoFromFileOrDefault()
{
    FakePlatformScope scope;
    {
        TfrmStampaRic dialog(nullptr, sample());
        dialog.show();
        QCOMPARE(dialog.logo(), defaultLogo());
    }
    QImage red(297, 184, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(scope.fake.folder + QStringLiteral("/Logo.bmp"), "BMP"));
    TfrmStampaRic dialog(nullptr, sample());
    dialog.show();
    QCOMPARE(dialog.logo().pixelColor(10, 10), QColor(Qt::red));
    child<QPushButton>(&dialog, "btnStampa")->click();
    QCOMPARE(scope.fake.printed.size(), 1);
    for (const char* name : {"imgLogo", "imgLogo_B"})
        QCOMPARE(scope.fake.printed[0].findPicture(QString::fromLatin1(name))->picture.pixelColor(10, 10),
                 QColor(Qt::red));
}

QTEST_MAIN(tst_ReceiptPrintDialogs)
#include "tst_ReceiptPrintDialogs.moc"
