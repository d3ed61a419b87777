#include "receipts/PaymentFields.h"

#include "rules/ReceiptFiscal.h"
#include "shell/Colors.h"
#include "shell/FieldKeys.h"
#include "shell/FocusHighlight.h"
#include "shell/ScreenLook.h"
#include "shell/TfrmCalendario.h"
#include "storage/Trim.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace tavorel {

namespace {

const QString kTagDataPag = QStringLiteral("datapag");
// As tall as the editor's other fields.
constexpr int kAltezza = 28;

QComboBox* elenco(QWidget* panel, const QString& name, const QStringList& items)
{
    auto* box = new QComboBox(panel);
    box->setObjectName(name);
    box->addItems(items);
    box->setFont(look::font(QStringLiteral("Verdana"), 9, true));
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setMinimumHeight(kAltezza);
    return box;
}

QLineEdit* campo(QWidget* panel, const QString& name, int maxLength, int width)
{
    auto* edit = new QLineEdit(panel);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    edit->setFont(look::font(QStringLiteral("Verdana"), 9, true));
    edit->setFixedWidth(width);
    edit->setMinimumHeight(kAltezza);
    FocusHighlight::applyStyleA(edit, colors::kAliceBlue);
    return edit;
}

// Selects `text` in the list; a text it does not hold is added at the end and selected.
void scegli(QComboBox* box, const QString& text)
{
    int i = box->findText(text);
    if (i < 0) {
        box->addItem(text);
        i = box->count() - 1;
    }
    box->setCurrentIndex(i);
}

} // namespace

PaymentFields::PaymentFields(QWidget* panel) : QObject(panel)
{
    titCausale = look::label(panel, QStringLiteral("Causale:"), 10, false, QStringLiteral("titCausale"));
    cboCausale = elenco(panel, QStringLiteral("cboCausale"), causali());
    titPagamento = look::label(panel, QStringLiteral("Pagamento:"), 10, false, QStringLiteral("titPagamento"));
    cboPagamento = elenco(panel, QStringLiteral("cboPagamento"), pagamenti());
    titDataPag = look::label(panel, QStringLiteral("del"), 10, false, QStringLiteral("titDataPag"));
    txtDataPag = campo(panel, QStringLiteral("txtDataPag"), TSchedaPagamento::fields()[2].capacity, 110);
    txtDataPag->setAlignment(Qt::AlignCenter);
    txtDataPag->setToolTip(QStringLiteral("La data del pagamento, se diversa da quella della ricevuta."));
    titRifPag = look::label(panel, QStringLiteral("rif."), 10, false, QStringLiteral("titRifPag"));
    txtRifPag = campo(panel, QStringLiteral("txtRifPag"), TSchedaPagamento::fields()[3].capacity, 200);
    txtRifPag->setToolTip(QStringLiteral("Il riferimento del pagamento: CRO o TRN del bonifico, numero dell'assegno."));
    titDataPag->setBuddy(txtDataPag);
    titRifPag->setBuddy(txtRifPag);
    FieldKeys::of(txtDataPag)->setFilter(KeyFilter::DatePicker, [this] {
        TfrmCalendario::open(txtDataPag->window(), kTagDataPag, {{kTagDataPag, txtDataPag}});
    });
    for (QComboBox* box : {cboCausale, cboPagamento})
        box->installEventFilter(this);
}

void PaymentFields::addTo(QHBoxLayout* row) const
{
    for (QWidget* w : std::initializer_list<QWidget*>{titCausale, cboCausale, titPagamento, cboPagamento, titDataPag,
                                                      txtDataPag, titRifPag, txtRifPag})
        row->addWidget(w);
    row->addStretch(1);
}

void PaymentFields::chain(QLineEdit* before, QLineEdit* after)
{
    QWidget::setTabOrder(before, cboCausale);
    QWidget::setTabOrder(cboCausale, cboPagamento);
    QWidget::setTabOrder(cboPagamento, txtDataPag);
    QWidget::setTabOrder(txtDataPag, txtRifPag);
    QWidget::setTabOrder(txtRifPag, after);
    FieldKeys::of(before)->setEnterTarget(cboCausale);
    FieldKeys::of(txtDataPag)->setEnterTarget(txtRifPag);
    FieldKeys::of(txtRifPag)->setEnterTarget(after);
    dopo_ = after;
}

bool PaymentFields::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on a closed drop-down moves on along the row, as in the fields.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
            if (watched == cboCausale) {
                cboPagamento->setFocus(Qt::TabFocusReason);
                return true;
            }
            if (watched == cboPagamento) {
                txtDataPag->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

TSchedaPagamento PaymentFields::valore() const
{
    return {TrimSpazi(cboCausale->currentText()), TrimSpazi(cboPagamento->currentText()), TrimSpazi(txtDataPag->text()),
            TrimSpazi(txtRifPag->text())};
}

void PaymentFields::mostra(const TSchedaPagamento& pagamento)
{
    scegli(cboCausale, pagamento.Causale);
    scegli(cboPagamento, pagamento.Pagamento);
    txtDataPag->setText(pagamento.DataPag);
    txtRifPag->setText(pagamento.RifPag);
    txtRifPag->setCursorPosition(0);
}

void PaymentFields::segna()
{
    segnato_ = valore();
}

bool PaymentFields::modificato() const
{
    return valore() != segnato_;
}

} // namespace tavorel
