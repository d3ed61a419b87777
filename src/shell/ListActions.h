#pragma once

#include <QString>
#include <QStringList>

class QListWidget;
class QWidget;

namespace tavorel {

class Report;

// What the five list screens do with their list of fixed-width rows: show it, find a text in it,
// and print it on the landscape list template. The screens only call these.
class ListActions {
public:
    // The list control lstRecords: Courier New 12 black so that the columns line up, rows laid out
    // 1600 units wide with scroll bars, so a long row scrolls sideways instead of being cut.
    static void preparaLista(QListWidget* list);
    // Replaces the rows; a sorted list keeps them in the list order (a-z taken as A-Z only).
    static void riempiLista(QListWidget* list, const QStringList& rows, bool sorted);
    static QStringList righe(const QListWidget* list);

    // "Trova": on an empty list says so; otherwise selects the next row holding the typed text
    // (see ListFind). `rememberedKey` is the screen's remembered search text.
    static void trova(QWidget* screen, QListWidget* list, const QString& typed, QString& rememberedKey);

    // "Stampa" of the receipt search, the member search and the expiry lists: the rows as listed,
    // under `title`; an empty list prints a page with the title and the footer.
    static void stampa(QWidget* screen, Report& report, const QString& title, const QListWidget* list);

    // "Stampa riepilogo" of the income summary: refuses an empty list, asks before printing, and
    // adds the interval and the total below the rows.
    static void stampaIncassi(QWidget* screen, Report& report, const QListWidget* list, const QString& interval,
                              const QString& total);

private:
    static void stampaRighe(QWidget* screen, Report& report, const QString& title, const QStringList& rows,
                            const QStringList& extraLines);
};

} // namespace tavorel
