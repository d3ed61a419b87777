// The help texts: each topic's paragraphs in order, and the overview made of the topics' own
// paragraphs so the two cannot drift apart.
#include "help/HelpTexts.h"

#include <QTest>

using namespace tavorel;

Q_DECLARE_METATYPE(tavorel::HelpTopic)

class tst_HelpTexts : public QObject {
    Q_OBJECT
private slots:
    void paragraphsOpenAsWritten_data();
    void paragraphsOpenAsWritten();
    void overviewIsMadeOfTheTopics();
};

void tst_HelpTexts::paragraphsOpenAsWritten_data()
{
    QTest::addColumn<HelpTopic>("topic");
    QTest::addColumn<QStringList>("openings");
    QTest::newRow("member archive")
        << HelpTopic::ArchivioIscritti
        << QStringList{
               "L'app Archivio Iscritti è uno schedario",      "L'archivio degli iscritti può quindi essere usato",
               "Per inserire una scheda in archivio",          "Il pulsante Duplica è utile",
               "Per inserire la foto del tesserato",           "E' possibile visualizzare la foto a tutto schermo",
               "Per trovare le schede degli abbonati",         "Il pulsante contraddistinto dall'icona dell'orologio",
               "Entrambi gli elenchi possono mostrare anche",  "Il pulsante \"Scrivi a tutti\" apre il programma",
               "La funzione Allega file consente di abbinare", "La scheda di ogni singolo abbonato"};
    QTest::newRow("receipts") << HelpTopic::StampaRicevute
                              << QStringList{"L'app Stampa Ricevute permette la compilazione",
                                             "La compilazione delle ricevute è facilitata",
                                             "E' possibile utilizzare un logo personalizzato",
                                             "L'app presenta uno spazio riservato",
                                             "Le informazioni riguardanti il beneficiario",
                                             "Per inserire una nuova ricevuta in archivio",
                                             "Quando si preme il pulsante Nuovo",
                                             "Per modificare una ricevuta in archivio",
                                             "Il pulsante Duplica risulta utile",
                                             "La funzione Trova permette di ottenere",
                                             "Ogni singola ricevuta può essere visualizzata",
                                             "Sotto l'importo in lettere si indicano la causale",
                                             "Il pulsante \"Dati fiscali\" della schermata"};
    QTest::newRow("income summary") << HelpTopic::RiepilogoIncassi
                                    << QStringList{"L'app Riepilogo Incassi consente di ottenere",
                                                   "Per ottenere il riepilogo degli incassi percepiti",
                                                   "L'estratto conto che si ottiene",
                                                   "Per ottenere il riepilogo di tutti gli importi"};
    const QStringList exportOpenings{"Il pulsante Esporta archivio consente di esportare",
                                     "Dopo aver aperto la finestra contenente la griglia dei dati",
                                     "A questo punto è sufficiente salvare il file"};
    QTest::newRow("receipt export") << HelpTopic::EsportaRicevute << exportOpenings;
    QTest::newRow("member export") << HelpTopic::EsportaIscritti << exportOpenings;
}

void tst_HelpTexts::paragraphsOpenAsWritten()
{
    QFETCH(HelpTopic, topic);
    QFETCH(QStringList, openings);
    const QStringList paragraphs = helpParagraphs(topic);
    QCOMPARE(paragraphs.size(), openings.size());
    for (int i = 0; i < openings.size(); ++i)
        QVERIFY2(paragraphs[i].startsWith(openings[i]), qPrintable(paragraphs[i]));
    // One empty line between paragraphs, nothing before the first or after the last.
    const QString text = helpText(topic);
    QCOMPARE(text, paragraphs.join(QStringLiteral("\r\n\r\n")));
    QVERIFY(!text.endsWith(QLatin1Char('\n')));
    QVERIFY(!text.contains(QStringLiteral("\r\n\r\n\r\n")));
}

void tst_HelpTexts::overviewIsMadeOfTheTopics()
{
    const QStringList overview = helpParagraphs(HelpTopic::Panoramica);
    QCOMPARE(overview.size(), 36);
    QVERIFY(overview[0].startsWith(QStringLiteral("Tavorel è un software rivolto alle associazioni sportive "
                                                  "dilettantistiche")));

    // The member archive's first paragraph in two halves, the second opening on the photo.
    const QStringList members = helpParagraphs(HelpTopic::ArchivioIscritti);
    QVERIFY(overview[2].startsWith(QStringLiteral("Ciascuna scheda può essere corredata")));
    QCOMPARE(overview[1] + QLatin1Char(' ') + overview[2], members[0]);

    const QStringList taken =
        members.mid(1) + helpParagraphs(HelpTopic::StampaRicevute) + helpParagraphs(HelpTopic::RiepilogoIncassi);
    QCOMPARE(taken.size(), 28);
    QCOMPARE(overview.mid(3, 28), taken);

    QVERIFY(overview[31].startsWith(QStringLiteral("All'apertura del programma, sotto le tre app")));
    QCOMPARE(overview[32], QStringLiteral("Il software funziona anche in una rete locale se si ha necessità di "
                                          "condividere gli archivi fra più postazioni di lavoro."));
    QVERIFY(overview[33].startsWith(QStringLiteral("Tavorel può essere utilizzato anche su chiavetta USB")));
    QVERIFY(overview[34].startsWith(QStringLiteral("L'accesso al software è protetto da una password")));
    QVERIFY(overview[34].contains(QStringLiteral("lampadariovero")));
    QVERIFY(overview[35].startsWith(QStringLiteral("Tavorel è quindi lo strumento ideale")));
}

QTEST_GUILESS_MAIN(tst_HelpTexts)
#include "tst_HelpTexts.moc"
