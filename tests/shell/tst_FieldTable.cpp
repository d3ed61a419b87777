// The field-table engine on a small record of its own, for what the receipt editor's table does not
// use: a beige resting colour, an Enter successor out of table order, initial texts, a hidden label,
// clearing with kept fields, and the compile-time check of a table against its record.
#include "shell/Colors.h"
#include "shell/FieldTable.h"
#include "shell/FocusHighlight.h"
#include "storage/RecordLayout.h"

#include <QApplication>
#include <QTest>

#include <array>

using namespace tavorel;

namespace {

struct Scheda {
    QString Nome;
    QString Quota;
    QString Scadenza;
    QString Nota;

    bool operator==(const Scheda&) const = default;
    static constexpr const std::array<RecordField<Scheda>, 4>& fields();
};

inline constexpr std::array<RecordField<Scheda>, 4> kSchedaFields{{
    {"Nome", &Scheda::Nome, 20},
    {"Quota", &Scheda::Quota, 8},
    {"Scadenza", &Scheda::Scadenza, 10},
    {"Nota", &Scheda::Nota, 30},
}};

constexpr const std::array<RecordField<Scheda>, 4>& Scheda::fields()
{
    return kSchedaFields;
}

using S = Scheda;

const QString kMancaNome = QStringLiteral("manca il nome");
const QString kMancaQuota = QStringLiteral("manca la quota");

constexpr FieldRow<S> kRows[] = {
    {.name = u"txtNome",
     .member = &S::Nome,
     .label = u"Nome:",
     .required = &kMancaNome,
     .resting = Resting::Beige,
     .next = u"txtScadenza"},
    {.name = u"txtQuota",
     .member = &S::Quota,
     .required = &kMancaQuota,
     .filter = KeyFilter::DigitsComma,
     .alignment = Qt::AlignRight | Qt::AlignVCenter,
     .initial = u"0,00"},
    {.name = u"txtScadenza",
     .member = &S::Scadenza,
     .existingDate = true,
     .filter = KeyFilter::DatePicker,
     .pickerTag = u"scadenza"},
};

constexpr LabelRow<S> kLabels[] = {
    {.name = u"lblNota", .member = &S::Nota, .hidden = true},
};

static_assert(FieldTable<S>::fits(kRows, kLabels));
// A record field left out, or mapped twice.
static_assert(!FieldTable<S>::fits(kRows));
constexpr LabelRow<S> kTwice[] = {{.name = u"lblNota", .member = &S::Nota}, {.name = u"lblNome", .member = &S::Nome}};
static_assert(!FieldTable<S>::fits(kRows, kTwice));
// Enter to a field that is not in the table.
constexpr FieldRow<S> kLostEnter[] = {
    {.name = u"txtNome", .member = &S::Nome, .next = u"txtNom"},
    {.name = u"txtQuota", .member = &S::Quota},
    {.name = u"txtScadenza", .member = &S::Scadenza, .filter = KeyFilter::DatePicker, .pickerTag = u"scadenza"},
};
static_assert(!FieldTable<S>::fits(kLostEnter, kLabels));
// A date field without its picker tag.
constexpr FieldRow<S> kNoTag[] = {
    {.name = u"txtNome", .member = &S::Nome},
    {.name = u"txtQuota", .member = &S::Quota},
    {.name = u"txtScadenza", .member = &S::Scadenza, .filter = KeyFilter::DatePicker},
};
static_assert(!FieldTable<S>::fits(kNoTag, kLabels));

struct Screen {
    QWidget panel;
    FieldTable<S> table{&panel, kRows, kLabels};

    void showActive()
    {
        panel.show();
        panel.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&panel));
    }
};

} // namespace

Q_DECLARE_METATYPE(Scheda)

class tst_FieldTable : public QObject {
    Q_OBJECT
private slots:
    void buildsFromTheTable();
    void enterFollowsTheTable();
    void recordAndClearing();
    void firstMissing_data();
    void firstMissing();
};

void tst_FieldTable::buildsFromTheTable()
{
    Screen s;
    s.showActive();
    QStringList names;
    for (QLineEdit* f : s.table.fields())
        names.append(f->objectName());
    QCOMPARE(names, (QStringList{"txtNome", "txtQuota", "txtScadenza"}));
    // Maximum lengths are the record's capacities.
    QCOMPARE(s.table.field(&S::Nome)->maxLength(), 20);
    QCOMPARE(s.table.field(&S::Quota)->maxLength(), 8);
    QCOMPARE(s.table.field(&S::Scadenza)->maxLength(), 10);
    QCOMPARE(s.table.field(&S::Quota)->text(), QStringLiteral("0,00"));
    QVERIFY(s.table.field(&S::Scadenza)->isReadOnly());
    QCOMPARE(FieldKeys::of(s.table.field(&S::Quota))->filter(), KeyFilter::DigitsComma);

    QLabel* title = s.table.titleOf(s.table.field(&S::Nome));
    QVERIFY(title);
    QCOMPARE(title->objectName(), QStringLiteral("titNome"));
    QCOMPARE(title->text(), QStringLiteral("Nome:"));
    QCOMPARE(title->buddy(), s.table.field(&S::Nome));
    QVERIFY(!s.table.titleOf(s.table.field(&S::Quota)));

    QVERIFY(s.table.label(&S::Nota));
    QVERIFY(!s.table.label(&S::Nota)->isVisible());
    QCOMPARE(s.panel.findChild<QLabel*>(QStringLiteral("lblNota")), s.table.label(&S::Nota));

    s.table.field(&S::Quota)->setFocus();
    QTRY_COMPARE(FocusHighlight::fill(s.table.field(&S::Quota)), colors::kYellow);
    QCOMPARE(FocusHighlight::fill(s.table.field(&S::Nome)), colors::kBeige);
    QCOMPARE(FocusHighlight::fill(s.table.field(&S::Scadenza)), colors::kAliceBlue);
}

void tst_FieldTable::enterFollowsTheTable()
{
    Screen s;
    s.showActive();
    // The name skips to the date, which as the last row leads back to the name; the fee follows
    // the table.
    const QList<QPair<QString, QString>> moves{
        {"txtNome", "txtScadenza"}, {"txtScadenza", "txtNome"}, {"txtQuota", "txtScadenza"}};
    for (const auto& [from, to] : moves) {
        QLineEdit* f = s.table.field(from);
        f->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), f);
        QTest::keyClick(f, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
    }
}

void tst_FieldTable::recordAndClearing()
{
    Screen s;
    const Scheda r{QStringLiteral("Rossi Mario"), QStringLiteral("35,00"), QStringLiteral("31/12/2026"),
                   QStringLiteral("allegato.pdf")};
    s.table.show(r);
    QCOMPARE(s.table.field(&S::Nome)->text(), r.Nome);
    QCOMPARE(s.table.label(&S::Nota)->text(), r.Nota);
    QCOMPARE(s.table.record(), r);

    s.table.clear({&S::Nome, &S::Nota});
    QCOMPARE(s.table.record(), (Scheda{r.Nome, QStringLiteral("0,00"), QString(), r.Nota}));
    s.table.clear();
    QCOMPARE(s.table.record(), (Scheda{QString(), QStringLiteral("0,00"), QString(), QString()}));
}

void tst_FieldTable::firstMissing_data()
{
    QTest::addColumn<Scheda>("record");
    QTest::addColumn<QString>("field"); // empty: nothing stops the save
    QTest::addColumn<QString>("warning");

    const QString date = QStringLiteral("Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda "
                                        "è necessario indicare una data valida nel formato gg/mm/anno.");
    QTest::newRow("complete") << Scheda{"Rossi", "35,00", "29/02/2028", ""} << ""
                              << "";
    QTest::newRow("blanks are empty") << Scheda{" \t", "35,00", "29/02/2028", ""} << "txtNome"
                                      << "manca il nome";
    QTest::newRow("first in table order") << Scheda{"", "", "", ""} << "txtNome"
                                          << "manca il nome";
    QTest::newRow("fee") << Scheda{"Rossi", "", "", ""} << "txtQuota"
                         << "manca la quota";
    QTest::newRow("date that does not exist") << Scheda{"Rossi", "35,00", "29/02/2027", ""} << "txtScadenza" << date;
    QTest::newRow("a date not required may be left empty") << Scheda{"Rossi", "35,00", " ", ""} << ""
                                                           << "";
}

void tst_FieldTable::firstMissing()
{
    QFETCH(Scheda, record);
    QFETCH(QString, field);
    QFETCH(QString, warning);
    Screen s;
    s.table.show(record);
    const std::optional<MissingField> missing = s.table.firstMissing();
    if (field.isEmpty()) {
        QVERIFY(!missing);
        return;
    }
    QVERIFY(missing);
    QCOMPARE(missing->field->objectName(), field);
    QCOMPARE(missing->warning, warning);
}

QTEST_MAIN(tst_FieldTable)
#include "tst_FieldTable.moc"
