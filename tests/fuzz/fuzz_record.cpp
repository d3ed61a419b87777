// The record decoder on any bytes read from an archive: it never reads outside the record, and
// whatever it makes of a damaged record is stable: encoding it and decoding again gives it back.
#include "FuzzText.h"
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    decodeTwice<TSchedaRicevuta>(bytes);
    decodeTwice<TSchedaIscritto>(bytes);
    return 0;
}
