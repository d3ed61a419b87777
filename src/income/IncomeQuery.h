#pragma once

#include <QString>
#include <QStringList>

namespace tavorel {

// The fields of the income summary query that the checks read, as the screen holds them.
struct IncomeQueryFields {
    QString anno; // the year field as typed
    QString giornoInizio;
    QString meseInizio;
    QString giornoFine;
    QString meseFine;
};

// The checks of "Visualizza riepilogo", without the screen: which one fails first, what it says and
// where the focus goes, and the interval dates composed on the way.
class IncomeQuery {
public:
    // Where the focus goes after a failed check. Unchanged: the focus stays where it was.
    enum class Focus { Unchanged, Anno, GiornoInizio, MeseInizio, GiornoFine, MeseFine };

    struct Check {
        bool ok = false;
        QString message;    // empty when ok
        bool plain = false; // a plain message box rather than a warning
        Focus focus = Focus::Unchanged;
        // The composed dates: the start once the four pickers are filled, the end once the start
        // exists. Empty where the checks stopped before composing them.
        QString dataInizio;
        QString dataFine;
    };

    // The day and month names the pickers offer, in order.
    static QStringList giorni();
    static QStringList mesi();

    // Day text as picked ("01" to "31", blanks around it ignored), or empty when it is not one.
    static QString giornoValido(const QString& text);
    // True when the text, lower-cased and trimmed, names a month.
    static bool meseValido(const QString& text);

    // day + "/mm/" + year: the month's name lower-cased and trimmed gives "/01/" to "/12/"; an
    // unknown month gives nothing in between, which then fails as a date that does not exist.
    static QString componiData(const QString& giorno, const QString& mese, const QString& anno);

    // The checks in their order; the first that fails ends them.
    static Check verifica(const IncomeQueryFields& fields);
};

} // namespace tavorel
