#include "income/IncomeQuery.h"

#include "rules/FieldRules.h"
#include "rules/TextRules.h"
#include "storage/Messages.h"

namespace tavorel {

namespace {

const QStringList kMesi{
    QStringLiteral("Gennaio"),   QStringLiteral("Febbraio"), QStringLiteral("Marzo"),    QStringLiteral("Aprile"),
    QStringLiteral("Maggio"),    QStringLiteral("Giugno"),   QStringLiteral("Luglio"),   QStringLiteral("Agosto"),
    QStringLiteral("Settembre"), QStringLiteral("Ottobre"),  QStringLiteral("Novembre"), QStringLiteral("Dicembre"),
};

// 1 to 12 for a month's name in any letter case with blanks around it, else 0.
int numeroMese(const QString& text)
{
    const QString key = MinuscoleAZ(TrimSpazi(text));
    for (int i = 0; i < kMesi.size(); ++i) {
        if (key == MinuscoleAZ(kMesi[i]))
            return i + 1;
    }
    return 0;
}

IncomeQuery::Check fallita(const QString& message, bool plain, IncomeQuery::Focus focus)
{
    IncomeQuery::Check c;
    c.message = message;
    c.plain = plain;
    c.focus = focus;
    return c;
}

} // namespace

QStringList IncomeQuery::giorni()
{
    QStringList days;
    for (int d = 1; d <= 31; ++d)
        days.append(QStringLiteral("%1").arg(d, 2, 10, QLatin1Char('0')));
    return days;
}

QStringList IncomeQuery::mesi()
{
    return kMesi;
}

QString IncomeQuery::giornoValido(const QString& text)
{
    const QString t = TrimSpazi(text);
    return giorni().contains(t) ? t : QString();
}

bool IncomeQuery::meseValido(const QString& text)
{
    return numeroMese(text) != 0;
}

QString IncomeQuery::componiData(const QString& giorno, const QString& mese, const QString& anno)
{
    const int m = numeroMese(mese);
    const QString piece = m ? QStringLiteral("/%1/").arg(m, 2, 10, QLatin1Char('0')) : QString();
    return TrimSpazi(giorno) + piece + TrimSpazi(anno);
}

IncomeQuery::Check IncomeQuery::verifica(const IncomeQueryFields& f)
{
    if (!AnnoQuattroCifre(f.anno))
        return fallita(kMsgAnnoQuattroCifre, false, Focus::Anno);
    if (TrimSpazi(f.giornoInizio).isEmpty())
        return fallita(kMsgGiornoInizioMancante, false, Focus::GiornoInizio);
    if (TrimSpazi(f.meseInizio).isEmpty())
        return fallita(kMsgMeseInizioMancante, false, Focus::MeseInizio);
    if (TrimSpazi(f.giornoFine).isEmpty())
        return fallita(kMsgGiornoFineMancante, false, Focus::GiornoFine);
    if (TrimSpazi(f.meseFine).isEmpty())
        return fallita(kMsgMeseFineMancante, false, Focus::MeseFine);

    Check c;
    c.dataInizio = componiData(f.giornoInizio, f.meseInizio, f.anno);
    const QDate inizio = DataDaTesto(c.dataInizio);
    if (!inizio.isValid()) {
        c.message = kMsgDataInizioInesistente.arg(c.dataInizio);
        c.plain = true;
        c.focus = Focus::GiornoInizio;
        return c;
    }
    c.dataFine = componiData(f.giornoFine, f.meseFine, f.anno);
    const QDate fine = DataDaTesto(c.dataFine);
    if (!fine.isValid()) {
        c.message = kMsgDataFineInesistente.arg(c.dataFine);
        c.plain = true;
        c.focus = Focus::GiornoFine;
        return c;
    }
    if (inizio > fine) {
        c.message = kMsgFineAnteriore.arg(c.dataFine, c.dataInizio);
        c.plain = true;
        c.focus = Focus::Unchanged;
        return c;
    }
    c.ok = true;
    return c;
}

} // namespace tavorel
