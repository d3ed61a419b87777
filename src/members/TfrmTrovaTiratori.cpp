#include "members/TfrmTrovaTiratori.h"

#include "lists/ListRecords.h"
#include "lists/ListRows.h"
#include "printing/ListTemplate.h"
#include "rules/RecordSearch.h"
#include "shell/Platform.h"
#include "storage/Archives.h"

#include <QLineEdit>

namespace tavorel {

namespace {

const QString kTiratori = QStringLiteral("tiratori");
const QString kRicevuta = QStringLiteral("ricevuta");

struct Criterio {
    CriterionEdit edit;
    QString TSchedaIscritto::*field;
};

QList<Criterio> criteriIscritto()
{
    using I = TSchedaIscritto;
    int numero = 0;
    // The halos of this screen are numbered effCampo01 to effCampo10.
    auto c = [&numero](const char* name, const QString& label, QString I::*field) {
        const QString halo = QStringLiteral("effCampo%1").arg(++numero, 2, 10, QLatin1Char('0'));
        return Criterio{{QString::fromLatin1(name), label, halo, false}, field};
    };
    return {
        c("txtTiratore", QStringLiteral("Cognome e nome:"), &I::Tiratore),
        c("txtDataNasc", QStringLiteral("Data di nascita (gg/mm/aaaa):"), &I::DataNasc),
        c("txtCittadinanza", QStringLiteral("Cittadinanza:"), &I::Cittadinanza),
        c("txtLuogoNasc", QStringLiteral("Luogo di nascita:"), &I::LuogoNasc),
        c("txtCodFisc", QStringLiteral("Codice fiscale:"), &I::CodFisc),
        c("txtGruppo", QStringLiteral("Gruppo sanguigno:"), &I::Gruppo),
        c("txtTessera", QStringLiteral("Tessera n."), &I::Tessera),
        c("txtArmi", QStringLiteral("Praticante:"), &I::Armi),
        c("txtEnte", QStringLiteral("Attività sportiva:"), &I::Ente),
        c("txtNote", QStringLiteral("Note:"), &I::Note),
    };
}

QList<CriterionEdit> criterionEdits()
{
    QList<CriterionEdit> out;
    for (const Criterio& c : criteriIscritto())
        out.append(c.edit);
    return out;
}

} // namespace

TfrmTrovaTiratori::TfrmTrovaTiratori(QWidget* owner, CaricaIscritto caricaIscritto, ImportaPagatore importaPagatore)
    : SearchDialog(owner, QStringLiteral("frmTrovaTiratori"), QStringLiteral(" Trova schede iscritti in archivio"),
                   criterionEdits(), QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda")),
      caricaIscritto_(std::move(caricaIscritto)), importaPagatore_(std::move(importaPagatore)),
      report_(ListTemplate::create(ListKind::Data))
{
}

StoredCriteria TfrmTrovaTiratori::criteriRicerca() const
{
    StoredCriteria out;
    for (const Criterio& c : criteriIscritto())
        out.add(c.field, criterio(c.edit.name));
    return out;
}

bool TfrmTrovaTiratori::cerca(RowTable& rows, ScanDamage& damage)
{
    const StoredCriteria wanted = criteriRicerca();
    RecordFile file;
    if (!OpenMemberArchive(platform().programFolder(), file))
        return false;
    return righeDaArchivio<TSchedaIscritto>(
        file, [&](QByteArrayView bytes) { return wanted.matches(bytes); }, &ListRows::writeMemberRow, rows, damage);
}

QString TfrmTrovaTiratori::archivio() const
{
    return memberArchivePath(platform().programFolder());
}

QString TfrmTrovaTiratori::testoTrovate(int rows) const
{
    return QStringLiteral("Il presente riepilogo contiene %1 schede").arg(rows);
}

QString TfrmTrovaTiratori::titoloStampa() const
{
    return kTitoloSchedeIscritti;
}

void TfrmTrovaTiratori::carica(const QString& row)
{
    RecordFile file;
    if (!OpenMemberArchive(platform().programFolder(), file))
        return;
    caricaRiga<TSchedaIscritto>(file, row, &ListRows::writeMemberRow, [&](const TSchedaIscritto& m, qint64 k) {
        if (mode() == kTiratori && caricaIscritto_)
            caricaIscritto_(m, k);
        else if (mode() == kRicevuta && importaPagatore_)
            importaPagatore_(DatiPagatore::daIscritto(m));
    });
}

} // namespace tavorel
