#include "receipts/ReceiptEditorRules.h"

#include "rules/FieldRules.h"
#include "rules/TextRules.h"

#include <QtNumeric>

namespace tavorel {

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
