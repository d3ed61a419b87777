#include "receipts/TfrmTrovaRic.h"

#include "lists/ListRecords.h"
#include "lists/ListRows.h"
#include "printing/ListTemplate.h"
#include "rules/RecordSearch.h"
#include "storage/Archives.h"

#include <QLineEdit>

namespace tavorel {

namespace {

const QString kRicevuta = QStringLiteral("ricevuta");

// The ten criteria, in tab and Enter order, with the receipt field each one searches.
struct Criterio {
    CriterionEdit edit;
    QString TSchedaRicevuta::*field;
};

QList<Criterio> criteriRicevuta()
{
    using R = TSchedaRicevuta;
    auto c = [](const char* name, const QString& label, QString R::*field, bool full = false) {
        const QString n = QString::fromLatin1(name);
        return Criterio{{n, label, QStringLiteral("eff") + n.mid(3), full}, field};
    };
    return {
        c("txtNumRic", QStringLiteral("Ricevuta n."), &R::NumRic),
        c("txtData", QStringLiteral("Data emissione (gg/mm/aaaa):"), &R::Data),
        c("txtPagatore", QStringLiteral("Pagatore:"), &R::Pagatore),
        c("txtCodFisc", QStringLiteral("Codice fiscale:"), &R::CodFisc),
        c("txtSport", QStringLiteral("Attività sportiva:"), &R::Sport),
        c("txtDal", QStringLiteral("Data inizio (gg/mm/aaaa):"), &R::Dal),
        c("txtPraticante", QStringLiteral("Praticante:"), &R::Praticante),
        c("txtDataNasc", QStringLiteral("Data di nascita:"), &R::DataNasc),
        c("txtLuogoNasc", QStringLiteral("Luogo di nascita:"), &R::LuogoNasc, true),
        c("txtIndirizzo", QStringLiteral("Indirizzo:"), &R::Indirizzo, true),
    };
}

QList<CriterionEdit> criterionEdits()
{
    QList<CriterionEdit> out;
    for (const Criterio& c : criteriRicevuta())
        out.append(c.edit);
    return out;
}

} // namespace

TfrmTrovaRic::TfrmTrovaRic(QWidget* owner, const QString& archivePath, Destinazione destinazione)
    : SearchDialog(owner, QStringLiteral("frmTrovaRic"), QStringLiteral(" Trova ricevute in archivio"),
                   criterionEdits(), QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda")),
      archivePath_(archivePath), destinazione_(std::move(destinazione)), report_(ListTemplate::create(ListKind::Data))
{
}

StoredCriteria TfrmTrovaRic::criteriRicerca() const
{
    StoredCriteria out;
    for (const Criterio& c : criteriRicevuta())
        out.add(c.field, criterio(c.edit.name));
    return out;
}

bool TfrmTrovaRic::cerca(RowTable& rows, ScanDamage& damage)
{
    const StoredCriteria wanted = criteriRicerca();
    RecordFile file;
    if (!OpenReceiptArchive(archivePath_, file))
        return false;
    return righeDaArchivio<TSchedaRicevuta>(
        file, [&](QByteArrayView bytes) { return wanted.matches(bytes); }, &ListRows::writeReceiptRow, rows, damage);
}

QString TfrmTrovaRic::archivio() const
{
    return archivePath_;
}

QString TfrmTrovaRic::testoTrovate(int rows) const
{
    return QStringLiteral("Il presente elenco contiene %1 schede.").arg(rows);
}

QString TfrmTrovaRic::titoloStampa() const
{
    return kTitoloRicevuteEmesse;
}

void TfrmTrovaRic::carica(const QString& row)
{
    RecordFile file;
    if (!OpenReceiptArchive(archivePath_, file))
        return;
    caricaRiga<TSchedaRicevuta>(file, row, &ListRows::writeReceiptRow, [&](const TSchedaRicevuta& r, qint64 k) {
        if (mode() == kRicevuta && destinazione_)
            destinazione_(r, k);
    });
}

} // namespace tavorel
