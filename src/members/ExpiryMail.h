#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace tavorel {

// The reminder that the expiry lists write to the members they list ("Scrivi a tutti"): one message
// in the member's e-mail program, every address in Bcc so that nobody sees the others', split
// into several messages when the addresses would make a mailto: longer than mail programs take.
class ExpiryMail {
public:
    enum class Oggetto { Certificato, Tessera };

    // A listed member, as the reminder needs it.
    struct Iscritto {
        QString nome;
        QString email;
        QString tel;
        QString cel;
        QDate scadenza;
    };

    // Desktop mail programs cut or refuse longer mailto: addresses.
    static constexpr int kLunghezzaMassima = 2000;

    // What "Scrivi a tutti" opens: the mailto: addresses, each shorter than `massimo`, and the
    // members who have no address, as "name (tel. ..., cel. ...)", for the secretary to phone.
    struct Messaggi {
        QStringList mailto;
        QStringList senzaIndirizzo;
        int destinatari = 0; // addresses written to, each once
    };
    static Messaggi prepara(Oggetto oggetto, const QList<Iscritto>& iscritti, const QDate& today,
                            int massimo = kLunghezzaMassima);

    static QString oggetto(Oggetto oggetto);
    // The body of a message to `iscritti` (all of one message): the expiry date when it is for one
    // member, a word for all of them otherwise.
    static QString testo(Oggetto oggetto, const QList<Iscritto>& iscritti, const QDate& today);
    // Whether the member's e-mail field holds an address to write to.
    static bool haIndirizzo(const QString& email);
};

} // namespace tavorel
