#include "shell/SearchDialog.h"

#include "printing/Report.h"
#include "rules/TextRules.h"
#include "shell/Colors.h"
#include "shell/FieldKeys.h"
#include "shell/FocusHighlight.h"
#include "shell/ListActions.h"
#include "shell/ListPanel.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"
#include "storage/Messages.h"
#include "storage/RecordFile.h"

#include <QApplication>
#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSvgWidget>

namespace tavorel {

namespace {

const QString kIstruzioniCerca = QStringLiteral(
    "Immettere nei campi prescelti una o più parole consecutive presenti nelle schede da trovare e premere il "
    "pulsante Cerca. Lasciare in bianco tutti gli altri campi. Per ogni ricerca è possibile utilizzare uno o più "
    "campi contemporaneamente.");

QLabel* darkCyanLabel(QWidget* parent, const QString& text, const QString& name)
{
    QLabel* l = look::label(parent, text, 9, true, name);
    l->setStyleSheet(colors::textColor(colors::kDarkCyan));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

} // namespace

SearchDialog::SearchDialog(QWidget* owner, const QString& name, const QString& caption,
                           const QList<CriterionEdit>& criteria, const QString& hint)
    : FixedDialog(owner, name, caption, QSize(1000, 660))
{
    // Criteria panel
    panAvvio = new QFrame(this);
    panAvvio->setObjectName(QStringLiteral("panAvvio"));

    QFrame* istruzioni = look::card(panAvvio, QStringLiteral("panIstruzioni"));
    auto* icona = new QSvgWidget(QStringLiteral(":/assets/trova.svg"), istruzioni);
    icona->setObjectName(QStringLiteral("imgDecoro"));
    icona->setFixedSize(56, 56);
    imgIstruzioni = look::label(istruzioni, kIstruzioniCerca, 10, false, QStringLiteral("imgIstruzioni"));
    imgIstruzioni->setWordWrap(true);
    auto* rigaIstruzioni = new QHBoxLayout(istruzioni);
    rigaIstruzioni->setContentsMargins(14, 12, 14, 12);
    rigaIstruzioni->setSpacing(14);
    rigaIstruzioni->addWidget(icona, 0, Qt::AlignTop);
    rigaIstruzioni->addWidget(imgIstruzioni, 1);

    QFrame* campi = look::card(panAvvio, QStringLiteral("panCampi"));
    auto* griglia = new QGridLayout(campi);
    griglia->setContentsMargins(22, 14, 22, 18);
    griglia->setHorizontalSpacing(28);
    griglia->setVerticalSpacing(2);
    QFont valueFont(QStringLiteral("Verdana"));
    valueFont.setPointSize(10);
    valueFont.setBold(true);
    int row = 0;
    int column = 0;
    for (const CriterionEdit& c : criteria) {
        auto* edit = new QLineEdit(campi);
        edit->setObjectName(c.name);
        edit->setFont(valueFont);
        edit->setMinimumHeight(28);
        QLabel* label = look::label(campi, c.label, 9, false, QStringLiteral("lbl") + c.name.mid(3));
        label->setBuddy(edit);
        if (c.fullWidth && column == 1) {
            row += 2;
            column = 0;
        }
        const int span = c.fullWidth ? 2 : 1;
        griglia->addWidget(label, row, column, 1, span);
        griglia->addWidget(edit, row + 1, column, 1, span);
        griglia->setRowMinimumHeight(row, 22);
        FocusHighlight::applyStyleB(edit, c.halo);
        criteri.append(edit);
        column += span;
        if (column >= 2) {
            column = 0;
            row += 2;
        }
    }
    setEnterChain(criteri, true);

    btnAnnulla = look::button(panAvvio, QStringLiteral("btnAnnulla"), QStringLiteral("Chiudi"));
    lblAttendere = darkCyanLabel(panAvvio, QStringLiteral("Ricerca schede in corso. Attendere..."),
                                 QStringLiteral("lblAttendere"));
    // Keeps its room while hidden, so that showing it moves nothing under the mouse.
    QSizePolicy attesa = lblAttendere->sizePolicy();
    attesa.setRetainSizeWhenHidden(true);
    attesa.setHorizontalPolicy(QSizePolicy::Expanding);
    lblAttendere->setSizePolicy(attesa);
    lblAttendere->hide();
    btnCerca = look::button(panAvvio, QStringLiteral("btnCerca"), QStringLiteral("Cerca"));
    auto* comandiAvvio = new QHBoxLayout;
    comandiAvvio->addWidget(btnAnnulla);
    comandiAvvio->addWidget(lblAttendere, 1);
    comandiAvvio->addWidget(btnCerca);
    auto* colonnaAvvio = new QVBoxLayout(panAvvio);
    colonnaAvvio->setContentsMargins(0, 0, 0, 0);
    colonnaAvvio->setSpacing(14);
    colonnaAvvio->addWidget(istruzioni);
    colonnaAvvio->addWidget(campi);
    colonnaAvvio->addStretch(1);
    colonnaAvvio->addLayout(comandiAvvio);

    // Results panel
    panContainer = new QFrame(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    elenco = new ListPanel(panContainer, QStringLiteral("RISULTATI DI RICERCA"), hint);
    btnChiudi = look::button(panContainer, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"));
    lblTrovate = darkCyanLabel(panContainer, QStringLiteral("Il presente riepilogo contiene 0 schede"),
                               QStringLiteral("lblTrovate"));
    btnStampa = look::button(panContainer, QStringLiteral("btnStampa"), QStringLiteral("Stampa"));
    auto* comandiElenco = new QHBoxLayout;
    comandiElenco->addWidget(btnChiudi);
    comandiElenco->addWidget(lblTrovate, 1);
    comandiElenco->addWidget(btnStampa);
    auto* colonnaElenco = new QVBoxLayout(panContainer);
    colonnaElenco->setContentsMargins(0, 0, 0, 0);
    colonnaElenco->setSpacing(10);
    colonnaElenco->addWidget(elenco, 1);
    colonnaElenco->addLayout(comandiElenco);
    panContainer->hide();

    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();
    lblConta = new QLabel(QStringLiteral("0"), this);
    lblConta->setObjectName(QStringLiteral("lblConta"));
    lblConta->hide();

    auto* finestra = new QVBoxLayout(this);
    finestra->setContentsMargins(16, 16, 16, 14);
    finestra->addWidget(panAvvio);
    finestra->addWidget(panContainer);

    QWidget* previous = criteri.last();
    for (QWidget* next : {static_cast<QWidget*>(btnAnnulla), static_cast<QWidget*>(btnCerca)}) {
        setTabOrder(previous, next);
        previous = next;
    }

    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    // The waiting label shows as soon as the button goes down, before the search blocks the screen.
    connect(btnCerca, &QPushButton::pressed, lblAttendere, [this] {
        lblAttendere->show();
        lblAttendere->repaint();
    });
    connect(btnCerca, &QPushButton::clicked, this, &SearchDialog::btnCercaClick);
    connect(btnStampa, &QPushButton::clicked, this, &SearchDialog::btnStampaClick);
    connect(elenco, &ListPanel::rigaScelta, this, &SearchDialog::lstRecordsDblClick);
}

SearchDialog::~SearchDialog() = default;

void SearchDialog::setMode(const QString& mode)
{
    lblMemory->setText(mode);
}

QString SearchDialog::mode() const
{
    return lblMemory->text();
}

void SearchDialog::FormShow()
{
    elenco->azzeraTrova();
    criteri.first()->setFocus();
}

QString SearchDialog::criterio(const QString& name) const
{
    for (const QLineEdit* edit : criteri) {
        if (edit->objectName() == name)
            return edit->text();
    }
    return {};
}

void SearchDialog::btnCercaClick()
{
    int inUso = 0;
    for (const QLineEdit* edit : std::as_const(criteri))
        inUso += CriterioInUso(edit->text()) ? 1 : 0;
    lblConta->setText(QString::number(inUso));

    RowTable rows;
    ScanDamage damage;
    bool ok = false;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ok = cerca(rows, damage);
        QApplication::restoreOverrideCursor();
    }
    if (!ok) {
        // The criteria stay, and Cerca can be pressed again.
        platform().message(this, MessageKind::Error, kMsgAccessoArchivio);
        return;
    }
    const int n = int(rows.size());
    elenco->setRows(std::move(rows), ordinata() ? ListModel::Order::Sorted : ListModel::Order::AsGiven);
    lblTrovate->setText(testoTrovate(n));
    panAvvio->hide();
    panContainer->show();
    elenco->focusFind(/*emptied*/ true);
    // Over the list just shown: a short list is never taken for the whole archive.
    ListActions::avvisaSchedeIlleggibili(this, damage.records(), archivio());
}

void SearchDialog::btnStampaClick()
{
    elenco->stampa(modelloStampa(), titoloStampa());
}

void SearchDialog::lstRecordsDblClick()
{
    QString row;
    if (elenco->selectedRow(row))
        carica(row);
    // Loaded or not, a double click ends the screen.
    accept();
}

void SearchDialog::done(int result)
{
    elenco->clear();
    lblAttendere->hide();
    FixedDialog::done(result);
}

} // namespace tavorel
