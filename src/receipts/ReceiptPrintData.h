#pragma once

#include <QString>

namespace tavorel {

// The texts of the receipt editor that the printout shows, as they stand on screen when the user
// prints (saved or not). Each member is named after the editor control it comes from.
struct ReceiptPrintData {
    QString NumRic;
    QString Data;
    QString Ricevente01;
    QString Ricevente02;
    QString Ricevente03;
    QString Ricevente04;
    QString Pagatore;
    QString CodFisc;
    QString Sport;
    QString Dal;
    QString Al;
    QString Praticante;
    QString LuogoNasc;
    QString DataNasc;
    QString Indirizzo;
    QString Importo;
    QString Cents;
    QString ImpLettere;  // label txtImpLettere: the euros in words
    QString CentLettere; // label txtCentLettere: the cents after the "/"
};

} // namespace tavorel
