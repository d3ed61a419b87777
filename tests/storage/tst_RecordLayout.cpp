#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"

#include <QTest>

#include <vector>

using namespace tavorel;

class tst_RecordLayout : public QObject {
    Q_OBJECT

private slots:
    void receiptLayout();
    void memberLayout();
    void encodeField_data();
    void encodeField();
    void decodeField_data();
    void decodeField();
    void shortBufferReadsEmpty();
};

namespace {

struct Expected {
    const char* name;
    int offset;
    int capacity;
};

// Checks the field table against the file format, then writes a record whose every field holds
// its own value (a distinct letter, then "èò") and looks for each value at its offset, so that a
// field pointing at the wrong member or at the wrong place shows up.
template <typename T>
void checkLayout(const std::vector<Expected>& expected)
{
    const auto& fields = T::fields();
    QCOMPARE(fields.size(), expected.size());
    T record;
    for (size_t i = 0; i < fields.size(); ++i) {
        QCOMPARE(fields[i].name, expected[i].name);
        QCOMPARE(fieldOffset(fields, i), expected[i].offset);
        QCOMPARE(fields[i].capacity, expected[i].capacity);
        QCOMPARE(findField<T>(QString::fromLatin1(expected[i].name)), &fields[i]);
        const QString letter(QChar(char16_t(u'A' + i)));
        record.*(fields[i].member) = fields[i].capacity >= 3 ? letter + QStringLiteral(u"èò") : letter;
    }
    QVERIFY(findField<T>(u"Nessuno") == nullptr);

    const QByteArray bytes = encodeRecord(record);
    QCOMPARE(bytes.size(), T::RecordSize);
    const Expected& last = expected.back();
    QCOMPARE(last.offset + last.capacity + 1, T::RecordSize);
    for (size_t i = 0; i < expected.size(); ++i) {
        const int at = expected[i].offset;
        const QByteArray text = QByteArray(1, char('A' + i)) + (expected[i].capacity >= 3 ? "\xE8\xF2" : "");
        QCOMPARE(int(quint8(bytes[at])), int(text.size()));
        QCOMPARE(bytes.mid(at + 1, text.size()), text);
        QCOMPARE(bytes.mid(at + 1 + text.size(), expected[i].capacity - text.size()),
                 QByteArray(expected[i].capacity - text.size(), '\0'));
    }
    QVERIFY(decodeRecord<T>(bytes) == record);
}

} // namespace

void tst_RecordLayout::receiptLayout()
{
    checkLayout<TSchedaRicevuta>({
        {"NumRic", 0, 30},        {"Data", 31, 10},         {"Importo", 42, 8},       {"Cents", 51, 2},
        {"ImpLettere", 54, 250},  {"CentLettere", 305, 2},  {"Intero", 308, 11},      {"Ricevente01", 320, 50},
        {"Ricevente02", 371, 50}, {"Ricevente03", 422, 50}, {"Ricevente04", 473, 50}, {"Pagatore", 524, 50},
        {"CodFisc", 575, 16},     {"Sport", 592, 120},      {"Dal", 713, 10},         {"Al", 724, 10},
        {"Praticante", 735, 50},  {"LuogoNasc", 786, 50},   {"DataNasc", 837, 10},    {"Indirizzo", 848, 250},
    });
}

void tst_RecordLayout::memberLayout()
{
    checkLayout<TSchedaIscritto>({
        {"Tiratore", 0, 50},    {"Sesso", 51, 1},        {"DataNasc", 53, 10},  {"Cittadinanza", 64, 50},
        {"LuogoNasc", 115, 50}, {"Indirizzo", 166, 120}, {"Citta", 287, 50},    {"Cap", 338, 10},
        {"Nazione", 349, 50},   {"CodFisc", 400, 16},    {"Gruppo", 417, 50},   {"Professione", 468, 120},
        {"Studio", 589, 120},   {"Ente", 710, 120},      {"Email", 831, 50},    {"Tel", 882, 30},
        {"Cel", 913, 30},       {"Tessera", 944, 50},    {"Quota", 995, 50},    {"InizioTes", 1046, 10},
        {"FineTes", 1057, 10},  {"Armi", 1068, 50},      {"Porto", 1119, 50},   {"InizioPor", 1170, 10},
        {"FinePor", 1181, 250}, {"Note", 1432, 250},     {"File01", 1683, 250}, {"File02", 1934, 250},
        {"File03", 2185, 250},  {"Desc01", 2436, 250},   {"Desc02", 2687, 250}, {"Desc03", 2938, 250},
    });
}

// The field is written into a buffer full of 0xFF with one guard byte after it: the bytes after
// the text must come out zero and the guard must stay.
void tst_RecordLayout::encodeField_data()
{
    // clang-format off
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QByteArray>("field");

    QTest::newRow("empty") << QString() << 4 << QByteArray("\0\0\0\0\0", 5);
    QTest::newRow("short text, rest zeroed") << "Rossi" << 8 << QByteArray("\x05Rossi\0\0\0", 9);
    QTest::newRow("blanks trimmed first") << " \t Rossi  " << 8 << QByteArray("\x05Rossi\0\0\0", 9);
    QTest::newRow("exactly the capacity") << "Bianchi" << 7 << QByteArray("\x07" "Bianchi");
    QTest::newRow("cut to the capacity") << "Bianchissimo" << 7 << QByteArray("\x07" "Bianchi");
    QTest::newRow("trimmed, then cut") << "  abcd efgh" << 5 << QByteArray("\x05" "abcd ");
    QTest::newRow("accented Italian letters") << QStringLiteral(u"Forlì Cantù") << 12 << QByteArray("\x0B"
                                                            "Forl\xEC Cant\xF9\0", 13);
    QTest::newRow("no Windows-1252 form") << QStringLiteral(u"Ωmega 😀") << 8 << QByteArray("\x07?mega ?\0", 9);
    QTest::newRow("full 255") << QString(300, QLatin1Char('x')) << 255 << QByteArray(1, '\xFF') + QByteArray(255, 'x');
    // clang-format on
}

void tst_RecordLayout::encodeField()
{
    QFETCH(QString, value);
    QFETCH(int, capacity);
    QFETCH(QByteArray, field);
    QByteArray buffer(capacity + 2, '\xFF');
    tavorel::encodeField(buffer.data(), value, capacity);
    QCOMPARE(buffer.left(capacity + 1), field);
    QCOMPARE(buffer.back(), '\xFF');
}

// The field is followed by "NEXT", the start of the next field, which must never be read.
void tst_RecordLayout::decodeField_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QString>("value");

    QTest::newRow("bytes after the length ignored") << QByteArray("\x05RossiXYZ") << 8 << "Rossi";
    QTest::newRow("length 0 over old text") << QByteArray("\x00RossiXYZ", 9) << 8 << "";
    QTest::newRow("blanks trimmed") << QByteArray("\x08 \tRossi ") << 8 << "Rossi";
    QTest::newRow("length beyond capacity clamped") << QByteArray("\xC8" "01234567") << 8 << "01234567";
    QTest::newRow("length 255 on a short field") << QByteArray("\xFF" "ab") << 2 << "ab";
    QTest::newRow("Windows-1252 text") << QByteArray("\x07" "Niccol\xF2\x80") << 8 << QStringLiteral(u"Niccolò");
    QTest::newRow("euro and quotes") << QByteArray("\x04\x80\x93x\x94\0\0\0\0", 9) << 8 << QStringLiteral(u"€“x”");
    // clang-format on
}

void tst_RecordLayout::decodeField()
{
    QFETCH(QByteArray, field);
    QFETCH(int, capacity);
    QFETCH(QString, value);
    QCOMPARE(field.size(), capacity + 1);
    const QByteArray buffer = field + "NEXT";
    QCOMPARE(tavorel::decodeField(buffer.constData(), capacity), value);
}

void tst_RecordLayout::shortBufferReadsEmpty()
{
    QVERIFY(decodeRecord<TSchedaRicevuta>(QByteArray()) == TSchedaRicevuta{});
    const TSchedaIscritto member = decodeRecord<TSchedaIscritto>(QByteArray("\x05Rossi\x01M"));
    QCOMPARE(member.Tiratore, QStringLiteral("Rossi"));
    QCOMPARE(member.Sesso, QString()); // it lies beyond the bytes given
}

QTEST_APPLESS_MAIN(tst_RecordLayout)
#include "tst_RecordLayout.moc"
