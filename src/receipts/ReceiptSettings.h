#pragma once

#include <QImage>
#include <QMap>
#include <QString>
#include <QStringList>

namespace tavorel {

// The settings every receipt shares, kept beside the program: the four payee lines and the
// numbering start in "Ricevute_Generiche.ini", the logo in "Logo.bmp". Every call opens, reads
// or writes and closes again; nothing is cached.
class ReceiptSettings {
public:
    static constexpr int kRighiRicevente = 4;
    // Width of a payee line, as in the receipt record.
    static constexpr int kLarghezzaRigo = 50;

    static QString fileName();
    static QString percorsoIni(const QString& folder);

    // "Rigo 1" to "Rigo 4" of section "Ricevente": always four entries, empty where the file,
    // the section or the key is missing (or the file cannot be read: then `letto` is set false).
    static QStringList leggiRiceventi(const QString& folder, bool* letto = nullptr);
    // Writes the four lines, trimmed (missing entries as empty values), in one replace of the
    // file that keeps everything else in it. False when the file could not be written.
    static bool scriviRiceventi(const QString& folder, const QStringList& lines);

    // Writes only the lines given (0 to 3, each trimmed and cut to the width), into the file as it
    // is now: it is read again just before, so the other lines stay as another workstation may
    // have left them. A line the file already holds is not written again; with nothing to write
    // the file is left alone. False when the file could not be read or written.
    static bool scriviRigheRicevente(const QString& folder, const QMap<int, QString>& lines);

    // "Inizio" of section "Numerazione Ricevute" as it stands in the file; empty when missing.
    static QString leggiInizio(const QString& folder);
    static bool scriviInizio(const QString& folder, const QString& value);
    // The numbering start as the dialog leaves it: a whole number without leading zeros, rounded
    // like an amount with no decimals; "1" for a blank text or one that is not a number.
    static QString normalizzaInizio(const QString& text);

    static QString percorsoLogo(const QString& folder);
    // The logo in Logo.bmp, or the default logo when the file is missing or cannot be read.
    static QImage caricaLogo(const QString& folder);
    // Stores the picture as Logo.bmp in BMP format. The file is replaced only once the new one
    // is complete, so on failure (false) the old logo is still there, unchanged.
    static bool salvaLogo(const QString& folder, const QImage& logo);
};

} // namespace tavorel
