#include "members/TfrmExpTiratori.h"

#include "shell/Platform.h"
#include "storage/Archives.h"
#include "storage/RecordFile.h"
#include "storage/TSchedaIscritto.h"

namespace tavorel {

namespace {

using I = TSchedaIscritto;

struct Colonna {
    ExportColumn column;
    QString I::*field; // null for the record number
};

// Grid columns in order; the file takes every column but the record number, with its own widths.
// Sex and attachments are not shown.
const QList<Colonna>& colonne()
{
    auto s = [](const char* text) { return QString::fromUtf8(text); };
    static const QList<Colonna> table = {
        {{"colNum", s("N."), 60, true, {}, 0}, nullptr},
        {{"colTiratore", s("Cognome e nome"), 250, true, s("Cognome e nome"), 250}, &I::Tiratore},
        {{"colDataNasc", s("Data di nascita"), 150, true, s("Data di nascita"), 200}, &I::DataNasc},
        {{"colCittadinanza", s("Cittadinanza"), 200, true, s("Cittadinanza"), 250}, &I::Cittadinanza},
        {{"colLuogoNasc", s("Luogo di nascita"), 250, false, s("Luogo di nascita"), 300}, &I::LuogoNasc},
        {{"colIndirizzo", s("Indirizzo di residenza"), 250, false, s("Indirizzo di residenza"), 300}, &I::Indirizzo},
        {{"colCitta", s("Città"), 220, false, s("Città"), 250}, &I::Citta},
        {{"colCAP", s("CAP"), 100, false, s("CAP"), 150}, &I::Cap},
        {{"colNazione", s("Nazione"), 200, true, s("Nazione"), 250}, &I::Nazione},
        {{"colCodFisc", s("Codice fiscale"), 180, true, s("Codice fiscale"), 250}, &I::CodFisc},
        {{"colGruppo", s("Gruppo sanguigno"), 150, false, s("Gruppo sanguigno"), 200}, &I::Gruppo},
        {{"colProfessione", s("Professione"), 220, true, s("Professione"), 250}, &I::Professione},
        {{"colStudio", s("Scad. certificato medico"), 180, true, s("Scad. certificato medico"), 250}, &I::Studio},
        {{"colEnte", s("Attività sportiva"), 300, true, s("Attività sportiva"), 400}, &I::Ente},
        {{"colEmail", s("E-mail"), 220, false, s("E-mail"), 250}, &I::Email},
        {{"colTelCasa", s("Tel. casa"), 180, true, s("Tel. casa"), 200}, &I::Tel},
        {{"colTelCel", s("Tel. cellulare"), 180, false, s("Tel. cellulare"), 200}, &I::Cel},
        {{"colTessera", s("Tessera n."), 200, true, s("Tessera n."), 250}, &I::Tessera},
        {{"colQuota", s("Quota"), 150, false, s("Quota"), 200}, &I::Quota},
        {{"colInizioTes", s("Data di rilascio"), 150, false, s("Data di rilascio"), 200}, &I::InizioTes},
        {{"colFineTes", s("Data di scadenza"), 150, false, s("Data di scadenza"), 200}, &I::FineTes},
        {{"colArmi", s("Praticante"), 250, false, s("Praticante"), 250}, &I::Armi},
        {{"colPorto", s("Luogo di nascita"), 250, false, s("Luogo di nascita"), 300}, &I::Porto},
        {{"colInizioPor", s("Data di nascita"), 150, false, s("Data di nascita"), 200}, &I::InizioPor},
        {{"colFinePor", s("Indirizzo"), 300, false, s("Indirizzo"), 400}, &I::FinePor},
        {{"colNote", s("Note"), 350, false, s("Note"), 400}, &I::Note},
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

TfrmExpTiratori::TfrmExpTiratori(QWidget* owner)
    : ExportScreen(owner, QStringLiteral("frmExpTiratori"),
                   QStringLiteral(" Esportazione archivio iscritti in Microsoft Excel"), colonneGriglia(),
                   QStringLiteral("Archivio_Iscritti.xls"), QStringLiteral("Riepilogo Iscritti"))
{
}

void TfrmExpTiratori::leggiArchivio()
{
    QList<StoredField> campi;
    for (qsizetype c = 1; c < colonne().size(); ++c)
        campi.append(storedFieldOf<TSchedaIscritto>(colonne()[c].field));
    RecordFile file;
    if (OpenMemberArchive(platform().programFolder(), file))
        leggiRecord(file, campi);
}

} // namespace tavorel
