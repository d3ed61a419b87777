#include "login/TfrmCambiaPassword.h"

#include "access/PasswordStore.h"
#include "login/TfrmPassword.h"
#include "rules/TextRules.h"
#include "shell/FieldKeys.h"
#include "shell/FocusHighlight.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"
#include "storage/Messages.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSvgWidget>

namespace tavorel {

TfrmCambiaPassword::TfrmCambiaPassword()
    : FixedWindow(QStringLiteral("frmCambiaPassword"), QStringLiteral(" Cambia password"), QSize(600, 290))
{
    // Closing this screen hands back to the login screen; it must never end the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* card = look::card(this, QStringLiteral("panCambiaPassword"));

    imgLogo = new QSvgWidget(QStringLiteral(":/assets/lucchetto.svg"), card);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setFixedSize(96, 96);

    auto field = [card](const QString& name) {
        auto* edit = new QLineEdit(card);
        edit->setObjectName(name);
        TfrmPassword::preparaCampoPassword(edit);
        return edit;
    };
    lblPasswordOld =
        look::label(card, QStringLiteral("Vecchia password:"), 10, false, QStringLiteral("lblPasswordOld"));
    lblPasswordNew = look::label(card, QStringLiteral("Nuova password:"), 10, false, QStringLiteral("lblPasswordNew"));
    lblConferma =
        look::label(card, QStringLiteral("Conferma nuova password:"), 10, false, QStringLiteral("lblConferma"));
    txtPasswordOld = field(QStringLiteral("txtPasswordOld"));
    txtPasswordNew = field(QStringLiteral("txtPasswordNew"));
    txtConferma = field(QStringLiteral("txtConferma"));

    cmdEsci = look::button(this, QStringLiteral("cmdEsci"), QStringLiteral("Chiudi"));
    cmdOK = look::button(this, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    cmdOK->setEnabled(false);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(14);
    const QList<std::pair<QLabel*, QLineEdit*>> rows = {
        {lblPasswordOld, txtPasswordOld}, {lblPasswordNew, txtPasswordNew}, {lblConferma, txtConferma}};
    for (int r = 0; r < rows.size(); ++r) {
        grid->addWidget(rows[r].first, r, 0);
        grid->addWidget(rows[r].second, r, 1);
    }
    grid->setColumnStretch(1, 1);

    auto* inCard = new QHBoxLayout(card);
    inCard->setContentsMargins(20, 18, 20, 18);
    inCard->setSpacing(20);
    inCard->addWidget(imgLogo, 0, Qt::AlignVCenter);
    inCard->addLayout(grid, 1);

    look::stackWindow(this, {card}, {}, {cmdEsci, cmdOK});

    effPasswordOld = FocusHighlight::applyStyleB(txtPasswordOld, QStringLiteral("effPasswordOld"));
    effPasswordNew = FocusHighlight::applyStyleB(txtPasswordNew, QStringLiteral("effPasswordNew"));
    effConferma = FocusHighlight::applyStyleB(txtConferma, QStringLiteral("effConferma"));

    // Enter only moves round the three fields; it never presses OK.
    setEnterChain({txtPasswordOld, txtPasswordNew, txtConferma}, true);
    for (QLineEdit* edit : {txtPasswordOld, txtPasswordNew, txtConferma}) {
        connect(edit, &QLineEdit::textChanged, this, &TfrmCambiaPassword::aggiornaOK);
        connect(FieldKeys::of(edit), &FieldKeys::keyReleased, this, &TfrmCambiaPassword::aggiornaOK);
    }

    connect(cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdEsciClick);
}

void TfrmCambiaPassword::aggiornaOK()
{
    cmdOK->setEnabled(!TrimSpazi(txtPasswordOld->text()).isEmpty() && !TrimSpazi(txtPasswordNew->text()).isEmpty() &&
                      !TrimSpazi(txtConferma->text()).isEmpty());
}

void TfrmCambiaPassword::cmdOKClick()
{
    aggiornaOK();
    if (!cmdOK->isEnabled())
        return;

    const QString folder = platform().programFolder();
    const PasswordStore::Reading stored = PasswordStore::read(folder);
    if (stored.status == PasswordStore::Status::Failed) {
        platform().message(this, MessageKind::Plain, kMsgPasswordErroreModifica);
        return;
    }
    // A missing store reads as empty, which a non-blank old password never matches.
    if (PasswordStore::normalise(txtPasswordOld->text()) != stored.password) {
        platform().message(this, MessageKind::Plain, kMsgVecchiaPasswordErrata);
        txtPasswordOld->clear();
        txtPasswordOld->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The confirmation must match as typed, letter case included, although the store ignores case.
    if (TrimSpazi(txtPasswordNew->text()) != TrimSpazi(txtConferma->text())) {
        platform().message(this, MessageKind::Plain, kMsgPasswordNonConfermata);
        txtPasswordNew->clear();
        txtConferma->clear();
        txtPasswordNew->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!PasswordStore::write(folder, txtPasswordNew->text())) {
        platform().message(this, MessageKind::Plain, kMsgPasswordErroreModifica);
        return;
    }
    platform().message(this, MessageKind::Plain, kMsgPasswordModificata);
    chiudi();
}

void TfrmCambiaPassword::cmdEsciClick()
{
    chiudi();
}

void TfrmCambiaPassword::chiudi()
{
    // Hidden rather than closed: the screen lives on, and the login comes back in its place.
    hide();
    emit chiuso();
}

void TfrmCambiaPassword::FormShow()
{
    txtPasswordOld->clear();
    txtPasswordNew->clear();
    txtConferma->clear();
    txtPasswordOld->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit chiuso();
}

} // namespace tavorel
