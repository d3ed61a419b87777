// The fiscal-code and VAT-number checks on anything typed: they answer without fault, and only a
// code of the right shape can pass.
#include "FuzzText.h"
#include "rules/FieldRules.h"
#include "rules/FiscalCode.h"
#include "rules/VatNumber.h"

using namespace tavorel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (const QString& text : {fuzz::typed(data, size), QString::fromLatin1(fuzz::bytes(data, size))}) {
        if (CodiceFiscaleValido(text))
            FUZZ_CHECK(text.size() == 16);
        if (PartitaIvaValida(text))
            FUZZ_CHECK(text.size() == 11 && SoloCifre(text));
        const QString office = UfficioIva(text);
        FUZZ_CHECK(office.isEmpty() || text.size() == 3);
    }
    return 0;
}
