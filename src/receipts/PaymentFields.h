#pragma once

#include "storage/TSchedaPagamento.h"

#include <QObject>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace tavorel {

// The receipt editor's row that says why and how a receipt was paid: cboCausale, cboPagamento,
// the payment's date txtDataPag (picked from the calendar; empty means the receipt's date) and the
// reference txtRifPag. What it holds is kept beside the year's archive (PaymentArchive), not in
// the receipt record, whose format stays as it is.
class PaymentFields : public QObject {
    Q_OBJECT
public:
    explicit PaymentFields(QWidget* panel);

    // The row's titles and controls, in order, for the editor's layout.
    void addTo(QHBoxLayout* row) const;
    // Tab and Enter go from `before` through the row to `after`.
    void chain(QLineEdit* before, QLineEdit* after);

    TSchedaPagamento valore() const;
    // Puts a payment on screen. A reason or a way the lists do not hold (written by another copy of
    // the program) is shown as it is, so that saving keeps it.
    void mostra(const TSchedaPagamento& pagamento);
    // What the row shows now is what was shown or saved: changes are measured from here.
    void segna();
    bool modificato() const;

    // Where a question about the way of payment sends the user back.
    QComboBox* campoPagamento() const { return cboPagamento; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TSchedaPagamento segnato_;
    QWidget* dopo_ = nullptr; // where Enter goes from the last of the row

    QLabel* titCausale;
    QComboBox* cboCausale;
    QLabel* titPagamento;
    QComboBox* cboPagamento;
    QLabel* titDataPag;
    QLineEdit* txtDataPag;
    QLabel* titRifPag;
    QLineEdit* txtRifPag;
};

} // namespace tavorel
