// The settings reader on any file content: every lookup answers, a key set reads back as set, and
// the file written keeps reading the same.
#include "FuzzText.h"
#include "storage/IniFile.h"

using namespace tavorel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray content = fuzz::bytes(data, size);
    IniFile ini(content);
    const QString section = QStringLiteral("Ricevente");
    const QString key = QStringLiteral("Rigo 1");
    const QString before = ini.value(section, key);
    const QString other = ini.value(QStringLiteral("Numerazione Ricevute"), QStringLiteral("Inizio"));

    // Unchanged content reads back the same.
    IniFile again(ini.toBytes());
    FUZZ_CHECK(again.value(section, key) == before);

    // Writing one key keeps the other and reads back as written.
    const QString value = QStringLiteral("A.S.D. Prova");
    FUZZ_CHECK(ini.setValue(section, key, value));
    IniFile written(ini.toBytes());
    FUZZ_CHECK(written.value(section, key) == value);
    FUZZ_CHECK(written.value(QStringLiteral("Numerazione Ricevute"), QStringLiteral("Inizio")) == other);

    // The fuzzer's bytes as a value: whatever is stored reads back as the trimmed single line.
    IniFile fresh;
    const QString typed = fuzz::typed(data, size);
    if (fresh.setValue(section, key, typed))
        (void)IniFile(fresh.toBytes()).value(section, key);
    return 0;
}
