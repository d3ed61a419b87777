#include "rules/FiscalCode.h"
#include "rules/FiscalCodePerson.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"

#include <QTest>

using namespace tavorel;
using namespace Qt::StringLiterals;

class tst_FiscalCodePerson : public QObject {
    Q_OBJECT

private slots:
    void compute_data();
    void compute();
    void computeNeedsMending_data();
    void computeNeedsMending();
    void split_data();
    void split();
    void omocodia_data();
    void omocodia();
    void notAFiscalCode_data();
    void notAFiscalCode();
    void compareMember_data();
    void compareMember();
    void comparePayer_data();
    void comparePayer();
};

namespace {

TSchedaIscritto member(const QString& tiratore, const QString& sesso, const QString& dataNasc, const QString& luogoNasc,
                       const QString& codFisc = {})
{
    TSchedaIscritto m;
    m.Tiratore = tiratore;
    m.Sesso = sesso;
    m.DataNasc = dataNasc;
    m.LuogoNasc = luogoNasc;
    m.CodFisc = codFisc;
    return m;
}

} // namespace

// The expected codes were computed by outside fiscal-code libraries, except where a municipality's code
// changed after the birth: the code is the one the place had on the day of birth.
void tst_FiscalCodePerson::compute_data()
{
    QTest::addColumn<QString>("tiratore");
    QTest::addColumn<QString>("sesso");
    QTest::addColumn<QString>("dataNasc");
    QTest::addColumn<QString>("luogoNasc");
    QTest::addColumn<QString>("code");
    QTest::newRow("born in Italy") << u"Rossi Mario"_s << u"M"_s << u"10/12/1985"_s << u"San Giuliano Terme (PI)"_s
                                   << u"RSSMRA85T10A562S"_s;
    QTest::newRow("born in Rome") << u"Rossi Mario"_s << u"M"_s << u"01/01/1980"_s << u"Roma"_s
                                  << u"RSSMRA80A01H501U"_s;
    QTest::newRow("name of two consonants")
        << u"Verdi Gino"_s << u"M"_s << u"1/1/1980"_s << u"TORINO"_s << u"VRDGNI80A01L219W"_s;
    QTest::newRow("woman: day + 40") << u"Bianchi Giulia"_s << u"F"_s << u"03/12/1980"_s << u"FORLI' FC"_s
                                     << u"BNCGLI80T43D704F"_s;
    QTest::newRow("woman on the 31st") << u"Fo Ada"_s << u"f"_s << u"31/05/1961"_s << u"Napoli"_s
                                       << u"FOXDAA61E71F839G"_s;
    QTest::newRow("born abroad") << u"Müller Hans"_s << u"M"_s << u"15/07/1975"_s << u"Germania"_s
                                 << u"MLLHNS75L15Z112T"_s;
    QTest::newRow("foreign town and its country")
        << u"Dupont Jean"_s << u"M"_s << u"14-07-1989"_s << u"Parigi (Francia)"_s << u"DPNJNE89L14Z110O"_s;
    QTest::newRow("surname and name of two letters")
        << u"Ye Li"_s << u"F"_s << u"09/02/1992"_s << u"Francia"_s << u"YEXLIX92B49Z110Z"_s;
    QTest::newRow("dissolved municipality")
        << u"De Luca Ugo"_s << u"M"_s << u"28/02/1948"_s << u"Lenno (CO)"_s << u"DLCGUO48B28E525Z"_s;
    QTest::newRow("name of six consonants, dissolved province")
        << u"Verdi Gianfranco"_s << u"M"_s << u"05/04/1939"_s << u"Pola"_s << u"VRDGFR39D05G778Z"_s;
    QTest::newRow("apostrophe and accents")
        << u"D'Angelo Niccolò"_s << u"M"_s << u"29/02/2000"_s << u"Milano"_s << u"DNGNCL00B29F205H"_s;
    QTest::newRow("same name, born before the merger")
        << u"Esposito Anna Maria"_s << u"F"_s << u"21/10/1970"_s << u"Bellagio"_s << u"SPSNMR70R61A744S"_s;
    QTest::newRow("same name, born after the merger")
        << u"Conti Luca"_s << u"M"_s << u"06/06/2016"_s << u"Bellagio"_s << u"CNTLCU16H06M335L"_s;
    QTest::newRow("double surname after a comma")
        << u"Bianchi Rossi, Maria"_s << u"F"_s << u"01/01/1980"_s << u"Roma"_s << u"BNCMRA80A41H501E"_s;
}

void tst_FiscalCodePerson::compute()
{
    QFETCH(QString, tiratore);
    QFETCH(QString, sesso);
    QFETCH(QString, dataNasc);
    QFETCH(QString, luogoNasc);
    QFETCH(QString, code);
    const MemberFiscalCode computed = computeMemberFiscalCode(member(tiratore, sesso, dataNasc, luogoNasc));
    QCOMPARE(computed.message, QString());
    QCOMPARE(computed.code, code);
    QVERIFY(computed.ok());
    // The computed code is what the check window accepts and what the save check agrees with.
    QVERIFY(CodiceFiscaleValido(computed.code));
    QCOMPARE(compareMemberFiscalCode(member(tiratore, sesso, dataNasc, luogoNasc, code)).size(), 0);
}

void tst_FiscalCodePerson::computeNeedsMending_data()
{
    QTest::addColumn<QString>("tiratore");
    QTest::addColumn<QString>("sesso");
    QTest::addColumn<QString>("dataNasc");
    QTest::addColumn<QString>("luogoNasc");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("message");
    const QString tiratore = u"Per calcolare il codice fiscale è necessario indicare il cognome e il nome "
                             u"dell'iscritto (prima il cognome, poi il nome)."_s;
    QTest::newRow("no name") << u""_s << u"M"_s << u"01/01/1980"_s << u"Roma"_s << u"Tiratore"_s << tiratore;
    QTest::newRow("surname alone") << u"Rossi"_s << u"M"_s << u"01/01/1980"_s << u"Roma"_s << u"Tiratore"_s << tiratore;
    QTest::newRow("no sex") << u"Rossi Mario"_s << u" "_s << u"01/01/1980"_s << u"Roma"_s << u"Sesso"_s
                            << u"Per calcolare il codice fiscale è necessario indicare il sesso dell'iscritto "
                               u"(M oppure F)."_s;
    const QString date = u"Per calcolare il codice fiscale è necessario indicare la data di nascita "
                         u"dell'iscritto nel formato gg/mm/aaaa."_s;
    QTest::newRow("no date") << u"Rossi Mario"_s << u"M"_s << u""_s << u"Roma"_s << u"DataNasc"_s << date;
    QTest::newRow("no such day") << u"Rossi Mario"_s << u"M"_s << u"29/02/1981"_s << u"Roma"_s << u"DataNasc"_s << date;
    QTest::newRow("year of two digits") << u"Rossi Mario"_s << u"M"_s << u"01/01/80"_s << u"Roma"_s << u"DataNasc"_s
                                        << date;
    QTest::newRow("no place") << u"Rossi Mario"_s << u"M"_s << u"01/01/1980"_s << u""_s << u"LuogoNasc"_s
                              << u"Per calcolare il codice fiscale è necessario indicare il luogo di nascita "
                                 u"dell'iscritto (il comune, oppure lo Stato per chi è nato all'estero)."_s;
    QTest::newRow("unknown place") << u"Rossi Mario"_s << u"M"_s << u"01/01/1980"_s << u"Atlantide"_s << u"LuogoNasc"_s
                                   << u"Attenzione: il luogo di nascita \"Atlantide\" non si trova tra i comuni "
                                      u"italiani, attuali e soppressi, né tra gli Stati esteri.\n\nCorreggere il "
                                      u"luogo di nascita; per chi è nato all'estero indicare lo Stato."_s;
    QTest::newRow("two provinces") << u"Rossi Mario"_s << u"M"_s << u"01/01/1980"_s << u"CASTRO"_s << u"LuogoNasc"_s
                                   << u"Attenzione: il luogo di nascita \"CASTRO\" può indicare più luoghi: Castro "
                                      u"(BG), Castro (LE).\n\nIndicare anche la provincia tra parentesi, ad esempio "
                                      u"\"Castro (BG)\"."_s;
}

void tst_FiscalCodePerson::computeNeedsMending()
{
    QFETCH(QString, tiratore);
    QFETCH(QString, sesso);
    QFETCH(QString, dataNasc);
    QFETCH(QString, luogoNasc);
    const MemberFiscalCode computed = computeMemberFiscalCode(member(tiratore, sesso, dataNasc, luogoNasc));
    QVERIFY(!computed.ok());
    QCOMPARE(computed.code, QString());
    QTEST(computed.field, "field");
    QTEST(computed.message, "message");
}

void tst_FiscalCodePerson::split_data()
{
    QTest::addColumn<QString>("tiratore");
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("name");
    QTest::newRow("two words") << u"Rossi Mario"_s << u"Rossi"_s << u"Mario"_s;
    QTest::newRow("two given names") << u"Rossi Maria Grazia"_s << u"Rossi"_s << u"Maria Grazia"_s;
    QTest::newRow("particle") << u"De Luca Anna Maria"_s << u"De Luca"_s << u"Anna Maria"_s;
    QTest::newRow("two particles") << u"de la Fuente  Pablo"_s << u"de la Fuente"_s << u"Pablo"_s;
    QTest::newRow("particle with apostrophe") << u"Dell' Acqua Niccolò"_s << u"Dell' Acqua"_s << u"Niccolò"_s;
    QTest::newRow("apostrophe inside a word") << u"D'Angelo Marco"_s << u"D'Angelo"_s << u"Marco"_s;
    QTest::newRow("particle, then one word") << u"Di Maria"_s << u"Di"_s << u"Maria"_s;
    QTest::newRow("comma") << u" Bianchi Rossi ,Maria "_s << u"Bianchi Rossi"_s << u"Maria"_s;
    QTest::newRow("tab and no-break space") << u"\tDe\u00A0Luca Ugo"_s << u"De Luca"_s << u"Ugo"_s;
    QTest::newRow("one word") << u"Rossi"_s << u"Rossi"_s << u""_s;
}

void tst_FiscalCodePerson::split()
{
    QFETCH(QString, tiratore);
    const SurnameAndName split = splitSurnameAndName(tiratore);
    QTEST(split.surname, "surname");
    QTEST(split.name, "name");
}

// Omocodia at each position, in the order the agency replaces the digits (from the right); the
// check letters are those the agency's rule gives each variant.
void tst_FiscalCodePerson::omocodia_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("none") << u"RSSMRA85T10A562S"_s;
    QTest::newRow("1") << u"RSSMRA85T10A56NH"_s;
    QTest::newRow("2") << u"RSSMRA85T10A5SNT"_s;
    QTest::newRow("3") << u"RSSMRA85T10ARSNO"_s;
    QTest::newRow("4") << u"RSSMRA85T1LARSNR"_s;
    QTest::newRow("5") << u"RSSMRA85TMLARSNC"_s;
    QTest::newRow("6") << u"RSSMRA8RTMLARSNO"_s;
    QTest::newRow("7") << u"RSSMRAURTMLARSNL"_s;
    QTest::newRow("7, lower case") << u"rssmraurtmlarsnl"_s;
}

void tst_FiscalCodePerson::omocodia()
{
    QFETCH(QString, code);
    const std::optional<FiscalCodeParts> parts = decodeFiscalCode(code);
    QVERIFY(parts);
    QCOMPARE(parts->surname, u"RSS"_s);
    QCOMPARE(parts->name, u"MRA"_s);
    QCOMPARE(parts->year, 85);
    QCOMPARE(parts->month, 12);
    QCOMPARE(parts->day, 10);
    QCOMPARE(parts->sex, QChar(u'M'));
    QCOMPARE(parts->placeCode, u"A562"_s);
    QCOMPARE(fiscalCodeWithoutOmocodia(code), u"RSSMRA85T10A562S"_s);
    QVERIFY(compareMemberFiscalCode(member(u"Rossi Mario"_s, u"M"_s, u"10/12/1985"_s, u"San Giuliano Terme"_s, code))
                .isEmpty());
}

void tst_FiscalCodePerson::notAFiscalCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("VAT number") << u"01234567890"_s;
    QTest::newRow("15 characters") << u"RSSMRA85T10A562"_s;
    QTest::newRow("no such month letter") << u"RSSMRA85F10A562S"_s;
    QTest::newRow("day 32") << u"RSSMRA85T32A562S"_s;
    QTest::newRow("day 40") << u"RSSMRA85T40A562S"_s;
    QTest::newRow("day 72") << u"RSSMRA85T72A562S"_s;
    QTest::newRow("letter that stands for no digit") << u"RSSMRA85T10A5A2S"_s;
    QTest::newRow("digit among the surname letters") << u"RS5MRA85T10A562S"_s;
    QTest::newRow("digit for the place letter") << u"RSSMRA85T1005620"_s;
    QTest::newRow("accented letter") << u"RSSMRÀ85T10A562S"_s;
}

void tst_FiscalCodePerson::notAFiscalCode()
{
    QFETCH(QString, code);
    QVERIFY(!decodeFiscalCode(code));
    QCOMPARE(fiscalCodeWithoutOmocodia(code), QString());
    QCOMPARE(memberFiscalCodeQuestion(member(u"Bianchi Giulia"_s, u"M"_s, u"01/01/1900"_s, u"Roma"_s, code)),
             QString());
}

// Giulia Bianchi, born in Forlì on 3 December 1980: BNCGLI80T43D704F. One field is changed at a time.
void tst_FiscalCodePerson::compareMember_data()
{
    QTest::addColumn<QString>("tiratore");
    QTest::addColumn<QString>("sesso");
    QTest::addColumn<QString>("dataNasc");
    QTest::addColumn<QString>("luogoNasc");
    QTest::addColumn<QString>("codFisc");
    QTest::addColumn<QString>("lines");
    const QString t = u"Bianchi Giulia"_s;
    const QString s = u"F"_s;
    const QString d = u"03/12/1980"_s;
    const QString l = u"Forlì (FC)"_s;
    const QString c = u"BNCGLI80T43D704F"_s;
    QTest::newRow("agrees") << t << s << d << l << c << u""_s;
    QTest::newRow("agrees, code in lower case with blanks") << t << s << d << l << u" bncgli80t43d704f"_s << u""_s;
    QTest::newRow("agrees, omocodia") << t << s << d << l << u"BNCGLI80T43D70QC"_s << u""_s;
    QTest::newRow("agrees, name first") << u"Giulia Bianchi"_s << s << d << l << c << u""_s;
    QTest::newRow("agrees, double surname") << u"Bianchi Rossi Giulia"_s << s << d << l << c << u""_s;
    QTest::newRow("agrees, place typed another way") << t << s << d << u"FORLI'"_s << c << u""_s;
    QTest::newRow("agrees, nothing else typed") << t << u""_s << u""_s << u""_s << c << u""_s;
    QTest::newRow("surname") << u"Bonetti Giulia"_s << s << d << l << c
                             << u"- le lettere del cognome nel codice sono BNC, dal cognome indicato risultano BNT"_s;
    QTest::newRow("name") << u"Bianchi Giuliana"_s << s << d << l << c
                          << u"- le lettere del nome nel codice sono GLI, dal nome indicato risultano GLN"_s;
    QTest::newRow("surname alone") << u"Bonetti"_s << s << d << l << c
                                   << u"- le lettere del cognome nel codice sono BNC, dal cognome indicato "
                                      u"risultano BNT"_s;
    QTest::newRow("mother's code on the child's record")
        << u"Bianchi Luca"_s << u"M"_s << u"14/06/2012"_s << l << c
        << u"- le lettere del nome nel codice sono GLI, dal nome indicato risultano LCU\n"
           u"- la data di nascita nel codice è 03/12/1980\n"
           u"- il sesso nel codice è F (femminile)"_s;
    QTest::newRow("year") << t << s << u"03/12/1981"_s << l << c << u"- la data di nascita nel codice è 03/12/1980"_s;
    QTest::newRow("year typed in the next century")
        << t << s << u"03/12/2001"_s << l << c << u"- la data di nascita nel codice è 03/12/1980"_s;
    QTest::newRow("month") << t << s << u"03/11/1980"_s << l << c << u"- la data di nascita nel codice è 03/12/1980"_s;
    QTest::newRow("day") << t << s << u"13/12/1980"_s << l << c << u"- la data di nascita nel codice è 03/12/1980"_s;
    QTest::newRow("sex") << t << u"M"_s << d << l << c << u"- il sesso nel codice è F (femminile)"_s;
    QTest::newRow("sex, man's code") << u"Rossi Mario"_s << u"F"_s << u"10/12/1985"_s << u"San Giuliano Terme"_s
                                     << u"RSSMRA85T10A562S"_s << u"- il sesso nel codice è M (maschile)"_s;
    QTest::newRow("place") << t << s << d << u"Forlimpopoli"_s << c
                           << u"- il luogo di nascita nel codice è Forlì (FC)"_s;
    QTest::newRow("place, other province")
        << t << s << d << u"Forlì (RM)"_s << c << u"- il luogo di nascita nel codice è Forlì (FC)"_s;
    QTest::newRow("place abroad") << t << s << d << u"Parigi"_s << u"BNCGLI80T43Z110D"_s
                                  << u"- il luogo di nascita nel codice è Francia (Stato estero)"_s;
    QTest::newRow("place code nobody has") << t << s << d << l << u"BNCGLI80T43Z999A"_s
                                           << u"- il luogo di nascita nel codice ha il codice catastale Z999, che "
                                              u"non corrisponde a nessun comune né Stato estero"_s;
    QTest::newRow("date no day: not compared") << t << s << u"31/02/1980"_s << l << c << u""_s;
}

void tst_FiscalCodePerson::compareMember()
{
    QFETCH(QString, tiratore);
    QFETCH(QString, sesso);
    QFETCH(QString, dataNasc);
    QFETCH(QString, luogoNasc);
    QFETCH(QString, codFisc);
    QFETCH(QString, lines);
    const TSchedaIscritto m = member(tiratore, sesso, dataNasc, luogoNasc, codFisc);
    QCOMPARE(fiscalCodeDifferenceLines(compareMemberFiscalCode(m)), lines);
    const QString expected = lines.isEmpty()
                                 ? QString()
                                 : u"Attenzione: il codice fiscale non corrisponde ai dati della scheda:\n"_s + lines +
                                       u"\n\nSalvare comunque la scheda?"_s;
    QCOMPARE(memberFiscalCodeQuestion(m), expected);
}

void tst_FiscalCodePerson::comparePayer_data()
{
    QTest::addColumn<QString>("pagatore");
    QTest::addColumn<QString>("codFisc");
    QTest::addColumn<QString>("question");
    QTest::newRow("agrees") << u"Rossi Mario"_s << u"RSSMRA85T10A562S"_s << u""_s;
    QTest::newRow("agrees, omocodia, name first") << u"MARIO ROSSI"_s << u"RSSMRAURTMLARSNL"_s << u""_s;
    QTest::newRow("VAT number") << u"Circolo Sportivo"_s << u"01234567890"_s << u""_s;
    QTest::newRow("no code") << u"Rossi Mario"_s << u""_s << u""_s;
    QTest::newRow("two letters swapped in the surname")
        << u"Vedri Gino"_s << u"VRDGNI80A01L219W"_s
        << u"Attenzione: il codice fiscale non corrisponde al cognome e nome del pagatore:\n"
           u"- le lettere del cognome nel codice sono VRD, dal cognome indicato risultano VDR\n\n"
           u"Salvare comunque la ricevuta?"_s;
    QTest::newRow("another person")
        << u"Bianchi Giulia"_s << u"RSSMRA85T10A562S"_s
        << u"Attenzione: il codice fiscale non corrisponde al cognome e nome del pagatore:\n"
           u"- le lettere del cognome nel codice sono RSS, dal cognome indicato risultano "
           u"BNC\n- le lettere del nome nel codice sono MRA, dal nome indicato risultano "
           u"GLI\n\nSalvare comunque la ricevuta?"_s;
}

void tst_FiscalCodePerson::comparePayer()
{
    QFETCH(QString, pagatore);
    QFETCH(QString, codFisc);
    TSchedaRicevuta r;
    r.Pagatore = pagatore;
    r.CodFisc = codFisc;
    // The rest of the receipt (the practitioner's date and place of birth) is not the payer's.
    r.DataNasc = u"01/01/2015"_s;
    r.LuogoNasc = u"Torino"_s;
    QTEST(payerFiscalCodeQuestion(r), "question");
}

QTEST_APPLESS_MAIN(tst_FiscalCodePerson)
#include "tst_FiscalCodePerson.moc"
