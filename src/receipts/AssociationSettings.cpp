#include "receipts/AssociationSettings.h"

#include "receipts/ReceiptSettings.h"
#include "storage/IniFile.h"
#include "storage/Trim.h"

namespace tavorel {

namespace {

const QString kSezione = QStringLiteral("Dati fiscali");
const QString kChiaveRegime = QStringLiteral("Regime");
const QString kChiaveCodFisc = QStringLiteral("Codice fiscale");
const QString kChiaveIva = QStringLiteral("Dicitura IVA");
const QString kChiaveQuota = QStringLiteral("Esenzione bollo quota");
const QString kChiaveCorso = QStringLiteral("Esenzione bollo corso");

// The status as the file holds it: a word that reads the same in any later version of the program.
const QString kAsd = QStringLiteral("ASD");
const QString kAltroEnte = QStringLiteral("Altro ente");
const QString kNonIndicato = QStringLiteral("Non indicato");

} // namespace

DatiFiscali AssociationSettings::leggi(const QString& folder)
{
    DatiFiscali dati = DatiFiscali::predefiniti();
    IniFile ini;
    if (!ini.load(ReceiptSettings::percorsoIni(folder)))
        return dati;
    const QString regime = ini.value(kSezione, kChiaveRegime);
    if (regime.compare(kAsd, Qt::CaseInsensitive) == 0)
        dati.regime = Regime::Asd;
    else if (regime.compare(kAltroEnte, Qt::CaseInsensitive) == 0)
        dati.regime = Regime::AltroEnte;
    dati.codFisc = ini.value(kSezione, kChiaveCodFisc).toUpper();
    const auto wording = [&](const QString& key, QString& out) {
        if (ini.contains(kSezione, key))
            out = ini.value(kSezione, key);
    };
    wording(kChiaveIva, dati.dicituraIva);
    wording(kChiaveQuota, dati.esenteQuota);
    wording(kChiaveCorso, dati.esenteCorso);
    return dati;
}

bool AssociationSettings::scrivi(const QString& folder, const DatiFiscali& dati)
{
    const QString regime = dati.regime == Regime::Asd         ? kAsd
                           : dati.regime == Regime::AltroEnte ? kAltroEnte
                                                              : kNonIndicato;
    return IniFile::writeValues(ReceiptSettings::percorsoIni(folder), kSezione,
                                {{kChiaveRegime, regime},
                                 {kChiaveCodFisc, TrimSpazi(dati.codFisc).toUpper()},
                                 {kChiaveIva, TrimSpazi(dati.dicituraIva)},
                                 {kChiaveQuota, TrimSpazi(dati.esenteQuota)},
                                 {kChiaveCorso, TrimSpazi(dati.esenteCorso)}});
}

} // namespace tavorel
