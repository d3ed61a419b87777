#pragma once

#include "lists/RowTable.h"

#include <QString>
#include <QStringList>

class QListView;
class QWidget;

namespace tavorel {

class ListModel;
class Report;

// What the five list screens do with their list of fixed-width rows: show it, find a text in it,
// and print it on the landscape list template. The list is a QListView over a ListModel; the
// screens only call these (most of them through ListPanel).
class ListActions {
public:
    // The list control lstRecords: Courier New 12 black so that the columns line up, every row
    // laid out at least 1600 units wide with scroll bars, so a long row scrolls sideways instead
    // of being cut. Gives the view its ListModel and returns it.
    static ListModel* preparaLista(QListView* list);
    static ListModel* modello(const QListView* list);
    // Replaces the rows; a sorted list keeps them in the list order (a-z taken as A-Z only).
    static void riempiLista(QListView* list, RowTable rows, bool sorted);
    static const RowTable& righe(const QListView* list);

    // The selected row, or -1 when none is (a row can be current without being selected).
    static int rigaSelezionata(const QListView* list);
    // Selects the row and scrolls to it; -1 clears the selection.
    static void selezionaRiga(QListView* list, int row);

    // "Trova": on an empty list says so; otherwise selects the next row holding the typed text
    // (see ListFind). `rememberedKey` is the screen's remembered search text.
    static void trova(QWidget* screen, QListView* list, const QString& typed, QString& rememberedKey);

    // "Stampa" of the receipt search, the member search and the expiry lists: the rows as listed,
    // under `title`; an empty list prints a page with the title and the footer.
    static void stampa(QWidget* screen, Report& report, const QString& title, const QListView* list);

    // "Stampa riepilogo" of the income summary: refuses an empty list, asks before printing, and
    // adds the interval and the total below the rows.
    static void stampaIncassi(QWidget* screen, Report& report, const QListView* list, const QString& interval,
                              const QString& total);

    // After a list is built: when `count` records of the archive at `archivePath` could not be
    // read and were left out, one warning says how many and names the file; otherwise nothing.
    static void avvisaSchedeIlleggibili(QWidget* screen, qint64 count, const QString& archivePath);

private:
    static void stampaRighe(QWidget* screen, Report& report, const QString& title, const RowTable& rows,
                            const QStringList& extraLines);
};

} // namespace tavorel
