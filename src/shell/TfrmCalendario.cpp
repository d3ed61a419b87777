#include "shell/TfrmCalendario.h"

#include "shell/Colors.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavorel {

TfrmCalendario::TfrmCalendario(QWidget* owner, QList<Target> targets)
    : FixedDialog(owner, QStringLiteral("frmCalendario"), QStringLiteral(" Importazione data"), QSize(380, 330)),
      targets_(std::move(targets))
{
    lblMemory = new QLabel(QStringLiteral("lblMemory"), this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    lblTitolo = look::label(this, QStringLiteral("Importare una data:"), 10, true, QStringLiteral("lblTitolo"));
    lblTitolo->setStyleSheet(QStringLiteral("color: white;"));

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("panCalendario"));
    panel->setStyleSheet(QStringLiteral("QFrame#panCalendario { background: %1; border: 1px solid %2;"
                                        " border-radius: 6px; }")
                             .arg(colors::kCalendarBack.name(), colors::kCalendarBorder.name()));
    calAppuntamenti = new QCalendarWidget(panel);
    calAppuntamenti->setObjectName(QStringLiteral("calAppuntamenti"));
    calAppuntamenti->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    calAppuntamenti->setFirstDayOfWeek(Qt::Monday);
    calAppuntamenti->setGridVisible(true);
    calAppuntamenti->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // Always opens on today, whatever the field holds.
    calAppuntamenti->setSelectedDate(platform().today());
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(6, 6, 6, 6);
    panelLayout->addWidget(calAppuntamenti);

    btnAnnulla = look::button(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"));
    btnImportaData = look::button(this, QStringLiteral("btnImportaData"), QStringLiteral("Importa"));
    btnImportaData->setDefault(true);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmCalendario::btnAnnullaClick);
    connect(btnImportaData, &QPushButton::clicked, this, &TfrmCalendario::btnImportaDataClick);
    // A double click on a day takes it at once.
    connect(calAppuntamenti, &QCalendarWidget::activated, this, &TfrmCalendario::btnImportaDataClick);

    look::stackWindow(this, {lblTitolo, panel}, {}, {btnAnnulla, btnImportaData});
}

void TfrmCalendario::open(QWidget* owner, const QString& tag, const QList<Target>& targets)
{
    auto* picker = new TfrmCalendario(owner, targets);
    picker->lblMemory->setText(tag);
    platform().runModal(picker);
    delete picker;
}

void TfrmCalendario::btnImportaDataClick()
{
    const QString date = calAppuntamenti->selectedDate().toString(QStringLiteral("dd/MM/yyyy"));
    const QString tag = lblMemory->text();
    for (const Target& t : targets_) {
        if (t.tag == tag) {
            if (t.field)
                t.field->setText(date);
            break;
        }
    }
    accept();
}

void TfrmCalendario::btnAnnullaClick()
{
    reject();
}

} // namespace tavorel
