#include "rules/Expiry.h"

#include "rules/RecordSearch.h"
#include "storage/Archives.h"
#include "storage/RecordFile.h"
#include "storage/TSchedaIscritto.h"

#include <QFileInfo>
#include <QStringList>

namespace tavorel {

bool scadenzaInElenco(const QDate& expiry, const QDate& today, int giorni)
{
    if (!expiry.isValid())
        return false;
    return expiry < today || (giorni > 0 && expiry <= today.addDays(giorni));
}

bool contaScadenze(RecordFile& file, const QDate& today, int giorni, ConteggioScadenze& out)
{
    out = {};
    if (file.recordSize() != TSchedaIscritto::RecordSize)
        return false;
    constexpr StoredField certificato = storedFieldOf<TSchedaIscritto>(&TSchedaIscritto::Studio);
    constexpr StoredField tessera = storedFieldOf<TSchedaIscritto>(&TSchedaIscritto::FineTes);
    const QDate limite = today.addDays(giorni);
    // Each date falls in one of three places: ended, ending within the days, or later.
    const auto conta = [&](const QDate& expiry, qint64& scaduti, qint64& inScadenza) {
        if (!expiry.isValid())
            return;
        if (expiry < today)
            ++scaduti;
        else if (expiry <= limite)
            ++inScadenza;
    };
    return scanInParts<ConteggioScadenze>(
        file,
        [&](qint64 first, QByteArrayView records, ConteggioScadenze& part) {
            forEachInRun(first, records, TSchedaIscritto::RecordSize, [&](qint64, QByteArrayView bytes) {
                if (!recordIsWhole<TSchedaIscritto>(bytes))
                    return;
                conta(storedDate(bytes, certificato), part.certificatiScaduti, part.certificatiInScadenza);
                conta(storedDate(bytes, tessera), part.tessereScadute, part.tessereInScadenza);
            });
        },
        [&](ConteggioScadenze& part) {
            out.certificatiScaduti += part.certificatiScaduti;
            out.certificatiInScadenza += part.certificatiInScadenza;
            out.tessereScadute += part.tessereScadute;
            out.tessereInScadenza += part.tessereInScadenza;
        });
}

bool contaScadenzeArchivio(const QString& folder, const QDate& today, int giorni, ConteggioScadenze& out)
{
    out = {};
    // Only the member editor creates the archive; a notice never leaves a file behind.
    const QString path = memberArchivePath(folder);
    if (!QFileInfo(path).exists())
        return true;
    RecordFile file;
    return OpenMemberArchive(folder, file) && contaScadenze(file, today, giorni, out);
}

QString avvisoScadenze(const ConteggioScadenze& c, int giorni)
{
    const auto parte = [giorni](const QString& cosa, qint64 scaduti, const QString& uno, const QString& piu,
                                qint64 inScadenza) {
        QStringList numeri;
        if (scaduti > 0)
            numeri << QStringLiteral("%1 %2").arg(scaduti).arg(scaduti == 1 ? uno : piu);
        if (inScadenza > 0)
            numeri << QStringLiteral("%1 in scadenza entro %2 %3")
                          .arg(inScadenza)
                          .arg(giorni)
                          .arg(giorni == 1 ? QStringLiteral("giorno") : QStringLiteral("giorni"));
        return numeri.isEmpty() ? QString() : cosa + QStringLiteral(": ") + numeri.join(QStringLiteral(", "));
    };
    QStringList parti;
    const QString certificati = parte(QStringLiteral("Certificati medici"), c.certificatiScaduti,
                                      QStringLiteral("scaduto"), QStringLiteral("scaduti"), c.certificatiInScadenza);
    const QString tessere = parte(QStringLiteral("Tessere"), c.tessereScadute, QStringLiteral("scaduta"),
                                  QStringLiteral("scadute"), c.tessereInScadenza);
    for (const QString& p : {certificati, tessere})
        if (!p.isEmpty())
            parti << p;
    return parti.join(QStringLiteral(" · "));
}

} // namespace tavorel
