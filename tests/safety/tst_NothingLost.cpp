// What the user typed is never dropped without a question, and a save never writes over what
// another workstation saved meanwhile without asking: both editors, driven by their controls,
// checked on the messages, the screen and the archive's bytes.
#include "members/TfrmTiratori.h"
#include "receipts/TfrmRicevuta.h"
#include "shell/PictureButton.h"
#include "storage/Archives.h"
#include "storage/Messages.h"
#include "storage/RecordLayout.h"
#include "support/FakePlatform.h"
#include "support/Folders.h"
#include "support/Screens.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <memory>

using namespace tavorel;
using tavorel::test::FakePlatformScope;

namespace {

template <typename Record>
Record sample(int n)
{
    Record r;
    for (const auto& f : Record::fields())
        r.*f.member = QStringLiteral("%1 %2").arg(QLatin1StringView(f.name)).arg(n).left(f.capacity);
    return r;
}

TSchedaRicevuta ricevuta(int n)
{
    auto r = sample<TSchedaRicevuta>(n);
    r.NumRic = QString::number(n);
    r.Data = QStringLiteral("0%1/03/2026").arg(n);
    r.Importo = QString::number(10 * n);
    r.Cents = QStringLiteral("00");
    r.CentLettere = r.Cents;
    r.Intero = r.Importo + QStringLiteral(",00");
    r.DataNasc = QStringLiteral("0%1/05/2010").arg(n);
    return r;
}

TSchedaIscritto iscritto(int n)
{
    auto m = sample<TSchedaIscritto>(n);
    m.Sesso = QStringLiteral("F");
    m.DataNasc = QStringLiteral("0%1/04/1990").arg(n);
    m.Quota = QStringLiteral("%1,00").arg(n);
    m.File01 = m.File02 = m.File03 = m.Desc01 = m.Desc02 = m.Desc03 = QString();
    return m;
}

// One editor over an archive of three records, whichever the editor.
struct Bench {
    FakePlatformScope scope; // before the screen, which reads the platform as it is made
    virtual ~Bench() = default;
    virtual QWidget& screen() = 0;
    virtual QString path() const = 0;
    virtual QByteArray record(int n) const = 0;
    // The field the tests change, and a field another workstation changes.
    virtual QString changed() const = 0;
    virtual QString changedElsewhere() const = 0;
    virtual QByteArray withField(int n, const QString& field, const QString& text) const = 0;
    virtual void showPicked(int n) = 0; // a search result handed over

    QLineEdit* edit(const QString& name) { return screen().findChild<QLineEdit*>(name); }
    QString position() { return screen().findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(); }
    void click(const QString& name) { screen().findChild<PictureButton*>(name)->click(); }
    QByteArray archive(std::initializer_list<QByteArray> records)
    {
        QByteArray bytes;
        for (const QByteArray& r : records)
            bytes += r;
        return bytes;
    }
};

template <typename Screen, typename Record>
struct EditorBench : Bench {
    Screen w;
    QString path_;

    EditorBench(const QString& path, Record (*make)(int), QString changed, QString elsewhere)
        : path_(path), make_(make), changed_(std::move(changed)), elsewhere_(std::move(elsewhere))
    {
    }
    QWidget& screen() override { return w; }
    QString path() const override { return path_; }
    QByteArray record(int n) const override { return encodeRecord(make_(n)); }
    QString changed() const override { return changed_; }
    QString changedElsewhere() const override { return elsewhere_; }
    QByteArray withField(int n, const QString& field, const QString& text) const override
    {
        Record r = make_(n);
        for (const auto& f : Record::fields())
            if (field == QLatin1String("txt") + QLatin1StringView(f.name))
                r.*f.member = text;
        return encodeRecord(r);
    }
    void showPicked(int n) override
    {
        if (w.lasciaScheda())
            w.mostraScheda(make_(n), n);
    }

private:
    Record (*make_)(int);
    QString changed_;
    QString elsewhere_;
};

std::unique_ptr<Bench> bench(const QString& editor)
{
    if (editor == QLatin1String("ricevuta")) {
        auto b = std::make_unique<EditorBench<TfrmRicevuta, TSchedaRicevuta>>(
            QString(), &ricevuta, QStringLiteral("txtPagatore"), QStringLiteral("txtSport"));
        b->path_ = QDir(b->scope.fake.folder).filePath(QStringLiteral("2026.ric"));
        b->w.apriArchivio(b->path_, QStringLiteral(" Tavorel - Archivio ricevute anno 2026"));
        return b;
    }
    auto b = std::make_unique<EditorBench<TfrmTiratori, TSchedaIscritto>>(
        QString(), &iscritto, QStringLiteral("txtTel"), QStringLiteral("txtEmail"));
    b->path_ = memberArchivePath(b->scope.fake.folder);
    return b;
}

const QString kSalvare = QStringLiteral("Salvare le modifiche apportate alla scheda corrente?");

} // namespace

Q_DECLARE_METATYPE(Answer)

class tst_NothingLost : public QObject {
    Q_OBJECT
private slots:
    void leavingAChangedRecordAsks_data();
    void leavingAChangedRecordAsks();
    void anotherWorkstationSavedMeanwhile_data();
    void anotherWorkstationSavedMeanwhile();
};

void tst_NothingLost::leavingAChangedRecordAsks_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("leave"); // a button, "Esc" or "search"
    QTest::addColumn<bool>("change");   // the record on screen was changed
    QTest::addColumn<Answer>("answer"); // to the question, when it comes
    QTest::addColumn<QString>("positionAfter");

    for (const char* editor : {"ricevuta", "iscritto"}) {
        const auto row = [&](const char* leave, bool change, Answer answer, const char* what, const char* after) {
            QTest::addRow("%s: %s, %s", editor, leave, what) << editor << leave << change << answer << after;
        };
        row("cmdPrimo", false, Answer::Ok, "unchanged", "1");
        row("cmdPrimo", true, Answer::Yes, "saved", "1");
        row("cmdPrimo", true, Answer::No, "dropped", "1");
        row("cmdPrimo", true, Answer::Cancel, "stays", "2");
        row("cmdAvanti", true, Answer::No, "dropped", "3");
        row("cmdNuovo", false, Answer::Ok, "unchanged", "");
        row("cmdNuovo", true, Answer::Yes, "saved", "");
        row("cmdNuovo", true, Answer::Cancel, "stays", "2");
        row("cmdDuplica", true, Answer::Yes, "saved", "");
        row("cmdDuplica", true, Answer::Cancel, "stays", "2");
        row("search", true, Answer::No, "dropped", "3");
        row("search", true, Answer::Cancel, "stays", "2");
        row("Esc", false, Answer::Ok, "unchanged", "closed");
        row("Esc", true, Answer::Yes, "saved", "closed");
        row("Esc", true, Answer::Cancel, "stays", "2");
        row("cmdEsci", true, Answer::No, "dropped", "closed");
    }
}

void tst_NothingLost::leavingAChangedRecordAsks()
{
    QFETCH(QString, editor);
    QFETCH(QString, leave);
    QFETCH(bool, change);
    QFETCH(Answer, answer);
    QFETCH(QString, positionAfter);

    auto b = bench(editor);
    auto& fake = b->scope.fake;
    QVERIFY(test::writeFile(b->path(), b->archive({b->record(1), b->record(2), b->record(3)})));
    test::showActive(b->screen());
    b->click(QStringLiteral("cmdPrimo"));
    b->click(QStringLiteral("cmdAvanti"));
    QCOMPARE(b->position(), QStringLiteral("2"));
    if (change) {
        b->edit(b->changed())->setFocus();
        b->edit(b->changed())->setText(QStringLiteral("cambiato qui"));
        fake.answers << answer;
    }

    if (leave == QLatin1String("Esc"))
        QTest::keyClick(b->edit(b->changed()), Qt::Key_Escape);
    else if (leave == QLatin1String("search"))
        b->showPicked(3);
    else
        b->click(leave);

    QStringList asked;
    for (const auto& m : fake.messages)
        if (m.text == kSalvare)
            asked.append(m.text);
    QCOMPARE(asked.size(), change ? 1 : 0);
    const QByteArray expected =
        change && answer == Answer::Yes ? b->withField(2, b->changed(), QStringLiteral("cambiato qui")) : b->record(2);
    QCOMPARE(test::readFile(b->path()).mid(QByteArray(b->record(1)).size(), expected.size()), expected);
    if (positionAfter == QLatin1String("closed")) {
        QVERIFY(!b->screen().isVisible());
    } else {
        QVERIFY(b->screen().isVisible());
        QCOMPARE(b->position(), positionAfter);
    }
    if (answer == Answer::Cancel)
        QCOMPARE(b->edit(b->changed())->text(), QStringLiteral("cambiato qui"));
    QVERIFY(fake.verifyConsumed());
}

void tst_NothingLost::anotherWorkstationSavedMeanwhile_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<Answer>("answer");
    for (const char* editor : {"ricevuta", "iscritto"}) {
        QTest::addRow("%s: overwrite the other change", editor) << editor << Answer::Yes;
        QTest::addRow("%s: reload", editor) << editor << Answer::No;
        QTest::addRow("%s: back to the record", editor) << editor << Answer::Cancel;
    }
}

void tst_NothingLost::anotherWorkstationSavedMeanwhile()
{
    QFETCH(QString, editor);
    QFETCH(Answer, answer);

    auto b = bench(editor);
    auto& fake = b->scope.fake;
    QVERIFY(test::writeFile(b->path(), b->archive({b->record(1), b->record(2)})));
    test::showActive(b->screen());
    b->click(QStringLiteral("cmdUltimo"));
    b->edit(b->changed())->setText(QStringLiteral("cambiato qui"));
    // Another workstation saves record 2 with another field changed.
    const QByteArray theirs = b->withField(2, b->changedElsewhere(), QStringLiteral("cambiato altrove"));
    QVERIFY(test::writeFile(b->path(), b->archive({b->record(1), theirs})));

    fake.answers << answer;
    b->click(QStringLiteral("cmdSalva"));

    QCOMPARE(fake.messages.value(0).text, kMsgSchedaCambiataAltrove);
    const QByteArray stored = test::readFile(b->path()).mid(b->record(1).size());
    switch (answer) {
    case Answer::Yes:
        QCOMPARE(stored, b->withField(2, b->changed(), QStringLiteral("cambiato qui")));
        QCOMPARE(fake.messages.size(), 2);
        QCOMPARE(fake.messages[1].text, kMsgSchedaModificata);
        break;
    case Answer::No:
        QCOMPARE(stored, theirs);
        QCOMPARE(b->edit(b->changedElsewhere())->text(), QStringLiteral("cambiato altrove"));
        QVERIFY(b->edit(b->changed())->text() != QStringLiteral("cambiato qui"));
        QCOMPARE(fake.messages.size(), 1);
        break;
    default:
        QCOMPARE(stored, theirs);
        QCOMPARE(b->edit(b->changed())->text(), QStringLiteral("cambiato qui"));
        QCOMPARE(fake.messages.size(), 1);
        break;
    }
    QCOMPARE(b->position(), QStringLiteral("2"));
    QVERIFY(fake.verifyConsumed());
}

QTEST_MAIN(tst_NothingLost)
#include "tst_NothingLost.moc"
