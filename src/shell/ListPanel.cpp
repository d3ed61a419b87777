#include "shell/ListPanel.h"

#include "shell/Colors.h"
#include "shell/FieldKeys.h"
#include "shell/ListActions.h"
#include "shell/ScreenLook.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

namespace tavorel {

namespace {

const QString kIstruzioniTrova =
    QStringLiteral("Immettere una o più parole consecutive presenti nella scheda in elenco da cercare e premere il "
                   "pulsante Trova. Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, "
                   "fare di nuovo clic su Trova.");

} // namespace

ListPanel::ListPanel(QWidget* parent, const QString& banner, const QString& hint) : QFrame(parent)
{
    setObjectName(QStringLiteral("panElenco"));

    imgBanner = look::label(this, banner, 13, true, QStringLiteral("imgBanner"));
    imgBanner->setAlignment(Qt::AlignCenter);
    imgBanner->setMinimumHeight(34);
    imgBanner->setStyleSheet(QStringLiteral("QLabel { color: %1; background: %2; border-radius: 6px; }")
                                 .arg(colors::kWhite.name(), colors::kSteelBlue.name()));

    imgIstruzioni = look::label(this, kIstruzioniTrova, 9, false, QStringLiteral("imgIstruzioni"));
    imgIstruzioni->setWordWrap(true);

    txtTrova = new QLineEdit(this);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    QFont trovaFont(QStringLiteral("Verdana"));
    trovaFont.setPointSize(10);
    txtTrova->setFont(trovaFont);
    btnTrova = look::button(this, QStringLiteral("btnTrova"), QStringLiteral("Trova"));

    lstRecords = new QListView(this);
    lstRecords->setObjectName(QStringLiteral("lstRecords"));
    model = ListActions::preparaLista(lstRecords);

    lblRigo03 = look::label(this, hint, 9, true, QStringLiteral("lblRigo03"));
    lblRigo03->setStyleSheet(colors::textColor(colors::kCrimson));
    if (banner.isEmpty())
        imgBanner->hide();
    if (hint.isEmpty())
        lblRigo03->hide();

    auto* cerca = new QHBoxLayout;
    cerca->setSpacing(8);
    cerca->addWidget(txtTrova, 1);
    cerca->addWidget(btnTrova);

    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(0, 0, 0, 0);
    colonna->setSpacing(8);
    colonna->addWidget(imgBanner);
    colonna->addWidget(imgIstruzioni);
    colonna->addLayout(cerca);
    colonna->addWidget(lstRecords, 1);
    colonna->addWidget(lblRigo03);

    FieldKeys::of(txtTrova)->setEnterTarget(btnTrova);
    connect(btnTrova, &QPushButton::clicked, this, &ListPanel::btnTrovaClick);
    connect(lstRecords, &QListView::doubleClicked, this, &ListPanel::rigaScelta);
}

void ListPanel::setRows(RowTable rows, ListModel::Order order)
{
    ListActions::riempiLista(lstRecords, std::move(rows), order == ListModel::Order::Sorted);
}

void ListPanel::clear()
{
    ListActions::riempiLista(lstRecords, {}, false);
}

int ListPanel::count() const
{
    return model->rowCount();
}

const RowTable& ListPanel::rowTable() const
{
    return model->rows();
}

QStringList ListPanel::rows() const
{
    return model->rows().toStringList();
}

bool ListPanel::selectedRow(QString& text) const
{
    const int row = ListActions::rigaSelezionata(lstRecords);
    if (row < 0)
        return false;
    text = model->rowText(row);
    return true;
}

void ListPanel::azzeraTrova()
{
    key_->clear();
    ListActions::selezionaRiga(lstRecords, 0);
    txtTrova->clear();
}

void ListPanel::btnTrovaClick()
{
    ListActions::trova(window(), lstRecords, txtTrova->text(), *key_);
}

void ListPanel::stampa(Report& report, const QString& title)
{
    ListActions::stampa(window(), report, title, lstRecords);
}

void ListPanel::stampaIncassi(Report& report, const QString& interval, const QString& total)
{
    ListActions::stampaIncassi(window(), report, lstRecords, interval, total);
}

void ListPanel::focusFind(bool emptied)
{
    if (emptied)
        txtTrova->clear();
    txtTrova->setFocus();
}

void ListPanel::setTabOrderTo(QWidget* next)
{
    setTabOrder(txtTrova, btnTrova);
    setTabOrder(btnTrova, lstRecords);
    setTabOrder(lstRecords, next);
}

void ListPanel::setTabOrderAround(QWidget* afterList, QWidget* beforeFind, QWidget* afterFind)
{
    setTabOrder(txtTrova, lstRecords);
    setTabOrder(lstRecords, afterList);
    setTabOrder(beforeFind, btnTrova);
    setTabOrder(btnTrova, afterFind);
}

void ListPanel::enterMovesToList(QLineEdit* field)
{
    FieldKeys::of(field)->setEnterTarget(lstRecords);
}

void ListPanel::setRememberedKey(QString* key)
{
    key_ = key ? key : &ownKey_;
}

} // namespace tavorel
