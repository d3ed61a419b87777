// The checks of the income summary request: their order, their messages with the composed dates,
// and where each sends the focus.
#include "income/IncomeQuery.h"

#include <QTest>

using namespace tavorel;
using Focus = IncomeQuery::Focus;

Q_DECLARE_METATYPE(IncomeQuery::Focus)

class tst_IncomeQuery : public QObject {
    Q_OBJECT
private slots:
    void verifica_data();
    void verifica();
};

void tst_IncomeQuery::verifica_data()
{
    QTest::addColumn<QString>("anno");
    QTest::addColumn<QString>("giornoInizio");
    QTest::addColumn<QString>("meseInizio");
    QTest::addColumn<QString>("giornoFine");
    QTest::addColumn<QString>("meseFine");
    QTest::addColumn<QString>("message"); // empty: the request goes on
    QTest::addColumn<bool>("plain");
    QTest::addColumn<Focus>("focus");
    QTest::addColumn<QString>("dataInizio");
    QTest::addColumn<QString>("dataFine");

    const QString pick = "dall'elenco a cascata.";
    const QString valida = "\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare una data valida.";

    // The year comes first, even with a complete interval.
    QTest::newRow("three-digit year") << "202"
                                      << "01"
                                      << "Marzo"
                                      << "31"
                                      << "Marzo"
                                      << "Attenzione: indicare l'anno solare utilizzando quattro cifre." << false
                                      << Focus::Anno << ""
                                      << "";
    QTest::newRow("empty year") << ""
                                << ""
                                << ""
                                << ""
                                << ""
                                << "Attenzione: indicare l'anno solare utilizzando quattro cifre." << false
                                << Focus::Anno << ""
                                << "";
    // Then the four pickers, start before end, day before month.
    QTest::newRow("nothing picked") << "2024"
                                    << ""
                                    << ""
                                    << ""
                                    << ""
                                    << "Attenzione: indicare il giorno di inizio intervallo selezionandolo " + pick
                                    << false << Focus::GiornoInizio << ""
                                    << "";
    QTest::newRow("start month missing") << "2024"
                                         << "01"
                                         << " "
                                         << ""
                                         << ""
                                         << "Attenzione: indicare il mese di inizio intervallo selezionandolo " + pick
                                         << false << Focus::MeseInizio << ""
                                         << "";
    QTest::newRow("end day missing") << "2024"
                                     << "01"
                                     << "Marzo"
                                     << ""
                                     << "Marzo"
                                     << "Attenzione: indicare il giorno di fine intervallo selezionandolo " + pick
                                     << false << Focus::GiornoFine << ""
                                     << "";
    QTest::newRow("end month missing") << "2024"
                                       << "01"
                                       << "Marzo"
                                       << "31"
                                       << ""
                                       << "Attenzione: indicare il mese di fine intervallo selezionandolo " + pick
                                       << false << Focus::MeseFine << ""
                                       << "";
    // A start that does not exist is reported before the end is even composed.
    QTest::newRow("31 April start") << "2024"
                                    << "31"
                                    << "Aprile"
                                    << "31"
                                    << "Aprile"
                                    << "Attenzione: la data 31/04/2024 di inizio intervallo non esiste." + valida
                                    << true << Focus::GiornoInizio << "31/04/2024"
                                    << "";
    QTest::newRow("29 February common year end")
        << "2023"
        << "01"
        << "Febbraio"
        << "29"
        << "Febbraio"
        << "Attenzione: la data 29/02/2023 di fine intervallo non esiste." + valida << true << Focus::GiornoFine
        << "01/02/2023"
        << "29/02/2023";
    QTest::newRow("end before start")
        << "2024"
        << "10"
        << "Maggio"
        << "09"
        << "Maggio"
        << "Attenzione: la data di fine intervallo (09/05/2024) non può essere anteriore a quella di inizio "
           "intervallo (10/05/2024).\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare un "
           "intervallo di tempo valido."
        << true << Focus::Unchanged << "10/05/2024"
        << "09/05/2024";
    QTest::newRow("29 February leap year") << "2024"
                                           << "29"
                                           << "Febbraio"
                                           << "29"
                                           << "Febbraio"
                                           << "" << false << Focus::Unchanged << "29/02/2024"
                                           << "29/02/2024";
    // The month is looked up lower-cased and trimmed.
    QTest::newRow("month in capitals with blanks") << "2024"
                                                   << "05"
                                                   << " MARZO "
                                                   << "31"
                                                   << "dicembre"
                                                   << "" << false << Focus::Unchanged << "05/03/2024"
                                                   << "31/12/2024";
    QTest::newRow("year 0000 passes the year rule") << "0000"
                                                    << "01"
                                                    << "Gennaio"
                                                    << "31"
                                                    << "Gennaio"
                                                    << "Attenzione: la data 01/01/0000 di inizio intervallo non "
                                                       "esiste." +
                                                           valida
                                                    << true << Focus::GiornoInizio << "01/01/0000"
                                                    << "";
}

void tst_IncomeQuery::verifica()
{
    QFETCH(QString, anno);
    QFETCH(QString, giornoInizio);
    QFETCH(QString, meseInizio);
    QFETCH(QString, giornoFine);
    QFETCH(QString, meseFine);
    QFETCH(QString, message);
    QFETCH(bool, plain);
    QFETCH(Focus, focus);
    QFETCH(QString, dataInizio);
    QFETCH(QString, dataFine);

    const IncomeQuery::Check c = IncomeQuery::verifica({anno, giornoInizio, meseInizio, giornoFine, meseFine});
    QCOMPARE(c.ok, message.isEmpty());
    QCOMPARE(c.message, message);
    QCOMPARE(c.plain, plain);
    QCOMPARE(c.focus, focus);
    QCOMPARE(c.dataInizio, dataInizio);
    QCOMPARE(c.dataFine, dataFine);
}

QTEST_APPLESS_MAIN(tst_IncomeQuery)
#include "tst_IncomeQuery.moc"
