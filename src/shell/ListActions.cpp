#include "shell/ListActions.h"

#include "printing/ListFind.h"
#include "printing/ListRows.h"
#include "printing/ListTemplate.h"
#include "printing/Report.h"
#include "shell/Platform.h"

#include <QListWidget>

namespace tavorel {

void ListActions::preparaLista(QListWidget* list)
{
    QFont f(QStringLiteral("Courier New"), 12);
    f.setStyleHint(QFont::Monospace);
    list->setFont(f);
    QPalette p = list->palette();
    p.setColor(QPalette::Text, Qt::black);
    list->setPalette(p);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    list->setWordWrap(false);
    list->setTextElideMode(Qt::ElideNone);
}

void ListActions::riempiLista(QListWidget* list, const QStringList& rows, bool sorted)
{
    list->clear();
    // A sorted list is ordered by the program's rule (a-z taken as A-Z only), not Qt's.
    QStringList ordered = rows;
    if (sorted)
        ListRows::sort(ordered);
    for (const QString& row : std::as_const(ordered)) {
        auto* item = new QListWidgetItem(row);
        // Rows are laid out 1600 units wide whatever their length.
        item->setSizeHint(QSize(1600, list->fontMetrics().height() + 2));
        list->addItem(item);
    }
}

QStringList ListActions::righe(const QListWidget* list)
{
    QStringList rows;
    rows.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        rows.append(list->item(i)->text());
    return rows;
}

void ListActions::trova(QWidget* screen, QListWidget* list, const QString& typed, QString& rememberedKey)
{
    // The selected row, not the current one: a row can be current without being selected (after a
    // Ctrl+click that deselects it), and then the search starts as if none were selected.
    const QList<QListWidgetItem*> selected = list->selectedItems();
    const int selectedRow = selected.isEmpty() ? -1 : list->row(selected.first());
    const ListFind::Result r = ListFind::find(righe(list), selectedRow, typed, rememberedKey);
    if (r.emptyList) {
        platform().message(screen, MessageKind::Plain, kMsgRicercaNonApplicabile);
        return;
    }
    if (r.row >= 0) {
        list->setCurrentRow(r.row);
        list->scrollToItem(list->item(r.row));
    }
}

void ListActions::stampa(QWidget* screen, Report& report, const QString& title, const QListWidget* list)
{
    stampaRighe(screen, report, title, righe(list), {});
}

void ListActions::stampaIncassi(QWidget* screen, Report& report, const QListWidget* list, const QString& interval,
                                const QString& total)
{
    if (list->count() == 0) {
        platform().message(screen, MessageKind::Warning, kMsgStampaNonApplicabile);
        return;
    }
    if (platform().message(screen, MessageKind::Confirmation, kMsgConfermaStampaRiepilogo) == Answer::No)
        return;
    stampaRighe(screen, report, kTitoloIncassi, righe(list), ListTemplate::incomeSummaryLines(interval, total));
}

void ListActions::stampaRighe(QWidget* screen, Report& report, const QString& title, const QStringList& rows,
                              const QStringList& extraLines)
{
    fillListReport(report, title, rows, extraLines);
    try {
        platform().print(report, screen);
    } catch (const std::exception& e) {
        // The list screens have no message of their own for a printer failure: like the program's
        // general error report, the error's own text is shown and the screen stays as it was.
        platform().message(screen, MessageKind::Error, QString::fromUtf8(e.what()));
    }
}

} // namespace tavorel
