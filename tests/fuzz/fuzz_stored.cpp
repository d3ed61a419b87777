// The lists read stored bytes and never decode: whatever an archive holds, damaged lengths
// included, what they make of a record must be what the decoded record says. The rows written
// from the bytes are the rows made the plain way from the decoded record (support/RowOracle.h),
// a stored date is the date the date rule reads in the decoded field, and a stored amount the
// income summary can read is the number the amount rule reads in the decoded field.
#include "FuzzText.h"
#include "income/IncomeSelection.h"
#include "lists/ListRows.h"
#include "rules/FieldRules.h"
#include "rules/RecordSearch.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"
#include "support/RowOracle.h"

#include <cmath>

using namespace tavorel;

namespace {

template <typename T>
QByteArray recordFrom(QByteArray bytes)
{
    bytes.resize(T::RecordSize, '\0');
    return bytes;
}

void receiptAgrees(const QByteArray& record)
{
    using R = TSchedaRicevuta;
    const R decoded = decodeRecord<R>(record);
    FUZZ_CHECK(ListRows::receiptRow(record) == test::receiptRow(decoded));
    FUZZ_CHECK(storedDate(record, storedFieldOf<R>(&R::Data)) == DataDaTesto(decoded.Data));
    qint64 amount = 0;
    if (IncomeSelection::leggiImporto(storedField(record, storedFieldOf<R>(&R::Intero)), &amount)) {
        double value = 0;
        FUZZ_CHECK(ParseDecimale(decoded.Intero, &value));
        // A double holds the ten-thousandths exactly below some billions of euros.
        if (std::abs(value) < 1e9)
            FUZZ_CHECK(std::abs(double(amount) - value * IncomeSelection::kUnit) <= 1.0);
    }
}

void memberAgrees(const QByteArray& record)
{
    using I = TSchedaIscritto;
    const I decoded = decodeRecord<I>(record);
    FUZZ_CHECK(ListRows::memberRow(record) == test::memberRow(decoded));
    FUZZ_CHECK(ListRows::certificateRow(record) == test::certificateRow(decoded));
    FUZZ_CHECK(storedDate(record, storedFieldOf<I>(&I::FineTes)) == DataDaTesto(decoded.FineTes));
    FUZZ_CHECK(storedDate(record, storedFieldOf<I>(&I::Studio)) == DataDaTesto(decoded.Studio));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    receiptAgrees(recordFrom<TSchedaRicevuta>(bytes));
    memberAgrees(recordFrom<TSchedaIscritto>(bytes));
    return 0;
}
