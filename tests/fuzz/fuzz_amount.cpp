// The amount normaliser and the amount completion on anything typed: the result is always an
// amount in the "0,00" form with the decimals asked for.
#include "FuzzText.h"
#include "rules/FieldRules.h"

#include <QRegularExpression>

using namespace tavorel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int decimals = data[0] % 16;
    const QString text = fuzz::typed(data + 1, size - 1);

    const QString normalised = NormalizzaImporto(text, decimals);
    static const QRegularExpression shape(QStringLiteral("^-?[0-9]+,[0-9]+$"));
    FUZZ_CHECK(shape.match(normalised).hasMatch());
    const qsizetype places = normalised.size() - normalised.indexOf(QLatin1Char(',')) - 1;
    FUZZ_CHECK(places >= 2 && places <= qMax(decimals, 2));
    // Normalising again changes nothing.
    FUZZ_CHECK(NormalizzaImporto(normalised, decimals) == normalised);

    double value = 0;
    (void)ParseDecimale(text, &value);
    const ImportoRicevuta importo = CompletaImporto(text, text);
    FUZZ_CHECK(importo.intero == importo.euro + QLatin1Char(',') + importo.cents);
    return 0;
}
