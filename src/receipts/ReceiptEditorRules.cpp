#include "receipts/ReceiptEditorRules.h"

#include "rules/FieldRules.h"
#include "rules/TextRules.h"

#include <QtNumeric>

namespace tavorel {

qint64 PosizioneDaEtichetta(const QString& label)
{
    bool ok = false;
    const qint64 k = TrimSpazi(label).toLongLong(&ok);
    return ok && k > 0 ? k : 0;
}

qint64 RecordDaMostrare(BrowseCommand command, qint64 position, qint64 count)
{
    switch (command) {
    case BrowseCommand::Primo:
        return 1;
    case BrowseCommand::Ultimo:
        return count;
    case BrowseCommand::Avanti:
        return position < count ? position + 1 : 0;
    case BrowseCommand::Indietro:
        if (position == 1)
            return 0;
        return position == 0 ? 1 : position - 1;
    }
    return 0;
}

std::optional<qint64> NumeroProposto(const QString& start, qint64 count)
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
    return number;
}

} // namespace tavorel
