#include "storage/IniFile.h"
#include "support/Pipes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tavorel;

class tst_IniFile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void read_data();
    void read();
    void missingOrUnreadableFile();
    void write_data();
    void write();
    void writeSeveralKeysAtOnce();
    void refusedWriteChangesNothing_data();
    void refusedWriteChangesNothing();
    void editsAfterNewLinesFindTheirKeys();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;
};

namespace {

const QByteArray kNoFile = "<no file>";

QByteArray contentOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : kNoFile;
}

void writeFile(const QString& path, const QByteArray& data)
{
    if (data == kNoFile)
        return;
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(data), data.size());
}

} // namespace

void tst_IniFile::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    path_ = dir_->filePath(QStringLiteral("Ricevute_Generiche.ini"));
}

void tst_IniFile::read_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    const QString ric = QStringLiteral("Ricevente");
    QTest::newRow("key with a blank, Windows-1252 value")
        << QByteArray("[Ricevente]\r\nRigo 1=A.S.D. Citt\xE0 di Forl\xEC\r\n") << ric << "Rigo 1"
        << QStringLiteral(u"A.S.D. Città di Forlì");
    QTest::newRow("names in another case") << QByteArray("[RICEVENTE]\r\nrigo 1=x\r\n") << ric << "Rigo 1" << "x";
    QTest::newRow("blanks around names and value")
        << QByteArray("  [ Ricevente ]\r\n  Rigo 1 \t=  x  y \t\r\n") << ric << "Rigo 1" << "x  y";
    // The no-break space (0xA0) is a character the user typed, not a blank: it stays.
    QTest::newRow("no-break spaces kept") << QByteArray("[Ricevente]\r\nRigo 1=\xA0x\xA0\r\n") << ric << "Rigo 1"
                                          << QStringLiteral(u"\u00A0x\u00A0");
    QTest::newRow("LF line ends") << QByteArray("[Ricevente]\nRigo 1=x\n") << ric << "Rigo 1" << "x";
    QTest::newRow("no line end at the end") << QByteArray("[Ricevente]\r\nRigo 1=x") << ric << "Rigo 1" << "x";
    QTest::newRow("value holding =") << QByteArray("[Ricevente]\r\nRigo 1=a=b\r\n") << ric << "Rigo 1" << "a=b";
    QTest::newRow("first of two equal keys") << QByteArray("[Ricevente]\r\nRigo 1=a\r\nrigo 1=b\r\n") << ric << "Rigo 1"
                                             << "a";
    QTest::newRow("comment line skipped") << QByteArray("[Ricevente]\r\n;Rigo 1=a\r\nRigo 1=b\r\n") << ric << "Rigo 1"
                                          << "b";
    QTest::newRow("key of another section")
        << QByteArray("[Ricevente]\r\nInizio=7\r\n[Numerazione Ricevute]\r\nAltro=1\r\n") << "Numerazione Ricevute"
        << "Inizio" << "";
    QTest::newRow("key before any section")
        << QByteArray("Inizio=7\r\n[Numerazione Ricevute]\r\n") << "Numerazione Ricevute" << "Inizio" << "";
    QTest::newRow("missing section") << QByteArray("[Ricevente]\r\nRigo 1=a\r\n") << "Accesso" << "Valore" << "";
    QTest::newRow("missing key") << QByteArray("[Ricevente]\r\nRigo 1=a\r\n") << ric << "Rigo 2" << "";
    QTest::newRow("empty value") << QByteArray("[Ricevente]\r\nRigo 1=\r\nRigo 2=b\r\n") << ric << "Rigo 1" << "";
    // clang-format on
}

void tst_IniFile::read()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    writeFile(path_, content);
    const std::optional<QString> read = IniFile::readValue(path_, section, key);
    QVERIFY(read.has_value());
    QCOMPARE(*read, value);
}

void tst_IniFile::missingOrUnreadableFile()
{
    const auto missing = IniFile::readValue(path_, QStringLiteral("Accesso"), QStringLiteral("Valore"));
    QVERIFY(missing.has_value());
    QCOMPARE(*missing, QString());

    QVERIFY(QDir().mkpath(path_));
    QVERIFY(!IniFile::readValue(path_, QStringLiteral("Accesso"), QStringLiteral("Valore")).has_value());

    // A file bigger than any settings file is not read, even though its key comes first.
    const QString big = dir_->filePath(QStringLiteral("grande.ini"));
    writeFile(big, "[Accesso]\r\nValore=1\r\n" + QByteArray(1024 * 1024, ';'));
    QVERIFY(!IniFile::readValue(big, QStringLiteral("Accesso"), QStringLiteral("Valore")).has_value());
    writeFile(big, "[Accesso]\r\nValore=1\r\n" + QByteArray(1024 * 1024 - 64, ';'));
    QCOMPARE(IniFile::readValue(big, QStringLiteral("Accesso"), QStringLiteral("Valore")), QStringLiteral("1"));

    // A named pipe is never opened: nothing waits for a writer.
    const QString pipe = dir_->filePath(QStringLiteral("tubo.ini"));
    QVERIFY(test::makePipe(pipe));
    std::optional<QString> read = QStringLiteral("not read");
    QVERIFY(test::returnsWithin(
        {pipe}, 5, [&] { read = IniFile::readValue(pipe, QStringLiteral("Accesso"), QStringLiteral("Valore")); }));
    QVERIFY(!read.has_value());
}

void tst_IniFile::write_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    const QString ric = QStringLiteral("Ricevente");
    QTest::newRow("first write creates the file") << kNoFile << ric << "Rigo 1" << QStringLiteral(u"Società Forlì")
                                                  << QByteArray("[Ricevente]\r\nRigo 1=Societ\xE0 Forl\xEC\r\n");
    QTest::newRow("one key changes, every other byte stays")
        << QByteArray("; impostazioni\n[Ricevente]\nRigo 1=Vecchio\nRigo 2=Due\n\n[Numerazione Ricevute]\nInizio=100\n")
        << ric << "Rigo 1" << "Nuovo"
        << QByteArray("; impostazioni\n[Ricevente]\nRigo 1=Nuovo\nRigo 2=Due\n\n[Numerazione Ricevute]\nInizio=100\n");
    QTest::newRow("key found in another case keeps its spelling")
        << QByteArray("[ricevente]\r\nRIGO 1 = a\r\n") << ric << "Rigo 1"
        << "b" << QByteArray("[ricevente]\r\nRIGO 1=b\r\n");
    QTest::newRow("new key after the section's last key")
        << QByteArray("[Ricevente]\r\nRigo 1=a\r\n\r\n[Numerazione Ricevute]\r\nInizio=5\r\n") << ric << "Rigo 2"
        << "b" << QByteArray("[Ricevente]\r\nRigo 1=a\r\nRigo 2=b\r\n\r\n[Numerazione Ricevute]\r\nInizio=5\r\n");
    QTest::newRow("new section after a last line without line end")
        << QByteArray("[Ricevente]\r\nRigo 1=a") << "Numerazione Ricevute" << "Inizio"
        << "100" << QByteArray("[Ricevente]\r\nRigo 1=a\r\n[Numerazione Ricevute]\r\nInizio=100\r\n");
    QTest::newRow("line breaks in a value cannot start a line") << kNoFile << ric << "Rigo 1"
        << "a\r\n[Accesso]" << QByteArray("[Ricevente]\r\nRigo 1=a  [Accesso]\r\n");
    // clang-format on
}

void tst_IniFile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    writeFile(path_, before);
    QVERIFY(IniFile::writeValue(path_, section, key, value));
    QCOMPARE(contentOf(path_), after);
    if (!value.contains(QLatin1Char('\n')))
        QCOMPARE(IniFile::readValue(path_, section, key), std::optional<QString>(value));
}

void tst_IniFile::writeSeveralKeysAtOnce()
{
    writeFile(path_, "[Numerazione Ricevute]\r\nInizio=3\r\n");
    QVERIFY(IniFile::writeValues(path_, QStringLiteral("Ricevente"),
                                 {{QStringLiteral("Rigo 1"), QStringLiteral("A.S.D. Aurora")},
                                  {QStringLiteral("Rigo 2"), QString()},
                                  {QStringLiteral("Rigo 3"), QStringLiteral("C.F. 97612345678")},
                                  {QStringLiteral("Rigo 4"), QString()}}));
    QCOMPARE(contentOf(path_), QByteArray("[Numerazione Ricevute]\r\nInizio=3\r\n"
                                          "[Ricevente]\r\nRigo 1=A.S.D. Aurora\r\nRigo 2=\r\n"
                                          "Rigo 3=C.F. 97612345678\r\nRigo 4=\r\n"));
}

void tst_IniFile::refusedWriteChangesNothing_data()
{
    // clang-format off
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("key");
    QTest::newRow("a folder where the file should be") << "folder" << "Rigo 1";
    QTest::newRow("its folder is missing") << "missing folder" << "Rigo 1";
    QTest::newRow("a key that would read as two") << "file" << "Rigo=1";
    QTest::newRow("a key that would read as a section") << "file" << "[Accesso]";
    QTest::newRow("an empty key") << "file" << "  ";
    QTest::newRow("a named pipe where the file should be") << "pipe" << "Rigo 1";
    QTest::newRow("a file bigger than 1 MB") << "big" << "Rigo 1";
    QTest::newRow("a key the code page has no byte for") << "file" << QStringLiteral(u"Rigo \u03A9");
    // clang-format on
}

void tst_IniFile::refusedWriteChangesNothing()
{
    QFETCH(QString, situation);
    QFETCH(QString, key);
    QByteArray old = "[Ricevente]\r\nRigo 1=a\r\n";
    QString path = path_;
    if (situation == QLatin1String("big"))
        old += QByteArray(1024 * 1024, ';');
    if (situation == QLatin1String("pipe"))
        QVERIFY(test::makePipe(path));
    else if (situation == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
    else if (situation == QLatin1String("missing folder"))
        path = dir_->filePath(QStringLiteral("nowhere/Ricevute_Generiche.ini"));
    else
        writeFile(path, old);

    bool written = true;
    QVERIFY(test::returnsWithin({path}, 5, [&] {
        written = IniFile::writeValue(path, QStringLiteral("Ricevente"), key, QStringLiteral("b"));
    }));
    QVERIFY(!written);

    if (situation == QLatin1String("pipe"))
        QVERIFY(test::isPipe(path));
    else if (situation == QLatin1String("folder"))
        QVERIFY(QFileInfo(path + QStringLiteral("/inside")).isDir());
    else if (situation == QLatin1String("missing folder"))
        QVERIFY(!QFileInfo::exists(dir_->filePath(QStringLiteral("nowhere"))));
    else
        QCOMPARE(contentOf(path), old);
}

// Lines added to a file shift the lines after them: every key is still found where it now is, and
// changed where it stands.
void tst_IniFile::editsAfterNewLinesFindTheirKeys()
{
    IniFile ini(QByteArray("[A]\r\nx=1\r\n[B]\r\ny=2\r\n[a]\r\nz=3\r\n"));
    QVERIFY(ini.setValue(QStringLiteral("A"), QStringLiteral("w"), QStringLiteral("0")));
    QVERIFY(ini.setValue(QStringLiteral("C"), QStringLiteral("v"), QStringLiteral("9")));
    QVERIFY(ini.setValue(QStringLiteral("b"), QStringLiteral("Y"), QStringLiteral("22")));
    QVERIFY(ini.setValue(QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("11")));
    QCOMPARE(ini.toBytes(), QByteArray("[A]\r\nx=11\r\nw=0\r\n[B]\r\ny=22\r\n[a]\r\nz=3\r\n[C]\r\nv=9\r\n"));
    // The second [a] is not the section: its key is not read.
    QCOMPARE(ini.value(QStringLiteral("A"), QStringLiteral("z")), QString());
    QCOMPARE(ini.value(QStringLiteral("c"), QStringLiteral("V")), QStringLiteral("9"));
    // A value the code page cannot hold is refused, and the line stays as it was.
    QVERIFY(!ini.setValue(QStringLiteral("A"), QStringLiteral("x"), QStringLiteral(u"\u0218tefan")));
    QCOMPARE(ini.value(QStringLiteral("A"), QStringLiteral("x")), QStringLiteral("11"));
}

QTEST_APPLESS_MAIN(tst_IniFile)
#include "tst_IniFile.moc"
