#include "income/TfrmMenuRiepCosti.h"

#include "income/IncomeQuery.h"
#include "income/TfrmRiepCosti.h"
#include "rules/TextRules.h"
#include "shell/Colors.h"
#include "shell/FieldKeys.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"
#include "storage/Archives.h"
#include "storage/Messages.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSvgWidget>

#include <memory>

namespace tavorel {

namespace {

QFont verdana(int points, bool bold)
{
    QFont f(QStringLiteral("Verdana"));
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

} // namespace

TfrmMenuRiepCosti::TfrmMenuRiepCosti()
    : WorkspaceScreen(QStringLiteral("frmMenuRiepCosti"), QStringLiteral(" Tavorel - Riepilogo Incassi"))
{
    QWidget* p = panel();

    // Title block
    QFrame* testata = look::card(p, QStringLiteral("panTestata"));
    testata->setGeometry(20, 20, 955, 130);
    imgTitolo = look::label(testata, QStringLiteral("RIEPILOGO INCASSI"), 34, true, QStringLiteral("imgTitolo"));
    imgTitolo->setStyleSheet(colors::textColor(colors::kTitleBlue));
    imgTitolo->setGeometry(30, 14, 880, 60);
    lblCampo01 = look::label(testata,
                             QStringLiteral("Indicare l'anno solare di interesse, il cognome e nome del pagatore e/o "
                                            "l'attività sportiva praticata."),
                             11, false, QStringLiteral("lblCampo01"));
    lblCampo01->setStyleSheet(colors::textColor(colors::kLabelText));
    lblCampo01->setWordWrap(true);
    lblCampo01->setGeometry(32, 78, 890, 40);

    // The query, beside a picture of income
    QFrame* corpo = look::card(p, QStringLiteral("panRichiesta"));
    corpo->setGeometry(20, 166, 955, 440);
    auto* immagine = new QSvgWidget(QStringLiteral(":/assets/avvio_incassi.svg"), corpo);
    immagine->setObjectName(QStringLiteral("imgIncassi"));
    immagine->setGeometry(30, 60, 260, 260);

    const int x = 320;
    const int campo = 150;
    auto riga = [&](const QString& testo, const QString& nome, int y, int larghezza, QLineEdit*& edit) {
        QLabel* l = look::label(corpo, testo, 11, false, nome);
        l->setGeometry(x, y, campo - 10, 32);
        edit = new QLineEdit(corpo);
        edit->setObjectName(QStringLiteral("txt") + nome.mid(3));
        edit->setFont(verdana(11, true));
        edit->setGeometry(x + campo, y, larghezza, 32);
        return l;
    };
    titAnno = riga(QStringLiteral("Anno:"), QStringLiteral("titAnno"), 24, 90, txtAnno);
    titEsecutore = riga(QStringLiteral("Pagatore:"), QStringLiteral("titEsecutore"), 66, 450, txtEsecutore);
    titCCP = riga(QStringLiteral("Attività sportiva:"), QStringLiteral("titCCP"), 108, 450, txtCCP);
    txtAnno->setMaxLength(4);
    txtAnno->setAlignment(Qt::AlignCenter);
    // As long as the record fields they are matched against.
    txtEsecutore->setMaxLength(50);
    txtCCP->setMaxLength(120);

    lblCampo02 = look::label(corpo,
                             QStringLiteral("Per ottenere il riepilogo di tutti gli importi incassati nell'intervallo "
                                            "di tempo, lasciare in bianco i campi di ricerca soprastanti."),
                             9, false, QStringLiteral("lblCampo02"));
    lblCampo02->setWordWrap(true);
    lblCampo02->setStyleSheet(colors::textColor(colors::kLabelTextLight));
    lblCampo02->setGeometry(x, 148, 600, 36);
    lblCampo03 = look::label(corpo,
                             QStringLiteral("Indicare l'intervallo di tempo relativo al periodo da riepilogare in base "
                                            "alla data di emissione delle ricevute."),
                             11, false, QStringLiteral("lblCampo03"));
    lblCampo03->setWordWrap(true);
    lblCampo03->setGeometry(x, 194, 600, 44);

    auto gruppo = [&](const QString& titolo, const QString& nome, int gx, QComboBox*& giorno, QComboBox*& mese,
                      QLabel*& anno, const QString& nomeGiorno, const QString& nomeMese, const QString& nomeAnno) {
        auto* g = new QGroupBox(titolo, corpo);
        g->setObjectName(nome);
        g->setFont(verdana(10, true));
        g->setGeometry(gx, 250, 292, 150);
        QLabel* lg = look::label(g, QStringLiteral("Giorno:"), 10, false, nomeGiorno + QStringLiteral("Tit"));
        lg->setGeometry(14, 34, 80, 22);
        giorno = picker(g, nomeGiorno, IncomeQuery::giorni(), 2);
        giorno->setGeometry(14, 58, 72, 32);
        QLabel* lm = look::label(g, QStringLiteral("Mese:"), 10, false, nomeMese + QStringLiteral("Tit"));
        lm->setGeometry(98, 34, 80, 22);
        mese = picker(g, nomeMese, IncomeQuery::mesi(), 9);
        mese->setGeometry(98, 58, 150, 32);
        anno = look::label(g, QStringLiteral("ANNO"), 18, true, nomeAnno);
        anno->setStyleSheet(colors::textColor(colors::kTitleBlue));
        anno->setGeometry(14, 100, 264, 36);
        return g;
    };
    grpDataInizio = gruppo(QStringLiteral(" Data inizio intervallo: "), QStringLiteral("grpDataInizio"), x,
                           txtGiornoInizio, txtMeseInizio, lblAnnoInizio, QStringLiteral("txtGiornoInizio"),
                           QStringLiteral("txtMeseInizio"), QStringLiteral("lblAnnoInizio"));
    grpDataFine = gruppo(QStringLiteral(" Data fine intervallo: "), QStringLiteral("grpDataFine"), x + 308,
                         txtGiornoFine, txtMeseFine, lblAnnoFine, QStringLiteral("txtGiornoFine"),
                         QStringLiteral("txtMeseFine"), QStringLiteral("lblAnnoFine"));

    // Bottom row: the waiting notice, the way out and the request
    lblAttendere = look::label(p, QStringLiteral("Caricamento riepilogo in corso. Attendere..."), 11, true,
                               QStringLiteral("lblAttendere"));
    lblAttendere->setStyleSheet(colors::textColor(colors::kRed));
    lblAttendere->setGeometry(24, 626, 520, 36);
    lblAttendere->hide();
    btnEsci = look::button(p, QStringLiteral("btnEsci"), QStringLiteral("Esci"));
    btnEsci->setGeometry(655, 626, 110, 40);
    btnVisualizza = look::button(p, QStringLiteral("btnVisualizza"), QStringLiteral("Visualizza riepilogo"));
    btnVisualizza->setGeometry(775, 626, 200, 40);
    btnVisualizza->setFont(verdana(10, true));
    btnVisualizza->installEventFilter(this);

    auto nascosta = [p](const QString& name) {
        auto* l = new QLabel(p);
        l->setObjectName(name);
        l->hide();
        return l;
    };
    lblDataInizio = nascosta(QStringLiteral("lblDataInizio"));
    lblDataFine = nascosta(QStringLiteral("lblDataFine"));
    lblFile = nascosta(QStringLiteral("lblFile"));

    // Keys: digits in the year, pick-only in the interval, Enter along the query to the button.
    FieldKeys::of(txtAnno)->setFilter(KeyFilter::Digits);
    for (QComboBox* c : {txtGiornoInizio, txtMeseInizio, txtGiornoFine, txtMeseFine})
        FieldKeys::of(c->lineEdit())->setFilter(KeyFilter::PickOnly);
    FieldKeys::of(txtAnno)->setEnterTarget(txtEsecutore);
    FieldKeys::of(txtEsecutore)->setEnterTarget(txtCCP);
    FieldKeys::of(txtCCP)->setEnterTarget(txtGiornoInizio);
    FieldKeys::of(txtGiornoInizio->lineEdit())->setEnterTarget(txtMeseInizio);
    FieldKeys::of(txtMeseInizio->lineEdit())->setEnterTarget(txtGiornoFine);
    FieldKeys::of(txtGiornoFine->lineEdit())->setEnterTarget(txtMeseFine);
    FieldKeys::of(txtMeseFine->lineEdit())->setEnterTarget(btnVisualizza);
    connect(txtAnno, &QLineEdit::textChanged, this, &TfrmMenuRiepCosti::copiaAnno);

    setTabOrder(txtAnno, txtEsecutore);
    setTabOrder(txtEsecutore, txtCCP);
    setTabOrder(txtCCP, txtGiornoInizio);
    setTabOrder(txtGiornoInizio, txtMeseInizio);
    setTabOrder(txtMeseInizio, txtGiornoFine);
    setTabOrder(txtGiornoFine, txtMeseFine);
    setTabOrder(txtMeseFine, btnVisualizza);
    setTabOrder(btnVisualizza, btnEsci);

    connect(btnVisualizza, &QPushButton::clicked, this, &TfrmMenuRiepCosti::btnVisualizzaClick);
    connect(btnEsci, &QPushButton::clicked, this, &TfrmMenuRiepCosti::btnEsciClick);
}

QComboBox* TfrmMenuRiepCosti::picker(QWidget* parent, const QString& name, const QStringList& items, int maxLength)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    c->setMaxVisibleItems(12);
    c->lineEdit()->setMaxLength(maxLength);
    c->setFont(verdana(11, true));
    c->lineEdit()->setFont(c->font());
    c->setCurrentIndex(-1);
    c->installEventFilter(this);
    return c;
}

bool TfrmMenuRiepCosti::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == btnVisualizza && event->type() == QEvent::MouseButtonPress)
        lblAttendere->show();
    auto* c = qobject_cast<QComboBox*>(watched);
    if (c && (c == txtGiornoInizio || c == txtMeseInizio || c == txtGiornoFine || c == txtMeseFine)) {
        if (event->type() == QEvent::FocusIn) {
            // The list loses its marked item, so that any day or month can be picked again; the
            // text stays.
            const QString text = c->currentText();
            c->setCurrentIndex(-1);
            c->setEditText(text);
        } else if (event->type() == QEvent::FocusOut) {
            // Only a day or a month taken from the list stays in the field.
            const bool giorno = c == txtGiornoInizio || c == txtGiornoFine;
            const QString text = c->currentText();
            if (giorno ? IncomeQuery::giornoValido(text).isEmpty() : !IncomeQuery::meseValido(text))
                c->setEditText(QString());
        }
    }
    return WorkspaceScreen::eventFilter(watched, event);
}

void TfrmMenuRiepCosti::copiaAnno()
{
    const QString anno = TrimSpazi(txtAnno->text());
    lblAnnoInizio->setText(anno);
    lblAnnoFine->setText(anno);
}

void TfrmMenuRiepCosti::FormShow()
{
    txtEsecutore->clear();
    txtCCP->clear();
    for (QComboBox* c : {txtGiornoInizio, txtMeseInizio, txtGiornoFine, txtMeseFine}) {
        c->setCurrentIndex(-1);
        c->setEditText(QString());
    }
    txtAnno->setText(QString::number(platform().today().year()).rightJustified(4, QLatin1Char('0')));
    copiaAnno();
    lblAttendere->hide();
    txtEsecutore->setFocus();
}

void TfrmMenuRiepCosti::btnVisualizzaClick()
{
    // Shown on the mouse press; a request made with the keyboard shows it here.
    lblAttendere->show();
    lblDataInizio->clear();
    lblDataFine->clear();

    const IncomeQuery::Check check =
        IncomeQuery::verifica({txtAnno->text(), txtGiornoInizio->currentText(), txtMeseInizio->currentText(),
                               txtGiornoFine->currentText(), txtMeseFine->currentText()});
    lblDataInizio->setText(check.dataInizio);
    lblDataFine->setText(check.dataFine);
    if (!check.ok) {
        lblAttendere->hide();
        platform().message(this, check.plain ? MessageKind::Plain : MessageKind::Warning, check.message);
        QWidget* focus = nullptr;
        switch (check.focus) {
        case IncomeQuery::Focus::Anno:
            focus = txtAnno;
            break;
        case IncomeQuery::Focus::GiornoInizio:
            focus = txtGiornoInizio;
            break;
        case IncomeQuery::Focus::MeseInizio:
            focus = txtMeseInizio;
            break;
        case IncomeQuery::Focus::GiornoFine:
            focus = txtGiornoFine;
            break;
        case IncomeQuery::Focus::MeseFine:
            focus = txtMeseFine;
            break;
        case IncomeQuery::Focus::Unchanged:
            break;
        }
        if (focus)
            focus->setFocus();
        return;
    }

    lblFile->setText(receiptArchivePath(platform().programFolder(), TrimSpazi(txtAnno->text())));
    lblAttendere->repaint();
    auto elenco = std::make_unique<TfrmRiepCosti>(this, TfrmRiepCosti::Richiesta{txtEsecutore->text(), txtCCP->text(),
                                                                                 lblDataInizio->text(),
                                                                                 lblDataFine->text(), lblFile->text()});
    connect(elenco.get(), &TfrmRiepCosti::apriGuida, this, &TfrmMenuRiepCosti::apriGuida);
    if (!elenco->carica()) {
        // The archive cannot be created or read: say so instead of showing a summary of nothing.
        lblAttendere->hide();
        platform().message(this, MessageKind::Plain, kMsgArchivioNonAccessibile);
        return;
    }
    platform().runModal(elenco.get());
    lblAttendere->hide();
}

void TfrmMenuRiepCosti::btnEsciClick()
{
    close();
}

void TfrmMenuRiepCosti::closeEvent(QCloseEvent* event)
{
    event->accept();
    // Closing a screen that is already hidden hands over nothing.
    if (!isVisible())
        return;
    emit mostraMenu();
    hide();
}

} // namespace tavorel
