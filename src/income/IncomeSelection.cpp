#include "income/IncomeSelection.h"

#include "lists/ListRows.h"
#include "rules/ReceiptFiscal.h"
#include "storage/Archives.h"
#include "storage/PaymentArchive.h"
#include "storage/RecordFile.h"
#include "storage/TSchedaRicevuta.h"

namespace tavorel {

namespace {

using R = TSchedaRicevuta;

// The fields the summary reads besides its filters, from the stored bytes.
constexpr StoredField kData = storedFieldOf<R>(&R::Data);
constexpr StoredField kIntero = storedFieldOf<R>(&R::Intero);

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

IncomeSelection::IncomeSelection(const QString& pagatore, const QString& sport, const QDate& inizio, const QDate& fine)
    : inizio_(inizio), fine_(fine)
{
    filtri_.add(&R::Pagatore, pagatore);
    filtri_.add(&R::Sport, sport);
}

int IncomeSelection::filtriInUso() const
{
    return filtri_.inUse();
}

IncomeSelection::Verdict IncomeSelection::esamina(QByteArrayView record, qint64* amount) const
{
    if (!recordIsWhole<R>(record))
        return Verdict::Unreadable;
    if (!filtri_.matches(record))
        return Verdict::Left;
    const QByteArrayView intero = storedField(record, kIntero);
    if (intero.isEmpty())
        return Verdict::Left;
    const QDate data = storedDate(record, kData);
    if (!data.isValid())
        return Verdict::Unreadable;
    // With no first day the interval has no beginning; with no last day it holds no day.
    if ((inizio_.isValid() && data < inizio_) || !fine_.isValid() || data > fine_)
        return Verdict::Left;
    return leggiImporto(intero, amount) ? Verdict::Listed : Verdict::Unreadable;
}

IncomeSelection::Result IncomeSelection::esegui(const QString& archivePath) const
{
    Result result;
    RecordFile file;
    if (!OpenReceiptArchive(archivePath, file))
        return result;
    // Each run of a big archive is selected on whichever thread read it (RecordFile::scanRuns); the
    // runs' rows and sums are then put together in file order.
    struct Part {
        RowTable rows;
        qint64 total = 0;
        qint64 unreadable = 0;
        qint64 perModo[3] = {0, 0, 0}; // by Tracciabilita
    };
    // A few hundred bytes a receipt, read once; the runs only read it.
    const QByteArray pagamenti = PaymentArchive::tutti(archivePath, file.count());
    result.ok = scanInParts<Part>(
        file,
        [&](qint64 first, QByteArrayView records, Part& part) {
            forEachInRun(first, records, R::RecordSize, [&](qint64 k, QByteArrayView record) {
                qint64 amount = 0;
                switch (esamina(record, &amount)) {
                case Verdict::Listed:
                    part.rows.appendWith([&](QByteArray& text) { ListRows::writeReceiptRow(record, text); });
                    part.total += amount;
                    part.perModo[int(tracciabilita(PaymentArchive::di(pagamenti, k).Pagamento))] += amount;
                    break;
                case Verdict::Unreadable:
                    ++part.unreadable;
                    break;
                case Verdict::Left:
                    break;
                }
            });
        },
        [&](Part& part) {
            result.rows.appendRows(std::move(part.rows));
            result.total += part.total;
            result.unreadable += part.unreadable;
            result.nonIndicato += part.perModo[int(Tracciabilita::NonIndicato)];
            result.contanti += part.perModo[int(Tracciabilita::Contanti)];
            result.tracciabili += part.perModo[int(Tracciabilita::Tracciabile)];
        });
    if (file.tailBytes() > 0)
        ++result.unreadable;
    return result;
}

bool IncomeSelection::leggiImporto(QByteArrayView text, qint64* amount)
{
    qsizetype pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    qint64 units = 0;
    qint64 fraction = 0; // the first four decimals, in ten-thousandths
    qint64 scale = kUnit / 10;
    bool roundUp = false;
    int digits = 0;
    bool comma = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == ',' && !comma) {
            comma = true;
        } else if (!isDigit(c)) {
            return false;
        } else if (!comma) {
            // A stored amount has at most 11 characters; more digits than that are not an amount.
            if (++digits > 15)
                return false;
            units = units * 10 + (c - '0');
        } else {
            ++digits;
            if (scale > 0) {
                fraction += (c - '0') * scale;
                scale /= 10;
            } else if (scale == 0) {
                roundUp = c >= '5';
                scale = -1; // only the fifth decimal decides the rounding
            }
        }
    }
    if (digits == 0)
        return false;
    const qint64 value = units * kUnit + fraction + (roundUp ? 1 : 0);
    *amount = negative ? -value : value;
    return true;
}

QString IncomeSelection::formattaTotale(qint64 total)
{
    const bool negative = total < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(total) : quint64(total);
    QString decimals = QStringLiteral("%1").arg(magnitude % kUnit, 4, 10, QLatin1Char('0'));
    while (decimals.size() > 2 && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    return (negative ? QStringLiteral("-") : QString()) + QString::number(magnitude / kUnit) + QLatin1Char(',') +
           decimals;
}

} // namespace tavorel
