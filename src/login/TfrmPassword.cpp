#include "login/TfrmPassword.h"

#include "access/PasswordStore.h"
#include "shell/FieldKeys.h"
#include "shell/FocusHighlight.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"
#include "storage/Messages.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSvgWidget>

namespace tavorel {

void TfrmPassword::preparaCampoPassword(QLineEdit* field)
{
    field->setEchoMode(QLineEdit::Password);
    QFont f = field->font();
    f.setPointSize(14);
    f.setBold(true);
    field->setFont(f);
    // The cipher keeps one byte per character, so the store can hold at most 255 characters, each
    // with a code below 256: anything else could be stored but never typed back.
    field->setMaxLength(255);
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[\\x{0}-\\x{FF}]*")), field));
}

TfrmPassword::TfrmPassword()
    : FixedWindow(QStringLiteral("frmPassword"), QStringLiteral(" Tavorel - Accesso"), QSize(470, 290))
{
    auto* card = look::card(this, QStringLiteral("panAccesso"));

    imgLogo = new QSvgWidget(QStringLiteral(":/assets/lucchetto.svg"), card);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setFixedSize(96, 96);

    lblRigo05 =
        look::label(card, QStringLiteral("Immetti la password e premi OK."), 10, false, QStringLiteral("lblRigo05"));

    txtPassword = new QLineEdit(card);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    preparaCampoPassword(txtPassword);

    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    cmdOK = look::button(this, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    cmdOK->setEnabled(false);
    cmdEsci = look::button(this, QStringLiteral("cmdEsci"), QStringLiteral("Esci"));
    btnCambiaPassword = look::button(this, QStringLiteral("btnCambiaPassword"), QStringLiteral("Cambia password"));

    auto* fields = new QVBoxLayout;
    fields->setSpacing(12);
    fields->addStretch();
    fields->addWidget(lblRigo05);
    fields->addWidget(txtPassword);
    fields->addStretch();

    auto* inCard = new QHBoxLayout(card);
    inCard->setContentsMargins(20, 16, 20, 16);
    inCard->setSpacing(20);
    inCard->addWidget(imgLogo, 0, Qt::AlignVCenter);
    inCard->addLayout(fields, 1);

    look::stackWindow(this, {card}, {btnCambiaPassword}, {cmdEsci, cmdOK});

    effPassword = FocusHighlight::applyStyleB(txtPassword, QStringLiteral("effPassword"));

    // Enter logs in at once, but only when OK could be pressed.
    FieldKeys* keys = FieldKeys::of(txtPassword);
    keys->setEnterAction([this] {
        if (cmdOK->isEnabled())
            cmdOKClick();
    });
    connect(keys, &FieldKeys::keyReleased, this, &TfrmPassword::aggiornaOK);
    connect(txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::aggiornaOK);

    connect(cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmPassword::cmdEsciClick);
    connect(btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::btnCambiaPasswordClick);
}

void TfrmPassword::aggiornaOK()
{
    cmdOK->setEnabled(!PasswordStore::normalise(txtPassword->text()).isEmpty());
}

void TfrmPassword::cmdOKClick()
{
    const QString typed = PasswordStore::normalise(txtPassword->text());
    // A blank field never logs in, not even against a missing store (which reads as empty).
    if (typed.isEmpty())
        return;

    const PasswordStore::Reading stored = PasswordStore::read(platform().programFolder());
    if (stored.status == PasswordStore::Status::Failed) {
        platform().message(this, MessageKind::Plain, kMsgPasswordErroreLettura);
        return;
    }
    if (typed != stored.password) {
        platform().message(this, MessageKind::Plain, kMsgPasswordErrata);
        txtPassword->clear();
        txtPassword->setFocus(Qt::OtherFocusReason);
        return;
    }
    hide();
    emit accessoRiuscito();
}

void TfrmPassword::cmdEsciClick()
{
    hide();
    platform().terminate();
}

void TfrmPassword::btnCambiaPasswordClick()
{
    hide();
    emit cambiaPasswordRichiesto();
}

void TfrmPassword::FormShow()
{
    aggiornaOK();
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::tornaDaCambioPassword()
{
    txtPassword->clear();
    lblMemory->clear();
    show();
    activateWindow();
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::closeEvent(QCloseEvent* event)
{
    // The login screen is the main window: closing it ends the program.
    event->accept();
    platform().terminate();
}

} // namespace tavorel
