#include "income/TfrmRiepCosti.h"

#include "income/IncomeSelection.h"
#include "printing/ListTemplate.h"
#include "rules/FieldRules.h"
#include "rules/TextRules.h"
#include "shell/Colors.h"
#include "shell/ListActions.h"
#include "shell/ListPanel.h"
#include "shell/PictureButton.h"
#include "shell/ScreenLook.h"
#include "shell/WorkspaceScreen.h"
#include "storage/Messages.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>

namespace tavorel {

namespace {

} // namespace

QString& TfrmRiepCosti::chiaveRicordata()
{
    static QString key;
    return key;
}

TfrmRiepCosti::TfrmRiepCosti(QWidget* owner, const Richiesta& richiesta)
    : QDialog(owner), richiesta_(richiesta), report_(ListTemplate::create(ListKind::Income))
{
    setObjectName(QStringLiteral("frmRiepCosti"));
    setWindowTitle(QStringLiteral(" Tavorel - Riepilogo Incassi"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    resize(1280, 760);
    setWindowState(Qt::WindowMaximized);

    // The content panel of the workspace screens, kept centred on the gradient.
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panContenitore"));
    panel->setFixedSize(WorkspaceScreen::kPanelWidth, WorkspaceScreen::kPanelHeight);
    auto* centre = new QGridLayout(this);
    centre->setContentsMargins(0, 0, 0, 0);
    centre->addWidget(panel, 1, 1);
    centre->setRowStretch(0, 1);
    centre->setRowStretch(2, 1);
    centre->setColumnStretch(0, 1);
    centre->setColumnStretch(2, 1);

    // Heading: logo, title, the payer of the request, help
    QFrame* testata = look::card(panel, QStringLiteral("panTestata"));
    imgLogo = new QLabel(testata);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPixmap(QIcon(QStringLiteral(":/assets/logo_euro.svg")).pixmap(QSize(64, 64)));
    imgTitolo = look::label(testata, QStringLiteral("RIEPILOGO INCASSI"), 24, true, QStringLiteral("imgTitolo"));
    imgTitolo->setStyleSheet(colors::textColor(colors::kTitleBlue));
    lblTipologia = look::label(testata, QStringLiteral("Pagatore:"), 11, false, QStringLiteral("lblTipologia"));
    titTipologia = look::label(testata, QString(), 11, true, QStringLiteral("titTipologia"));
    imgGuida = new PictureButton(QStringLiteral("imgGuida"), QStringLiteral(":/assets/guida.svg"), testata);
    imgGuida->setFixedSize(48, 48);
    imgGuida->setToolTip(QStringLiteral("Guida"));

    auto* titoli = new QVBoxLayout;
    titoli->setSpacing(2);
    titoli->addWidget(imgTitolo);
    auto* pagatore = new QHBoxLayout;
    pagatore->addWidget(lblTipologia);
    pagatore->addWidget(titTipologia, 1);
    titoli->addLayout(pagatore);
    auto* riga = new QHBoxLayout(testata);
    riga->setContentsMargins(16, 10, 16, 10);
    riga->setSpacing(16);
    riga->addWidget(imgLogo);
    riga->addLayout(titoli, 1);
    riga->addWidget(imgGuida, 0, Qt::AlignTop);

    // The rows, with the find box
    QFrame* corpo = look::card(panel, QStringLiteral("panElencoCard"));
    elenco = new ListPanel(corpo, QString(), QString());
    elenco->setRememberedKey(&chiaveRicordata());
    auto* margini = new QVBoxLayout(corpo);
    margini->setContentsMargins(14, 12, 14, 12);
    margini->addWidget(elenco);

    // Interval and total
    QFrame* piede = look::card(panel, QStringLiteral("panTotali"));
    infIntervallo =
        look::label(piede, QStringLiteral("Intervallo selezionato:"), 10, false, QStringLiteral("infIntervallo"));
    lblIntervallo =
        look::label(piede, QStringLiteral("Dal gg/mm/aaaa al gg/mm/aaaa"), 11, true, QStringLiteral("lblIntervallo"));
    infTotKmPercorsi =
        look::label(piede, QStringLiteral("Totale importi incassati:"), 10, false, QStringLiteral("infTotKmPercorsi"));
    lblTotCosti = look::label(piede, QStringLiteral("0,00"), 16, true, QStringLiteral("lblTotCosti"));
    lblTotCosti->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblTotCosti->setStyleSheet(colors::textColor(colors::kTitleBlue));
    auto* euro = look::label(piede, QStringLiteral("€"), 16, true, QStringLiteral("lblEuro"));
    euro->setStyleSheet(lblTotCosti->styleSheet());
    lblTotaliPagamento = look::label(piede, QString(), 9, false, QStringLiteral("lblTotaliPagamento"));
    lblTotaliPagamento->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* totali = new QGridLayout(piede);
    totali->setContentsMargins(16, 8, 16, 8);
    totali->addWidget(infIntervallo, 0, 0);
    totali->addWidget(lblIntervallo, 1, 0);
    totali->addWidget(infTotKmPercorsi, 0, 1, 1, 2, Qt::AlignRight);
    totali->addWidget(euro, 1, 1, Qt::AlignRight);
    totali->addWidget(lblTotCosti, 1, 2);
    totali->addWidget(lblTotaliPagamento, 2, 0, 1, 3, Qt::AlignRight);
    totali->setColumnStretch(0, 1);

    btnStampa = look::button(panel, QStringLiteral("btnStampa"), QStringLiteral("Stampa riepilogo"));
    btnStampa->setMinimumWidth(150);
    btnEsci = look::button(panel, QStringLiteral("btnEsci"), QStringLiteral("Esci"));
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch(1);
    pulsanti->addWidget(btnEsci);
    pulsanti->addWidget(btnStampa);

    auto* colonna = new QVBoxLayout(panel);
    colonna->setContentsMargins(20, 16, 20, 16);
    colonna->setSpacing(12);
    colonna->addWidget(testata);
    colonna->addWidget(corpo, 1);
    colonna->addWidget(piede);
    colonna->addLayout(pulsanti);

    lblConta = new QLabel(panel);
    lblConta->setObjectName(QStringLiteral("lblConta"));
    lblConta->hide();
    lblFile = new QLabel(panel);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->hide();
    lblFile->setText(richiesta.archivio);

    elenco->setTabOrderTo(btnStampa);
    setTabOrder(btnStampa, btnEsci);

    connect(btnStampa, &QPushButton::clicked, this, &TfrmRiepCosti::btnStampaClick);
    connect(btnEsci, &QPushButton::clicked, this, &QDialog::reject);
    connect(imgGuida, &PictureButton::clicked, this, &TfrmRiepCosti::imgGuidaClick);
}

bool TfrmRiepCosti::carica()
{
    const IncomeSelection selection(richiesta_.pagatore, richiesta_.sport, DataDaTesto(richiesta_.dataInizio),
                                    DataDaTesto(richiesta_.dataFine));
    lblConta->setText(QString::number(selection.filtriInUso()));
    const QString pagatore = TrimSpazi(richiesta_.pagatore);
    titTipologia->setText(pagatore.isEmpty() ? QStringLiteral("- - -") : pagatore);

    elenco->clear();
    IncomeSelection::Result result = selection.esegui(richiesta_.archivio);
    if (!result.ok)
        return false;
    elenco->setRows(std::move(result.rows), ListModel::Order::AsGiven);
    lblIntervallo->setText(QStringLiteral("Dal   ") + richiesta_.dataInizio + QStringLiteral("   al   ") +
                           richiesta_.dataFine);
    lblTotCosti->setText(IncomeSelection::formattaTotale(result.total));
    lblTotaliPagamento->setText(kTotaliPagamento.arg(IncomeSelection::formattaTotale(result.contanti),
                                                     IncomeSelection::formattaTotale(result.tracciabili),
                                                     IncomeSelection::formattaTotale(result.nonIndicato)));
    ListActions::avvisaSchedeIlleggibili(this, result.unreadable, richiesta_.archivio);
    return true;
}

void TfrmRiepCosti::btnStampaClick()
{
    elenco->stampaIncassi(report_, lblIntervallo->text(), lblTotCosti->text());
}

void TfrmRiepCosti::imgGuidaClick()
{
    emit apriGuida();
}

void TfrmRiepCosti::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    look::paintGradient(p, rect());
}

void TfrmRiepCosti::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    elenco->focusFind();
}

void TfrmRiepCosti::done(int result)
{
    elenco->clear();
    QDialog::done(result);
}

} // namespace tavorel
