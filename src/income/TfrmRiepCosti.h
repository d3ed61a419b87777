#pragma once

#include "printing/Report.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace tavorel {

class ListPanel;
class PictureButton;

// The income summary list: one row per receipt of the request, the interval and the total, with
// find and "Stampa riepilogo". Created by the query screen for one request, filled before it is
// shown, run modally and deleted after. It only reads the archive.
class TfrmRiepCosti : public QDialog {
    Q_OBJECT
public:
    // What the query screen hands over: the filters as typed, the composed interval dates and the
    // year's archive.
    struct Richiesta {
        QString pagatore;
        QString sport;
        QString dataInizio;
        QString dataFine;
        QString archivio;
    };

    TfrmRiepCosti(QWidget* owner, const Richiesta& richiesta);

    // Selects the receipts, lists their rows, the interval and the total. False when the archive
    // cannot be opened or read to its end: then nothing is listed and the caller says so.
    bool carica();
    void btnStampaClick();
    void imgGuidaClick();

    // The key of "Trova", remembered from one summary to the next for as long as the program runs.
    static QString& chiaveRicordata();

signals:
    void apriGuida();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    Richiesta richiesta_;
    Report report_;

    QLabel* imgLogo;
    QLabel* imgTitolo;
    QLabel* lblTipologia;
    QLabel* titTipologia;
    PictureButton* imgGuida;
    ListPanel* elenco; // txtTrova, btnTrova and lstRecords
    QLabel* infIntervallo;
    QLabel* lblIntervallo;
    QLabel* infTotKmPercorsi;
    QLabel* lblTotCosti;
    QLabel* lblTotaliPagamento; // the total by way of payment, under the total
    QPushButton* btnStampa;
    QPushButton* btnEsci;
    // Hidden state
    QLabel* lblConta;
    QLabel* lblFile;
};

} // namespace tavorel
