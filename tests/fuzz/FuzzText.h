#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace tavorel::fuzz {

// The fuzzer's bytes as the program meets text: single-byte Windows-1252 from the files, and
// anything at all typed or pasted on the screen (read as UTF-8, invalid sequences included).
inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

inline QString typed(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A broken property stops the run with the input that broke it.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            __builtin_trap();                                                                                          \
    } while (false)

} // namespace tavorel::fuzz
