#include "receipts/ReceiptEditorRules.h"

#include "rules/FieldRules.h"
#include "rules/TextRules.h"
#include "storage/RecordFile.h"
#include "storage/RecordLayout.h"

#include <QtNumeric>

namespace tavorel {

std::optional<qint64> ValoreNumero(const QString& numRic)
{
    const QString t = TrimSpazi(numRic);
    if (t.isEmpty() || !SoloCifre(t))
        return std::nullopt;
    bool ok = false;
    const qint64 value = t.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

bool StessoNumero(const QString& a, const QString& b)
{
    const std::optional<qint64> va = ValoreNumero(a);
    const std::optional<qint64> vb = ValoreNumero(b);
    if (va || vb)
        return va == vb;
    return MaiuscoleAZ(TrimSpazi(a)) == MaiuscoleAZ(TrimSpazi(b));
}

std::optional<qint64> NumeroProposto(const QString& start, qint64 count, std::optional<qint64> highest)
{
    QString t = TrimSpazi(start);
    bool negative = false;
    if (!t.isEmpty() && (t.front() == u'+' || t.front() == u'-')) {
        negative = t.front() == u'-';
        t.remove(0, 1);
    }
    // Digits only: toLongLong alone would also take blanks after the sign.
    if (t.isEmpty() || !SoloCifre(t))
        return std::nullopt;
    bool ok = false;
    const qint64 magnitude = t.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    qint64 number = 0;
    if (qAddOverflow(negative ? -magnitude : magnitude, count, &number))
        return std::nullopt;
    qint64 next = 0;
    if (highest && !qAddOverflow(*highest, qint64(1), &next) && next > number)
        number = next;
    return number;
}

bool LeggiNumeri(RecordFile& file, const QString& numero, qint64 skip, NumeriInArchivio& out)
{
    out = NumeriInArchivio{};
    const bool cerca = !TrimSpazi(numero).isEmpty();
    return file.forEach([&](qint64 k, const QByteArray& bytes) {
        const TSchedaRicevuta r = decodeRecord<TSchedaRicevuta>(bytes);
        out.count = k;
        if (const std::optional<qint64> v = ValoreNumero(r.NumRic); v && (!out.highest || *v > *out.highest))
            out.highest = v;
        if (cerca && out.kUguale == 0 && k != skip && StessoNumero(r.NumRic, numero)) {
            out.kUguale = k;
            out.uguale = r;
        }
        return true;
    });
}

qint64 CentesimiRicevuta(const TSchedaRicevuta& receipt)
{
    return TrimSpazi(receipt.Importo).toLongLong() * 100 + TrimSpazi(receipt.Cents).toLongLong();
}

} // namespace tavorel
