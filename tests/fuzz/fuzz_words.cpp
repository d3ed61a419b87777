// The words of an amount, from any typed amount and from any currency value: always capitals,
// never empty for a non-zero number of euros, and one group of words per number below a thousand.
#include "FuzzText.h"
#include "rules/AmountInWords.h"

#include <cstring>

using namespace tavorel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qint64 amount = 0;
    if (size >= sizeof amount) {
        std::memcpy(&amount, data, sizeof amount);
        const QString words = ImportoInLettere(amount);
        FUZZ_CHECK(words == words.toUpper());
    }
    qint64 typedAmount = 0;
    if (ParseImporto(fuzz::typed(data, size), &typedAmount)) {
        const QString words = ImportoInLettere(typedAmount);
        FUZZ_CHECK(words == words.toUpper());
        if (typedAmount >= 10000)
            FUZZ_CHECK(!words.isEmpty());
    }
    if (size >= 2) {
        const int n = (data[0] << 8 | data[1]) % 1000;
        FUZZ_CHECK((n == 0) == GruppoInLettere(n).isEmpty());
    }
    return 0;
}
