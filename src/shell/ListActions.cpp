#include "shell/ListActions.h"

#include "lists/ListFind.h"
#include "printing/ListTemplate.h"
#include "printing/Report.h"
#include "shell/Colors.h"
#include "shell/Platform.h"
#include "storage/Messages.h"

#include "shell/ListModel.h"

#include <QFileInfo>
#include <QListView>

namespace tavorel {

ListModel* ListActions::preparaLista(QListView* list)
{
    QFont f(QStringLiteral("Courier New"), 12);
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    list->setFont(f);
    QPalette p = list->palette();
    p.setColor(QPalette::Text, colors::kListText);
    list->setPalette(p);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row has the same size: the view lays out a hundred thousand rows without measuring them.
    list->setUniformItemSizes(true);
    list->setLayoutMode(QListView::SinglePass);
    list->setWordWrap(false);
    list->setTextElideMode(Qt::ElideNone);
    auto* model = new ListModel(list);
    list->setModel(model);
    return model;
}

ListModel* ListActions::modello(const QListView* list)
{
    return qobject_cast<ListModel*>(list->model());
}

void ListActions::riempiLista(QListView* list, RowTable rows, bool sorted)
{
    ListModel* model = modello(list);
    model->setRows(std::move(rows), sorted ? ListModel::Order::Sorted : ListModel::Order::AsGiven);
    // Rows are laid out 1600 units wide, or as wide as the longest one when it needs more.
    const QFontMetrics fm(list->font());
    const int longest = fm.horizontalAdvance(QLatin1Char('M')) * model->longestRow() + 8;
    model->setItemSize(QSize(std::max(1600, longest), fm.height() + 2));
}

const RowTable& ListActions::righe(const QListView* list)
{
    return modello(list)->rows();
}

int ListActions::rigaSelezionata(const QListView* list)
{
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ListActions::selezionaRiga(QListView* list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    if (!index.isValid()) {
        list->selectionModel()->clearSelection();
        return;
    }
    list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    list->scrollTo(index);
}

void ListActions::trova(QWidget* screen, QListView* list, const QString& typed, QString& rememberedKey)
{
    // The selected row, not the current one: a row can be current without being selected (after a
    // Ctrl+click that deselects it), and then the search starts as if none were selected.
    const ListFind::Result r = ListFind::find(righe(list), rigaSelezionata(list), typed, rememberedKey);
    if (r.emptyList) {
        platform().message(screen, MessageKind::Plain, kMsgRicercaNonApplicabile);
        return;
    }
    if (r.row >= 0)
        selezionaRiga(list, r.row);
}

void ListActions::stampa(QWidget* screen, Report& report, const QString& title, const QListView* list)
{
    stampaRighe(screen, report, title, righe(list), {});
}

void ListActions::stampaIncassi(QWidget* screen, Report& report, const QListView* list, const QString& interval,
                                const QString& total)
{
    if (modello(list)->rowCount() == 0) {
        platform().message(screen, MessageKind::Warning, kMsgStampaNonApplicabile);
        return;
    }
    if (platform().message(screen, MessageKind::Confirmation, kMsgConfermaStampaRiepilogo) == Answer::No)
        return;
    stampaRighe(screen, report, kTitoloIncassi, righe(list), ListTemplate::incomeSummaryLines(interval, total));
}

void ListActions::stampaRighe(QWidget* screen, Report& report, const QString& title, const RowTable& rows,
                              const QStringList& extraLines)
{
    fillListReport(report, title, rows.toStringList(), extraLines);
    try {
        platform().print(report, screen);
    } catch (const std::exception& e) {
        // The list screens have no message of their own for a printer failure: like the program's
        // general error report, the error's own text is shown and the screen stays as it was.
        platform().message(screen, MessageKind::Error, QString::fromUtf8(e.what()));
    }
}

void ListActions::avvisaSchedeIlleggibili(QWidget* screen, qint64 count, const QString& archivePath)
{
    if (count > 0)
        platform().message(screen, MessageKind::Warning,
                           msgSchedeIlleggibili(count, QFileInfo(archivePath).fileName()));
}

} // namespace tavorel
