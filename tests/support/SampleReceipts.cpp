#include "support/SampleReceipts.h"

namespace tavorel::test {

TSchedaRicevuta sampleReceipt(const QString& payer)
{
    TSchedaRicevuta r;
    r.NumRic = QStringLiteral("15");
    r.Data = QStringLiteral("05/03/2024");
    r.Importo = QStringLiteral("150");
    r.Cents = QStringLiteral("00");
    r.ImpLettere = QStringLiteral("CENTOCINQUANTA");
    r.CentLettere = QStringLiteral("00");
    r.Intero = QStringLiteral("150,00");
    r.Ricevente01 = QStringLiteral("A.S.D. Circolo Sportivo");
    r.Ricevente02 = QStringLiteral("Via del Porto 3");
    r.Ricevente03 = QStringLiteral("10100 Torino");
    r.Ricevente04 = QStringLiteral("C.F. 97000000000");
    r.Pagatore = payer;
    r.CodFisc = QStringLiteral("RSSMRA80A01H501U");
    r.Sport = QStringLiteral("Nuoto");
    r.Dal = QStringLiteral("01/03/2024");
    r.Al = QStringLiteral("31/03/2024");
    r.Praticante = QStringLiteral("Rossi Luca");
    r.LuogoNasc = QStringLiteral("Torino");
    r.DataNasc = QStringLiteral("12/05/2015");
    r.Indirizzo = QStringLiteral("Via Garibaldi 12, Torino");
    return r;
}

} // namespace tavorel::test
