#include "receipts/ReceiptSettings.h"

#include "receipts/ReceiptArtwork.h"
#include "rules/FieldRules.h"
#include "storage/IniFile.h"
#include "storage/RegularFile.h"
#include "storage/SafeFile.h"
#include "storage/Trim.h"

#include <QBuffer>
#include <QFile>
#include <QIODevice>
#include <QImageReader>
#include <QPainter>

namespace tavorel {

namespace {

const QString kSezioneRicevente = QStringLiteral("Ricevente");
const QString kSezioneNumerazione = QStringLiteral("Numerazione Ricevute");
const QString kChiaveInizio = QStringLiteral("Inizio");

QString chiaveRigo(int i)
{
    return QStringLiteral("Rigo %1").arg(i + 1);
}

// BMP has no transparency: whatever was see-through is stored as the white of the paper.
QImage suFondoBianco(const QImage& picture)
{
    QImage out(picture.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, picture);
    return out;
}

} // namespace

QString ReceiptSettings::fileName()
{
    return QStringLiteral("Ricevute_Generiche.ini");
}

QString ReceiptSettings::percorsoIni(const QString& folder)
{
    return folder + QLatin1Char('/') + fileName();
}

QStringList ReceiptSettings::leggiRiceventi(const QString& folder, bool* letto)
{
    IniFile ini;
    QStringList lines;
    const bool ok = ini.load(percorsoIni(folder));
    for (int i = 0; i < kRighiRicevente; ++i)
        lines.append(ok ? ini.value(kSezioneRicevente, chiaveRigo(i)) : QString());
    if (letto)
        *letto = ok;
    return lines;
}

bool ReceiptSettings::scriviRigheRicevente(const QString& folder, const QMap<int, QString>& lines)
{
    if (lines.isEmpty())
        return true;
    IniFile ini;
    if (!ini.load(percorsoIni(folder)))
        return false;
    bool changed = false;
    for (auto it = lines.cbegin(); it != lines.cend(); ++it) {
        if (it.key() < 0 || it.key() >= kRighiRicevente)
            continue;
        const QString line = TrimSpazi(TrimSpazi(it.value()).left(kLarghezzaRigo));
        if (ini.contains(kSezioneRicevente, chiaveRigo(it.key())) &&
            ini.value(kSezioneRicevente, chiaveRigo(it.key())) == line)
            continue;
        if (!ini.setValue(kSezioneRicevente, chiaveRigo(it.key()), line))
            return false;
        changed = true;
    }
    return !changed || ini.save(percorsoIni(folder));
}

bool ReceiptSettings::scriviRiceventi(const QString& folder, const QStringList& lines)
{
    IniFile::KeyValues values;
    for (int i = 0; i < kRighiRicevente; ++i)
        values.append({chiaveRigo(i), TrimSpazi(TrimSpazi(lines.value(i)).left(kLarghezzaRigo))});
    return IniFile::writeValues(percorsoIni(folder), kSezioneRicevente, values);
}

QString ReceiptSettings::leggiInizio(const QString& folder)
{
    return IniFile::readValue(percorsoIni(folder), kSezioneNumerazione, kChiaveInizio).value_or(QString());
}

bool ReceiptSettings::scriviInizio(const QString& folder, const QString& value)
{
    return IniFile::writeValue(percorsoIni(folder), kSezioneNumerazione, kChiaveInizio, TrimSpazi(value));
}

QString ReceiptSettings::normalizzaInizio(const QString& text)
{
    double ignored = 0;
    if (TrimSpazi(text).isEmpty() || !ParseDecimale(text, &ignored))
        return QStringLiteral("1");
    return NormalizzaImporto(text, 0).section(QLatin1Char(','), 0, 0);
}

QString ReceiptSettings::percorsoLogo(const QString& folder)
{
    return folder + QStringLiteral("/Logo.bmp");
}

QImage ReceiptSettings::caricaLogo(const QString& folder)
{
    // Only a plain file is read: a pipe under the logo's name would wait for good.
    QFile file;
    if (!openRegularForReading(percorsoLogo(folder), file))
        return defaultLogo();
    QImageReader reader(&file);
    const QImage logo = reader.read();
    return logo.isNull() ? defaultLogo() : logo;
}

bool ReceiptSettings::salvaLogo(const QString& folder, const QImage& logo)
{
    if (logo.isNull())
        return false;
    // Made in memory first: the picture writer does not look at what each write of it returns,
    // so it never writes to the file itself.
    QByteArray bmp;
    QBuffer buffer(&bmp);
    if (!buffer.open(QIODevice::WriteOnly) || !suFondoBianco(logo).save(&buffer, "BMP"))
        return false;
    return replaceFileContents(percorsoLogo(folder), bmp);
}

} // namespace tavorel
