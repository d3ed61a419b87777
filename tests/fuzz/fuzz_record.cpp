// The record decoder on any bytes read from an archive: it never reads outside the record, and
// whatever it makes of a damaged record is stable: encoding it and decoding again gives it back.
// A search criterion tested on the stored bytes answers as it does on the decoded field.
#include "FuzzText.h"
#include "rules/RecordSearch.h"
#include "rules/TextRules.h"
#include "storage/Cp1252.h"
#include "storage/RecordLayout.h"
#include "storage/TSchedaIscritto.h"
#include "storage/TSchedaRicevuta.h"

using namespace tavorel;

namespace {

template <typename T>
void decodeTwice(const QByteArray& bytes)
{
    const T first = decodeRecord<T>(bytes);
    const QByteArray encoded = encodeRecord(first);
    FUZZ_CHECK(encoded.size() == T::RecordSize);
    FUZZ_CHECK(decodeRecord<T>(encoded) == first);
    // Whole when every length byte is within its field; an encoded record always is.
    FUZZ_CHECK(recordIsWhole<T>(encoded));
    if (bytes.size() == T::RecordSize && recordIsWhole<T>(bytes))
        FUZZ_CHECK(decodeRecord<T>(bytes) == first);
}

// The first byte tells how long the criterion is; it is read from the bytes after it, as Windows-1252
// text, and the rest is the record.
void criterionAgrees(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    const qsizetype length = std::min<qsizetype>(uchar(bytes[0]) % 16, bytes.size() - 1);
    const QString criterion = fromCp1252(bytes.mid(1, length));
    QByteArray record = bytes.mid(1 + length);
    record.resize(TSchedaRicevuta::RecordSize, '\0');
    StoredCriteria stored;
    stored.add(&TSchedaRicevuta::Pagatore, criterion);
    const TSchedaRicevuta decoded = decodeRecord<TSchedaRicevuta>(record);
    FUZZ_CHECK(stored.matches(record) == CriterioSoddisfatto(decoded.Pagatore, criterion));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    decodeTwice<TSchedaRicevuta>(bytes);
    decodeTwice<TSchedaIscritto>(bytes);
    criterionAgrees(bytes);
    return 0;
}
