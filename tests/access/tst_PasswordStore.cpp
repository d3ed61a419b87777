#include "access/Crypt.h"
#include "access/PasswordStore.h"
#include "support/FaultInjector.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tavorel;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray storeWith(const QString& value)
{
    return "[Accesso]\r\nValore=" + value.toLatin1() + "\r\n";
}

} // namespace

class tst_PasswordStore : public QObject {
    Q_OBJECT

private slots:
    void init();
    void read_data();
    void read();
    void readFailsOnFolderInPlaceOfStore();
    void writeKeepsRestOfFile();
    void writeNormalises();
    void writeRefusesUnstorable_data();
    void writeRefusesUnstorable();
    void failedWriteKeepsOldValue();
    void writeIntoMissingFolderFails();
    void installCreatesOnlyWhenMissing();
    void installRefusesMissingFolderOrFolderAsStore();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString storePath() const { return PasswordStore::filePath(dir_->path()); }
};

void tst_PasswordStore::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void tst_PasswordStore::read_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("password");
    const int ok = int(PasswordStore::Status::Ok);
    const int missing = int(PasswordStore::Status::Missing);
    const int failed = int(PasswordStore::Status::Failed);
    const QString secret = CifraTesto(QStringLiteral("SEGRETO"));

    QTest::newRow("no file") << false << QByteArray() << missing << "";
    QTest::newRow("empty file") << true << QByteArray() << missing << "";
    QTest::newRow("other section") << true << QByteArray("[Altro]\r\nValore=55\r\n") << missing << "";
    QTest::newRow("no key") << true << QByteArray("[Accesso]\r\nAltro=55\r\n") << missing << "";
    QTest::newRow("empty key") << true << storeWith("") << ok << "";
    QTest::newRow("stored") << true << storeWith(secret) << ok << "SEGRETO";
    QTest::newRow("lower-case digits") << true << storeWith(secret.toLower()) << ok << "SEGRETO";
    QTest::newRow("odd digit dropped") << true << storeWith(secret + "F") << ok << "SEGRETO";
    QTest::newRow("deciphered text trimmed")
        << true << storeWith(CifraTesto(QStringLiteral("  SEGRETO \t"))) << ok << "SEGRETO";
    QTest::newRow("key spelt in other case") << true << "[ACCESSO]\r\nvalore=" + secret.toLatin1() + "\r\n"
                                             << ok << "SEGRETO";
    QTest::newRow("not hexadecimal") << true << storeWith("55ZZ") << failed << "";
}

void tst_PasswordStore::read()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, content);
    if (exists)
        writeBytes(storePath(), content);
    const PasswordStore::Reading reading = PasswordStore::read(dir_->path());
    QTEST(int(reading.status), "status");
    QTEST(reading.password, "password");
}

void tst_PasswordStore::readFailsOnFolderInPlaceOfStore()
{
    QVERIFY(QDir(dir_->path()).mkdir(QString::fromLatin1(kPasswordStoreFile)));
    QCOMPARE(PasswordStore::read(dir_->path()).status, PasswordStore::Status::Failed);
    QVERIFY(!PasswordStore::write(dir_->path(), QStringLiteral("NUOVA")));
}

void tst_PasswordStore::writeKeepsRestOfFile()
{
    const QByteArray before =
        "; installato\r\n[Accesso]\r\nValore=" + CifraTesto(QStringLiteral("VECCHIA")).toLatin1() +
        "\r\nAltro=1\r\n\r\n[Sezione]\r\nValore=resta\r\n";
    writeBytes(storePath(), before);

    QVERIFY(PasswordStore::write(dir_->path(), QStringLiteral("NUOVA")));

    const QByteArray after = "; installato\r\n[Accesso]\r\nValore=" + CifraTesto(QStringLiteral("NUOVA")).toLatin1() +
                             "\r\nAltro=1\r\n\r\n[Sezione]\r\nValore=resta\r\n";
    QCOMPARE(readBytes(storePath()), after);
}

void tst_PasswordStore::writeNormalises()
{
    QVERIFY(PasswordStore::write(dir_->path(), QString::fromUtf8("  nuova è Pass\t")));
    const QString expected = QString::fromUtf8("NUOVA è PASS");
    QCOMPARE(readBytes(storePath()), storeWith(CifraTesto(expected)));
    const PasswordStore::Reading reading = PasswordStore::read(dir_->path());
    QCOMPARE(reading.status, PasswordStore::Status::Ok);
    QCOMPARE(reading.password, expected);
}

void tst_PasswordStore::writeRefusesUnstorable_data()
{
    QTest::addColumn<QString>("password");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks only") << " \t ";
    QTest::newRow("code above 255") << QString::fromUtf8("€uro");
    QTest::newRow("256 characters") << QString(256, u'A');
}

void tst_PasswordStore::writeRefusesUnstorable()
{
    QFETCH(QString, password);
    const QByteArray before = storeWith(CifraTesto(QStringLiteral("VECCHIA")));
    writeBytes(storePath(), before);
    QVERIFY(!PasswordStore::write(dir_->path(), password));
    QCOMPARE(readBytes(storePath()), before);
}

void tst_PasswordStore::failedWriteKeepsOldValue()
{
    const QByteArray before = storeWith(CifraTesto(QStringLiteral("VECCHIA")));
    writeBytes(storePath(), before);

    bool written = true;
    {
        test::FaultInjector disk(dir_->path(), 1, ENOSPC, test::FaultInjector::Write);
        written = PasswordStore::write(dir_->path(), QStringLiteral("NUOVA"));
        QVERIFY(disk.fired());
    }

    QVERIFY(!written);
    QCOMPARE(readBytes(storePath()), before);
    QCOMPARE(PasswordStore::read(dir_->path()).password, QStringLiteral("VECCHIA"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QString::fromLatin1(kPasswordStoreFile)});
}

void tst_PasswordStore::writeIntoMissingFolderFails()
{
    const QString folder = dir_->filePath(QStringLiteral("assente"));
    QVERIFY(!PasswordStore::write(folder, QStringLiteral("NUOVA")));
    QVERIFY(!QFileInfo::exists(folder));
}

void tst_PasswordStore::installCreatesOnlyWhenMissing()
{
    QVERIFY(InstallaArchivioPassword(dir_->path(), QString::fromLatin1(kPasswordPrimoAccesso)));
    const QByteArray created = readBytes(storePath());
    QCOMPARE(created, storeWith(CifraTesto(QStringLiteral("LAMPADARIOVERO"))));
    QCOMPARE(PasswordStore::read(dir_->path()).password, QStringLiteral("LAMPADARIOVERO"));

    QVERIFY(PasswordStore::write(dir_->path(), QStringLiteral("CAMBIATA")));
    const QByteArray changed = readBytes(storePath());
    QVERIFY(InstallaArchivioPassword(dir_->path(), QString::fromLatin1(kPasswordPrimoAccesso)));
    QCOMPARE(readBytes(storePath()), changed);

    // A store without the key is still a store: it is not overwritten either.
    writeBytes(storePath(), QByteArray("[Altro]\r\n"));
    QVERIFY(InstallaArchivioPassword(dir_->path(), QString::fromLatin1(kPasswordPrimoAccesso)));
    QCOMPARE(readBytes(storePath()), QByteArray("[Altro]\r\n"));
}

void tst_PasswordStore::installRefusesMissingFolderOrFolderAsStore()
{
    const QString missing = dir_->filePath(QStringLiteral("assente"));
    QVERIFY(!InstallaArchivioPassword(missing, QString::fromLatin1(kPasswordPrimoAccesso)));
    QVERIFY(!QFileInfo::exists(missing));

    QVERIFY(QDir(dir_->path()).mkdir(QString::fromLatin1(kPasswordStoreFile)));
    QVERIFY(!InstallaArchivioPassword(dir_->path(), QString::fromLatin1(kPasswordPrimoAccesso)));
}

QTEST_APPLESS_MAIN(tst_PasswordStore)
#include "tst_PasswordStore.moc"
