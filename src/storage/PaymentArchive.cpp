#include "storage/PaymentArchive.h"

#include "storage/RecordFile.h"
#include "storage/RegularFile.h"

#include <QFile>
#include <QFileInfo>

namespace tavorel {

namespace {

constexpr int kSize = TSchedaPagamento::RecordSize;

// Only a regular file is read: a pipe or a device in its place would block or never end.
bool leggibile(const QString& path, bool& exists)
{
    const QFileInfo info(path);
    exists = info.exists() || info.isSymLink();
    return exists && info.isFile();
}

} // namespace

QString PaymentArchive::percorso(const QString& receiptArchive)
{
    QString path = receiptArchive;
    if (path.endsWith(QStringLiteral(".ric"), Qt::CaseInsensitive))
        path.chop(4);
    return path + QStringLiteral(".pag");
}

PaymentArchive::Esito PaymentArchive::leggi(const QString& receiptArchive, qint64 k, TSchedaPagamento& out)
{
    out = {};
    bool exists = false;
    const QString path = percorso(receiptArchive);
    if (!leggibile(path, exists))
        return exists ? Esito::NonLeggibile : Esito::Assente;
    QFile file;
    if (!openRegularForReading(path, file))
        return Esito::NonLeggibile;
    if (k < 1 || file.size() <= (k - 1) * kSize)
        return Esito::Assente;
    if (!file.seek((k - 1) * kSize))
        return Esito::NonLeggibile;
    const QByteArray bytes = file.read(kSize);
    if (!recordIsWhole<TSchedaPagamento>(bytes))
        return Esito::Danneggiato;
    out = decodeRecord<TSchedaPagamento>(bytes);
    return Esito::Letto;
}

bool PaymentArchive::scrivi(const QString& receiptArchive, qint64 k, const TSchedaPagamento& payment, bool* diskFull)
{
    if (diskFull)
        *diskFull = false;
    if (k < 1)
        return false;
    const QString path = percorso(receiptArchive);
    bool exists = false;
    const bool regular = leggibile(path, exists);
    if (!exists && payment.vuoto())
        return true;
    if (exists && !regular)
        return false;
    RecordFile file;
    if (!file.open(path, kSize) || !file.lock())
        return false;
    bool ok = true;
    const qint64 oldSize = file.count() * kSize + file.tailBytes();
    const QByteArray blank = encodeRecord(TSchedaPagamento{});
    while (ok && file.count() < k - 1)
        ok = file.append(blank) > 0;
    if (ok)
        ok = file.count() >= k ? file.overwrite(k, encodeRecord(payment)) : file.append(encodeRecord(payment)) == k;
    if (!ok) {
        if (diskFull)
            *diskFull = file.diskFull();
        // The blank records written before the failure go too: the file is as it was.
        file.cutBack(oldSize);
    }
    file.unlock();
    return ok;
}

QByteArray PaymentArchive::tutti(const QString& receiptArchive, qint64 receipts)
{
    bool exists = false;
    const QString path = percorso(receiptArchive);
    if (!leggibile(path, exists))
        return {};
    QFile file;
    if (!openRegularForReading(path, file))
        return {};
    return receipts > 0 ? file.read(receipts * kSize) : QByteArray();
}

TSchedaPagamento PaymentArchive::di(const QByteArray& all, qint64 k)
{
    if (k < 1 || all.size() < k * kSize)
        return {};
    const QByteArrayView bytes = QByteArrayView(all).sliced((k - 1) * kSize, kSize);
    if (!recordIsWhole<TSchedaPagamento>(bytes))
        return {};
    return decodeRecord<TSchedaPagamento>(bytes.toByteArray());
}

} // namespace tavorel
