#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include "storage/Cp1252.h"

#include <array>
#include <cstddef>
#include <optional>

namespace tavorel {

// The archives are flat files of fixed-size records. A record is a row of length-prefixed
// strings: a field of capacity N takes N + 1 bytes, one length byte (0..N) and N bytes of
// Windows-1252 text of which only the first "length" count. A record type declares its fields
// once, in file order, as a table of RecordField; everything else (size, offsets, encoding,
// the mapping of screen controls to fields) is derived from that table.

template <typename T>
struct RecordField {
    const char* name; // the member's name, used to match screen controls to fields
    QString T::*member;
    int capacity; // N: the most bytes of text the field holds
};

// Bytes a record of these fields takes on disk.
template <typename T, std::size_t N>
constexpr int recordSizeOf(const std::array<RecordField<T>, N>& fields)
{
    int size = 0;
    for (const auto& f : fields)
        size += f.capacity + 1;
    return size;
}

// A length byte counts up to 255.
template <typename T, std::size_t N>
constexpr bool capacitiesFit(const std::array<RecordField<T>, N>& fields)
{
    for (const auto& f : fields) {
        if (f.capacity < 1 || f.capacity > 255)
            return false;
    }
    return true;
}

// Byte offset of field `index` (its length byte) within the record.
template <typename T, std::size_t N>
constexpr int fieldOffset(const std::array<RecordField<T>, N>& fields, std::size_t index)
{
    int offset = 0;
    for (std::size_t i = 0; i < index && i < N; ++i)
        offset += fields[i].capacity + 1;
    return offset;
}

// Writes one field at `dst` (capacity + 1 bytes): trims (TrimSpazi), converts to Windows-1252, cuts to the
// capacity, writes the length byte and zeroes the bytes after the text.
void encodeField(char* dst, const QString& value, int capacity);

// Reads one field at `src` (capacity + 1 bytes): the length byte, clamped to the capacity so a
// damaged record never reads into the next field, then the text, converted and trimmed.
QString decodeField(const char* src, int capacity);
// The same, appended to `out` (scans of whole archives build one text per record).
void appendDecodedField(QString& out, const char* src, int capacity);

// Where a member's field lies in a stored record of T: its offset (length byte) and capacity.
// The one lookup from a record's member to its place in the stored bytes.
struct StoredField {
    int offset = -1;
    int capacity = 0;
};
template <typename T>
constexpr StoredField storedFieldOf(QString T::*member)
{
    const auto& fields = T::fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].member == member)
            return {fieldOffset(fields, i), fields[i].capacity};
    }
    return {};
}

// The text of one field straight from a record's stored bytes: the length byte (clamped to the
// capacity, and to the bytes there are) and the Windows-1252 text, trimmed (trimStored), exactly
// as decoding and trimming would leave it, but without making a string. Empty for offset -1.
QByteArrayView storedField(QByteArrayView record, int offset, int capacity);
inline QByteArrayView storedField(QByteArrayView record, StoredField field)
{
    return storedField(record, field.offset, field.capacity);
}

// The field of T called `name`, or nullptr.
template <typename T>
const RecordField<T>* findField(QStringView name)
{
    for (const auto& f : T::fields()) {
        if (name == QLatin1StringView(f.name))
            return &f;
    }
    return nullptr;
}

// A character of a record that its file cannot hold, and the field it is in.
struct UnstorableText {
    const char* field;
    char32_t character;
};
// The first one, in file order; nullopt when Windows-1252 holds every field. encodeRecord would
// write a "?" in its place: whoever writes a record refuses it first.
template <typename T>
std::optional<UnstorableText> firstUnstorable(const T& record)
{
    for (const auto& f : T::fields()) {
        if (const std::optional<char32_t> c = firstOutsideCp1252(record.*(f.member)))
            return UnstorableText{f.name, *c};
    }
    return std::nullopt;
}

template <typename T>
QByteArray encodeRecord(const T& record)
{
    static_assert(recordSizeOf(T::fields()) == T::RecordSize && capacitiesFit(T::fields()));
    QByteArray bytes(T::RecordSize, '\0');
    char* dst = bytes.data();
    for (const auto& f : T::fields()) {
        encodeField(dst, record.*(f.member), f.capacity);
        dst += f.capacity + 1;
    }
    return bytes;
}

// Whether `bytes` is a record as the program writes it: exactly the record's size, every length
// byte within its field. A record that is not whole still decodes (lengths are clamped), but what
// it shows is not what was saved: a damaged file, or a write that never finished. Takes the
// stored bytes as they lie in a read buffer, so that the scans check every record at no cost.
template <typename T>
bool recordIsWhole(QByteArrayView bytes)
{
    if (bytes.size() != T::RecordSize)
        return false;
    // Every length byte is looked at, without a branch per field: twice as fast as stopping at
    // the first bad one, and a scan meets whole records almost always.
    const char* src = bytes.constData();
    bool whole = true;
    for (const auto& f : T::fields()) {
        whole &= quint8(*src) <= f.capacity;
        src += f.capacity + 1;
    }
    return whole;
}

// A buffer shorter than the record reads as if padded with zeros (empty fields); extra bytes are
// ignored.
template <typename T>
T decodeRecord(const QByteArray& bytes)
{
    static_assert(recordSizeOf(T::fields()) == T::RecordSize && capacitiesFit(T::fields()));
    QByteArray padded = bytes;
    if (padded.size() < T::RecordSize)
        padded.append(T::RecordSize - padded.size(), '\0');
    T record;
    const char* src = padded.constData();
    for (const auto& f : T::fields()) {
        record.*(f.member) = decodeField(src, f.capacity);
        src += f.capacity + 1;
    }
    return record;
}

} // namespace tavorel
