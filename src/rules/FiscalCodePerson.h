#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace tavorel {

struct TSchedaIscritto;
struct TSchedaRicevuta;

// The three letters a fiscal code takes from a surname: its consonants, then its vowels, then "X",
// the first three. Accents are dropped; anything but a letter does not count.
QString surnameLetters(QStringView surname);
// The same from a given name, except that a name of four or more consonants gives its first, third
// and fourth consonant.
QString nameLetters(QStringView name);

// A fiscal code's parts, as read from the code. Digits written as letters (omocodia: L M N P Q R S
// T U V for 0 to 9, which the agency uses to tell two people with the same data apart) are read as
// the digits they stand for.
struct FiscalCodeParts {
    QString surname;   // "RSS"
    QString name;      // "MRA"
    int year = 0;      // the last two digits, 0-99
    int month = 0;     // 1-12
    int day = 0;       // 1-31, the 40 of a woman's day taken off
    QChar sex;         // 'M' or 'F'
    QString placeCode; // "H501"
};

// The parts of code, or nothing when code is not 16 letters and digits in the places of a fiscal
// code (with or without omocodia), with a month letter and a day of 1-31 or 41-71. The check
// character is not tested here (CodiceFiscaleValido does). Lower-case letters are read as capitals.
std::optional<FiscalCodeParts> decodeFiscalCode(QStringView code);

// The first 15 characters of code with the omocodia letters turned back into digits, then the
// check letter of those 15: the code the person would have without omocodia. Empty when code is
// not a fiscal code for decodeFiscalCode.
QString fiscalCodeWithoutOmocodia(QStringView code);

// The fiscal code of a person: 16 characters. surname and name must give letters; sex is 'M' or
// 'F'; placeCode is a cadastral code ("H501", "Z110").
QString computeFiscalCode(QStringView surname, QStringView name, QChar sex, QDate birth, QStringView placeCode);

// A date of birth as the editors hold it: "dd/mm/yyyy" (also "d/m/yyyy", with "-" or "." between).
// A null QDate when it is not a real day.
QDate parseBirthDate(QStringView text);

// "Cognome e nome" split into surname and name as the computation takes it: before a comma and
// after it when there is one ("Rossi Bianchi, Maria"); otherwise the first word is the surname,
// together with the words before it that are particles of a surname ("De Luca Anna Maria" gives
// "De Luca" and "Anna Maria"; "D'Angelo Marco" gives "D'Angelo" and "Marco"). A single word is all
// surname.
struct SurnameAndName {
    QString surname;
    QString name;
};
SurnameAndName splitSurnameAndName(QStringView tiratore);

// What the member editor's "Calcola" button gets: the code, or the message that says which field to
// mend and the record field it is about ("Tiratore", "Sesso", "DataNasc", "LuogoNasc").
struct MemberFiscalCode {
    QString code;    // empty when it cannot be computed
    QString message; // one of the kMsgCf... texts of storage/Messages.h, ready to show; empty with a code
    QString field;   // the record field the message is about; empty with a code
    bool ok() const { return !code.isEmpty(); }
};

// The fiscal code computed from the member's Tiratore, Sesso, DataNasc and LuogoNasc. A place of birth
// whose name several places share is taken at the date of birth: of two municipalities with one
// name, the one that existed on that day.
MemberFiscalCode computeMemberFiscalCode(const TSchedaIscritto& member);

// The parts of a fiscal code that disagree with a record, with what the code holds and what the
// record gives.
enum class FiscalCodeField { Surname, Name, BirthDate, Sex, Place };
struct FiscalCodeDifference {
    FiscalCodeField field;
    QString inCode;   // "RSS", "03/12/1980", "F"; for the place its cadastral code, "D704"
    QString inRecord; // the letters the record gives, "BNC"; for the date, the sex and the place, its text
};

// The member's CodFisc compared with Tiratore, DataNasc, Sesso and LuogoNasc. Nothing is compared
// when CodFisc is empty or not a fiscal code (an 11-digit VAT number, a code of the wrong shape), nor
// a part whose field is empty or cannot be read (a date that is no day). A place typed that is not in
// the table, or names other places than the code's, disagrees: the message names the code's place. Surname and name:
// the words of Tiratore may be split anywhere, surname first or name first (a comma fixes the split); the code agrees
// when any split gives both its surname and its name letters. Otherwise the split nearest to agreeing names the parts
// that differ. The date's year is compared by its last two digits.
QList<FiscalCodeDifference> compareMemberFiscalCode(const TSchedaIscritto& member);

// The payer's CodFisc compared with Pagatore: surname and name letters only, as above.
QList<FiscalCodeDifference> comparePayerFiscalCode(const TSchedaRicevuta& receipt);

// The lines of differences, one for each, from the kCfDiff... texts of storage/Messages.h, joined
// with "\n".
QString fiscalCodeDifferenceLines(const QList<FiscalCodeDifference>& differences);

// What the editors ask on save: kMsgCfNonCorrispondeScheda / kMsgCfNonCorrispondePagatore with
// the lines filled in, or an empty text when the code agrees (or there is nothing to compare).
QString memberFiscalCodeQuestion(const TSchedaIscritto& member);
QString payerFiscalCodeQuestion(const TSchedaRicevuta& receipt);

} // namespace tavorel
