#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace tavorel {

// A date as the program writes it: "dd/mm/yyyy". An invalid date gives "".
QString TestoData(const QDate& date);

// The date named by a "dd/mm/yyyy" text (day and month may have one digit,
// the year must have four; blanks around it are ignored). Invalid when the text
// has another shape or names a day that does not exist.
QDate DataDaTesto(const QString& text);

// True when the text is a date that exists in the calendar (see DataDaTesto).
bool DataEsiste(const QString& text);

// True when every character is one of 0 to 9; the empty text gives true.
bool SoloCifre(const QString& text);

// The year rule of the year fields: exactly four characters, all digits. The
// year itself is not checked ("0000" passes). Digits are required as well as the
// length because the year becomes part of a file name.
bool AnnoQuattroCifre(const QString& year);

// The receipt's amount: whole euros, cents, and the amount text "euros,cents".
struct ImportoRicevuta {
    QString euro;
    QString cents;
    QString intero;
};

// Completion at save: trimmed euros, "0" when blank (leading zeros are kept);
// trimmed cents cut to two characters, then completed as by CompletaCents; the
// amount text joins the two with a comma.
ImportoRicevuta CompletaImporto(const QString& euro, const QString& cents);

// Completion of the cents box when the focus leaves it: trimmed, "00" when blank,
// a single digit d read as tenths ("d0"); anything else is returned trimmed.
QString CompletaCents(const QString& cents);

// An amount pasted into the whole-euros box, written the Italian way: an optional euro sign,
// digits with the full stop as the thousands separator (groups of three after each stop), then
// optionally the comma and one or two cents digits. "1.234,56" gives "1234" and "56", "7,5" gives
// "7" and "50", "1.234" gives "1234" and no cents. Blanks around it are ignored; any other text
// (a full stop as the decimal point, three cents digits) gives nullopt, so nothing is cut.
struct ImportoIncollato {
    QString euro;
    QString cents; // empty when the text has no comma
};
std::optional<ImportoIncollato> LeggiImportoIncollato(const QString& text);

// A decimal amount in the "0,00" form with at most the given number of decimals
// (0 to 15): "35" gives "35,00", "12,345" gives "12,35", "1,2,3" gives "0,00".
QString NormalizzaImporto(const QString& text, int decimals);

// Reads a number written with the decimal comma: optional sign, digits with at
// most one comma (at least one digit), optional exponent ("1,5E3"); blanks
// around it are ignored. False when the text is not such a finite number.
bool ParseDecimale(const QString& text, double* value);

} // namespace tavorel
