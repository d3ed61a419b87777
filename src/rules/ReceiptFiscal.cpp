#include "rules/ReceiptFiscal.h"

#include "rules/FiscalCode.h"
#include "rules/VatNumber.h"
#include "storage/Messages.h"

namespace tavorel {

DatiFiscali DatiFiscali::predefiniti()
{
    return {Regime::NonIndicato, QString(), kDicituraIvaPredefinita, kEsenteQuotaPredefinita, kEsenteCorsoPredefinita};
}

QStringList regimi()
{
    return {kRegimeNonIndicato, kRegimeAsd, kRegimeAltroEnte};
}

QStringList causali()
{
    return {QString(), kCausaleQuota, kCausaleCorso, kCausaleAltro};
}

QStringList pagamenti()
{
    return {QString(), kPagamentoContanti, kPagamentoBonifico, kPagamentoCarta, kPagamentoAssegno, kPagamentoPagoPa};
}

Tracciabilita tracciabilita(const QString& pagamento)
{
    const QString text = pagamento.trimmed();
    if (text.compare(kPagamentoContanti, Qt::CaseInsensitive) == 0)
        return Tracciabilita::Contanti;
    const QStringList known = pagamenti();
    for (qsizetype i = 2; i < known.size(); ++i) {
        if (text.compare(known[i], Qt::CaseInsensitive) == 0)
            return Tracciabilita::Tracciabile;
    }
    return Tracciabilita::NonIndicato;
}

bool codiceAssociazioneValido(const QString& code)
{
    if (code.isEmpty())
        return true;
    if (code.size() == 11)
        return PartitaIvaValida(code);
    return code.size() == 16 && CodiceFiscaleValido(code);
}

RigheBollo righeBollo(const DatiFiscali& dati, const QString& causale, qint64 cents)
{
    switch (dati.regime) {
    case Regime::NonIndicato:
        return {};
    case Regime::Asd:
        return {false, kBolloEsente,
                causale.trimmed().compare(kCausaleQuota, Qt::CaseInsensitive) == 0 ? dati.esenteQuota
                                                                                   : dati.esenteCorso};
    case Regime::AltroEnte:
        if (cents <= kSogliaBolloCents)
            return {false, kBolloNonDovuto, kBolloSottoSoglia};
        return {};
    }
    return {};
}

QString rigaPagamento(const QString& causale, const QString& pagamento, const QString& dataPag,
                      const QString& dataRicevuta, const QString& rifPag)
{
    QStringList parti;
    if (!causale.trimmed().isEmpty())
        parti.append(kRigaCausale.arg(causale.trimmed()));
    if (!pagamento.trimmed().isEmpty()) {
        QString riga = kRigaPagamento.arg(pagamento.trimmed());
        const QString data = dataPag.trimmed().isEmpty() ? dataRicevuta.trimmed() : dataPag.trimmed();
        if (!data.isEmpty())
            riga += QLatin1Char(' ') + kRigaPagamentoDel.arg(data);
        if (!rifPag.trimmed().isEmpty())
            riga += QLatin1Char(' ') + kRigaPagamentoRif.arg(rifPag.trimmed());
        parti.append(riga);
    }
    return parti.join(QStringLiteral(" - "));
}

bool etaDetrazioneSport(const QDate& nascita, const QDate& day)
{
    if (!nascita.isValid() || !day.isValid())
        return false;
    return day >= nascita.addYears(5) && day < nascita.addYears(19);
}

} // namespace tavorel
