#include "members/ExpiryMail.h"

#include "storage/Trim.h"

#include <QHash>
#include <QUrl>

namespace tavorel {

namespace {

QString codificato(const QString& text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

// One address of the Bcc list: encoded whole but for the "@", so that a "?", "&" or "," a member's
// field may hold cannot add a header or a recipient of its own.
QString indirizzoCodificato(const QString& email)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(email, "@"));
}

struct Gruppo {
    QString indirizzo;
    QList<ExpiryMail::Iscritto> iscritti; // who share the address (a parent of two children)
};

QString mailto(ExpiryMail::Oggetto oggetto, const QList<const Gruppo*>& gruppi, const QDate& today)
{
    QStringList bcc;
    QList<ExpiryMail::Iscritto> iscritti;
    for (const Gruppo* g : gruppi) {
        bcc << indirizzoCodificato(g->indirizzo);
        iscritti += g->iscritti;
    }
    return QStringLiteral("mailto:?bcc=") + bcc.join(QLatin1Char(',')) + QStringLiteral("&subject=") +
           codificato(ExpiryMail::oggetto(oggetto)) + QStringLiteral("&body=") +
           codificato(ExpiryMail::testo(oggetto, iscritti, today));
}

QString perTelefono(const ExpiryMail::Iscritto& m)
{
    QStringList numeri;
    if (!m.tel.isEmpty())
        numeri << QStringLiteral("tel. ") + m.tel;
    if (!m.cel.isEmpty())
        numeri << QStringLiteral("cel. ") + m.cel;
    if (numeri.isEmpty())
        return m.nome + QStringLiteral(" (nessun numero di telefono in archivio)");
    return m.nome + QStringLiteral(" (") + numeri.join(QStringLiteral(", ")) + QLatin1Char(')');
}

} // namespace

bool ExpiryMail::haIndirizzo(const QString& email)
{
    const QString e = TrimSpazi(email);
    const qsizetype at = e.indexOf(QLatin1Char('@'));
    return at > 0 && at < e.size() - 1;
}

QString ExpiryMail::oggetto(Oggetto oggetto)
{
    return oggetto == Oggetto::Certificato ? QStringLiteral("Rinnovo del certificato medico")
                                           : QStringLiteral("Rinnovo della tessera");
}

QString ExpiryMail::testo(Oggetto oggetto, const QList<Iscritto>& iscritti, const QDate& today)
{
    const bool certificato = oggetto == Oggetto::Certificato;
    QString stato;
    if (iscritti.size() == 1) {
        const QDate scadenza = iscritti.front().scadenza;
        const QString data = scadenza.toString(QStringLiteral("dd/MM/yyyy"));
        if (scadenza < today)
            stato = (certificato ? QStringLiteral("è scaduto il ") : QStringLiteral("è scaduta il ")) + data;
        else if (scadenza == today)
            stato = QStringLiteral("scade oggi, ") + data;
        else
            stato = QStringLiteral("scade il ") + data;
    } else {
        bool scaduti = false;
        bool inScadenza = false;
        for (const Iscritto& m : iscritti)
            (m.scadenza < today ? scaduti : inScadenza) = true;
        const QString scaduto = certificato ? QStringLiteral("è scaduto") : QStringLiteral("è scaduta");
        if (scaduti && inScadenza)
            stato = scaduto + QStringLiteral(" o sta per scadere");
        else
            stato = scaduti ? scaduto : QStringLiteral("sta per scadere");
    }
    const QString cosa = certificato ? QStringLiteral("il Suo certificato medico per l'attività sportiva")
                                     : QStringLiteral("la Sua tessera associativa");
    const QString richiesta =
        certificato ? QStringLiteral("Senza un certificato valido non è possibile partecipare agli allenamenti: "
                                     "La preghiamo di consegnare in segreteria il certificato rinnovato.")
                    : QStringLiteral("La preghiamo di passare in segreteria per il rinnovo.");
    return QStringLiteral("Gentile socia, gentile socio,\r\n\r\nLe ricordiamo che ") + cosa + QLatin1Char(' ') + stato +
           QStringLiteral(".\r\n") + richiesta +
           QStringLiteral("\r\n\r\nLa ringraziamo e La salutiamo cordialmente.\r\nLa segreteria");
}

ExpiryMail::Messaggi ExpiryMail::prepara(Oggetto oggetto, const QList<Iscritto>& iscritti, const QDate& today,
                                         int massimo)
{
    Messaggi out;
    // One place in the Bcc for each address, in list order, whatever the case it was typed in.
    QList<Gruppo> gruppi;
    QHash<QString, qsizetype> gruppoDi;
    for (const Iscritto& m : iscritti) {
        if (!haIndirizzo(m.email)) {
            out.senzaIndirizzo << perTelefono(m);
            continue;
        }
        const QString indirizzo = TrimSpazi(m.email);
        const QString chiave = indirizzo.toLower();
        auto it = gruppoDi.find(chiave);
        if (it == gruppoDi.end()) {
            it = gruppoDi.insert(chiave, gruppi.size());
            gruppi.append({indirizzo, {}});
        }
        gruppi[*it].iscritti.append(m);
    }
    out.destinatari = int(gruppi.size());

    // As many addresses in each message as fit; an address that alone would not fit still gets its
    // message, since it cannot be made shorter.
    QList<const Gruppo*> messaggio;
    QString ultimo;
    for (const Gruppo& g : gruppi) {
        messaggio.append(&g);
        const QString link = mailto(oggetto, messaggio, today);
        if (link.size() < massimo || messaggio.size() == 1) {
            ultimo = link;
            continue;
        }
        out.mailto << ultimo;
        messaggio = {&g};
        ultimo = mailto(oggetto, messaggio, today);
    }
    if (!messaggio.isEmpty())
        out.mailto << ultimo;
    return out;
}

} // namespace tavorel
