#pragma once

#include "printing/Report.h"
#include "shell/SearchDialog.h"
#include "storage/TSchedaRicevuta.h"

#include <functional>

namespace tavorel {

class StoredCriteria;

// Finds receipts in the archive the receipt editor has open, by up to ten criteria, lists them
// in archive order, and on a double click loads the receipt into the screen that opened it.
// It only reads the archive.
class TfrmTrovaRic : public SearchDialog {
    Q_OBJECT
public:
    // Whoever opens the search says where a receipt goes: the record and its number (from 1).
    using Destinazione = std::function<void(const TSchedaRicevuta& record, qint64 k)>;

    TfrmTrovaRic(QWidget* owner, const QString& archivePath, Destinazione destinazione);

    // The criteria as typed, on the receipt's stored fields.
    StoredCriteria criteriRicerca() const;

protected:
    bool cerca(RowTable& rows, ScanDamage& damage) override;
    QString archivio() const override;
    bool ordinata() const override { return false; }
    QString testoTrovate(int rows) const override;
    Report& modelloStampa() override { return report_; }
    QString titoloStampa() const override;
    void carica(const QString& row) override;

private:
    QString archivePath_;
    Destinazione destinazione_;
    Report report_;
};

} // namespace tavorel
