// The password store's hex decoder on any stored value: a pair that is not hexadecimal is refused
// with the one exception the login reports, and a value it accepts enciphers back to itself.
#include "FuzzText.h"
#include "access/Crypt.h"

#include <stdexcept>

using namespace tavorel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString hex = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    QString plain;
    try {
        plain = DecifraTesto(hex);
    } catch (const std::invalid_argument&) {
        return 0;
    }
    FUZZ_CHECK(plain.size() == hex.size() / 2);
    FUZZ_CHECK(CifraTesto(plain) == hex.left(plain.size() * 2).toUpper());
    return 0;
}
