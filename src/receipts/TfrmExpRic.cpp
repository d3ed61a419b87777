#include "receipts/TfrmExpRic.h"

#include "storage/Archives.h"
#include "storage/RecordFile.h"
#include "storage/TSchedaRicevuta.h"

namespace tavorel {

namespace {

using R = TSchedaRicevuta;

struct Colonna {
    ExportColumn column;
    QString R::*field; // null for the record number
};

// Grid columns in order; the file takes every column but the record number, with its own titles
// and widths.
const QList<Colonna>& colonne()
{
    static const QList<Colonna> table = {
        {{"colNum", QStringLiteral("N."), 60, true, {}, 0}, nullptr},
        {{"colNumRic", QStringLiteral("Ricevuta n."), 150, true, QStringLiteral("Ricevuta n."), 200}, &R::NumRic},
        {{"colData", QStringLiteral("Data emissione"), 120, true, QStringLiteral("Data emissione"), 200}, &R::Data},
        {{"colPagatore", QStringLiteral("Pagatore"), 250, true, QStringLiteral("Pagatore"), 300}, &R::Pagatore},
        {{"colCodFisc", QStringLiteral("Codice fiscale"), 180, true, QStringLiteral("Codice fiscale"), 200},
         &R::CodFisc},
        {{"colSport", QStringLiteral("Attività sportiva"), 300, false, QStringLiteral("Attività sportiva"), 400},
         &R::Sport},
        {{"colDal", QStringLiteral("Inizio periodo"), 180, true, QStringLiteral("Inizio periodo"), 200}, &R::Dal},
        {{"colAl", QStringLiteral("Fine periodo"), 180, false, QStringLiteral("Fine periodo"), 200}, &R::Al},
        {{"colPraticante", QStringLiteral("Praticante"), 250, false, QStringLiteral("Praticante"), 300},
         &R::Praticante},
        {{"colLuogoNasc", QStringLiteral("Luogo di nascita"), 250, false, QStringLiteral("Luogo di nascita"), 350},
         &R::LuogoNasc},
        {{"colDataNasc", QStringLiteral("Data di nascita"), 180, false, QStringLiteral("Data di nascita"), 200},
         &R::DataNasc},
        {{"colIndirizzo", QStringLiteral("Indirizzo"), 350, false, QStringLiteral("Indirizzo di residenza"), 400},
         &R::Indirizzo},
        {{"colIntero", QStringLiteral("Totale: €"), 180, false, QStringLiteral("Totale: €"), 200}, &R::Intero},
    };
    return table;
}

QList<ExportColumn> colonneGriglia()
{
    QList<ExportColumn> columns;
    for (const Colonna& c : colonne())
        columns.append(c.column);
    return columns;
}

} // namespace

TfrmExpRic::TfrmExpRic(QWidget* owner, const QString& archivePath)
    : ExportScreen(owner, QStringLiteral("frmExpRic"), QStringLiteral(" Esporta archivio ricevute in Microsoft Excel"),
                   colonneGriglia(), QStringLiteral("Ricevute.xls"), QStringLiteral("Riepilogo Ricevute")),
      archivePath_(archivePath)
{
}

void TfrmExpRic::leggiArchivio()
{
    QList<StoredField> campi;
    for (qsizetype c = 1; c < colonne().size(); ++c)
        campi.append(storedFieldOf<TSchedaRicevuta>(colonne()[c].field));
    RecordFile file;
    if (OpenReceiptArchive(archivePath_, file))
        leggiRecord(file, campi);
}

} // namespace tavorel
